#include "presentation/tasklist/SubtaskFolding.h"

#include "data/subtasks/SubtaskOperations.h"
#include "presentation/tasklist/TaskListPresenter.h"

SubtaskFolding::SubtaskFolding(SubtaskOperations& subtasks, TaskListPresenter& list,
                               QObject* parent)
    : QObject(parent)
    , m_subtasks(subtasks)
    , m_list(list)
{}

bool SubtaskFolding::setFolded(int row, bool folded)
{
    const store::ReminderPtr task = m_list.reminderAt(row);
    const int index = m_list.rows().reminderIndex(row);
    if (!task || index < 0 || index >= m_list.nesting().size())
        return false;
    const RowNesting::Fold fold = m_list.nesting().at(index).fold;
    if (fold == RowNesting::Fold::None || (fold == RowNesting::Fold::Folded) == folded)
        return false;
    const store::ReminderPtr selected = m_list.selectedReminder();
    const bool hidesSelection =
        folded && selected && selected != task && m_subtasks.tree()->isWithin(*selected, *task);
    QString reason;
    if (!m_subtasks.setSubtasksHidden(task, folded, &reason)) {
        Q_EMIT changeFailed(folded ? tr("The subtasks could not be hidden")
                                   : tr("The subtasks could not be shown"),
                            reason);
        return false;
    }
    m_list.refresh();
    if (hidesSelection)
        m_list.selectReminderFromNotifications(task);
    return true;
}

int SubtaskFolding::selectedIndex() const
{
    const store::ReminderPtr selected = m_list.selectedReminder();
    const int index = selected ? int(m_list.remindersArray().indexOf(selected)) : -1;
    return index < m_list.nesting().size() ? index : -1;
}

bool SubtaskFolding::collapseSelected()
{
    const int index = selectedIndex();
    if (index < 0)
        return false;
    const RowNesting& nesting = m_list.nesting().at(index);
    if (nesting.fold == RowNesting::Fold::Open)
        return setFolded(m_list.rows().rowForReminder(index), true);
    if (nesting.parentRow >= 0)
        return m_list.selectReminderFromNotifications(
            m_list.remindersArray().at(nesting.parentRow));
    return false;
}

bool SubtaskFolding::expandSelected()
{
    const int index = selectedIndex();
    if (index < 0)
        return false;
    switch (m_list.nesting().at(index).fold) {
    case RowNesting::Fold::Folded:
        return setFolded(m_list.rows().rowForReminder(index), false);
    case RowNesting::Fold::Open:
        return m_list.selectReminderFromNotifications(m_list.remindersArray().at(index + 1));
    case RowNesting::Fold::None:
        break;
    }
    return false;
}
