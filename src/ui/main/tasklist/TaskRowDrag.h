#pragma once

#include "platform/store/Reminder.h"

#include <QObject>
#include <QPoint>

class QAbstractItemView;
class QMimeData;

// A task row picked up with the mouse and dropped on another task's row, which makes it that
// task's subtask. The task travels as its identifier, so that another pane (the sidebar) can
// take the same drop. There are no drops between rows: the list's order is the view's sort.
class TaskRowDrag : public QObject
{
    Q_OBJECT

public:
    static inline const QString kMimeType = QStringLiteral("application/x-velmoran-task");
    static QMimeData* mimeDataFor(const store::Reminder& task);
    // Empty for data that carries no task.
    static QString identifierIn(const QMimeData* data);

    // `taskAt` answers the task of a row of `view` (null for a row that is none).
    TaskRowDrag(QAbstractItemView* view, std::function<store::ReminderPtr(int row)> taskAt);

Q_SIGNALS:
    void droppedOnTask(const QString& draggedIdentifier, const store::ReminderPtr& target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    store::ReminderPtr taskUnder(const QPoint& position) const;
    // The task a drag at `position` would land on; null where it cannot land.
    store::ReminderPtr targetFor(const QMimeData* data, const QPoint& position) const;

    QAbstractItemView* m_view;
    std::function<store::ReminderPtr(int row)> m_taskAt;
    store::ReminderPtr m_pressed;
    QPoint m_pressPosition;
};
