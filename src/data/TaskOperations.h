#pragma once

#include "data/UndoHistory.h"
#include "platform/store/Alarm.h"
#include "platform/store/Calendar.h"
#include "platform/store/RecurrenceRule.h"
#include "platform/store/Reminder.h"
#include "platform/trash/DeletedEntry.h"

#include <QHash>
#include <QObject>

#include <functional>
#include <optional>

class Clock;
class DateFormatters;
class StoreSession;
class TaskLists;
class UserDefaults;

// The changes the application makes to the store: adding, completing, deleting and saving
// tasks, with undo for completions and deletions, and adding, changing and deleting lists.
// None of them refreshes: the store announces each change and the refresh that follows brings
// every pane up to date.
class TaskOperations : public QObject
{
    Q_OBJECT

public:
    TaskOperations(StoreSession& session, TaskLists& lists, UserDefaults& defaults, Clock& clock,
                   const DateFormatters& formatters, QObject* parent = nullptr);

    UndoHistory* undoManager() { return &m_undoManager; }

    using AddCompletion = std::function<void(bool saved, store::ReminderPtr reminder)>;
    // Adds a task with everything the entry windows can set. `priority` is the class chosen in
    // the interface (1 high, 2 medium, 3 low); the completion runs before this returns. With
    // `parentUid` the task is written as that task's subtask in the same write, so that no
    // failure between an add and a link can leave it on its own.
    void addReminderWithTitle(const QString& title, const store::CalendarPtr& calendar,
                              std::optional<int> priority, const QDateTime& dueDate,
                              const std::optional<store::RecurrenceRule>& rule, const QString& url,
                              const QString& notes, bool alarm,
                              const std::optional<store::Alarm>& place,
                              const AddCompletion& completion, const QString& parentUid = {});
    // Without `alarmOnNumber` the preference "alarmOn" decides whether a dated task gets an
    // alarm.
    store::ReminderPtr addReminderWithTitle(const QString& title,
                                            const store::CalendarPtr& calendar,
                                            const QDateTime& dueDate = {}, int priority = 0,
                                            std::optional<bool> alarmOnNumber = std::nullopt,
                                            const QString& notes = {}, bool setDetail = false);
    // Why the last add above could not be saved; empty after a save that landed.
    QString lastSaveError() const { return m_lastSaveError; }
    // Opens a task just added in the detail editor.
    void forceIntoDetail(const store::ReminderPtr& reminder);
    store::ReminderPtr tempReminder() const { return m_tempReminder; }

    // Each change below answers whether it reached the store; when it did not, `error` gets
    // the store's reason and nothing changed, in the store or in the snapshot.
    //
    // Completes or reopens a task; a recurring task moves on to its next occurrence, which is
    // not offered as an undo.
    bool checkReminder(const store::ReminderPtr& reminder, bool checked, QString* error = nullptr);
    // Deletes a task: its file goes to Recently Deleted, and undo brings that very file back.
    bool deleteReminder(const store::ReminderPtr& reminder, QString* error = nullptr);
    // Brings back a task deleted into Recently Deleted, as an undoable step; a completed one
    // comes back open and due today.
    bool undoDeleteReminder(const QString& deletedId, QString* error = nullptr);
    bool saveReminder(const store::ReminderPtr& reminder, QString* error = nullptr);
    // Saves the task as it is, for the detail editor: its due-date edits set the start date
    // themselves, and an edit of anything else must not add a start date the task never had.
    bool saveEditedReminder(const store::ReminderPtr& reminder, QString* error);
    // The snapshot's own record of a task.
    store::ReminderPtr reminderWithIdentifier(const QString& identifier) const;
    // A copy to edit of the task `held` stands for. Panes keep records read before our own
    // later saves (a refresh fetched before a save lands after it); when the file is still
    // what our last save of the task wrote, that save is the record, so that an edit neither
    // undoes it nor is taken for another program's change.
    store::ReminderPtr recordToEdit(const store::ReminderPtr& held) const;
    // Whether `record` is a version of its task one of our own recent saves wrote.
    bool isOwnVersion(const store::Reminder& record) const;

    // The new list's identifier, or "" when it could not be created.
    QString addListWithTitle(const QString& title, const store::CollectionColor& color,
                             QString* error = nullptr);
    // Each answers whether the store took the change; when not, `error` gets the store's reason
    // and the list stays as it was (a list that no longer exists counts as deleted).
    bool modifyList(const store::CalendarPtr& list, const QString& title,
                    const store::CollectionColor& color, QString* error = nullptr);
    bool deleteListWithUUID(const QString& identifier, QString* error = nullptr);
    void deleteCompletedTasksOnListWithUUID(const QString& identifier);

Q_SIGNALS:
    // A task was just added and is to be opened in the detail editor (tempReminder).
    void intoDetailFromAdd();
    // A task is being added or moved to Recently Deleted here; the window answers with its
    // sound, the command line stays silent.
    void addingTask();
    void deletingTask();

private:
    class CompletionChange;
    class DeleteTask;
    bool applyCompletion(const store::ReminderPtr& reminder, bool checked, QString* error);
    // The task's entry in Recently Deleted; empty when the store refused.
    QString moveToTrash(const store::ReminderPtr& reminder, QString* error);
    bool restoreFromTrash(const QString& deletedId, bool reopen, QString* restoredPath,
                          QString* error);
    store::ReminderPtr reminderInFile(const QString& path) const;
    store::ReminderPtr readKeptTask(const trash::DeletedEntry& entry) const;
    void incrementAddCount();
    QTime alarmTimeOfDay() const;
    void noteSaved(const store::Reminder& saved);
    const store::Reminder* laterOwnSave(const store::Reminder& held) const;
    QDateTime alarmDateFor(const QDateTime& dueDate) const;

    StoreSession& m_session;
    TaskLists& m_lists;
    UserDefaults& m_defaults;
    Clock& m_clock;
    const DateFormatters& m_formatters;
    UndoHistory m_undoManager;
    store::ReminderPtr m_tempReminder;
    QString m_lastSaveError;
    QHash<QString, store::Reminder> m_ownSaves; // the last save of each task, by identifier
    QHash<QString, QList<store::ItemOriginPtr>> m_ownVersions; // the recent ones, by identifier
};
