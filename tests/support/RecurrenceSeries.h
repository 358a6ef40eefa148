#pragma once

#include "platform/store/Recurrence.h"

#include <QTimeZone>

// Series as the recurrence suites build them from a start and rule texts, and their
// occurrences as they read them.
namespace RecurrenceSeries {

inline QDateTime inZone(const char* zone, int year, int month, int day, int hour, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone(zone));
}

inline store::RecurrenceSet series(const QDateTime& start, const QStringList& rrules,
                                   bool allDay = false)
{
    store::RecurrenceSet set;
    set.start = start;
    set.allDay = allDay;
    set.rrules = rrules;
    return set;
}

// Every occurrence of a century from the start.
inline QList<QDateTime> expand(const store::RecurrenceSet& set, int maxCount = 10000)
{
    return store::Recurrence::occurrences(set, set.start, set.start.addYears(100), maxCount);
}

inline QList<QDate> datesOf(const QList<QDateTime>& times)
{
    QList<QDate> dates;
    for (const QDateTime& time : times)
        dates << time.date();
    return dates;
}

} // namespace RecurrenceSeries
