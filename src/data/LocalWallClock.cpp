#include "data/LocalWallClock.h"

#include <QDateTime>

namespace {

constexpr qint64 kSecondsPerDay = 86400;

} // namespace

LocalWallClock::LocalWallClock()
    : m_systemZone(QTimeZone::systemTimeZone())
{}

std::optional<LocalWallClock::Reading>
LocalWallClock::reading(const store::DateComponents& due) const
{
    if (!due.isValid())
        return std::nullopt;
    QTime time(due.hour, due.minute, due.second);
    if (!time.isValid())
        time = QTime(0, 0);
    if (!due.timeZone.isValid() || due.timeZone == m_systemZone)
        return Reading{due.date(), time};
    const QDateTime zoned(due.date(), time, due.timeZone);
    if (!zoned.isValid())
        return std::nullopt;
    const qint64 utcSeconds = zoned.toSecsSinceEpoch();
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(utcSeconds, Qt::UTC);
    const QDateTime wall = utc.addSecs(m_systemZone.offsetFromUtc(utc));
    return Reading{wall.date(), wall.time()};
}

qint64 LocalWallClock::key(const Reading& reading)
{
    return reading.date.toJulianDay() * kSecondsPerDay + reading.time.msecsSinceStartOfDay() / 1000;
}
