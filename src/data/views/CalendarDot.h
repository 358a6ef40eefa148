#pragma once

#include "platform/store/CollectionColor.h"

#include <QList>
#include <QMap>

// One dot of the calendar strip: a task (drawn as a full dot) or an event (the second dot
// image), in the colour of its list or calendar.
struct CalendarDot
{
    enum class Kind { Reminder, Event };
    Kind kind = Kind::Reminder;
    store::CollectionColor color;

    bool operator==(const CalendarDot& other) const
    {
        return kind == other.kind && color == other.color;
    }
};

// The dots of a strip by day: key 1 is the first day of the week or month shown, up to 7 for a
// week and 31 for a month; each day's dots in the order they were added.
using CalendarDots = QMap<int, QList<CalendarDot>>;
