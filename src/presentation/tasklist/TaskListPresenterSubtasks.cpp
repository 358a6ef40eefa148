#include "presentation/tasklist/TaskListPresenter.h"

#include "data/DataManager.h"
#include "data/subtasks/SubtaskOperations.h"

TaskListNesting::Arranged TaskListPresenter::arrangeSubtasks(const ReminderList& reminders) const
{
    const std::shared_ptr<const SubtaskTree> tree = m_manager.subtasks().tree();
    // The date views keep their sort by date: a subtask there stands where its date puts it.
    return isPeriodMode(m_view.mode) ? TaskListNesting::inPlace(*tree, reminders)
                                     : TaskListNesting::nested(*tree, reminders);
}

RowNesting TaskListPresenter::nestingAt(int row) const
{
    const int index = m_rows.reminderIndex(row);
    return index >= 0 && index < m_nesting.size() ? m_nesting.at(index) : RowNesting();
}

bool TaskListPresenter::setSubtasksFolded(int row, bool folded)
{
    const store::ReminderPtr task = reminderAt(row);
    const RowNesting::Fold fold = nestingAt(row).fold;
    if (!task || fold == RowNesting::Fold::None || (fold == RowNesting::Fold::Folded) == folded)
        return false;
    SubtaskOperations& subtasks = m_manager.subtasks();
    const bool hidesSelection = folded && m_selectedReminder && m_selectedReminder != task &&
                                subtasks.tree()->isWithin(*m_selectedReminder, *task);
    QString reason;
    if (!subtasks.setSubtasksHidden(task, folded, &reason)) {
        Q_EMIT changeFailed(folded ? tr("The subtasks could not be hidden")
                                   : tr("The subtasks could not be shown"),
                            reason);
        return false;
    }
    if (hidesSelection)
        m_selectedReminder = task;
    refresh();
    return true;
}

bool TaskListPresenter::collapseSelected()
{
    const int index = int(m_reminders.indexOf(m_selectedReminder));
    if (!m_selectedReminder || index < 0 || index >= m_nesting.size())
        return false;
    const RowNesting& nesting = m_nesting.at(index);
    if (nesting.fold == RowNesting::Fold::Open)
        return setSubtasksFolded(m_rows.rowForReminder(index), true);
    if (nesting.parentRow >= 0)
        return selectReminderFromNotifications(m_reminders.at(nesting.parentRow));
    return false;
}

bool TaskListPresenter::expandSelected()
{
    const int index = int(m_reminders.indexOf(m_selectedReminder));
    if (!m_selectedReminder || index < 0 || index >= m_nesting.size())
        return false;
    switch (m_nesting.at(index).fold) {
    case RowNesting::Fold::Folded:
        return setSubtasksFolded(m_rows.rowForReminder(index), false);
    case RowNesting::Fold::Open:
        return selectReminderFromNotifications(m_reminders.at(index + 1));
    case RowNesting::Fold::None:
        break;
    }
    return false;
}
