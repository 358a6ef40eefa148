#pragma once

#include "platform/store/Calendar.h"
#include "platform/store/VdirCollections.h"

#include <QList>
#include <QStringList>

namespace store {

// The calendars made of a store's collection folders: what each folder serves as, from what its
// items hold and what it was made for, and the order every view shows them in. The index and a
// reader of the folders' metadata alone build them alike.
namespace CollectionCalendars {

// Whether any item of a folder holds a task, and whether any holds an event.
struct ItemKinds
{
    bool todos = false;
    bool events = false;
};

// One local source per root folder.
QList<SourcePtr> sourcesOf(const QStringList& roots);
CalendarPtr calendarOf(const CollectionFolder& folder, ItemKinds items,
                       const QList<SourcePtr>& sources);
// The "order" metadata first (folders without it after), then title, then identifier.
void sort(QList<CalendarPtr>& calendars, const QList<CollectionFolder>& folders);

} // namespace CollectionCalendars

} // namespace store
