#include "ui/prefs/ListRowsModel.h"

#include "data/ListChoice.h"
#include "platform/store/LocalFileName.h"
#include "ui/common/CollectionColors.h"
#include "ui/common/TintedIcon.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QSize>

namespace {

// Drags stay inside the list table: the type is the application's own.
const QString kDragType = QStringLiteral("application/x-velmoran-list-rows");

} // namespace

ListRowsModel::ListRowsModel(const ListChoice& choice, Kind kind, QObject* parent)
    : QAbstractListModel(parent)
    , m_choice(choice)
    , m_kind(kind)
{}

void ListRowsModel::reload()
{
    beginResetModel();
    endResetModel();
}

void ListRowsModel::setValidatingRow(int row)
{
    const int old = m_validatingRow;
    m_validatingRow = row;
    for (const int changed : {old, row})
        if (changed >= 0 && changed < rowCount())
            Q_EMIT dataChanged(index(changed), index(changed));
}

int ListRowsModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return int(m_kind == Kind::Lists ? m_choice.lists().size() : m_choice.calendars().size());
}

QVariant ListRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const store::CalendarPtr& item = m_kind == Kind::Lists ? m_choice.lists().at(index.row())
                                                           : m_choice.calendars().at(index.row());
    const bool shown = m_kind == Kind::Lists ? m_choice.isListVisible(item->calendarIdentifier)
                                             : m_choice.isCalendarVisible(item->calendarIdentifier);
    switch (role) {
    case Qt::DisplayRole:
        if (index.row() == m_validatingRow)
            return tr("%1 (checking…)").arg(item->title);
        return item->title;
    case Qt::ToolTipRole:
        return store::LocalFileName::forDisplay(item->folderPath);
    case Qt::DecorationRole:
        // A collection without a colour of its own gets a grey that shows day and night.
        return TintedIcon::icon(QStringLiteral("MenuItemDot"), item->color.isValid()
                                                                   ? qColor(item->color)
                                                                   : QColor(0x8E, 0x8E, 0x93));
    case Qt::CheckStateRole:
        if (index.row() == m_validatingRow)
            return {};
        return shown ? Qt::Checked : Qt::Unchecked;
    case Qt::SizeHintRole:
        return QSize(-1, kRowHeight);
    case Qt::UserRole:
        return item->calendarIdentifier;
    default:
        return {};
    }
}

bool ListRowsModel::setData(const QModelIndex& index, const QVariant& /*value*/, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid())
        return false;
    // The box shows the choice, never the click: the page changes the choice (or refuses)
    // and the row is redrawn from it.
    Q_EMIT checkClicked(index.row());
    Q_EMIT dataChanged(index, index);
    return true;
}

Qt::ItemFlags ListRowsModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (!index.isValid())
        return m_kind == Kind::Lists ? Qt::ItemIsDropEnabled : Qt::NoItemFlags;
    if (index.row() != m_validatingRow)
        flags |= Qt::ItemIsUserCheckable;
    if (m_kind == Kind::Lists)
        flags |= Qt::ItemIsDragEnabled;
    return flags;
}

Qt::DropActions ListRowsModel::supportedDropActions() const
{
    return m_kind == Kind::Lists ? Qt::MoveAction : Qt::IgnoreAction;
}

QStringList ListRowsModel::mimeTypes() const
{
    return {kDragType};
}

QMimeData* ListRowsModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    QList<int> rows;
    for (const QModelIndex& index : indexes)
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    stream << rows;
    auto* data = new QMimeData;
    data->setData(kDragType, bytes);
    return data;
}

bool ListRowsModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int /*row*/,
                                    int /*column*/, const QModelIndex& /*parent*/) const
{
    return m_kind == Kind::Lists && action == Qt::MoveAction && data->hasFormat(kDragType);
}

bool ListRowsModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                 const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    QDataStream stream(data->data(kDragType));
    QList<int> rows;
    stream >> rows;
    if (rows.isEmpty())
        return false;
    // A drop on a row (rather than between rows) lands above it.
    const int to = row >= 0 ? row : (parent.isValid() ? parent.row() : rowCount());
    Q_EMIT moveRequested(rows.first(), to);
    // The move is made here, not by the view removing the dragged row afterwards.
    return false;
}
