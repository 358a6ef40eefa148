#pragma once

// The rows of the task list for n reminders and e events: the reminders first (or one
// empty-state row when there are none), a blank spacer, then, only when there are events, the
// "Calendar Events" header, the events and a second spacer. Pure arithmetic, shared by the
// table model, the selection rules and the row heights.
class TaskListRows
{
public:
    enum class Kind { Empty, Task, Spacer, EventsHeader, Event, None };

    static constexpr int kEmptyRowHeight = 200;
    static constexpr int kSpacerRowHeight = 30;
    static constexpr int kHeaderRowHeight = 30;

    TaskListRows(int reminderCount, int eventCount);

    int reminderCount() const { return m_reminders; }
    int eventCount() const { return m_events; }
    int rowCount() const;
    // Kind::None outside [0, rowCount()).
    Kind kind(int row) const;
    // The index into the reminders or events of a task or event row; -1 for any other row.
    int reminderIndex(int row) const;
    int eventIndex(int row) const;
    int rowForReminder(int index) const { return index; }
    int rowForEvent(int index) const { return m_reminders + 2 + index; }

    // What a selection the user proposes at `row` becomes.
    struct Selection
    {
        enum class Action {
            ClearBoth,     // the empty-state row: nothing is selected, the delegate hears none
            SelectTask,    // reminder `index`
            SelectEvent,   // event `index`
            MoveTo,        // the table selects `row` instead; nobody is told
            AcceptSilently // anything else: kept as proposed, nobody is told
        };
        Action action = Action::AcceptSilently;
        int index = -1;
        int row = -1;
    };
    Selection proposeSelection(int row) const;

private:
    int m_reminders;
    int m_events;
};
