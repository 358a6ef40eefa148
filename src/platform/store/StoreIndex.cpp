#include "platform/store/StoreIndex.h"

#include "platform/store/AtomicFile.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QSet>
#include <QtConcurrent>

Q_DECLARE_LOGGING_CATEGORY(lcVdir)

namespace store {

namespace {

// Below this many files a cold read is faster on one thread than spread over the pool.
constexpr int kParallelThreshold = 64;
// Files larger than this are not items a person wrote; they are skipped, never rewritten.
constexpr qint64 kMaxItemSize = 16 * 1024 * 1024;

struct PendingParse
{
    ItemFile file;
    QString collection;
};

} // namespace

StoreIndex::StoreIndex(const QStringList& roots)
    : m_roots(roots)
{
    for (const QString& root : roots) {
        auto source = std::make_shared<Source>();
        source->sourceIdentifier = root;
        source->title = QFileInfo(root).fileName();
        source->rootPath = root;
        m_sources.append(source);
    }
}

ParsedItemPtr StoreIndex::parse(const ItemFile& file, const QString& collectionIdentifier)
{
    auto item = std::make_shared<ParsedItem>();
    item->file = file;
    item->collectionIdentifier = collectionIdentifier;
    if (file.stamp.size > kMaxItemSize) {
        item->error = QStringLiteral("larger than %1 bytes").arg(kMaxItemSize);
        return item;
    }
    QByteArray bytes;
    FileStamp stamp;
    if (!AtomicFile::read(file.path, &bytes, &stamp, &item->error))
        return item;
    item->file.stamp = stamp;
    QString error;
    std::optional<IcsItem> ics = IcsItem::parse(bytes, &error);
    if (!ics) {
        item->error = error;
        return item;
    }
    item->parsed = true;
    item->hasTodo = ics->hasTodo();
    item->hasEvent = ics->hasEvent();
    item->uid = ics->uid();
    item->origin =
        std::make_shared<ItemOrigin>(ItemOrigin{file.path, stamp, AtomicFile::contentHash(bytes)});
    if (item->hasTodo) {
        auto reminder = std::make_shared<Reminder>(ics->toReminder());
        reminder->origin = item->origin;
        item->reminder = reminder;
    }
    if (item->hasEvent)
        item->eventSource = std::make_shared<const IcsItem>(std::move(*ics));
    return item;
}

bool StoreIndex::sameListing(const QList<ItemFile>& a, const QList<ItemFile>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!a[i].sameAs(b[i]))
            return false;
    }
    return true;
}

bool StoreIndex::refresh()
{
    const QList<CollectionFolder> folders = VdirCollections::scan(m_roots);
    bool changed = !sameFolders(folders);
    QHash<QString, CollectionState> next;
    next.reserve(folders.size());
    QList<PendingParse> pending;
    QList<QString> changedCollections;

    for (const CollectionFolder& folder : folders) {
        const auto old = m_collections.constFind(folder.identifier);
        // A folder's first load tidies up after writers that were killed mid-save.
        if (old == m_collections.constEnd() && folder.writable)
            AtomicFile::removeStaleTemporaries(folder.folderPath);
        QList<ItemFile> listing = VdirCollections::itemFiles(folder);
        // The common case between changes: the folder lists the same files with the same
        // stamps in the same order, and nothing of it is looked at again.
        if (old != m_collections.constEnd() && sameListing(old->listing, listing)) {
            next.insert(folder.identifier, *old);
            continue;
        }
        changed = true;
        changedCollections << folder.identifier;
        CollectionState& state = next[folder.identifier];
        state.listing = listing;
        std::sort(listing.begin(), listing.end(),
                  [](const ItemFile& x, const ItemFile& y) { return x.fileName < y.fileName; });
        for (ItemFile& file : listing) {
            ParsedItemPtr cached =
                old != m_collections.constEnd() ? old->byName.value(file.fileName) : nullptr;
            if (cached && cached->file.stamp == file.stamp) {
                state.items.append(cached);
            } else {
                file.path = folder.folderPath + QLatin1Char('/') + file.fileName;
                pending.append({file, folder.identifier});
                state.items.append(nullptr); // filled below, in this same order
            }
        }
    }
    if (!changed)
        return false;

    auto parseOne = [](const PendingParse& p) { return StoreIndex::parse(p.file, p.collection); };
    QList<ParsedItemPtr> parsed;
    if (pending.size() >= kParallelThreshold) {
        parsed = QtConcurrent::blockingMapped(pending, parseOne);
    } else {
        for (const PendingParse& p : std::as_const(pending))
            parsed.append(parseOne(p));
    }
    qsizetype nextParsed = 0;
    for (const QString& identifier : std::as_const(changedCollections)) {
        CollectionState& state = next[identifier];
        for (ParsedItemPtr& item : state.items) {
            if (!item) {
                item = parsed[nextParsed++];
                if (!item->parsed)
                    qCWarning(lcVdir).noquote()
                        << QStringLiteral("Skipping %1: %2. The file is left as it is.")
                               .arg(item->file.path, item->error);
            }
            state.byName.insert(item->file.fileName, item);
        }
    }

    m_collections = std::move(next);
    m_folders = folders;
    rebuildCalendars(folders);
    assignIdentifiers();
    return true;
}

