#pragma once

#include "platform/store/Calendar.h"

#include <QList>
#include <QStringList>

namespace store {

// The store's calendars, in the index's order, from the folders' metadata and as few item
// files as it takes to tell a task list from an event calendar: a folder is a task list once
// one item holds a task, so a list answers with its first file and only a folder without any
// task is read to the end, unless the parse cache's summary of the folder can be trusted. For
// questions about the lists themselves (names, colours, which exist) on a store of any size.
namespace CalendarCatalog {

QList<CalendarPtr> read(const QStringList& roots);

} // namespace CalendarCatalog

} // namespace store
