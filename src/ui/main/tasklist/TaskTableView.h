#pragma once

#include <QListView>

// The centre task list's table. A selected row carries the focus ring while the table has the
// keyboard (TaskListDelegate); with no row selected (an empty view, or none chosen yet) the
// ring goes around the whole table instead, so that the keyboard is never out of sight.
class TaskTableView : public QListView
{
    Q_OBJECT

public:
    explicit TaskTableView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
};
