#pragma once

#include <QObject>

#include <functional>

class DataManager;
class QAbstractItemView;
class SidebarPresenter;

// A task row dragged from the task list onto one of the user's lists in the sidebar: the task
// moves there, and a parent takes its subtasks along, where their links hold again.
class SidebarTaskDrop : public QObject
{
    Q_OBJECT

public:
    SidebarTaskDrop(QAbstractItemView* view, const SidebarPresenter& rows, DataManager& manager);

Q_SIGNALS:
    // The store refused the move; `reason` is its own.
    void moveFailed(const QString& reason);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The list identifier of the row at `position`; empty where no list can take a task.
    QString listAt(const QPoint& position) const;

    QAbstractItemView* m_view;
    const SidebarPresenter& m_rows;
    DataManager& m_manager;
};
