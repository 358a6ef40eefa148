#include "data/RecentlyDeletedItems.h"

#include "data/StoreSession.h"
#include "platform/store/EventStore.h"
#include "platform/store/LocalFileName.h"
#include "platform/trash/RecentlyDeleted.h"
#include "text/DateFormatters.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString failureLine(const trash::DeletedEntry& entry, const QString& error)
{
    // Most of the store's refusals name the item already; the others get its title in front.
    const QString title = RecentlyDeletedItems::titleText(entry);
    if (error.contains(title))
        return error;
    return RecentlyDeletedItems::tr("\"%1\": %2").arg(title, error);
}

} // namespace

RecentlyDeletedItems::RecentlyDeletedItems(StoreSession& session, const DateFormatters& formatters,
                                           QObject* parent)
    : QAbstractTableModel(parent)
    , m_session(session)
    , m_formatters(formatters)
{}

void RecentlyDeletedItems::reload()
{
    beginResetModel();
    store::EventStore* eventStore = m_session.eventStore();
    m_entries = eventStore ? eventStore->recentlyDeleted().entries() : QList<trash::DeletedEntry>();
    // The trash lists newest first already; the order is the model's promise all the same,
    // and entries of one second keep the trash's order.
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const trash::DeletedEntry& a, const trash::DeletedEntry& b) {
                         return a.deletedAt > b.deletedAt;
                     });
    endResetModel();
}

int RecentlyDeletedItems::rowOf(const QString& id) const
{
    for (int row = 0; row < m_entries.size(); ++row) {
        if (m_entries.at(row).id == id)
            return row;
    }
    return -1;
}

QList<trash::DeletedEntry> RecentlyDeletedItems::entriesOf(const QList<int>& rows) const
{
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    QList<trash::DeletedEntry> entries;
    for (int row : sorted) {
        if (row >= 0 && row < m_entries.size())
            entries << m_entries.at(row);
    }
    return entries;
}

RecentlyDeletedItems::Outcome RecentlyDeletedItems::restore(const QList<int>& rows)
{
    Outcome outcome;
    QStringList notes;
    store::EventStore* eventStore = m_session.eventStore();
    for (const trash::DeletedEntry& entry : entriesOf(rows)) {
        store::EventStore::RestoreOutcome restored;
        QString error;
        if (!eventStore) {
            outcome.failures << failureLine(entry, tr("the store is not open."));
            continue;
        }
        if (!eventStore->restoreDeleted(entry.id, &restored, &error)) {
            outcome.failures << failureLine(entry, error);
            continue;
        }
        ++outcome.done;
        if (restored.intoDefaultList && restored.kind == trash::EntryKind::Task)
            notes << tr("\"%1\" went into \"%2\": its own list no longer exists.")
                         .arg(restored.title, restored.listTitle);
        else if (restored.intoDefaultList)
            notes << tr("The list \"%1\" came back in another folder: its own folder is no longer "
                        "one of the store's.")
                         .arg(restored.listTitle);
    }
    QStringList lines;
    if (!outcome.failures.isEmpty())
        lines << tr("%n item(s) could not be restored:", nullptr, int(outcome.failures.size()))
              << outcome.failures;
    if (!notes.isEmpty() && !lines.isEmpty())
        lines << QString();
    lines << notes;
    outcome.message = lines.join(QLatin1Char('\n'));
    reload();
    return outcome;
}

RecentlyDeletedItems::Outcome RecentlyDeletedItems::deleteNow(const QList<int>& rows)
{
    Outcome outcome;
    store::EventStore* eventStore = m_session.eventStore();
    for (const trash::DeletedEntry& entry : entriesOf(rows)) {
        QString error;
        if (eventStore && eventStore->recentlyDeleted().remove(entry.id, &error))
            ++outcome.done;
        else
            outcome.failures << failureLine(entry,
                                            eventStore ? error : tr("the store is not open."));
    }
    if (!outcome.failures.isEmpty())
        outcome.message = (QStringList{tr("%n item(s) could not be deleted:", nullptr,
                                          int(outcome.failures.size()))} +
                           outcome.failures)
                              .join(QLatin1Char('\n'));
    reload();
    return outcome;
}

QString RecentlyDeletedItems::deleteQuestion(int count)
{
    return tr("Delete %n item(s) for good?", nullptr, count);
}

QString RecentlyDeletedItems::deleteDetail()
{
    return tr("They leave Recently Deleted, and their files are deleted. You cannot undo this "
              "action.");
}

QString RecentlyDeletedItems::emptyText()
{
    return tr("Nothing was deleted recently.");
}

QString RecentlyDeletedItems::byText(trash::DeletedBy by)
{
    switch (by) {
    case trash::DeletedBy::Velmoran:
        return tr("Velmoran");
    case trash::DeletedBy::OtherProgram:
        return tr("Another program");
    case trash::DeletedBy::Sync:
        //: Who deleted the item: the sync with a CalDAV account.
        return tr("Sync");
    case trash::DeletedBy::Unknown:
        break;
    }
    return tr("Unknown");
}

QString RecentlyDeletedItems::listText(const trash::DeletedEntry& entry)
{
    if (entry.kind == trash::EntryKind::List)
        return tr("List with %n task(s)", nullptr, entry.taskCount);
    return entry.listTitle;
}

QString RecentlyDeletedItems::titleText(const trash::DeletedEntry& entry)
{
    if (!entry.title.isEmpty())
        return entry.title;
    // A task without a summary, or an entry whose record and files say nothing of a name.
    if (!entry.fileName.isEmpty())
        return QFileInfo(store::LocalFileName::forDisplay(entry.fileName)).completeBaseName();
    return entry.kind == trash::EntryKind::List ? tr("Untitled list") : tr("Untitled task");
}

QString RecentlyDeletedItems::deletedText(const trash::DeletedEntry& entry) const
{
    return m_formatters.dateTimeMediumFormatter().stringFromDate(entry.deletedAt.toLocalTime());
}

int RecentlyDeletedItems::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int RecentlyDeletedItems::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RecentlyDeletedItems::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const trash::DeletedEntry& entry = m_entries.at(index.row());
    if (role == IdRole)
        return entry.id;
    if (role == Qt::ToolTipRole && entry.recordDamaged)
        return tr("The record of this item was lost; what shows was read from its files.");
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case TitleColumn:
        return titleText(entry);
    case ListColumn:
        return listText(entry);
    case DeletedColumn:
        return deletedText(entry);
    case ByColumn:
        return byText(entry.deletedBy);
    default:
        return {};
    }
}

QVariant RecentlyDeletedItems::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case TitleColumn:
        return tr("Title");
    case ListColumn:
        return tr("List");
    case DeletedColumn:
        return tr("Deleted");
    case ByColumn:
        return tr("By");
    default:
        return {};
    }
}
