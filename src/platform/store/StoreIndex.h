#pragma once

#include "platform/store/IcsItem.h"
#include "platform/store/VdirCollections.h"

#include <QHash>
#include <QList>

#include <memory>

namespace store {

// What one item file held when it was last read. Immutable once built, shared by the index
// and by everything that read it.
struct ParsedItem
{
    ItemFile file;
    QString collectionIdentifier;
    bool parsed = false;
    QString error;
    bool hasTodo = false;
    bool hasEvent = false;
    QString uid;
    std::shared_ptr<const Reminder> reminder;   // the task, without list and identifier
    std::shared_ptr<const IcsItem> eventSource; // kept only for files holding events
    ItemOriginPtr origin;

    // The last expansion of this file's events, kept until the file changes (a changed file
    // is a new ParsedItem). Guarded by the event store's lock.
    struct EventExpansion
    {
        QDateTime from;
        QDateTime to;
        QList<Event> events;
    };
    mutable std::shared_ptr<const EventExpansion> expansion;
};

using ParsedItemPtr = std::shared_ptr<const ParsedItem>;

// The store's view of its folders: collections, the calendars made of them, and every item
// file, parsed once and re-parsed only when its size, modification time or inode changes.
// Not thread-safe: the event store serialises access.
class StoreIndex
{
public:
    explicit StoreIndex(const QStringList& roots);

    QStringList roots() const { return m_roots; }

    // Re-reads the folders: new and changed files are parsed (spread over the cores when
    // there are many). Returns true when anything differs from before.
    bool refresh();
    // True when the folders differ from what the index holds (a cheap look at names and
    // stamps, no parsing).
    bool isStale() const;
    // Forgets one file so that the next refresh reads it again.
    void invalidate(const QString& path);

    QList<CalendarPtr> calendars() const { return m_calendarOrder; }
    CalendarPtr calendarWithIdentifier(const QString& identifier) const;
    QList<SourcePtr> sources() const { return m_sources; }
    QList<ParsedItemPtr> items(const QString& collectionIdentifier) const;
    // The identifier the index gave a parsed item (its UID unless that UID is taken).
    QString identifierOf(const ParsedItem& item) const;

    static ParsedItemPtr parse(const ItemFile& file, const QString& collectionIdentifier);

private:
    bool sameFolders(const QList<CollectionFolder>& folders) const;
    void rebuildCalendars(const QList<CollectionFolder>& folders);
    void assignIdentifiers();

    QStringList m_roots;
    // One collection as last read: the folder listing as it came (to tell at a glance whether
    // anything changed) and its parsed items in file-name order.
    struct CollectionState
    {
        QList<ItemFile> listing;
        QList<ParsedItemPtr> items;
        QHash<QString, ParsedItemPtr> byName;
    };
    static bool sameListing(const QList<ItemFile>& a, const QList<ItemFile>& b);

    QList<SourcePtr> m_sources;
    QList<CollectionFolder> m_folders;
    QHash<QString, CollectionState> m_collections;
    QHash<QString, CalendarPtr> m_calendars;
    QList<CalendarPtr> m_calendarOrder;
    QHash<const ParsedItem*, QString> m_identifiers;
};

} // namespace store
