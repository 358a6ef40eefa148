#pragma once

#include "ui/common/AccessibleListView.h"
#include "ui/common/ListRowActions.h"

class TaskRowActions;

// The centre task list's table, also the tray panel's. A selected row carries the focus ring
// while the table has the keyboard (TaskListDelegate); with no row selected (an empty view, or
// none chosen yet) the ring goes around the whole table instead, so that the keyboard is never
// out of sight. A screen reader's "Complete" (or "Reopen") and "Show Details" on a row go to
// the pane that owns the table.
class TaskTableView : public AccessibleListView, private ListRowActions
{
    Q_OBJECT

public:
    explicit TaskTableView(QWidget* parent = nullptr);

    static QString completeAction() { return QStringLiteral("Complete"); }
    static QString reopenAction() { return QStringLiteral("Reopen"); }
    static QString showDetailsAction() { return QStringLiteral("Show Details"); }
    static QString expandAction() { return QStringLiteral("Expand"); }
    static QString collapseAction() { return QStringLiteral("Collapse"); }

    // May stay null: the rows then offer no actions.
    void setTaskActions(TaskRowActions* actions) { m_taskActions = actions; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    QStringList rowActionNames(int row) const override;
    QString localizedRowActionName(const QString& name) const override;
    QString rowActionDescription(const QString& name) const override;
    void doRowAction(int row, const QString& name) override;

    TaskRowActions* m_taskActions = nullptr;
};
