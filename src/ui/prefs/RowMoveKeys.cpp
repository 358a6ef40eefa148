#include "ui/prefs/RowMoveKeys.h"

#include <QAbstractItemView>
#include <QKeyEvent>

RowMoveKeys::RowMoveKeys(QAbstractItemView* view, Move move)
    : QObject(view)
    , m_view(view)
    , m_move(std::move(move))
{
    view->installEventFilter(this);
}

bool RowMoveKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_view || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::AltModifier ||
        (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down))
        return QObject::eventFilter(watched, event);
    const int row = m_view->currentIndex().row();
    const int step = key->key() == Qt::Key_Up ? -1 : 1;
    const int target = row + step;
    if (row >= 0 && target >= 0 && target < m_view->model()->rowCount() &&
        m_move(row, step > 0 ? target + 1 : target)) {
        // A row lands above the row it is moved to; one place down is above the row after next.
        m_view->setCurrentIndex(m_view->model()->index(target, 0));
    }
    return true;
}
