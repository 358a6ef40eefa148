#include "platform/store/recurrence/SeriesFrame.h"

namespace store::recurrence {

namespace {

constexpr qint64 kMsPerDay = 86400000;
// QDate's Julian day of 1970-01-01.
constexpr qint64 kEpochJulianDay = 2440588;

qint64 floorDiv(qint64 a, qint64 b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

qint64 WallTime::naiveMs() const
{
    return (date.toJulianDay() - kEpochJulianDay) * kMsPerDay + time.msecsSinceStartOfDay();
}

WallTime WallTime::fromNaiveMs(qint64 ms)
{
    const qint64 days = floorDiv(ms, kMsPerDay);
    return {QDate::fromJulianDay(kEpochJulianDay + days),
            QTime::fromMSecsSinceStartOfDay(int(ms - days * kMsPerDay))};
}

SeriesFrame::SeriesFrame(const QDateTime& start, bool allDay)
    : m_startInstant(start)
    , m_allDay(allDay)
    , m_start{start.date(), allDay ? QTime(0, 0) : start.time()}
{
    if (allDay || start.timeSpec() == Qt::LocalTime)
        m_zone = ZoneOffsets::ofLocalTime();
    else if (start.timeSpec() == Qt::TimeZone)
        m_zone = ZoneOffsets::of(start.timeZone());
    else if (start.timeSpec() == Qt::OffsetFromUTC)
        m_fixedOffset = start.offsetFromUtc();
}

QDateTime SeriesFrame::inFrame(const QDateTime& instant) const
{
    if (m_allDay)
        return instant.toLocalTime();
    switch (m_startInstant.timeSpec()) {
    case Qt::TimeZone:
        return instant.toTimeZone(m_startInstant.timeZone());
    case Qt::UTC:
        return instant.toUTC();
    case Qt::OffsetFromUTC:
        return instant.toOffsetFromUtc(m_startInstant.offsetFromUtc());
    case Qt::LocalTime:
        break;
    }
    return instant.toLocalTime();
}

QDateTime SeriesFrame::inFrame(qint64 utcMs) const
{
    if (m_allDay)
        return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::LocalTime);
    switch (m_startInstant.timeSpec()) {
    case Qt::TimeZone:
        return QDateTime::fromMSecsSinceEpoch(utcMs, m_startInstant.timeZone());
    case Qt::UTC:
        return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::UTC);
    case Qt::OffsetFromUTC:
        return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::OffsetFromUTC, m_fixedOffset);
    case Qt::LocalTime:
        break;
    }
    return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::LocalTime);
}

QDateTime SeriesFrame::startInstant() const
{
    return m_allDay ? instantOf(m_start) : m_startInstant;
}

WallTime SeriesFrame::wallOf(const QDateTime& instant) const
{
    return wallOf(instant.toMSecsSinceEpoch());
}

WallTime SeriesFrame::wallOf(qint64 utcMs) const
{
    return WallTime::fromNaiveMs(utcMs + qint64(offsetAt(utcMs)) * 1000);
}

int SeriesFrame::offsetAt(qint64 utcMs) const
{
    if (m_zone)
        return m_zone->offsetAt(utcMs);
    const bool zoned = m_allDay || m_startInstant.timeSpec() == Qt::TimeZone ||
                       m_startInstant.timeSpec() == Qt::LocalTime;
    return zoned ? inFrame(utcMs).offsetFromUtc() : m_fixedOffset;
}

QDateTime SeriesFrame::build(const QDate& date, const QTime& time) const
{
    if (m_allDay)
        return QDateTime(date, QTime(0, 0), Qt::LocalTime);
    switch (m_startInstant.timeSpec()) {
    case Qt::TimeZone:
        return QDateTime(date, time, m_startInstant.timeZone());
    case Qt::UTC:
        return QDateTime(date, time, Qt::UTC);
    case Qt::OffsetFromUTC:
        return QDateTime(date, time, Qt::OffsetFromUTC, m_startInstant.offsetFromUtc());
    case Qt::LocalTime:
        break;
    }
    return QDateTime(date, time, Qt::LocalTime);
}

ZoneOffsets::Readings SeriesFrame::readingsOf(const WallTime& wall) const
{
    const WallTime shown{wall.date, m_allDay ? QTime(0, 0) : wall.time};
    ZoneOffsets::Readings readings;
    if (m_zone) {
        const qint64 naive = shown.naiveMs();
        if (naive >= m_quiet.from && naive < m_quiet.to)
            return {1, naive - qint64(m_quiet.offset) * 1000, 0};
        if (const auto quiet = m_zone->quietSpanAround(naive)) {
            m_quiet = *quiet;
            return {1, naive - qint64(m_quiet.offset) * 1000, 0};
        }
        readings = m_zone->readingsOf(naive);
    } else if (m_allDay || m_startInstant.timeSpec() == Qt::TimeZone ||
               m_startInstant.timeSpec() == Qt::LocalTime) {
        // A zone QTimeZone cannot name (an unusual local setup): ask QDateTime.
        const QDateTime built = build(shown.date, shown.time);
        if (built.isValid() && built.date() == shown.date && built.time() == shown.time)
            readings = {1, built.toMSecsSinceEpoch(), 0};
    } else {
        readings = {1, shown.naiveMs() - qint64(m_fixedOffset) * 1000, 0};
    }
    // A day that begins in a gap still happens.
    if (m_allDay && readings.count == 0)
        readings = {1, instantMsOf(shown), 0};
    return readings;
}

qint64 SeriesFrame::instantMsOf(const WallTime& wall) const
{
    const QTime time = m_allDay ? QTime(0, 0) : wall.time;
    const qint64 naive = WallTime{wall.date, time}.naiveMs();
    if (m_zone) {
        const ZoneOffsets::Readings readings = m_zone->readingsOf(naive);
        if (readings.count > 0)
            return readings.first;
        // Skipped by the spring change: read with the offset in force before it.
        return naive - qint64(m_zone->offsetAt(naive - kMsPerDay)) * 1000;
    }
    return build(wall.date, time).toMSecsSinceEpoch();
}

QDateTime SeriesFrame::instantOf(const WallTime& wall) const
{
    if (!wall.date.isValid())
        return build(wall.date, wall.time);
    return inFrame(instantMsOf(wall));
}

} // namespace store::recurrence
