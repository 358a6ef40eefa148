#include "data/ReminderCopy.h"

namespace ReminderCopy {

std::optional<store::Alarm> rebuiltAlarm(const store::Alarm& alarm)
{
    if (alarm.structuredLocation)
        return store::Alarm::withLocation(*alarm.structuredLocation, alarm.proximity);
    if (alarm.absoluteDate.isValid())
        return store::Alarm::withAbsoluteDate(alarm.absoluteDate);
    // An offset of zero is an alarm at the due time, not a missing one.
    if (alarm.hasRelativeOffset)
        return store::Alarm::withRelativeOffset(alarm.relativeOffset);
    return std::nullopt;
}

store::RecurrenceRule rebuiltRule(const store::RecurrenceRule& rule)
{
    store::RecurrenceRule copy;
    copy.frequency = rule.frequency;
    copy.interval = rule.interval;
    // The week start decides which weeks an every-other-week rule lands in.
    copy.firstDayOfTheWeek = rule.firstDayOfTheWeek;
    copy.daysOfTheWeek = rule.daysOfTheWeek;
    copy.daysOfTheMonth = rule.daysOfTheMonth;
    copy.monthsOfTheYear = rule.monthsOfTheYear;
    copy.weeksOfTheYear = rule.weeksOfTheYear;
    copy.daysOfTheYear = rule.daysOfTheYear;
    copy.setPositions = rule.setPositions;
    copy.recurrenceEnd = rule.recurrenceEnd;
    return copy;
}

namespace {

void copyOpen(store::Reminder& copy, const store::Reminder& deleted)
{
    copy.startDateComponents = deleted.startDateComponents;
    copy.dueDateComponents = deleted.dueDateComponents;
    for (const store::Alarm& alarm : deleted.alarms) {
        if (const std::optional<store::Alarm> rebuilt = rebuiltAlarm(alarm))
            copy.addAlarm(*rebuilt);
    }
    for (const store::RecurrenceRule& rule : deleted.recurrenceRules)
        copy.addRecurrenceRule(rebuiltRule(rule));
}

void copyCompleted(store::Reminder& copy, const store::Reminder& deleted, const QDate& today,
                   const QTime& alarmTime)
{
    const bool hadDue = deleted.dueDateComponents && deleted.dueDateComponents->isValid();
    const QTime time =
        hadDue ? QTime(deleted.dueDateComponents->hour, deleted.dueDateComponents->minute)
               : alarmTime;
    const QDateTime due(today, time.isValid() ? time : QTime(0, 0));
    store::DateComponents components = store::DateComponents::fromDateTime(due);
    components.second = 0;
    copy.dueDateComponents = components;
    copy.startDateComponents = components;
    for (const store::Alarm& alarm : deleted.alarms) {
        if (alarm.structuredLocation)
            copy.addAlarm(store::Alarm::withLocation(*alarm.structuredLocation, alarm.proximity));
        else
            copy.addAlarm(store::Alarm::withAbsoluteDate(due));
    }
}

} // namespace

void fillUndoCopy(store::Reminder& copy, const store::Reminder& deleted, const QDate& today,
                  const QTime& alarmTime)
{
    copy.title = deleted.title;
    copy.calendar = deleted.calendar;
    copy.URL = deleted.URL;
    copy.notes = deleted.notes;
    copy.priority = deleted.priority;
    if (deleted.completed)
        copyCompleted(copy, deleted, today, alarmTime);
    else
        copyOpen(copy, deleted);
}

} // namespace ReminderCopy
