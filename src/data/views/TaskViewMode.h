#pragma once

// What the task list shows: the tasks of a day, a week or a month around the selected date, a
// free-text search, or one sidebar list. The numbers are the ones the window stores.
enum class TaskViewMode { Day = 0, Week = 1, Month = 2, Search = 3, List = 4 };

// The mode a sidebar entry of this "type" opens.
inline TaskViewMode modeForType(int type)
{
    switch (type) {
    case 11:
        return TaskViewMode::Day;
    case 12:
        return TaskViewMode::Week;
    case 13:
        return TaskViewMode::Month;
    case 14:
        return TaskViewMode::Search;
    default:
        return TaskViewMode::List;
    }
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
