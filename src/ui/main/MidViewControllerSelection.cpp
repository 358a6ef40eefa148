#include "ui/main/MidViewController.h"

#include "ui/main/tasklist/TaskListModel.h"
#include "ui/main/tasklist/TaskTableView.h"

#include <QListView>

// The table's side of the selection: the row the presenter chose, shown without counting as
// the user's choice.

QListView* MidViewController::tableView() const
{
    return m_table;
}

int MidViewController::selectedRow() const
{
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    return current.isValid() && m_table->selectionModel()->isSelected(current) ? current.row() : -1;
}

void MidViewController::selectRow(int row)
{
    m_applyingSelection = true;
    if (row < 0) {
        m_table->selectionModel()->clearSelection();
    } else {
        const QModelIndex index = m_model->index(row);
        m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        m_table->scrollTo(index);
    }
    m_applyingSelection = false;
}
