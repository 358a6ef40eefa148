#include "platform/store/recurrence/SeriesFrame.h"

namespace store::recurrence {

SeriesFrame::SeriesFrame(const QDateTime& start, bool allDay)
    : m_startInstant(start)
    , m_allDay(allDay)
    , m_start{start.date(), allDay ? QTime(0, 0) : start.time()}
{}

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

QDateTime SeriesFrame::startInstant() const
{
    return m_allDay ? instantOf(m_start) : m_startInstant;
}

WallTime SeriesFrame::wallOf(const QDateTime& instant) const
{
    const QDateTime converted = inFrame(instant);
    return {converted.date(), converted.time()};
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

QDateTime SeriesFrame::instantOf(const WallTime& wall) const
{
    const bool zoned = m_allDay || m_startInstant.timeSpec() == Qt::TimeZone ||
                       m_startInstant.timeSpec() == Qt::LocalTime;
    if (!zoned || !wall.date.isValid())
        return build(wall.date, wall.time);
    const auto at = [this](qint64 msecs) {
        return !m_allDay && m_startInstant.timeSpec() == Qt::TimeZone
                   ? QDateTime::fromMSecsSinceEpoch(msecs, m_startInstant.timeZone())
                   : QDateTime::fromMSecsSinceEpoch(msecs, Qt::LocalTime);
    };
    const QTime time = m_allDay ? QTime(0, 0) : wall.time;
    const qint64 naive = QDateTime(wall.date, time, Qt::UTC).toMSecsSinceEpoch();
    const int before = build(wall.date.addDays(-1), time).offsetFromUtc();
    const int after = build(wall.date.addDays(1), time).offsetFromUtc();
    // The earlier reading first: a wall time that the autumn change repeats means its first
    // pass, as iCalendar says.
    for (int offset : {qMax(before, after), qMin(before, after)}) {
        const QDateTime candidate = at(naive - qint64(offset) * 1000);
        if (candidate.date() == wall.date && candidate.time() == time)
            return candidate;
    }
    // Skipped by the spring change: read with the offset in force before it.
    return at(naive - qint64(before) * 1000);
}

} // namespace store::recurrence
