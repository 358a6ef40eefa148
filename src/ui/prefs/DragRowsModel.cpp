#include "ui/prefs/DragRowsModel.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

#include <algorithm>

namespace {

// Drags stay inside their table: the type is the application's own.
const QString kDragType = QStringLiteral("application/x-velmoran-drag-rows");

QList<int> draggedRows(const QMimeData* data)
{
    QList<int> rows;
    QDataStream stream(data->data(kDragType));
    stream >> rows;
    return rows;
}

} // namespace

QStringList DragRowsModel::mimeTypes() const
{
    return {kDragType};
}

QMimeData* DragRowsModel::mimeData(const QModelIndexList& indexes) const
{
    QList<int> rows;
    for (const QModelIndex& index : indexes) {
        if (index.isValid() && canDragRow(index.row()))
            rows << index.row();
    }
    if (rows.isEmpty())
        return nullptr;
    std::sort(rows.begin(), rows.end());
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << rows;
    auto* data = new QMimeData;
    data->setData(kDragType, bytes);
    return data;
}

int DragRowsModel::dropRow(int row, const QModelIndex& parent, int rowCount)
{
    // A drop on a row (rather than between rows) lands above it.
    return row >= 0 ? row : (parent.isValid() ? parent.row() : rowCount);
}

bool DragRowsModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                    int /*column*/, const QModelIndex& parent) const
{
    if (action != Qt::MoveAction || !data || !data->hasFormat(kDragType))
        return false;
    const QList<int> rows = draggedRows(data);
    return !rows.isEmpty() && canDragRow(rows.first()) &&
           canDropAtRow(dropRow(row, parent, rowCount()));
}

bool DragRowsModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                 const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    Q_EMIT moveRequested(draggedRows(data).first(), dropRow(row, parent, rowCount()));
    // The move is made by the page, not by the view removing the dragged row afterwards.
    return false;
}

Qt::ItemFlags DragRowsModel::dragFlags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return canDragRow(index.row()) ? Qt::ItemIsDragEnabled : Qt::NoItemFlags;
}
