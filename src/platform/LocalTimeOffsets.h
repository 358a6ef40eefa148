#pragma once

#include <QDateTime>
#include <QHash>
#include <QTimeZone>

#include <optional>

// The local wall clock of instants, exactly as QDateTime::toLocalTime() reads it, for work that
// reads thousands of them: each toLocalTime() asks the C library afresh (a look at TZ, at the
// zone file and at its rules), and a listing of ten thousand tasks spent more on that than on
// writing them out. The offset is asked for once per UTC day met, at the day's first and last
// millisecond; where the two agree (every day but those of a change, as no zone changes twice
// within a day) it stands for the whole day.
//
// Holds what it has learnt: one owner, one thread, and not across a change of the system zone.
class LocalTimeOffsets
{
public:
    // Milliseconds since the epoch of the local date and time of `utcMSecs`, counted as though
    // that date and time were UTC.
    qint64 wallMSecs(qint64 utcMSecs);
    // The same for a valid date-time of any kind: a local one is its own wall clock.
    qint64 wallMSecs(const QDateTime& instant);
    // That date and time as a UTC date-time, whose date and time are read without a zone;
    // invalid for an invalid one.
    QDateTime wallClock(const QDateTime& instant);
    // Milliseconds since the epoch of `date` and `time` in `zone`, as QDateTime(date, time,
    // zone) has them, asking the zone once per day met in the same way; nothing where that
    // date-time is invalid.
    std::optional<qint64> instantOf(QDate date, QTime time, const QTimeZone& zone);

private:
    static int offsetSecondsAt(qint64 utcMSecs);

    // The offset of each UTC day met, in seconds; kChanges for a day in which it changes.
    QHash<qint64, int> m_dayOffsets;
    qint64 m_lastDay = -1;
    int m_lastOffset = 0;
    // The offset of each zone's days met, by the zone's name and the day's Julian day; those
    // of the zone asked for last are kept apart, out of the lookup by name.
    QHash<QByteArray, QHash<qint64, int>> m_zonedDayOffsets;
    QTimeZone m_lastZone;
    QHash<qint64, int> m_lastZoneDays;
};
