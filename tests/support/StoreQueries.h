#pragma once

#include "platform/store/EventStore.h"

#include <QStringList>

// Reads of a store and of its records that many suites make.
namespace StoreQueries {

// Every task of every list, as the store reads them now.
inline QList<store::ReminderPtr> allReminders(store::EventStore& store)
{
    return store.remindersMatchingPredicate(store::predicateForRemindersInCalendars({}));
}

// The titles of tasks or events, in their order.
template <typename List> QStringList titles(const List& items)
{
    QStringList result;
    for (const auto& item : items)
        result << item->title;
    return result;
}

} // namespace StoreQueries
