#pragma once

#include <QDateTime>
#include <QTimeZone>

namespace store::recurrence {

// A date and time of day on the series' own wall clock, before any time zone is applied. Rules
// are expanded on the wall clock, so a weekly 09:00 stays at 09:00 across daylight-saving
// changes.
struct WallTime
{
    QDate date;
    QTime time;

    // The wall time carried in a UTC date-time, for arithmetic free of DST jumps.
    QDateTime naive() const { return QDateTime(date, time, Qt::UTC); }
    static WallTime fromNaive(const QDateTime& naive) { return {naive.date(), naive.time()}; }

    friend bool operator==(const WallTime& a, const WallTime& b)
    {
        return a.date == b.date && a.time == b.time;
    }
    friend bool operator<(const WallTime& a, const WallTime& b)
    {
        return a.date != b.date ? a.date < b.date : a.time < b.time;
    }
    friend bool operator>(const WallTime& a, const WallTime& b) { return b < a; }
    friend bool operator<=(const WallTime& a, const WallTime& b) { return !(b < a); }
    friend bool operator>=(const WallTime& a, const WallTime& b) { return !(a < b); }
};

// Converts between instants and the wall clock of a series: the start's time zone, UTC, a fixed
// offset, local time for floating starts, and local midnights for all-day series.
class SeriesFrame
{
public:
    SeriesFrame(const QDateTime& start, bool allDay);

    bool allDay() const { return m_allDay; }
    const WallTime& start() const { return m_start; }
    // The start as given (local midnight for an all-day series).
    QDateTime startInstant() const;

    // The instant shown in the series' time zone (local time for floating and all-day series).
    QDateTime inFrame(const QDateTime& instant) const;
    WallTime wallOf(const QDateTime& instant) const;
    // A wall time that a DST gap skips is read with the offset in force before the gap, so
    // 02:30 on the day clocks jump from 02:00 to 03:00 becomes 03:30; a wall time the autumn
    // change repeats is its first pass.
    QDateTime instantOf(const WallTime& wall) const;

private:
    QDateTime build(const QDate& date, const QTime& time) const;

    QDateTime m_startInstant;
    bool m_allDay;
    WallTime m_start;
};

} // namespace store::recurrence
