#include "ui/main/tasklist/TaskTableView.h"

#include "ui/common/FocusRing.h"

#include <QPainter>

TaskTableView::TaskTableView(QWidget* parent)
    : QListView(parent)
{}

void TaskTableView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (!hasFocus() || selectionModel()->hasSelection())
        return;
    QPainter painter(viewport());
    FocusRing::paint(painter, viewport()->rect(), FocusRing::color(palette()));
}

// Whether the ring is around a row or around the table changes with the focus and the
// selection, so the whole table is drawn again then, not only the rows that changed.
void TaskTableView::focusInEvent(QFocusEvent* event)
{
    QListView::focusInEvent(event);
    viewport()->update();
}

void TaskTableView::focusOutEvent(QFocusEvent* event)
{
    QListView::focusOutEvent(event);
    viewport()->update();
}

void TaskTableView::selectionChanged(const QItemSelection& selected,
                                     const QItemSelection& deselected)
{
    QListView::selectionChanged(selected, deselected);
    viewport()->update();
}
