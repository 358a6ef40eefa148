#include "ui/main/tasklist/TaskRowDrag.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

QMimeData* TaskRowDrag::mimeDataFor(const store::Reminder& task)
{
    auto* data = new QMimeData;
    data->setData(kMimeType, task.calendarItemIdentifier.toUtf8());
    // Dropped on another program, the task is its title.
    data->setText(task.title);
    return data;
}

QString TaskRowDrag::identifierIn(const QMimeData* data)
{
    return data && data->hasFormat(kMimeType) ? QString::fromUtf8(data->data(kMimeType))
                                              : QString();
}

TaskRowDrag::TaskRowDrag(QAbstractItemView* view, std::function<store::ReminderPtr(int row)> taskAt)
    : QObject(view)
    , m_view(view)
    , m_taskAt(std::move(taskAt))
{
    m_view->setAcceptDrops(true);
    m_view->viewport()->installEventFilter(this);
}

store::ReminderPtr TaskRowDrag::taskUnder(const QPoint& position) const
{
    const QModelIndex index = m_view->indexAt(position);
    return index.isValid() ? m_taskAt(index.row()) : nullptr;
}

store::ReminderPtr TaskRowDrag::targetFor(const QMimeData* data, const QPoint& position) const
{
    const QString dragged = identifierIn(data);
    const store::ReminderPtr target = dragged.isEmpty() ? nullptr : taskUnder(position);
    return target && target->calendarItemIdentifier != dragged ? target : nullptr;
}

bool TaskRowDrag::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* press = static_cast<QMouseEvent*>(event);
        m_pressed =
            press->button() == Qt::LeftButton ? taskUnder(press->position().toPoint()) : nullptr;
        m_pressPosition = press->position().toPoint();
        break;
    }
    case QEvent::MouseButtonRelease:
        m_pressed.reset();
        break;
    case QEvent::MouseMove: {
        auto* move = static_cast<QMouseEvent*>(event);
        if (!m_pressed || !(move->buttons() & Qt::LeftButton) ||
            (move->position().toPoint() - m_pressPosition).manhattanLength() <
                QApplication::startDragDistance())
            break;
        auto* drag = new QDrag(m_view);
        drag->setMimeData(mimeDataFor(*std::exchange(m_pressed, nullptr)));
        drag->exec(Qt::MoveAction);
        return true;
    }
    case QEvent::DragEnter: {
        // Taken wherever a task enters, so that the moves that follow come here to be judged
        // row by row; the drag starts over the task's own row, where it cannot land.
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (identifierIn(enter->mimeData()).isEmpty())
            enter->ignore();
        else
            enter->acceptProposedAction();
        return true;
    }
    case QEvent::DragMove: {
        auto* over = static_cast<QDragMoveEvent*>(event);
        const QPoint position = over->position().toPoint();
        if (targetFor(over->mimeData(), position)) {
            over->setDropAction(Qt::MoveAction);
            over->accept(m_view->visualRect(m_view->indexAt(position)));
        } else {
            over->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const store::ReminderPtr target = targetFor(drop->mimeData(), drop->position().toPoint());
        if (!target) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::MoveAction);
        drop->accept();
        Q_EMIT droppedOnTask(identifierIn(drop->mimeData()), target);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
