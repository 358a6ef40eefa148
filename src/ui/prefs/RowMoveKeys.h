#pragma once

#include <QObject>

#include <functional>

class QAbstractItemView;

// Alt+Up and Alt+Down on a table: the keyboard's way to drag the current row one place. The
// move is reported as a drag would report it (row `from` lands above row `to`); the current row
// follows when the move was made.
class RowMoveKeys : public QObject
{
    Q_OBJECT

public:
    using Move = std::function<bool(int from, int to)>;

    RowMoveKeys(QAbstractItemView* view, Move move);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractItemView* m_view;
    Move m_move;
};
