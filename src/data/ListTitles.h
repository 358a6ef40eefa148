#pragma once

#include "data/ListEntry.h"

#include <QString>

// The names of sidebar entries, so that the sidebar, the task list's title line, the list menus
// and the command line always agree.
namespace ListTitles {

// "All Tasks" … "Low Priority Tasks" for the preset kinds; "" for any other kind.
QString presetListTitle(ListKind kind);
// The name an entry goes by: a preset's name, "#" and the tag for a tag list, the tag of a
// merged list or saved search, "Search" for the search, and the stored title of a user list or
// of a kind this version does not know. A date view is named after the selected date, which
// only its viewer knows: "" here.
QString titleForEntry(const ListEntry& entry);

} // namespace ListTitles
