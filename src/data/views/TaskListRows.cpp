#include "data/views/TaskListRows.h"

TaskListRows::TaskListRows(int reminderCount, int eventCount)
    : m_reminders(reminderCount < 0 ? 0 : reminderCount)
    , m_events(eventCount < 0 ? 0 : eventCount)
{}

int TaskListRows::rowCount() const
{
    // With no reminders the empty-state row stands where the tasks and their spacer would be.
    const int head = m_reminders == 0 ? 1 : m_reminders + 1;
    return m_events > 0 ? head + m_events + 2 : head;
}

TaskListRows::Kind TaskListRows::kind(int row) const
{
    if (row < 0 || row >= rowCount())
        return Kind::None;
    if (m_reminders == 0 && row == 0)
        return Kind::Empty;
    if (row < m_reminders)
        return Kind::Task;
    // The empty-state row takes the place of the spacer, so the header is row 1 either way
    // when there are no reminders.
    const int spacer = m_reminders == 0 ? 0 : m_reminders;
    if (row == spacer)
        return Kind::Spacer;
    if (row == spacer + 1)
        return Kind::EventsHeader;
    if (row < spacer + 2 + m_events)
        return Kind::Event;
    return Kind::Spacer;
}

int TaskListRows::reminderIndex(int row) const
{
    return kind(row) == Kind::Task ? row : -1;
}

int TaskListRows::eventIndex(int row) const
{
    return kind(row) == Kind::Event ? row - (m_reminders == 0 ? 0 : m_reminders) - 2 : -1;
}

TaskListRows::Selection TaskListRows::proposeSelection(int row) const
{
    Selection selection;
    switch (kind(row)) {
    case Kind::Empty:
        selection.action = Selection::Action::ClearBoth;
        selection.row = row;
        break;
    case Kind::EventsHeader:
        selection.action = Selection::Action::MoveTo;
        selection.row = row + 1;
        break;
    case Kind::Spacer:
        selection.action = Selection::Action::MoveTo;
        selection.row = row - 1;
        break;
    case Kind::Task:
        selection.action = Selection::Action::SelectTask;
        selection.index = row;
        selection.row = row;
        break;
    case Kind::Event:
        selection.action = Selection::Action::SelectEvent;
        selection.index = eventIndex(row);
        selection.row = row;
        break;
    case Kind::None:
        break;
    }
    return selection;
}
