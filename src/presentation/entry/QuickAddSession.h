#pragma once

#include "entry/SmartAddEntry.h"
#include "platform/store/Calendar.h"
#include "platform/store/Reminder.h"

#include <QDateTime>
#include <QObject>

#include <memory>

class DataManager;

// What the quick-add form shows and does, without its widgets: the lists it offers and the one
// chosen, the due date it starts at, Smart Add following the typed title, and adding the task.
// The quick-add window and the tray panel draw it (QuickAddForm) and forward the user's input.
class QuickAddSession : public QObject
{
    Q_OBJECT

public:
    enum class AddResult {
        Added,
        // Added to the default list: the chosen list was removed while the form was open. The
        // notice says where the task went.
        AddedToDefaultList,
        // Nothing to add: the title is blank, or nothing is left of it once Smart Add took
        // its words. The notice says so.
        Blank,
        // No list to add to: the view tells the user.
        NoList,
        // The store refused the task; the typed text is given back and the notice says why.
        Failed
    };
    static bool wasAdded(AddResult result)
    {
        return result == AddResult::Added || result == AddResult::AddedToDefaultList;
    }

    // The outcome of an add, and the text the title field shows after it.
    struct Addition
    {
        AddResult result = AddResult::Blank;
        QString fieldText;
        store::ReminderPtr added;
    };

    explicit QuickAddSession(DataManager& manager, QObject* parent = nullptr);
    ~QuickAddSession() override;

    // Offers the visible lists (the "defaultList" preference chosen), starts without a due
    // date and reads the Smart Add rules afresh. With no list at all it asks for the no-list
    // alert instead.
    void setup();
    // The chosen list back on the default list, no due date, no recorded rules.
    void reset();

    const QList<store::CalendarPtr>& lists() const { return m_lists; }
    // -1 while no list is offered.
    int chosenIndex() const { return m_chosen; }
    store::CalendarPtr chosenList() const;
    void chooseIndex(int index);
    // By identifier rather than by title: two lists may share a title. Nothing for a list
    // that is not offered.
    void chooseList(const QString& listIdentifier);

    // Binds the form to a task: what it adds is that task's subtask, in that task's list
    // whatever list is chosen, with the link in the task's first write. Null unbinds.
    void setParentTask(const store::ReminderPtr& parent);
    const store::ReminderPtr& parentTask() const { return m_parent; }

    // The due date the form starts at for `date` (invalid: none).
    void startDueDateAt(const QDateTime& date);
    // The data manager's selected day.
    void startAtSelectedDate();
    // "No Due Date" pressed: a due date now, by the same rule.
    void addDueDate();
    void clearDueDate();
    // The time a picked day gets: the "alarmTime" preference, else 09:00.
    QTime presetTime() const;

    // The field's text after the user changed it: one line, with at most one Smart Add trigger
    // taken. Nothing when the field keeps the text as typed.
    std::optional<SmartAddEntry::TextChange> userEditedText(const QString& text,
                                                            qsizetype cursorPosition);
    // Adds the task typed (Smart Add's last pass included); taskAdded follows a success.
    Addition addTask(const QString& typed);

    SmartAddEntry& entry() const { return *m_entry; }

Q_SIGNALS:
    void listsChanged();
    void chosenListChanged(int index);
    void dueDateChanged(const QDateTime& dueDate);
    void ruleLabelChanged(const QString& text, bool undoVisible);
    void repeatLabelChanged(const QString& text);
    void noticeRequested(const QString& notice);
    // The lists were offered and there is none: the view tells the user once it is on screen.
    void noListAlertRequested();
    void taskAdded(const store::ReminderPtr& reminder);
    // The title of the task the form adds subtasks to; empty when it adds tasks on their own.
    void parentTaskChanged(const QString& title);

private:
    void offerVisibleLists();
    void chooseDefaultList();
    void listNamed(const QString& name);
    void showDueDate(const QDateTime& dueDate);
    store::CalendarPtr listForAdding(bool* fellBack);
    // The parent as the store has it now; null when it is gone.
    store::ReminderPtr currentParent() const;

    DataManager& m_manager;
    std::unique_ptr<SmartAddEntry> m_entry;
    QList<store::CalendarPtr> m_lists;
    int m_chosen = -1;
    store::ReminderPtr m_parent;
};
