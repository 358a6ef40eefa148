#pragma once

#include <QAbstractListModel>

// A list model whose rows the user reorders by dragging them within their own table. It only
// reports the move the user asked for (moveRequested); the page changes its data and reloads.
// Subclasses say which rows may be dragged and where a drop is allowed.
class DragRowsModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    // The flags a draggable row and the space between rows need.
    Qt::ItemFlags dragFlags(const QModelIndex& index) const;

Q_SIGNALS:
    // Row `from` dropped above row `to` (the row count: at the end).
    void moveRequested(int from, int to);

protected:
    virtual bool canDragRow(int /*row*/) const { return true; }
    virtual bool canDropAtRow(int /*row*/) const { return true; }

private:
    static int dropRow(int row, const QModelIndex& parent, int rowCount);
};
