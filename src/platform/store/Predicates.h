#pragma once

#include "platform/store/Calendar.h"

#include <QDateTime>
#include <QList>

namespace store {

// Which reminders a fetch delivers. No calendars means every reminder list.
struct ReminderPredicate
{
    enum class Kind { All, Incomplete, Completed };

    Kind kind = Kind::All;
    QList<CalendarPtr> calendars;
    // Incomplete: due date bounds; Completed: completion date bounds. Invalid = unbounded.
    QDateTime start;
    QDateTime end;
};

// Events overlapping [startDate, endDate) of some calendars (none: every event calendar).
struct EventPredicate
{
    QDateTime startDate;
    QDateTime endDate;
    QList<CalendarPtr> calendars;
};

} // namespace store
