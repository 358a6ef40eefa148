#pragma once

#include <QDateTime>
#include <QTimeZone>

namespace store {

// A calendar date with an optional time of day, as tasks carry their due and start dates.
// Hour and minute 0 stand for "no time of day" (written as an iCalendar DATE). An invalid
// time zone means floating time: the wall-clock time wherever the user is.
struct DateComponents
{
    // The fields beside the year in two bytes each: a task holds two sets, and a hundred
    // thousand tasks are held at once.
    int year = 0;
    qint16 month = 0;
    qint16 day = 0;
    qint16 hour = 0;
    qint16 minute = 0;
    qint16 second = 0;
    QTimeZone timeZone;

    bool isValid() const { return QDate(year, month, day).isValid(); }
    bool hasTimeOfDay() const { return hour != 0 || minute != 0 || second != 0; }
    QDate date() const { return QDate(year, month, day); }

    // The instant in the local time zone (the zone of the components when they carry one).
    QDateTime toDateTime() const;
    // A local midnight is a date without a time of day, which has no time zone: the form it
    // has once written and read back.
    static DateComponents fromDateTime(const QDateTime& dateTime, bool withTimeZone = true);
    static DateComponents fromDate(const QDate& date);

    bool operator==(const DateComponents& other) const;
    bool operator!=(const DateComponents& other) const { return !(*this == other); }
};

} // namespace store
