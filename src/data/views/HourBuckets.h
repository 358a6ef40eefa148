#pragma once

#include "data/ReminderQueries.h"
#include "platform/store/Event.h"

#include <QDateTime>
#include <QList>

class CalendarEvents;

// The next 25 hours as the tray panel sees them: for each hour from the window's start, the open
// tasks due in it (the first hour also holds every overdue task, ahead of its own) sorted by due
// date, and the events that overlap it. A side stays empty when its data is not there yet (no
// snapshot while a refresh runs, the events still being fetched): the panel then asks again a
// moment later.
struct HourBuckets
{
    static constexpr int kHours = 25;

    // kHours lists, or none.
    QList<ReminderList> reminders;
    QList<QList<store::EventPtr>> events;

    bool hasReminders() const { return !reminders.isEmpty(); }
    bool hasEvents() const { return !events.isEmpty(); }

    // The start of hour `k` of a window: real hours, so a day of 23 or 25 hours is no different.
    static QDateTime bucketStart(const QDateTime& windowStart, int k);

    // With `viewEvents` off every hour has an empty list of events.
    static HourBuckets fetch(const ReminderQueries& queries, CalendarEvents& events,
                             const QDateTime& windowStart, bool viewEvents);

    // The first `count` tasks, hour by hour: the rows of the panel.
    ReminderList firstReminders(int count) const;
};
