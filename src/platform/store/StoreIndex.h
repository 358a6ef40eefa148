#pragma once

#include "platform/store/IcsItem.h"
#include "platform/store/ParseCache.h"
#include "platform/store/ParsedItem.h"
#include "platform/store/UnreadableFile.h"
#include "platform/store/VdirCollections.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <functional>
#include <memory>
#include <optional>

namespace store {

class FolderWatch;

// The store's view of its folders: collections, the calendars made of them, and every item
// file, parsed once and re-parsed only when its size, modification time or inode changes.
// With a folder watch, a refresh looks only at the folders that changed since the last one,
// and an unchanged store is not listed at all. With a scope, only the collections in it are
// read; the others stand by their cached summary (what they hold and which identifiers their
// tasks take), so that lists and identifiers are those of the whole store. Not thread-safe:
// the event store serialises access.
class StoreIndex
{
public:
    // Without a watch every refresh lists every folder.
    explicit StoreIndex(const QStringList& roots, FolderWatch* watch = nullptr);

    QStringList roots() const { return m_roots; }

    // Re-reads what changed: new and changed files are parsed (spread over the cores when
    // there are many). Returns true when anything differs from before.
    bool refresh();
    // Forgets one file so that the next refresh reads it again.
    void invalidate(const QString& path);
    // Where entries come from instead of parsing a file whose stamp they carry, read for a
    // folder the first time it is listed. Set before the first refresh.
    void setCache(ParseCache cache) { m_cache = std::move(cache); }
    const ParseCache& cache() const { return m_cache; }
    // The collections to read; the others are read only when the cache cannot stand for
    // them. Set before the first refresh; none reads every collection.
    using Scope = std::function<bool(const CollectionFolder& folder)>;
    void setScope(Scope scope) { m_scope = std::move(scope); }
    // The folders read since their cache file was last written, with what to write there
    // (taken as written).
    struct FolderToCache
    {
        CollectionFolder folder;
        DirectoryStamp directory;
        QList<ParsedItemPtr> items;
    };
    QList<FolderToCache> takeFoldersToCache();
    // Told every listing a refresh makes, as it comes, with the folder it is of and the
    // folder's stamp from before the listing: on the thread that made it, several folders at
    // once, so what the observer shares it must guard.
    using ListingObserver = std::function<void(
        const CollectionFolder& folder, const QList<ItemFile>& listing, const DirectoryStamp&)>;
    void setListingObserver(ListingObserver observer) { m_listingObserver = std::move(observer); }
    // Counts the files parsed (rather than found in memory or in the seed) so far.
    quint64 parseCount() const { return m_parseCount; }
    // Counts those of them that a parse cache may keep (not racy).
    quint64 settledParseCount() const { return m_settledParseCount; }

    QList<CalendarPtr> calendars() const { return m_calendarOrder; }
    CalendarPtr calendarWithIdentifier(const QString& identifier) const;
    QList<SourcePtr> sources() const { return m_sources; }
    QList<ParsedItemPtr> items(const QString& collectionIdentifier) const;
    QList<ParsedItemPtr> allItems() const;
    // The files of the collections that are no items, by collection and file name.
    QList<UnreadableFile> unreadableFiles() const { return m_unreadableFiles; }
    // The identifier the index gave a task of one of its items (its UID unless that UID is
    // taken).
    QString identifierOf(const Reminder& parsed) const;
    // The events of a file holding events, read now when the item came from the parse cache
    // (safe on any thread). What is on disk now counts: `current` tells whether that is still
    // what the item stands for.
    struct EventSourceRead
    {
        std::shared_ptr<const IcsItem> source; // null when unreadable or without events
        bool current = false;
    };
    static EventSourceRead readEventSource(const ParsedItem& item);
    // Keeps what was read with the item, or has the next refresh read a changed file again.
    void keepEventSource(const ParsedItem& item, const EventSourceRead& read);

    static ParsedItemPtr parse(const ItemFile& file);

private:
    // One collection as last read: the folder it was listed from, its listing (to
    // tell at a glance whether anything changed) and its parsed items in file-name order; or,
    // outside the scope, the cache's summary of it.
    struct CollectionState
    {
        QString folderPath;
        // Empty beside items when it is nothing but the items' own files (see sameListed).
        QList<ItemFile> listing;
        QList<ParsedItemPtr> items;
        DirectoryStamp directory;
        std::optional<ParseCache::Summary> summary;
        // Its cache file holds these very items, under a directory stamp that a later run can
        // trust (`cachedDirectory`).
        bool cacheCurrent = false;
        DirectoryStamp cachedDirectory;
    };
    // What the listing of one folder gave, in file-name order.
    struct FolderRead
    {
        QList<ItemFile> listing;
        DirectoryStamp directory;
        std::optional<ParseCache::Folder> cached;
        std::optional<ParseCache::Summary> summary;
    };

    bool sameFolders(const QList<CollectionFolder>& folders) const;
    bool mustList(const CollectionFolder& folder, const QSet<QString>& changedFolders,
                  bool everything) const;
    FolderRead readFolder(const CollectionFolder& folder, bool firstLoad) const;
    void collectItems(const CollectionFolder& folder, FolderRead read, const CollectionState* old,
                      CollectionState& state, QList<ItemFile>& pending);
    void rebuildCalendars(const QList<CollectionFolder>& folders);
    // Whether the identifiers assigned for the current collections hold for `next` as well,
    // so that a refresh after one file changed does not assign a hundred thousand again.
    bool sameIdentities(const QHash<QString, CollectionState>& next) const;
    void assignIdentifiers();
    void collectUnreadableFiles();
    // Whether `item`'s file was invalidated since the last refresh; asks for no path while
    // none was, as in nearly every refresh.
    bool isInvalidated(const ParsedItem& item) const
    {
        return !m_invalidated.isEmpty() && m_invalidated.contains(item.file().path());
    }
    static UnreadableFile unreadableFile(const ParsedItem& item, const Calendar* list);

    QStringList m_roots;
    FolderWatch* m_watch = nullptr;
    bool m_loaded = false;
    // Collections to list at the next refresh whatever the watch says (invalidated files).
    QSet<QString> m_forced;
    // Folders whose changes cannot be watched: listed at every refresh.
    QSet<QString> m_unwatched;
    ParseCache m_cache;
    Scope m_scope;
    ListingObserver m_listingObserver;
    // Files to read again at the next refresh whatever their stamp.
    QSet<QString> m_invalidated;
    quint64 m_parseCount = 0;
    quint64 m_settledParseCount = 0;

    QList<SourcePtr> m_sources;
    QList<CollectionFolder> m_folders;
    QHash<QString, CollectionState> m_collections;
    QHash<QString, CalendarPtr> m_calendars;
    QList<CalendarPtr> m_calendarOrder;
    // The identifiers of the tasks whose identifier is not their own UID.
    QHash<const Reminder*, QString> m_identifiersOtherThanUid;
    QList<UnreadableFile> m_unreadableFiles;
};

} // namespace store
