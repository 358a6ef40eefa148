#include "platform/LocalTimeOffsets.h"

#include <limits>
#include <utility>

namespace {

constexpr qint64 kMSecsPerDay = 86400000;
constexpr qint64 kJulianDayOfEpoch = 2440588;
// Before 1970 the local time of an instant is Qt's own (the zone's standard offset, no
// daylight-saving time), and far ahead it may be too: such instants are asked for one by one.
constexpr qint64 kFirstDay = 0;
constexpr qint64 kEndDay = 47482; // 2100-01-01
constexpr int kChanges = std::numeric_limits<int>::min();

} // namespace

int LocalTimeOffsets::offsetSecondsAt(qint64 utcMSecs)
{
    return QDateTime::fromMSecsSinceEpoch(utcMSecs, Qt::UTC).toLocalTime().offsetFromUtc();
}

qint64 LocalTimeOffsets::wallMSecs(qint64 utcMSecs)
{
    if (utcMSecs < kFirstDay * kMSecsPerDay || utcMSecs >= kEndDay * kMSecsPerDay)
        return utcMSecs + qint64(offsetSecondsAt(utcMSecs)) * 1000;
    const qint64 day = utcMSecs / kMSecsPerDay;
    if (day == m_lastDay)
        return utcMSecs + qint64(m_lastOffset) * 1000;
    auto known = m_dayOffsets.constFind(day);
    if (known == m_dayOffsets.constEnd()) {
        const int first = offsetSecondsAt(day * kMSecsPerDay);
        const int last = offsetSecondsAt((day + 1) * kMSecsPerDay - 1);
        known = m_dayOffsets.insert(day, first == last ? first : kChanges);
    }
    if (*known == kChanges)
        return utcMSecs + qint64(offsetSecondsAt(utcMSecs)) * 1000;
    m_lastDay = day;
    m_lastOffset = *known;
    return utcMSecs + qint64(m_lastOffset) * 1000;
}

qint64 LocalTimeOffsets::wallMSecs(const QDateTime& instant)
{
    if (instant.timeSpec() == Qt::LocalTime) {
        return (instant.date().toJulianDay() - kJulianDayOfEpoch) * kMSecsPerDay +
               instant.time().msecsSinceStartOfDay();
    }
    return wallMSecs(instant.toMSecsSinceEpoch());
}

QDateTime LocalTimeOffsets::wallClock(const QDateTime& instant)
{
    if (!instant.isValid())
        return {};
    return QDateTime::fromMSecsSinceEpoch(wallMSecs(instant), Qt::UTC);
}

std::optional<qint64> LocalTimeOffsets::instantOf(QDate date, QTime time, const QTimeZone& zone)
{
    const auto oneByOne = [&]() -> std::optional<qint64> {
        const QDateTime instant(date, time, zone);
        if (!instant.isValid())
            return std::nullopt;
        return instant.toMSecsSinceEpoch();
    };
    if (!date.isValid() || !time.isValid() || !zone.isValid())
        return oneByOne();
    if (!(zone == m_lastZone)) {
        if (m_lastZone.isValid())
            m_zonedDayOffsets.insert(m_lastZone.id(), std::exchange(m_lastZoneDays, {}));
        m_lastZoneDays = m_zonedDayOffsets.take(zone.id());
        m_lastZone = zone;
    }
    const qint64 day = date.toJulianDay();
    auto known = m_lastZoneDays.constFind(day);
    if (known == m_lastZoneDays.constEnd()) {
        // A day without a change begins and ends on one offset, its whole length apart.
        const QDateTime first(date, QTime(0, 0), zone);
        const QDateTime last(date, QTime(23, 59, 59, 999), zone);
        const bool steady =
            first.isValid() && last.isValid() && first.offsetFromUtc() == last.offsetFromUtc() &&
            last.toMSecsSinceEpoch() - first.toMSecsSinceEpoch() == kMSecsPerDay - 1;
        known = m_lastZoneDays.insert(day, steady ? first.offsetFromUtc() : kChanges);
    }
    if (*known == kChanges)
        return oneByOne();
    return (day - kJulianDayOfEpoch) * kMSecsPerDay + time.msecsSinceStartOfDay() -
           qint64(*known) * 1000;
}
