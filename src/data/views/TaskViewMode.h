#pragma once

#include "data/ListEntry.h"

// What the task list shows: the tasks of a day, a week or a month around the selected date, a
// free-text search, or one sidebar list. The numbers are the ones the window stores.
enum class TaskViewMode { Day = 0, Week = 1, Month = 2, Search = 3, List = 4 };

// The mode a sidebar entry opens.
inline TaskViewMode modeForEntry(const ListEntry& entry)
{
    switch (entry.kind()) {
    case ListKind::Day:
        return TaskViewMode::Day;
    case ListKind::Week:
        return TaskViewMode::Week;
    case ListKind::Month:
        return TaskViewMode::Month;
    case ListKind::Search:
        return TaskViewMode::Search;
    default:
        return TaskViewMode::List;
    }
}

// The sidebar entry of a date or search view.
inline ListEntry entryForMode(TaskViewMode mode)
{
    switch (mode) {
    case TaskViewMode::Day:
        return ListEntry::dateView(ListKind::Day);
    case TaskViewMode::Week:
        return ListEntry::dateView(ListKind::Week);
    case TaskViewMode::Month:
        return ListEntry::dateView(ListKind::Month);
    case TaskViewMode::Search:
        return ListEntry::ofKind(ListKind::Search);
    case TaskViewMode::List:
        break;
    }
    return {};
}

// The height of what sits above the list: the week strip, the month grid or the search field.
inline int stripHeightForMode(TaskViewMode mode)
{
    switch (mode) {
    case TaskViewMode::Week:
        return 64;
    case TaskViewMode::Month:
        return 200;
    case TaskViewMode::Search:
        return 50;
    case TaskViewMode::Day:
    case TaskViewMode::List:
        break;
    }
    return 0;
}

inline bool isPeriodMode(TaskViewMode mode)
{
    return mode == TaskViewMode::Day || mode == TaskViewMode::Week || mode == TaskViewMode::Month;
}
