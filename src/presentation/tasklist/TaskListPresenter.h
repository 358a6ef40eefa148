#pragma once

#include "data/ListEntry.h"
#include "data/QuickActionMenu.h"
#include "data/ReminderQueries.h"
#include "data/views/CalendarDot.h"
#include "data/views/TaskListNesting.h"
#include "data/views/TaskListRows.h"
#include "data/views/TaskViewMode.h"
#include "platform/store/Event.h"
#include "platform/store/Reminder.h"
#include "presentation/tasklist/SubtaskCommands.h"
#include "text/ListExport.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

class DataManager;
class QuickActionPerformer;
class TaskListAssembly;

// What the centre task list shows and does, without a widget: the view the sidebar chose
// with its title line, period and completed filter; the tasks and events in it and their rows
// (TaskListRows); the selection, kept across refreshes; and the commands on a task — delete,
// complete, the quick actions, another list, another priority.
class TaskListPresenter : public QObject
{
    Q_OBJECT

public:
    static constexpr int kRetryIntervalMs = 300;
    static constexpr int kMaximumRetries = 3;

    // The view on show and its title line.
    struct View
    {
        TaskViewMode mode = TaskViewMode::Day;
        ListEntry entry = ListEntry::dateView(ListKind::Day);
        // The first day shown: tasks due before it read as overdue.
        QDateTime currentDate;
        QString title;
        bool navigationEnabled = true;
        bool showHideVisible = true;
        bool showingCompleted = true;
        QString searchText;
    };

    explicit TaskListPresenter(DataManager& manager, QObject* parent = nullptr);
    ~TaskListPresenter() override;

    const View& view() const { return m_view; }
    // Another entry of the sidebar; the search view starts with no text.
    void showEntry(const ListEntry& entry);
    // The title line, the rows and the selection again (the data changed).
    void refresh();
    // The search view's rows follow the text as it is typed.
    void setSearchText(const QString& text);
    // The search becomes a smart list.
    void saveSearch();
    // The previous or next day, week or month; nothing where the view has no period.
    void movePeriod(int step);
    void toggleShowCompleted();

    const ReminderList& remindersArray() const { return m_reminders; }
    QList<store::EventPtr> calendarEventsArray() const
    {
        return m_events.value_or(QList<store::EventPtr>());
    }
    const TaskListRows& rows() const { return m_rows; }
    // One per reminder: its indent, fold, progress and parent's title (TaskListNesting).
    const QList<RowNesting>& nesting() const { return m_nesting; }
    store::ReminderPtr reminderAt(int row) const;
    store::EventPtr eventAt(int row) const;
    // The dots of the week or month strip.
    CalendarDots calendarDots() const;
    // The list as it is shared: its title line, the count, its tasks and events.
    StyledText sharedListText() const;

    // The selection.
    store::ReminderPtr selectedReminder() const { return m_selectedReminder; }
    store::EventPtr selectedEvent() const { return m_selectedEvent; }
    // The table's proposal of `row` as the new selection, decided by the rows' rules.
    void proposeSelection(int row);
    // A task asked for from elsewhere (a notification, a new task): a task not listed yet is
    // tried again a few times while the refresh that brings it is on its way.
    void selectReminder(const store::ReminderPtr& reminder);
    bool selectReminderFromNotifications(const store::ReminderPtr& reminder);
    int selectionTriedCount() const { return m_selectionTriedCount; }
    // The row of the first task (or event) found; -1 when there is none.
    int firstResultRow() const;
    // Whether the details pane is open: the context menu offers to show or hide it.
    void setShowingDetail(bool showing) { m_showingDetail = showing; }
    bool showingDetail() const { return m_showingDetail; }

    // The commands. The context menu of `row` and what its items do; `perform` answers true
    // when the task is to be completed now (the view shows the check button's bounce first).
    QList<QuickActionMenuEntry> menuEntries(int row) const;
    bool perform(int row, QuickActionMenuEntry::Kind kind, int tag);
    // "Show Details" of the menu: the row's task becomes the selection.
    void selectForDetails(int row);
    bool toggleCompletion(
        const store::ReminderPtr& reminder,
        SubtaskCommands::Completion completion = SubtaskCommands::Completion::OnlyThis);
    // Indenting, outdenting and dropping onto a task; the check box asks them how to complete.
    SubtaskCommands& subtasks() const { return *m_subtasks; }
    // The next task (the previous one when it was the last) becomes the selection.
    void deleteSelected();

Q_SIGNALS:
    void aboutToRefresh();
    void refreshed();
    // The title line or the period changed.
    void viewChanged();
    // The rows were replaced.
    void contentChanged();
    // The table shows `row` as selected (-1: none); not a choice of the user.
    void rowSelected(int row);
    void reminderSelected(const store::ReminderPtr& reminder);
    void eventSelected(const store::EventPtr& event);
    // A change did not reach the store; `reason` is the store's.
    void changeFailed(const QString& title, const QString& reason);
    void searchSaved();

private:
    void refreshTopView();
    void fetchData();
    void restoreSelection();
    TaskListNesting::Arranged arrangeSubtasks(const ReminderList& reminders) const;
    void selectRow(int row) { Q_EMIT rowSelected(row); }

    DataManager& m_manager;
    std::unique_ptr<TaskListAssembly> m_assembly;
    std::unique_ptr<QuickActionPerformer> m_performer;
    std::unique_ptr<SubtaskCommands> m_subtasks;
    View m_view;
    ReminderList m_reminders;
    QList<RowNesting> m_nesting;
    std::optional<QList<store::EventPtr>> m_events;
    TaskListRows m_rows{0, 0};
    bool m_showingDetail = false;
    store::ReminderPtr m_selectedReminder;
    store::EventPtr m_selectedEvent;
    // A task an edit moved out of this view (a new date, another list, completed while
    // completed tasks are hidden): the details stay on it until the user chooses something
    // else or goes to another view.
    QString m_keptInDetails;
    // What the last refresh showed, to tell an edit that moved the task from a move of the view.
    struct ShownView
    {
        TaskViewMode mode = TaskViewMode::Day;
        ListEntry entry;
        QDateTime date;
        QString search;
        bool completed = true;
        bool operator==(const ShownView&) const = default;
    };
    std::optional<ShownView> m_lastShownView;
    // Where the task deleted from this view stood, until the refresh that removes it.
    int m_deletedIndex = -1;
    int m_selectionTriedCount = 0;
    store::ReminderPtr m_pendingSelection;
    QTimer m_selectionRetry;
};
