#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace store {
struct Calendar;
class EventStore;
} // namespace store

// The store's reminder lists and event calendars as far as synced preference sets need them:
// identifier, title and the kind of source they come from. Identifiers are private to one
// machine, so a set carries title and kind, and this directory turns them back into the
// identifiers of the machine that loads it.
class ListDirectory
{
public:
    struct Entry
    {
        QString identifier;
        QString title;
        // The store's source type, as an unsigned number (0 is a local source).
        uint kind = 0;

        bool operator==(const Entry&) const = default;
    };

    virtual ~ListDirectory() = default;

    // Every reminder list, in store order.
    virtual QList<Entry> reminderLists() const = 0;
    // Every event calendar, in store order.
    virtual QList<Entry> eventCalendars() const = 0;
    // The list the store gives new reminders; nullopt when it has none.
    virtual std::optional<Entry> defaultListForNewReminders() const = 0;

    static Entry entryFor(const store::Calendar& calendar);
};

// The directory of a live event store. The store is asked for at every call because its owner
// may replace it (a changed store folder) or not have one yet; without a store there are no
// lists.
class EventStoreListDirectory : public ListDirectory
{
public:
    using StoreAccess = std::function<store::EventStore*()>;

    explicit EventStoreListDirectory(StoreAccess store);

    QList<Entry> reminderLists() const override;
    QList<Entry> eventCalendars() const override;
    std::optional<Entry> defaultListForNewReminders() const override;

private:
    StoreAccess m_store;
};
