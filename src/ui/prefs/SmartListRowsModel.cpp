#include "ui/prefs/SmartListRowsModel.h"

#include "data/SmartListSettings.h"
#include "ui/common/AccessibleListView.h"

#include <QAccessible>
#include <QSize>

SmartListRowsModel::SmartListRowsModel(const SmartListSettings& settings, QObject* parent)
    : DragRowsModel(parent)
    , m_settings(settings)
{}

void SmartListRowsModel::reload()
{
    beginResetModel();
    endResetModel();
}

QString SmartListRowsModel::presetTitle(int type)
{
    switch (type) {
    case 0:
        return tr("All Tasks");
    case 1:
        return tr("Undated Tasks");
    case 2:
        return tr("Recurring Tasks");
    case 3:
        return tr("Location-based Tasks");
    case 4:
        return tr("Overdue Tasks");
    case 5:
        return tr("High Priority Tasks");
    case 6:
        return tr("Mid Priority Tasks");
    case 7:
        return tr("Low Priority Tasks");
    default:
        return {};
    }
}

int SmartListRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_settings.smartLists.size()) + kFirstSmartRow;
}

QVariant SmartListRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    if (role == Qt::SizeHintRole)
        return QSize(0, row == kDividerRow ? kRowHeight / 2 : kRowHeight);
    if (row == kDividerRow)
        return role == AccessibleListView::AccessibleRowRole ? int(QAccessible::Separator)
                                                             : QVariant();
    if (row < kDividerRow) {
        if (role == Qt::DisplayRole)
            return presetTitle(row);
        if (role == Qt::CheckStateRole)
            return m_settings.presetSelected[size_t(row)] ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    const ListEntry& entry = m_settings.smartLists.at(row - kFirstSmartRow);
    if (role == Qt::DisplayRole)
        return entry.is(ListKind::TagList) ? tr("#%1").arg(entry.tag()) : entry.tag();
    if (role == Qt::ToolTipRole) {
        if (entry.is(ListKind::MergedList))
            return tr("Merged list");
        return entry.is(ListKind::TagList) ? tr("Tag list") : tr("Saved search");
    }
    return {};
}

bool SmartListRowsModel::setData(const QModelIndex& index, const QVariant& /*value*/, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= kDividerRow)
        return false;
    // The box shows the settings, never the click: the tab changes them and reloads.
    Q_EMIT checkClicked(index.row());
    return true;
}

Qt::ItemFlags SmartListRowsModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = dragFlags(index);
    if (!index.isValid())
        return flags;
    const int row = index.row();
    if (row < kDividerRow)
        flags |= Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
    else if (row > kDividerRow)
        flags |= Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return flags | Qt::ItemNeverHasChildren;
}
