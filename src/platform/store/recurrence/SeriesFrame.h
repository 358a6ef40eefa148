#pragma once

#include "platform/store/recurrence/ZoneOffsets.h"

#include <QDateTime>
#include <QTimeZone>

#include <memory>

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
    // The same as milliseconds since the epoch.
    qint64 naiveMs() const;
    static WallTime fromNaiveMs(qint64 ms);

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
// offset, local time for floating starts, and local midnights for all-day series. Instants are
// milliseconds since the epoch where many are converted, QDateTime in the series' own kind
// of time (zone, UTC, offset or local) where they are handed out.
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
    QDateTime inFrame(qint64 utcMs) const;
    WallTime wallOf(const QDateTime& instant) const;
    WallTime wallOf(qint64 utcMs) const;

    // The instants a wall time names, earlier first: none when a daylight-saving change skips
    // it, two in the hour the autumn change repeats. A day of an all-day series always has one.
    ZoneOffsets::Readings readingsOf(const WallTime& wall) const;

    // One instant for any wall time: a wall time that a DST gap skips is read with the offset in
    // force before the gap, so 02:30 on the day clocks jump from 02:00 to 03:00 becomes 03:30; a
    // wall time the autumn change repeats is its first pass.
    QDateTime instantOf(const WallTime& wall) const;
    qint64 instantMsOf(const WallTime& wall) const;

private:
    QDateTime build(const QDate& date, const QTime& time) const;
    int offsetAt(qint64 utcMs) const;

    QDateTime m_startInstant;
    bool m_allDay;
    WallTime m_start;
    // The zone's table when the clock has changes; else the fixed offset in seconds.
    std::shared_ptr<const ZoneOffsets> m_zone;
    int m_fixedOffset = 0;
    // The stretch of wall times the last reading fell in, where one offset holds: consecutive
    // occurrences mostly fall in the same one. A frame is used by one thread at a time.
    mutable ZoneOffsets::QuietSpan m_quiet;
};

} // namespace store::recurrence
