#include "platform/store/StoreIndex.h"

#include "platform/store/AtomicFile.h"
#include "platform/store/CollectionCalendars.h"
#include "platform/store/FolderWatch.h"
#include "platform/store/LocalFileName.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QSet>
#include <QtConcurrent>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_LOGGING_CATEGORY(lcVdir)

namespace store {

namespace {

// Below this many files a cold read is faster on one thread than spread over the pool.
constexpr int kParallelThreshold = 64;
// File systems stamp modification times in ticks (a few milliseconds, seconds on some): a file
// read within this long of its last change may change again without a new stamp.
constexpr qint64 kRacyNs = 2'000'000'000;

// One open, one fstat and the reads: the stamp describes the bytes as they were when the read
// began. A writer changing the file meanwhile changes its stamp (or leaves it racy), and the
// kernel's event for that change has the next refresh read it again.
bool readItemFile(const QString& path, QByteArray* bytes, FileStamp* stamp, QString* error)
{
    const int fd = ::open(LocalFileName::encode(path).constData(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    // One byte more than the stamp says, so that the read meeting the end needs no second
    // buffer: growing it for every file was most of what reading a calendar's events cost.
    QByteArray data(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        if (done == data.size())
            data.resize(data.size() + 4096); // the file grew while being read
        const ssize_t n = ::read(fd, data.data() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = QString::fromLocal8Bit(std::strerror(errno));
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        done += n;
    }
    ::close(fd);
    data.resize(done);
    *bytes = std::move(data);
    *stamp = AtomicFile::stampOf(st);
    return true;
}

qint64 realtimeNs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

} // namespace

StoreIndex::StoreIndex(const QStringList& roots, FolderWatch* watch)
    : m_roots(roots)
    , m_watch(watch)
    , m_sources(CollectionCalendars::sourcesOf(roots))
{}

ParsedItemPtr StoreIndex::parse(const ItemFile& file)
{
    auto item = std::make_shared<ParsedItem>();
    const auto unparsed = [&item](const ItemFile& as, ItemProblem problem, const QString& error) {
        item->origin = ItemOriginPtr::make(ItemOrigin{as});
        item->problem = problem;
        if (!error.isEmpty())
            item->setError(error);
        return item;
    };
    if (file.stamp.size > kMaxItemSize)
        return unparsed(file, ItemProblem::TooLarge, {});
    QByteArray bytes;
    FileStamp stamp;
    const qint64 readAt = realtimeNs();
    QString error;
    if (!readItemFile(file.path(), &bytes, &stamp, &error))
        return unparsed(file, ItemProblem::CannotRead, error);
    ItemFile read = file;
    read.stamp = stamp;
    item->racy = stamp.mtimeNs > readAt - kRacyNs;
    std::optional<IcsItem> ics = IcsItem::parse(bytes, &error);
    if (!ics)
        return unparsed(read, ItemProblem::NotICalendar, error);
    item->origin = ItemOriginPtr::make(ItemOrigin{std::move(read), AtomicFile::contentHash(bytes)});
    item->parsed = true;
    item->hasTodo = ics->hasTodo();
    item->hasEvent = ics->hasEvent();
    item->uid = ics->uid();
    if (item->hasTodo) {
        const QList<Reminder> tasks = ics->toReminders();
        item->reminders.reserve(tasks.size());
        for (const Reminder& task : tasks) {
            auto reminder = std::make_shared<Reminder>(task);
            reminder->origin = item->origin;
            item->reminders.append(std::move(reminder));
        }
    }
    if (item->hasEvent) {
        item->setEventSpan(ics->eventSpan());
        item->eventCache().source = std::make_shared<const IcsItem>(std::move(*ics));
    }
    return item;
}

namespace {

// Walks a list of items in file-name order alongside a listing in the same order.
class SortedItems
{
public:
    explicit SortedItems(const QList<ParsedItemPtr>* items)
        : m_items(items)
    {}
    ParsedItemPtr find(const QString& fileName)
    {
        if (!m_items)
            return nullptr;
        while (m_next < m_items->size() && m_items->at(m_next)->file().fileName < fileName)
            ++m_next;
        if (m_next < m_items->size() && m_items->at(m_next)->file().fileName == fileName)
            return m_items->at(m_next);
        return nullptr;
    }

private:
    const QList<ParsedItemPtr>* m_items;
    qsizetype m_next = 0;
};

// The same items that a cache may keep, in the same order.
bool sameSettledItems(const QList<ParsedItemPtr>& a, const QList<ParsedItemPtr>& b)
{
    auto settled = [](const ParsedItemPtr& item) { return !item->mustReadAgain(); };
    auto x = std::find_if(a.cbegin(), a.cend(), settled);
    auto y = std::find_if(b.cbegin(), b.cend(), settled);
    while (x != a.cend() && y != b.cend()) {
        if (*x != *y)
            return false;
        x = std::find_if(x + 1, a.cend(), settled);
        y = std::find_if(y + 1, b.cend(), settled);
    }
    return x == a.cend() && y == b.cend();
}

// A folder's listing is kept only where it is more than its items' own files (a file changed
// between its listing and its reading): an empty listing beside items stands for their files,
// so that a large folder is not held twice. Items are never null in that form.
bool sameListed(const QList<ItemFile>& listing, const QList<ParsedItemPtr>& items,
                const QList<ItemFile>& otherListing, const QList<ParsedItemPtr>& otherItems)
{
    const bool compact = listing.isEmpty() && !items.isEmpty();
    const bool otherCompact = otherListing.isEmpty() && !otherItems.isEmpty();
    const qsizetype size = compact ? items.size() : listing.size();
    if (size != (otherCompact ? otherItems.size() : otherListing.size()))
        return false;
    for (qsizetype i = 0; i < size; ++i) {
        const ItemFile& file = compact ? items[i]->file() : listing[i];
        if (!file.sameAs(otherCompact ? otherItems[i]->file() : otherListing[i]))
            return false;
    }
    return true;
}

bool listingIsItems(const QList<ItemFile>& listing, const QList<ParsedItemPtr>& items)
{
    return listing.size() == items.size() &&
           std::equal(listing.cbegin(), listing.cend(), items.cbegin(),
                      [](const ItemFile& file, const ParsedItemPtr& item) {
                          return item->file().sameAs(file);
                      });
}

ParsedItemPtr itemNamed(const QList<ParsedItemPtr>& items, const QString& fileName)
{
    const auto found = std::lower_bound(items.cbegin(), items.cend(), fileName,
                                        [](const ParsedItemPtr& item, const QString& name) {
                                            return item->file().fileName < name;
                                        });
    return found != items.cend() && (*found)->file().fileName == fileName ? *found : nullptr;
}

} // namespace

bool StoreIndex::mustList(const CollectionFolder& folder, const QSet<QString>& changedFolders,
                          bool everything) const
{
    const auto old = m_collections.constFind(folder.identifier);
    return everything || old == m_collections.constEnd() || old->folderPath != folder.folderPath ||
           changedFolders.contains(folder.folderPath) || m_forced.contains(folder.identifier) ||
           m_unwatched.contains(folder.folderPath);
}

StoreIndex::FolderRead StoreIndex::readFolder(const CollectionFolder& folder, bool firstLoad) const
{
    FolderRead read;
    bool hidden = false;
    read.listing = VdirCollections::itemFiles(folder, &read.directory, &hidden);
    // A folder's first load tidies up after writers that were killed mid-save; the listing
    // tells whether there can be any such file, which saves a second pass over a large folder.
    // The listing is taken again after a removal, for the directory's stamp as it is now.
    if (firstLoad && folder.writable && hidden &&
        AtomicFile::removeStaleTemporaries(folder.folderPath) > 0)
        read.listing = VdirCollections::itemFiles(folder, &read.directory);
    // In file-name order, as items are kept: sorted here, on the thread that listed it, rather
    // than on the one that waits for every folder.
    std::sort(read.listing.begin(), read.listing.end(),
              [](const ItemFile& x, const ItemFile& y) { return x.fileName < y.fileName; });
    // Kept until the folder is listed again: without the room it grew into.
    read.listing.squeeze();
    if (firstLoad)
        read.cached = m_cache.load(m_roots, folder);
    // Until the items are settled the listing's names share the cached entries' strings rather
    // than hold a copy each; freed here, on the thread that reads the next folder, that room
    // serves its entries.
    if (read.cached) {
        SortedItems cached(&read.cached->items);
        for (ItemFile& file : read.listing) {
            if (const ParsedItemPtr item = cached.find(file.fileName))
                file.fileName = item->file().fileName;
        }
    }
    return read;
}

void StoreIndex::collectItems(const CollectionFolder& folder, FolderRead read,
                              const CollectionState* old, CollectionState& state,
                              QList<ItemFile>& pending)
{
    state.folderPath = folder.folderPath;
    if (read.summary) {
        state.summary = std::move(read.summary);
        return;
    }
    // The common case between changes: the folder lists the same files with the same stamps
    // in the same order, and nothing of it is looked at again (but what was read too soon
    // after its last change is).
    if (old && sameListed(old->listing, old->items, read.listing, {}) &&
        std::none_of(old->items.cbegin(), old->items.cend(), [this](const ParsedItemPtr& item) {
            return item->mustReadAgain() || isInvalidated(*item);
        })) {
        state = *old;
        state.directory = read.directory;
        return;
    }
    QList<ItemFile>& listing = read.listing;
    state.listing = listing;
    state.directory = read.directory;
    SortedItems known(old ? &old->items : nullptr);
    SortedItems cached(read.cached ? &read.cached->items : nullptr);
    state.items.reserve(listing.size());
    for (ItemFile& file : listing) {
        auto current = [&](const ParsedItemPtr& item) {
            return item && item->file().stamp == file.stamp && !item->mustReadAgain() &&
                   !isInvalidated(*item);
        };
        ParsedItemPtr item = known.find(file.fileName);
        if (!current(item)) {
            item = cached.find(file.fileName);
            if (!current(item))
                item = nullptr;
        }
        if (!item) {
            file.folderPath = folder.folderPath;
            pending.append(file);
        }
        state.items.append(item); // a null is filled by the parse below, in this same order
    }
}

bool StoreIndex::refresh()
{
    FolderWatch::Changes changes;
    if (m_watch) {
        changes = m_watch->take(FolderWatch::Reader::Index);
        for (const QString& root : std::as_const(m_roots)) {
            if (!m_watch->watch(root))
                changes.folders.insert(root); // not there yet, or not watchable: always look
        }
    } else {
        changes.everything = true;
    }
    changes.everything = changes.everything || !m_loaded;
    if (changes.isEmpty() && m_forced.isEmpty() && m_unwatched.isEmpty())
        return false;

    // A list removal stopped half way in an earlier run left its remains under a hidden name.
    if (!m_loaded) {
        for (const QString& root : std::as_const(m_roots))
            AtomicFile::removeLeftoverFolders(root);
    }
    const QList<CollectionFolder> folders = VdirCollections::scan(m_roots);
    bool changed = !sameFolders(folders);
    QList<const CollectionFolder*> toList;
    QSet<const CollectionFolder*> firstLoads;
    QHash<const CollectionFolder*, ParseCache::Summary> summaries;
    for (const CollectionFolder& folder : folders) {
        if (!mustList(folder, changes.folders, changes.everything))
            continue;
        toList << &folder;
        const auto old = m_collections.constFind(folder.identifier);
        if (old == m_collections.constEnd() || old->summary ||
            old->folderPath != folder.folderPath) {
            // Outside the scope, a folder the cache can stand for is neither read nor watched
            // (watching costs a pass over its entries in the kernel).
            if (m_scope && !m_scope(folder)) {
                if (std::optional<ParseCache::Summary> summary = m_cache.summary(m_roots, folder)) {
                    summaries.insert(&folder, std::move(*summary));
                    continue;
                }
            }
            firstLoads.insert(&folder);
        }
        // Watch before listing: a file that arrives after the listing then has its event.
        if (m_watch && !m_watch->watch(folder.folderPath))
            m_unwatched.insert(folder.folderPath);
        else
            m_unwatched.remove(folder.folderPath);
    }
    // Listing is a stat per file; folders are listed (and their cache files read) side by side,
    // and each listing is told where it was made, while the other folders are still read.
    auto read = [this, &firstLoads, &summaries](const CollectionFolder* folder) {
        if (const auto summary = summaries.constFind(folder); summary != summaries.constEnd())
            return FolderRead{{}, {}, {}, *summary};
        FolderRead listed = readFolder(*folder, firstLoads.contains(folder));
        if (m_listingObserver)
            m_listingObserver(*folder, listed.listing, listed.directory);
        return listed;
    };
    QList<FolderRead> reads;
    if (toList.size() > 1)
        reads = QtConcurrent::blockingMapped(toList, read);
    else if (toList.size() == 1)
        reads << read(toList.first());

    QHash<QString, CollectionState> next;
    next.reserve(folders.size());
    QList<ItemFile> pending;
    QList<QString> listedCollections;
    // What each folder's cache file holds, for those read from it.
    QHash<QString, QList<ParsedItemPtr>> cachedEntries;
    QHash<QString, DirectoryStamp> cachedDirectories;
    qsizetype nextListing = 0;
    for (const CollectionFolder& folder : folders) {
        const auto old = m_collections.constFind(folder.identifier);
        if (nextListing == toList.size() || toList[nextListing] != &folder) {
            next.insert(folder.identifier, *old);
            continue;
        }
        // A folder now found elsewhere (another root) is a new collection.
        const CollectionState* previous =
            old != m_collections.constEnd() && !old->summary && old->folderPath == folder.folderPath
                ? &*old
                : nullptr;
        FolderRead& folderRead = reads[nextListing++];
        if (folderRead.cached) {
            cachedEntries.insert(folder.identifier, folderRead.cached->items);
            cachedDirectories.insert(folder.identifier, folderRead.cached->directory);
        } else if (previous && previous->cacheCurrent) {
            cachedEntries.insert(folder.identifier, previous->items);
            cachedDirectories.insert(folder.identifier, previous->cachedDirectory);
        }
        CollectionState& state = next[folder.identifier];
        collectItems(folder, std::move(folderRead), previous, state, pending);
        if (state.summary) {
            if (old == m_collections.constEnd() || !old->summary ||
                old->folderPath != folder.folderPath)
                changed = true;
            continue;
        }
        if (old == m_collections.constEnd() ||
            !sameListed(old->listing, old->items, state.listing, state.items) ||
            old->items != state.items || old->summary) {
            changed = true;
            listedCollections << folder.identifier;
        }
    }
    m_forced.clear();
    m_loaded = true;
    if (!changed) {
        m_invalidated.clear();
        return false;
    }

    QList<ParsedItemPtr> parsed;
    if (pending.size() >= kParallelThreshold) {
        parsed = QtConcurrent::blockingMapped(pending, &StoreIndex::parse);
    } else {
        for (const ItemFile& file : std::as_const(pending))
            parsed.append(parse(file));
    }
    m_parseCount += quint64(parsed.size());
    m_settledParseCount +=
        quint64(std::count_if(parsed.cbegin(), parsed.cend(),
                              [](const ParsedItemPtr& item) { return !item->mustReadAgain(); }));
    qsizetype nextParsed = 0;
    for (const QString& identifier : std::as_const(listedCollections)) {
        CollectionState& state = next[identifier];
        const auto found = m_collections.constFind(identifier);
        const CollectionState* old = found != m_collections.constEnd() ? &*found : nullptr;
        for (ParsedItemPtr& item : state.items) {
            if (!item)
                item = parsed[nextParsed++];
            // A file that cannot be read is reported once, when it comes (back) into view.
            if (!item->parsed && !(old && itemNamed(old->items, item->file().fileName) == item))
                qCWarning(lcVdir).noquote()
                    << QStringLiteral("Skipping %1: %2. The file is left as it is.")
                           .arg(LocalFileName::forDisplay(item->file().path()),
                                unreadableFile(*item, nullptr).reason());
        }
        if (listingIsItems(state.listing, state.items))
            state.listing = {};
        // The same items under a stamp that was still settling, or that the directory no longer
        // has (a file came and went), are written again: a summary is only trusted for the
        // directory as it is, and would otherwise never be.
        const auto cached = cachedEntries.constFind(identifier);
        const DirectoryStamp cachedDirectory = cachedDirectories.value(identifier);
        state.cacheCurrent = cached != cachedEntries.constEnd() &&
                             sameSettledItems(state.items, *cached) &&
                             cachedDirectory.isSettled() && cachedDirectory.sameAs(state.directory);
        if (state.cacheCurrent)
            state.cachedDirectory = cachedDirectory;
    }
    m_invalidated.clear();

    const bool identifiersHold = sameFolders(folders) && sameIdentities(next);
    m_collections = std::move(next);
    m_folders = folders;
    rebuildCalendars(folders);
    if (!identifiersHold)
        assignIdentifiers();
    collectUnreadableFiles();
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
            a.createdFor != b.createdFor || a.createdForUnknown != b.createdForUnknown ||
            a.folderPath != b.folderPath)
            return false;
    }
    return true;
}

void StoreIndex::invalidate(const QString& path)
{
    // The next refresh lists the collection again and parses the file whatever its stamp.
    const QFileInfo info(path);
    for (auto it = m_collections.begin(); it != m_collections.end(); ++it) {
        const ParsedItemPtr item = itemNamed(it->items, info.fileName());
        if (item && item->file().path() == path) {
            m_invalidated.insert(path);
            m_forced.insert(it.key());
            return;
        }
    }
}

void StoreIndex::rebuildCalendars(const QList<CollectionFolder>& folders)
{
    QHash<QString, CalendarPtr> calendars;
    QList<CalendarPtr> order;
    for (const CollectionFolder& folder : folders) {
        const CollectionState& state = m_collections.constFind(folder.identifier).value();
        CollectionCalendars::ItemKinds kinds;
        kinds.todos = state.summary && state.summary->holdsTodos;
        kinds.events = state.summary && state.summary->holdsEvents;
        for (const ParsedItemPtr& item : state.items) {
            kinds.todos = kinds.todos || item->hasTodo;
            kinds.events = kinds.events || item->hasEvent;
        }
        const CalendarPtr old = m_calendars.value(folder.identifier);
        CalendarPtr calendar = CollectionCalendars::calendarOf(folder, kinds, m_sources);
        // A name that could not be read this time is still the one the store knew: the list is
        // not renamed after its folder for a run, nor kept in Recently Deleted under that name.
        if (folder.displayNameUnknown && old)
            calendar->title = old->title;
        // Keep the old object when nothing changed, so holders see one list, not copies.
        if (old && old->title == calendar->title && old->color == calendar->color &&
            old->immutable == calendar->immutable &&
            old->holdsReminders == calendar->holdsReminders &&
            old->holdsEvents == calendar->holdsEvents && old->folderPath == calendar->folderPath)
            calendar = old;
        calendars.insert(folder.identifier, calendar);
        order.append(calendar);
    }
    CollectionCalendars::sort(order, folders);
    m_calendars = calendars;
    m_calendarOrder = order;
}

bool StoreIndex::sameIdentities(const QHash<QString, CollectionState>& next) const
{
    auto sameClaims = [](const std::optional<ParseCache::Summary>& a,
                         const std::optional<ParseCache::Summary>& b) {
        if (a.has_value() != b.has_value())
            return false;
        return !a || std::equal(a->claims.cbegin(), a->claims.cend(), b->claims.cbegin(),
                                b->claims.cend(),
                                [](const ParseCache::Claim& x, const ParseCache::Claim& y) {
                                    return x.uid == y.uid && x.path == y.path;
                                });
    };
    // A file read again that names the same tasks, none of which had to be told apart by its
    // path, claims what it claimed before in the same order: every identifier stays as it was.
    auto sameTasks = [this](const ParsedItem& before, const ParsedItem& after) {
        if (before.file().fileName != after.file().fileName || before.uid != after.uid ||
            before.reminders.size() != after.reminders.size())
            return false;
        for (qsizetype i = 0; i < before.reminders.size(); ++i) {
            if (before.reminders[i]->uid != after.reminders[i]->uid ||
                m_identifiersOtherThanUid.contains(before.reminders[i].get()))
                return false;
        }
        return true;
    };
    for (const CollectionFolder& folder : std::as_const(m_folders)) {
        const auto before = m_collections.constFind(folder.identifier);
        const auto after = next.constFind(folder.identifier);
        if (before == m_collections.constEnd() || after == next.constEnd() ||
            !sameClaims(before->summary, after->summary) ||
            before->items.size() != after->items.size())
            return false;
        for (qsizetype i = 0; i < before->items.size(); ++i) {
            const ParsedItemPtr& a = before->items[i];
            const ParsedItemPtr& b = after->items[i];
            if (a != b && (!a || !b || !sameTasks(*a, *b)))
                return false;
        }
    }
    return true;
}

void StoreIndex::assignIdentifiers()
{
    // The UID is the identity other programs share; a file that repeats a UID already seen
    // (copies, conflicts) still needs an identity of its own, which its path gives. The tasks
    // of a file holding several have UIDs of their own and are told apart by them.
    // Identifiers are counted by their hashes, as a collection outside the scope gives them
    // (from its summary): the same answer with and without a scope, and a set of numbers
    // where a set of strings cost a string comparison and a reference per task.
    // Claims count only for the tasks read after them: those of the folders past the last one
    // read with tasks (all of them, for a question about events) decide nothing.
    qsizetype decided = 0;
    for (qsizetype i = 0; i < m_folders.size(); ++i) {
        const CollectionState& state = m_collections.constFind(m_folders[i].identifier).value();
        if (std::any_of(state.items.cbegin(), state.items.cend(),
                        [](const ParsedItemPtr& item) { return !item->reminders.isEmpty(); }))
            decided = i + 1;
    }
    const QList<CollectionFolder> folders = m_folders.first(decided);
    qsizetype count = 0;
    for (const CollectionFolder& folder : folders) {
        const CollectionState& state = m_collections.constFind(folder.identifier).value();
        count += state.summary ? state.summary->claims.size() : 0;
        for (const ParsedItemPtr& item : state.items)
            count += item->reminders.size();
    }
    QSet<quint64> taken;
    taken.reserve(count + count / 4);
    // Whether an identifier was free is told by the set growing when it goes in.
    auto claim = [&taken](quint64 hash) {
        const qsizetype before = taken.size();
        taken.insert(hash);
        return taken.size() != before;
    };
    // Only the identifiers that are not the task's own UID are kept: for nearly every task the
    // UID is the answer, and a table of a hundred thousand of them cost more than the rest.
    QHash<const Reminder*, QString> otherThanUid;
    for (const CollectionFolder& folder : folders) {
        const CollectionState& state = m_collections.constFind(folder.identifier).value();
        if (state.summary) {
            for (const ParseCache::Claim& held : std::as_const(state.summary->claims)) {
                if (held.uid == 0 || !claim(held.uid))
                    taken.insert(held.path);
            }
            continue;
        }
        for (const ParsedItemPtr& item : state.items) {
            const bool shared = item->reminders.size() > 1;
            for (const std::shared_ptr<const Reminder>& reminder : item->reminders) {
                const QString& uid = shared ? reminder->uid : item->uid;
                if (!uid.isEmpty() && claim(ParseCache::textHash(uid))) {
                    if (uid != reminder->uid)
                        otherThanUid.insert(reminder.get(), uid);
                    continue;
                }
                const QString byPath = VdirCollections::taskIdentifierByPath(uid, folder.identifier,
                                                                             item->file().fileName);
                taken.insert(ParseCache::textHash(byPath));
                otherThanUid.insert(reminder.get(), byPath);
            }
        }
    }
    m_identifiersOtherThanUid = std::move(otherThanUid);
}

UnreadableFile StoreIndex::unreadableFile(const ParsedItem& item, const Calendar* list)
{
    return {item.file().path(), list ? list->calendarIdentifier : QString(),
            list ? list->title : QString(), item.problem, item.error()};
}

void StoreIndex::collectUnreadableFiles()
{
    QList<UnreadableFile> files;
    for (const CollectionFolder& folder : std::as_const(m_folders)) {
        for (const ParsedItemPtr& item : m_collections.value(folder.identifier).items) {
            if (!item->parsed)
                files.append(unreadableFile(*item, m_calendars.value(folder.identifier).get()));
        }
    }
    m_unreadableFiles = files;
}

CalendarPtr StoreIndex::calendarWithIdentifier(const QString& identifier) const
{
    return m_calendars.value(identifier);
}

QList<ParsedItemPtr> StoreIndex::items(const QString& collectionIdentifier) const
{
    return m_collections.value(collectionIdentifier).items;
}

QList<ParsedItemPtr> StoreIndex::allItems() const
{
    QList<ParsedItemPtr> all;
    for (const CollectionState& state : m_collections)
        all.append(state.items);
    return all;
}

QList<StoreIndex::FolderToCache> StoreIndex::takeFoldersToCache()
{
    QList<FolderToCache> folders;
    if (!m_cache.isEnabled())
        return folders;
    for (const CollectionFolder& folder : std::as_const(m_folders)) {
        const auto state = m_collections.find(folder.identifier);
        if (state == m_collections.end() || state->summary || state->cacheCurrent)
            continue;
        folders.append({folder, state->directory, state->items});
        state->cacheCurrent = true;
        state->cachedDirectory = state->directory;
    }
    return folders;
}

StoreIndex::EventSourceRead StoreIndex::readEventSource(const ParsedItem& item)
{
    // Runs for several items at once: looks at the cache, never makes it.
    std::shared_ptr<const IcsItem> known =
        item.knownEvents() ? item.knownEvents()->source : nullptr;
    if (known || !item.hasEvent)
        return {known, true};
    QByteArray bytes;
    FileStamp stamp;
    QString error;
    if (!readItemFile(item.file().path(), &bytes, &stamp, &error))
        return {nullptr, false};
    std::optional<IcsItem> ics = IcsItem::parse(bytes, &error);
    if (!ics || !ics->hasEvent())
        return {nullptr, false};
    return {std::make_shared<const IcsItem>(std::move(*ics)), stamp == item.file().stamp};
}

void StoreIndex::keepEventSource(const ParsedItem& item, const EventSourceRead& read)
{
    if (read.current && read.source)
        item.eventCache().source = read.source; // what the item stands for: keep it
    else
        invalidate(item.file().path()); // changed since: the next refresh reads it as a whole
}

QString StoreIndex::identifierOf(const Reminder& parsed) const
{
    const auto found = m_identifiersOtherThanUid.constFind(&parsed);
    return found != m_identifiersOtherThanUid.constEnd() ? *found : parsed.uid;
}

} // namespace store
