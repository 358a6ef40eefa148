#pragma once

#include "platform/store/Event.h"
#include "platform/store/EventSpan.h"
#include "platform/store/FileTasks.h"
#include "platform/store/IcsItem.h"
#include "platform/store/VdirCollections.h"

#include <memory>

namespace store {

// Why a file of a list folder is not an item.
enum class ItemProblem : quint8 { None, TooLarge, CannotRead, NotICalendar };

// What one item file held when it was last read. Immutable once built, shared by the index
// and by everything that read it; only the event caches below fill in later.
struct ParsedItem
{
    // Always set, also for a file that could not be parsed; the file's tasks share it as their
    // origin, so an entry does not keep the folder, name and stamp a second time.
    ItemOriginPtr origin;
    const ItemFile& file() const { return *origin; }
    bool parsed = false;
    ItemProblem problem = ItemProblem::None;
    bool hasTodo = false;
    bool hasEvent = false;
    // Read so soon after its last change that a change within the same tick of the file
    // system's clock, keeping size and inode, would leave the stamp as it is: such an item is
    // read again whenever its folder changes, and is never kept between runs.
    bool racy = false;
    QString uid;
    // The tasks, without list and identifier: one for most files, every task of a file that
    // holds several (an export, a calendar file), which is then their shared home.
    FileTasks reminders;

    // A file that could not be read may be readable the next time (its permissions changed,
    // the disk recovered) without a new stamp: like a racy one, it is read again whenever its
    // folder changes and never kept between runs.
    bool mustReadAgain() const { return racy || problem == ItemProblem::CannotRead; }

    // The system's or the parser's words on what went wrong, without the path; empty for a
    // file that was read.
    const QString& error() const { return m_unusual ? m_unusual->error : emptyText(); }
    // For files holding events: when they happen, so that a query of other days need not
    // read the file. EventSpan::always() for a file without.
    EventSpan eventSpan() const { return m_unusual ? m_unusual->eventSpan : EventSpan(); }
    // Both only while the entry is built, before it is shared.
    void setError(const QString& error) { unusual().error = error; }
    void setEventSpan(EventSpan span) { unusual().eventSpan = span; }

    // The last expansion of this file's events, kept until the file changes (a changed file
    // is a new ParsedItem).
    struct EventExpansion
    {
        QDateTime from;
        QDateTime to;
        QList<Event> events;
    };
    // What a file holding events keeps once asked for them.
    struct EventCache
    {
        // The file's events: parsed with the file, or read on the first event query when the
        // item came from the parse cache.
        std::shared_ptr<const IcsItem> source;
        std::shared_ptr<const EventExpansion> expansion;
    };
    // Guarded by the event store's lock. Asked only of files with events, which have their
    // event span from the start: the cache is then already there beside it.
    const EventCache* knownEvents() const { return m_unusual ? &m_unusual->events : nullptr; }
    EventCache& eventCache() const { return unusual().events; }

private:
    // What only a file with events or one that could not be parsed has: nearly every entry
    // is a task's, and keeps a pointer instead, which brings it down a size of allocation.
    struct Unusual
    {
        QString error;
        EventSpan eventSpan;
        EventCache events;
    };
    Unusual& unusual() const
    {
        if (!m_unusual)
            m_unusual = std::make_unique<Unusual>();
        return *m_unusual;
    }
    static const QString& emptyText()
    {
        static const QString empty;
        return empty;
    }
    mutable std::unique_ptr<Unusual> m_unusual;
};

using ParsedItemPtr = std::shared_ptr<const ParsedItem>;

} // namespace store
