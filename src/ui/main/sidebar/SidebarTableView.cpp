#include "ui/main/sidebar/SidebarTableView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

SidebarTableView::SidebarTableView(QWidget* parent)
    : AccessibleListView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

QItemSelectionModel::SelectionFlags SidebarTableView::selectionCommand(const QModelIndex& index,
                                                                       const QEvent* event) const
{
    if (!index.isValid() || !(index.flags() & Qt::ItemIsSelectable))
        return QItemSelectionModel::NoUpdate;
    // A right click opens the clicked row's menu; the list shown stays the one selected.
    if (event &&
        (event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::MouseButtonRelease) &&
        static_cast<const QMouseEvent*>(event)->button() == Qt::RightButton)
        return QItemSelectionModel::NoUpdate;
    const QItemSelectionModel::SelectionFlags command =
        AccessibleListView::selectionCommand(index, event);
    // Control-clicking the selected row would empty the selection.
    if (command & QItemSelectionModel::Deselect)
        return QItemSelectionModel::NoUpdate;
    return command;
}

void SidebarTableView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        Q_EMIT keyLeftTapped();
        return;
    case Qt::Key_Right:
        Q_EMIT keyRightTapped();
        return;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        Q_EMIT deleteKeyPressed();
        return;
    default:
        AccessibleListView::keyPressEvent(event);
    }
}

void SidebarTableView::contextMenuEvent(QContextMenuEvent* event)
{
    const QModelIndex index = indexAt(viewport()->mapFrom(this, event->pos()));
    Q_EMIT contextMenuRequested(index.isValid() ? index.row() : -1, event->globalPos());
    event->accept();
}

// The selection's focus bar follows the keyboard focus.
void SidebarTableView::focusInEvent(QFocusEvent* event)
{
    AccessibleListView::focusInEvent(event);
    viewport()->update();
}

void SidebarTableView::focusOutEvent(QFocusEvent* event)
{
    AccessibleListView::focusOutEvent(event);
    viewport()->update();
}
