#include "data/views/HourBuckets.h"

#include "data/CalendarEvents.h"
#include "data/EventWindow.h"

#include <algorithm>

namespace {

constexpr qint64 kHourSeconds = 3600;

QDateTime dueDateOf(const store::ReminderPtr& reminder)
{
    return reminder->dueDateComponents ? reminder->dueDateComponents->toDateTime() : QDateTime();
}

void sortByDueDate(ReminderList& bucket)
{
    // Equal due dates keep the snapshot's order.
    std::stable_sort(bucket.begin(), bucket.end(),
                     [](const store::ReminderPtr& a, const store::ReminderPtr& b) {
                         return dueDateOf(a) < dueDateOf(b);
                     });
}

} // namespace

QDateTime HourBuckets::bucketStart(const QDateTime& windowStart, int k)
{
    return windowStart.addSecs(kHourSeconds * k);
}

HourBuckets HourBuckets::fetch(const ReminderQueries& queries, CalendarEvents& events,
                               const QDateTime& windowStart, bool viewEvents)
{
    HourBuckets buckets;
    const QDateTime windowEnd = bucketStart(windowStart, kHours);

    // One pass over the snapshot for the whole window, then each task into its hour.
    const std::optional<ReminderList> overdue =
        queries.fetchUncompletedRemindersUntilCertainDate(windowStart);
    const std::optional<ReminderList> inWindow =
        queries.fetchUncompletedRemindersFromDate(windowStart, windowEnd);
    if (overdue && inWindow) {
        buckets.reminders.resize(kHours);
        buckets.reminders[0] = *overdue;
        for (const store::ReminderPtr& reminder : *inWindow) {
            const qint64 hour = windowStart.secsTo(dueDateOf(reminder)) / kHourSeconds;
            if (hour >= 0 && hour < kHours)
                buckets.reminders[hour].append(reminder);
        }
        for (ReminderList& bucket : buckets.reminders)
            sortByDueDate(bucket);
    }

    if (!viewEvents) {
        buckets.events.resize(kHours);
        return buckets;
    }
    const std::optional<QList<store::EventPtr>> window =
        events.fetchEventsFromDate(windowStart, windowEnd);
    if (window) {
        buckets.events.reserve(kHours);
        for (int k = 0; k < kHours; ++k)
            buckets.events.append(EventWindow::eventsOfRange(*window, bucketStart(windowStart, k),
                                                             bucketStart(windowStart, k + 1)));
    }
    return buckets;
}

ReminderList HourBuckets::firstReminders(int count) const
{
    ReminderList taken;
    for (const ReminderList& bucket : reminders) {
        for (const store::ReminderPtr& reminder : bucket) {
            if (taken.size() >= count)
                return taken;
            taken.append(reminder);
        }
    }
    return taken;
}
