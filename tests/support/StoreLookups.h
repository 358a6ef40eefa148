#pragma once

#include "StoreQueries.h"

// A task or list of a store found by what a test knows of it; null when there is none.
namespace StoreLookups {

inline store::ReminderPtr taskTitled(store::EventStore& store, const QString& title)
{
    for (const store::ReminderPtr& task : StoreQueries::allReminders(store)) {
        if (task->title == title)
            return task;
    }
    return nullptr;
}

inline store::ReminderPtr taskWithIdentifier(store::EventStore& store, const QString& identifier)
{
    for (const store::ReminderPtr& task : StoreQueries::allReminders(store)) {
        if (task->calendarItemIdentifier == identifier)
            return task;
    }
    return nullptr;
}

inline store::CalendarPtr listTitled(store::EventStore& store, const QString& title)
{
    for (const store::CalendarPtr& list :
         store.calendarsForEntityType(store::EntityType::Reminder)) {
        if (list->title == title)
            return list;
    }
    return nullptr;
}

} // namespace StoreLookups
