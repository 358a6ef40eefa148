#include "ui/main/sidebar/SidebarTaskDrop.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "data/subtasks/SubtaskOperations.h"
#include "presentation/sidebar/SidebarPresenter.h"
#include "ui/main/tasklist/TaskRowDrag.h"

#include <QAbstractItemView>
#include <QDropEvent>

SidebarTaskDrop::SidebarTaskDrop(QAbstractItemView* view, const SidebarPresenter& rows,
                                 DataManager& manager)
    : QObject(view)
    , m_view(view)
    , m_rows(rows)
    , m_manager(manager)
{
    m_view->setAcceptDrops(true);
    m_view->viewport()->installEventFilter(this);
}

QString SidebarTaskDrop::listAt(const QPoint& position) const
{
    const QModelIndex index = m_view->indexAt(position);
    if (!index.isValid())
        return {};
    const ListEntry entry = m_rows.layout().dictForRow(index.row());
    return entry.is(ListKind::UserList) ? entry.identifier() : QString();
}

bool SidebarTaskDrop::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove &&
        event->type() != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QPoint position = drop->position().toPoint();
    const QString dragged = TaskRowDrag::identifierIn(drop->mimeData());
    // Another kind of drop (a mail message) is the window's.
    if (dragged.isEmpty())
        return QObject::eventFilter(watched, event);
    // Taken wherever a task enters, so that the moves that follow are judged row by row.
    if (event->type() == QEvent::DragEnter) {
        drop->acceptProposedAction();
        return true;
    }
    const QString list = listAt(position);
    if (list.isEmpty()) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::MoveAction);
    if (event->type() != QEvent::Drop) {
        static_cast<QDragMoveEvent*>(event)->accept(m_view->visualRect(m_view->indexAt(position)));
        return true;
    }
    drop->accept();
    const store::ReminderPtr task = m_manager.tasks().reminderWithIdentifier(dragged);
    const store::CalendarPtr target = m_manager.lists().calendarByUUID(list);
    QString reason;
    if (task && target && !m_manager.subtasks().moveWithSubtasks(task, target, &reason))
        Q_EMIT moveFailed(reason);
    return true;
}
