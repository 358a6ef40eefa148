#include "ui/main/sidebar/SidebarModel.h"

#include "data/DataManager.h"
#include "data/SidebarCounts.h"
#include "ui/common/AccessibleListView.h"

#include <QAccessible>

SidebarModel::SidebarModel(SidebarPresenter& presenter, DataManager& manager, QObject* parent)
    : QAbstractListModel(parent)
    , m_presenter(presenter)
    , m_manager(manager)
{
    connect(&presenter, &SidebarPresenter::rowsAboutToBeReset, this,
            &SidebarModel::beginResetModel);
    connect(&presenter, &SidebarPresenter::rowsReset, this, &SidebarModel::endResetModel);
}

void SidebarModel::refreshCounts()
{
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), {CountRole});
}

void SidebarModel::refreshDateTitles()
{
    Q_EMIT dataChanged(index(0), index(2), {Qt::DisplayRole, RichTitleRole});
}

int SidebarModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : layout().rowCount();
}

QVariant SidebarModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row();
    if (role == IsDividerRole)
        return layout().isDivider(row);
    if (layout().isDivider(row))
        return role == AccessibleListView::AccessibleRowRole ? int(QAccessible::Separator)
                                                             : QVariant();
    const ListEntry entry = layout().dictForRow(row);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return SidebarLayout::titleForEntry(entry, m_manager);
    case RichTitleRole:
        return SidebarLayout::richTitleForEntry(entry, m_manager);
    case CountRole:
        return SidebarLayout::countTextForEntry(entry, m_manager.counts().countDictionary());
    case EntryRole:
        return QVariant::fromValue(entry);
    case KindRole:
        return QVariant::fromValue(entry.kind());
    default:
        return {};
    }
}

Qt::ItemFlags SidebarModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || layout().isDivider(index.row()))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QHash<int, QByteArray> SidebarModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(RichTitleRole, "richTitle");
    names.insert(CountRole, "count");
    names.insert(IsDividerRole, "isDivider");
    names.insert(EntryRole, "entry");
    names.insert(KindRole, "kind");
    return names;
}