bool StoreIndex::sameFolders(const QList<CollectionFolder>& folders) const
{
    if (folders.size() != m_folders.size())
        return false;
    for (qsizetype i = 0; i < folders.size(); ++i) {
        const CollectionFolder& a = folders[i];
        const CollectionFolder& b = m_folders[i];
        if (a.identifier != b.identifier || a.displayName != b.displayName || a.color != b.color ||
            a.writable != b.writable || a.order != b.order || a.hasOrder != b.hasOrder ||
            a.createdFor != b.createdFor || a.folderPath != b.folderPath)
            return false;
    }
    return true;
}

bool StoreIndex::isStale() const
{
    const QList<CollectionFolder> folders = VdirCollections::scan(m_roots);
    if (!sameFolders(folders))
        return true;
    for (const CollectionFolder& folder : folders) {
        const auto known = m_collections.constFind(folder.identifier);
        if (known == m_collections.constEnd() ||
            !sameListing(known->listing, VdirCollections::itemFiles(folder)))
            return true;
    }
    return false;
}

void StoreIndex::invalidate(const QString& path)
{
    // Forgetting the listing makes the next refresh look at the collection again, and
    // forgetting the item makes it parse the file again.
    const QFileInfo info(path);
    for (auto it = m_collections.begin(); it != m_collections.end(); ++it) {
        if (it->byName.contains(info.fileName())) {
            const ParsedItemPtr item = it->byName.value(info.fileName());
            if (item && item->file.path == path) {
                it->byName.remove(info.fileName());
                it->listing.clear();
                return;
            }
        }
    }
}

void StoreIndex::rebuildCalendars(const QList<CollectionFolder>& folders)
{
    QHash<QString, CalendarPtr> calendars;
    QList<CalendarPtr> order;
    for (const CollectionFolder& folder : folders) {
        bool todos = false;
        bool events = false;
        for (const ParsedItemPtr& item : m_collections.value(folder.identifier).items) {
            todos = todos || item->hasTodo;
            events = events || item->hasEvent;
        }
        // A folder holds what is in it and what it was made for; an empty one made elsewhere
        // may hold either.
        todos = todos || folder.createdFor == QLatin1String("VTODO");
        events = events || folder.createdFor == QLatin1String("VEVENT");
        if (!todos && !events)
            todos = events = true;
        auto calendar = std::make_shared<Calendar>();
        calendar->calendarIdentifier = folder.identifier;
        calendar->title = folder.displayName;
        calendar->color = folder.color;
        calendar->immutable = !folder.writable;
        calendar->holdsReminders = todos;
        calendar->holdsEvents = events;
        calendar->folderPath = folder.folderPath;
        for (const SourcePtr& source : m_sources) {
            if (source->rootPath == folder.rootPath)
                calendar->source = source;
        }
        // Keep the old object when nothing changed, so holders see one list, not copies.
        const CalendarPtr old = m_calendars.value(folder.identifier);
        if (old && old->title == calendar->title && old->color == calendar->color &&
            old->immutable == calendar->immutable && old->holdsReminders == todos &&
            old->holdsEvents == events && old->folderPath == calendar->folderPath)
            calendar = old;
        calendars.insert(folder.identifier, calendar);
        order.append(calendar);
    }
    // Stable order: the "order" metadata first (folders without it after), then title.
    QHash<QString, const CollectionFolder*> byId;
    for (const CollectionFolder& folder : folders)
        byId.insert(folder.identifier, &folder);
    std::stable_sort(order.begin(), order.end(), [&](const CalendarPtr& a, const CalendarPtr& b) {
        const CollectionFolder* fa = byId.value(a->calendarIdentifier);
        const CollectionFolder* fb = byId.value(b->calendarIdentifier);
        if (fa->hasOrder != fb->hasOrder)
            return fa->hasOrder;
        if (fa->hasOrder && fa->order != fb->order)
            return fa->order < fb->order;
        const int byTitle = QString::localeAwareCompare(a->title, b->title);
        if (byTitle != 0)
            return byTitle < 0;
        return a->calendarIdentifier < b->calendarIdentifier;
    });
    m_calendars = calendars;
    m_calendarOrder = order;
}

void StoreIndex::assignIdentifiers()
{
    // The UID is the identity other programs share; a file that repeats a UID already seen
    // (copies, conflicts) still needs an identity of its own, which its path gives.
    QHash<const ParsedItem*, QString> identifiers;
    QSet<QString> taken;
    for (const CollectionFolder& folder : m_folders) {
        for (const ParsedItemPtr& item : m_collections.value(folder.identifier).items) {
            if (!item->hasTodo)
                continue;
            QString identifier = item->uid;
            if (identifier.isEmpty() || taken.contains(identifier))
                identifier = item->uid + QLatin1Char('@') + folder.identifier + QLatin1Char('/') +
                             item->file.fileName;
            taken.insert(identifier);
            identifiers.insert(item.get(), identifier);
        }
    }
    m_identifiers = identifiers;
}

CalendarPtr StoreIndex::calendarWithIdentifier(const QString& identifier) const
{
    return m_calendars.value(identifier);
}

QList<ParsedItemPtr> StoreIndex::items(const QString& collectionIdentifier) const
{
    return m_collections.value(collectionIdentifier).items;
}

QString StoreIndex::identifierOf(const ParsedItem& item) const
{
    return m_identifiers.value(&item);
}

} // namespace store
