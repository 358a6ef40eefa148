#include "ui/prefs/QuickActionRowsModel.h"

#include "data/QuickActionSettings.h"

#include <QPalette>
#include <QSize>

QuickActionRowsModel::QuickActionRowsModel(const QVariantList& records, QObject* parent)
    : DragRowsModel(parent)
    , m_records(records)
{}

void QuickActionRowsModel::setDimmedText(const QBrush& brush)
{
    m_dimmedText = brush;
    if (!m_records.isEmpty())
        Q_EMIT dataChanged(index(0), index(int(m_records.size()) - 1), {Qt::ForegroundRole});
}

void QuickActionRowsModel::reload()
{
    beginResetModel();
    endResetModel();
}

int QuickActionRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

QVariant QuickActionRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_records.size())
        return {};
    const QVariant& record = m_records.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QuickActionSettings::rowText(record);
    case Qt::SizeHintRole:
        return QSize(0, kRowHeight);
    case Qt::ForegroundRole:
        if (!QuickActionSettings::isEditable(record))
            return m_dimmedText;
        return {};
    case Qt::ToolTipRole:
        if (!QuickActionSettings::isEditable(record))
            return tr("This version cannot perform this action; it is kept as stored.");
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags QuickActionRowsModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = dragFlags(index);
    if (index.isValid())
        flags |= Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    return flags;
}
