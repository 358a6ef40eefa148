#pragma once

#include "ui/common/AccessibleListView.h"

// The sidebar's table: clicks on a divider or below the last row never change the selection,
// and the keys the sidebar answers itself (left, right, delete) become signals. A screen reader
// finds its dividers as separators, not as unnamed lists.
class SidebarTableView : public AccessibleListView
{
    Q_OBJECT

public:
    explicit SidebarTableView(QWidget* parent = nullptr);

Q_SIGNALS:
    void keyLeftTapped();
    void keyRightTapped();
    void deleteKeyPressed();
    // `row` is -1 below the last row.
    void contextMenuRequested(int row, const QPoint& globalPos);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
