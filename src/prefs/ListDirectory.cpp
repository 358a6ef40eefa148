#include "prefs/ListDirectory.h"

#include "platform/store/EventStore.h"

namespace {

QList<ListDirectory::Entry> entriesFor(const QList<store::CalendarPtr>& calendars)
{
    QList<ListDirectory::Entry> entries;
    entries.reserve(calendars.size());
    for (const store::CalendarPtr& calendar : calendars) {
        if (calendar)
            entries << ListDirectory::entryFor(*calendar);
    }
    return entries;
}

} // namespace

ListDirectory::Entry ListDirectory::entryFor(const store::Calendar& calendar)
{
    const uint kind = calendar.source ? uint(calendar.source->sourceType) : 0;
    return {calendar.calendarIdentifier, calendar.title, kind};
}

EventStoreListDirectory::EventStoreListDirectory(StoreAccess store)
    : m_store(std::move(store))
{}

QList<ListDirectory::Entry> EventStoreListDirectory::reminderLists() const
{
    store::EventStore* eventStore = m_store ? m_store() : nullptr;
    if (!eventStore)
        return {};
    return entriesFor(eventStore->calendarsForEntityType(store::EntityType::Reminder));
}

QList<ListDirectory::Entry> EventStoreListDirectory::eventCalendars() const
{
    store::EventStore* eventStore = m_store ? m_store() : nullptr;
    if (!eventStore)
        return {};
    return entriesFor(eventStore->calendarsForEntityType(store::EntityType::Event));
}

std::optional<ListDirectory::Entry> EventStoreListDirectory::defaultListForNewReminders() const
{
    store::EventStore* eventStore = m_store ? m_store() : nullptr;
    if (!eventStore)
        return std::nullopt;
    const store::CalendarPtr list = eventStore->defaultCalendarForNewReminders();
    if (!list)
        return std::nullopt;
    return entryFor(*list);
}
