#include "platform/store/RecurringCompletion.h"

#include "platform/store/Recurrence.h"

namespace store::RecurringCompletion {

namespace {

QDateTime seriesStart(const DateComponents& due)
{
    const QTime time(due.hour, due.minute, due.second);
    if (due.timeZone.isValid())
        return QDateTime(due.date(), time, due.timeZone);
    return QDateTime(due.date(), time);
}

DateComponents componentsAt(const QDateTime& when, const DateComponents& like)
{
    DateComponents next = like;
    const QDateTime inZone = like.timeZone.isValid() ? when.toTimeZone(like.timeZone) : when;
    next.year = inZone.date().year();
    next.month = inZone.date().month();
    next.day = inZone.date().day();
    if (like.hasTimeOfDay()) {
        next.hour = inZone.time().hour();
        next.minute = inZone.time().minute();
        next.second = inZone.time().second();
    }
    return next;
}

} // namespace

QDateTime Shift::apply(const QDateTime& when) const
{
    const QDateTime inZone = zone.isValid() ? when.toTimeZone(zone) : when.toLocalTime();
    return inZone.addDays(days).addSecs(seconds);
}

QString completedCopyUid(const QString& taskUid, const DateComponents& due)
{
    const QString occurrence = due.hasTimeOfDay()
                                   ? QDateTime(due.date(), QTime(due.hour, due.minute, due.second))
                                         .toString(QStringLiteral("yyyyMMdd'T'HHmmss"))
                                   : due.date().toString(QStringLiteral("yyyyMMdd"));
    return taskUid + QLatin1Char('-') + occurrence;
}

std::optional<Outcome> complete(const Reminder& completed)
{
    if (!completed.hasRecurrenceRules() || !completed.dueDateComponents ||
        !completed.dueDateComponents->isValid())
        return std::nullopt;

    const DateComponents due = *completed.dueDateComponents;
    const bool allDay = !due.hasTimeOfDay();
    const QDateTime start = seriesStart(due);

    RecurrenceSet set;
    set.start = start;
    set.allDay = allDay;
    for (const RecurrenceRule& rule : completed.recurrenceRules)
        set.rrules << Recurrence::formatRule(rule, start, allDay);

    Outcome outcome;
    outcome.completedOccurrence = completed;
    outcome.completedOccurrence.recurrenceRules.clear();
    outcome.completedOccurrence.uid =
        completed.uid.isEmpty() ? QString() : completedCopyUid(completed.uid, due);
    outcome.completedOccurrence.origin.reset();
    outcome.completedOccurrence.calendarItemIdentifier.clear();

    const std::optional<QDateTime> next = Recurrence::nextOccurrence(set, start);
    if (!next)
        return outcome;

    Reminder advanced = completed;
    advanced.completed = false;
    advanced.completionDate = QDateTime();
    advanced.dueDateComponents = componentsAt(*next, due);
    const QDateTime nextInZone =
        due.timeZone.isValid() ? next->toTimeZone(due.timeZone) : next->toLocalTime();
    outcome.shift.zone = due.timeZone;
    outcome.shift.days = start.date().daysTo(nextInZone.date());
    outcome.shift.seconds = start.addDays(outcome.shift.days).secsTo(*next);
    const qint64 shift = start.secsTo(*next);
    const qint64 dayShift = outcome.shift.days;
    if (advanced.startDateComponents && advanced.startDateComponents->isValid()) {
        const DateComponents old = *advanced.startDateComponents;
        const QDateTime oldStart = seriesStart(old);
        advanced.startDateComponents = componentsAt(
            old.hasTimeOfDay() ? oldStart.addSecs(shift) : oldStart.addDays(dayShift), old);
    }
    for (Alarm& alarm : advanced.alarms) {
        if (alarm.absoluteDate.isValid() && !alarm.isLocationAlarm())
            alarm.absoluteDate = outcome.shift.apply(alarm.absoluteDate);
    }
    // The count runs from the series start; moving the start on by one occurrence leaves one
    // occurrence fewer, so the series still ends on the same one.
    for (RecurrenceRule& rule : advanced.recurrenceRules) {
        if (rule.recurrenceEnd && rule.recurrenceEnd->occurrenceCount > 0)
            rule.recurrenceEnd->occurrenceCount = qMax(1, rule.recurrenceEnd->occurrenceCount - 1);
    }
    outcome.advanced = advanced;
    return outcome;
}

} // namespace store::RecurringCompletion
