#include "ui/main/tasklist/TaskTableView.h"

#include "data/views/TaskListRows.h"
#include "ui/common/FocusRing.h"
#include "ui/main/tasklist/TaskListModel.h"
#include "ui/main/tasklist/TaskRowActions.h"

#include <QPainter>

TaskTableView::TaskTableView(QWidget* parent)
    : AccessibleListView(parent)
{
    setRowActions(this);
}

void TaskTableView::paintEvent(QPaintEvent* event)
{
    AccessibleListView::paintEvent(event);
    if (!hasFocus() || selectionModel()->hasSelection())
        return;
    QPainter painter(viewport());
    FocusRing::paint(painter, viewport()->rect(), FocusRing::color(palette()));
}

// Whether the ring is around a row or around the table changes with the focus and the
// selection, so the whole table is drawn again then, not only the rows that changed.
void TaskTableView::focusInEvent(QFocusEvent* event)
{
    AccessibleListView::focusInEvent(event);
    viewport()->update();
}

void TaskTableView::focusOutEvent(QFocusEvent* event)
{
    AccessibleListView::focusOutEvent(event);
    viewport()->update();
}

void TaskTableView::selectionChanged(const QItemSelection& selected,
                                     const QItemSelection& deselected)
{
    AccessibleListView::selectionChanged(selected, deselected);
    viewport()->update();
}

QStringList TaskTableView::rowActionNames(int row) const
{
    if (!m_taskActions || !model())
        return {};
    const QModelIndex index = model()->index(row, 0);
    switch (TaskListRows::Kind(index.data(TaskListModel::KindRole).toInt())) {
    case TaskListRows::Kind::Task: {
        const bool completed = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        QStringList names{completed ? reopenAction() : completeAction(), showDetailsAction()};
        const QVariant expanded = index.data(AccessibleListView::AccessibleExpandedRole);
        if (expanded.isValid())
            names << (expanded.toBool() ? collapseAction() : expandAction());
        return names;
    }
    case TaskListRows::Kind::Event:
        return {showDetailsAction()};
    default:
        return {};
    }
}

QString TaskTableView::localizedRowActionName(const QString& name) const
{
    if (name == completeAction())
        return tr("Complete");
    if (name == reopenAction())
        return tr("Reopen");
    if (name == showDetailsAction())
        return tr("Show Details");
    if (name == expandAction())
        return tr("Expand");
    if (name == collapseAction())
        return tr("Collapse");
    return {};
}

QString TaskTableView::rowActionDescription(const QString& name) const
{
    if (name == completeAction())
        return tr("Marks the task as completed");
    if (name == reopenAction())
        return tr("Marks the task as not completed");
    if (name == showDetailsAction())
        return tr("Shows the details of this row");
    if (name == expandAction())
        return tr("Shows the subtasks of the task");
    if (name == collapseAction())
        return tr("Hides the subtasks of the task");
    return {};
}

void TaskTableView::doRowAction(int row, const QString& name)
{
    if (!m_taskActions)
        return;
    if (name == showDetailsAction())
        m_taskActions->showRowDetails(row);
    else if (name == completeAction() || name == reopenAction())
        m_taskActions->toggleRowCompletion(row);
    else if (name == expandAction() || name == collapseAction())
        m_taskActions->setRowFolded(row, name == collapseAction());
}
