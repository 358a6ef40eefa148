#include "data/exchange/IcsImport.h"

#include "platform/store/AtomicFile.h"
#include "platform/store/FolderLock.h"
#include "platform/store/LocalFileName.h"
#include "platform/store/NewItemFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <memory>

namespace exchange {

namespace {

struct IcsImportTr
{
    Q_DECLARE_TR_FUNCTIONS(IcsImport)
};

bool readWhole(const QString& path, QByteArray* bytes, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    return true;
}

// The folder locks an import takes, each once, held until it ends.
class FolderLocks
{
public:
    bool lock(const QString& folder, QString* error)
    {
        auto found = m_locks.find(folder);
        if (found == m_locks.end())
            found = m_locks.emplace(folder, std::make_unique<store::FolderLock>(folder)).first;
        if (found->second->isLocked())
            return true;
        return store::FolderLock::failed(folder, *found->second, error);
    }

private:
    std::map<QString, std::unique_ptr<store::FolderLock>> m_locks;
};

} // namespace

QString SkippedItem::text() const
{
    const QString where = line > 0 ? QStringLiteral("%1:%2").arg(sourceFile).arg(line) : sourceFile;
    if (title.isEmpty())
        return IcsImportTr::tr("%1: skipped: %2").arg(where, reason);
    return IcsImportTr::tr("%1: \"%2\" skipped: %3").arg(where, title, reason);
}

StoredItems storedItems(const QList<store::CalendarPtr>& collections)
{
    StoredItems stored;
    for (const store::CalendarPtr& collection : collections) {
        if (collection->folderPath.isEmpty())
            continue;
        const QFileInfoList files =
            QDir(collection->folderPath).entryInfoList({QStringLiteral("*.ics")}, QDir::Files);
        for (const QFileInfo& file : files) {
            QByteArray bytes;
            QString error;
            if (!readWhole(file.filePath(), &bytes, &error))
                continue;
            const std::optional<CalendarText> text = splitCalendar(bytes, nullptr);
            if (!text)
                continue;
            for (const CalendarItem& item : text->items)
                stored.insert(item.uid, {file.filePath(), text->items.size() > 1});
        }
    }
    return stored;
}

store::CalendarPtr calendarForEvents(const store::CalendarPtr& taskList,
                                     const QList<store::CalendarPtr>& collections)
{
    for (const store::CalendarPtr& calendar : collections) {
        if (calendar->holdsEvents && !calendar->holdsReminders && !calendar->immutable)
            return calendar;
    }
    if (taskList && taskList->holdsEvents && !taskList->immutable)
        return taskList;
    for (const store::CalendarPtr& calendar : collections) {
        if (calendar->holdsEvents && !calendar->immutable)
            return calendar;
    }
    return nullptr;
}

qsizetype ImportPlan::count(ItemKind kind) const
{
    return std::count_if(items.cbegin(), items.cend(), [kind](const IncomingItem& incoming) {
        return incoming.item.kind == kind;
    });
}

qsizetype ImportPlan::present() const
{
    return std::count_if(items.cbegin(), items.cend(), [this](const IncomingItem& incoming) {
        return stored.contains(incoming.item.uid);
    });
}

bool planImport(const QStringList& files, StoredItems stored, int year, ImportPlan* plan,
                QString* error)
{
    ImportPlan planned;
    planned.stored = std::move(stored);
    // The calendar each item is written into takes the lines of the file it first came from;
    // the overrides of its occurrences may come in other files and join it.
    struct Source
    {
        QList<QByteArray> header;
        QHash<QByteArray, QByteArray> zones;
        QByteArray newline;
    };
    QList<Source> sources;
    QHash<std::pair<int, QString>, qsizetype> byUid;
    for (const QString& path : files) {
        const QString shown = store::LocalFileName::forDisplay(path);
        QByteArray bytes;
        QString reason;
        if (!QFileInfo(path).isFile()) {
            *error = IcsImportTr::tr("%1: there is no such file").arg(shown);
            return false;
        }
        if (!readWhole(path, &bytes, &reason)) {
            *error = IcsImportTr::tr("%1 cannot be read: %2").arg(shown, reason);
            return false;
        }
        const std::optional<CalendarText> text = splitCalendar(bytes, &reason);
        if (!text) {
            *error = QStringLiteral("%1: %2").arg(shown, reason);
            return false;
        }
        for (const BrokenItem& broken : text->broken)
            planned.skipped.append({shown, broken.line, broken.title, broken.reason});
        for (const CalendarItem& item : text->items) {
            const std::pair<int, QString> key{int(item.kind), item.uid};
            const auto found = byUid.constFind(key);
            if (found != byUid.cend() &&
                !(item.hasMaster && planned.items[*found].item.hasMaster)) {
                CalendarItem& joined = planned.items[*found].item;
                joined.components.append(item.components);
                joined.tzids.unite(item.tzids);
                if (item.hasMaster) {
                    joined.title = item.title;
                    joined.hasMaster = true;
                }
                Source& source = sources[*found];
                for (auto zone = text->zones.cbegin(); zone != text->zones.cend(); ++zone)
                    if (!source.zones.contains(zone.key()))
                        source.zones.insert(zone.key(), zone.value());
                continue;
            }
            byUid.insert(key, planned.items.size());
            planned.items.append({item, shown, {}});
            sources.append({text->header, text->zones, text->newline});
        }
    }
    for (qsizetype i = 0; i < planned.items.size(); ++i) {
        IncomingItem& incoming = planned.items[i];
        const Source& source = sources.at(i);
        incoming.bytes = assembleCalendar(source.header, source.zones, incoming.item.components,
                                          incoming.item.tzids, year, source.newline);
    }
    *plan = std::move(planned);
    return true;
}

ImportOutcome runImport(const ImportPlan& plan, const ImportTargets& targets, PresentItems present,
                        const ImportProgress& progress)
{
    ImportOutcome outcome;
    StoredItems stored = plan.stored;
    FolderLocks locks;
    // New files go in batches, made durable together: a sync for each of a thousand files
    // would take seconds.
    constexpr qsizetype batchSize = 250;
    std::map<QString, std::unique_ptr<store::NewItemFiles>> batches;
    std::map<QString, QList<qsizetype>> batchItems;
    auto commit = [&](store::NewItemFiles& batch) {
        QList<qsizetype>& items = batchItems[batch.folder()];
        const QList<store::NewItemFiles::Named> named = batch.commit();
        for (qsizetype i = 0; i < named.size(); ++i) {
            const IncomingItem& incoming = plan.items.at(items.at(i));
            if (named.at(i).path.isEmpty()) {
                outcome.failed.append({incoming.sourceFile, incoming.item.line, incoming.item.title,
                                       named.at(i).error});
                continue;
            }
            ++outcome.added;
            outcome.writtenPaths.append(named.at(i).path);
        }
        items.clear();
    };
    const qsizetype total = plan.items.size();
    for (qsizetype i = 0; i < total; ++i) {
        const IncomingItem& incoming = plan.items.at(i);
        const CalendarItem& item = incoming.item;
        auto fail = [&](const QString& reason) {
            outcome.failed.append({incoming.sourceFile, item.line, item.title, reason});
        };
        QString error;
        const auto found = stored.constFind(item.uid);
        if (found != stored.cend()) {
            QByteArray there;
            if (present == PresentItems::Skip || found->path.isEmpty()) {
                ++outcome.left;
            } else if (found->shared) {
                fail(IcsImportTr::tr("it shares the file %1 with other items and is left as it is")
                         .arg(store::LocalFileName::forDisplay(found->path)));
            } else if (!readWhole(found->path, &there, &error)) {
                fail(error);
            } else if (there == incoming.bytes) {
                ++outcome.left;
            } else if (!locks.lock(QFileInfo(found->path).absolutePath(), &error) ||
                       !store::AtomicFile::replace(found->path, incoming.bytes, &error)) {
                fail(error);
            } else {
                ++outcome.updated;
                outcome.writtenPaths.append(found->path);
            }
        } else {
            const store::CalendarPtr& target =
                item.kind == ItemKind::Task ? targets.taskList : targets.eventCalendar;
            if (!target || target->folderPath.isEmpty()) {
                fail(item.kind == ItemKind::Task
                         ? IcsImportTr::tr("there is no list for tasks")
                         : IcsImportTr::tr("there is no calendar for events"));
            } else if (target->immutable) {
                fail(IcsImportTr::tr("\"%1\" cannot be changed").arg(target->title));
            } else if (!locks.lock(target->folderPath, &error)) {
                fail(error);
            } else {
                auto& batch = batches[target->folderPath];
                if (!batch)
                    batch = std::make_unique<store::NewItemFiles>(target->folderPath);
                if (!batch->add(item.uid, incoming.bytes, &error)) {
                    fail(error);
                } else {
                    batchItems[target->folderPath].append(i);
                    // A later file of this import with the same UID finds this one.
                    stored.insert(item.uid, {QString(), false});
                    if (batch->pending() >= batchSize)
                        commit(*batch);
                }
            }
        }
        if (progress && !progress(i + 1, total))
            break;
    }
    for (auto& [folder, batch] : batches)
        commit(*batch);
    return outcome;
}

} // namespace exchange
