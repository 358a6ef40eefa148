#pragma once

#include "platform/store/Calendar.h"
#include "platform/store/Reminder.h"

#include <QDateTime>
#include <QList>

#include <functional>

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
    // A further test on each task as the store read it (without list and identifier), before
    // it is copied for the caller: a search keeps only what it prints. Called under the
    // store's lock; none takes every task.
    std::function<bool(const Reminder&)> accepts;
};

// Events overlapping [startDate, endDate) of some calendars (none: every event calendar).
struct EventPredicate
{
    QDateTime startDate;
    QDateTime endDate;
    QList<CalendarPtr> calendars;
};

// The predicates a fetch takes: every reminder of the lists (all lists when empty), the
// incomplete ones due in [start, end) or completed in it (an invalid bound: unbounded), the
// events starting in it.
inline ReminderPredicate predicateForRemindersInCalendars(const QList<CalendarPtr>& calendars)
{
    return {ReminderPredicate::Kind::All, calendars, {}, {}, {}};
}

inline ReminderPredicate
predicateForIncompleteRemindersWithDueDateStarting(const QDateTime& start, const QDateTime& end,
                                                   const QList<CalendarPtr>& calendars)
{
    return {ReminderPredicate::Kind::Incomplete, calendars, start, end, {}};
}

inline ReminderPredicate predicateForCompletedRemindersWithCompletionDateStarting(
    const QDateTime& start, const QDateTime& end, const QList<CalendarPtr>& calendars)
{
    return {ReminderPredicate::Kind::Completed, calendars, start, end, {}};
}

inline EventPredicate predicateForEventsWithStartDate(const QDateTime& start, const QDateTime& end,
                                                      const QList<CalendarPtr>& calendars)
{
    return {start, end, calendars};
}

} // namespace store
