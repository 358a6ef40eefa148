#include "platform/store/recurrence/ZoneOffsets.h"

#include <QHash>
#include <QMutex>

#include <algorithm>

namespace store::recurrence {

namespace {

constexpr qint64 kMsPerDay = 86400000;

// Years outside these are rare enough to be asked of QTimeZone each time.
const int kFirstYear = 1900;
const int kLastYear = 2200;

QMutex& cacheMutex()
{
    static QMutex mutex;
    return mutex;
}

QHash<QByteArray, std::shared_ptr<const ZoneOffsets>>& cache()
{
    static QHash<QByteArray, std::shared_ptr<const ZoneOffsets>> tables;
    return tables;
}

} // namespace

std::shared_ptr<const ZoneOffsets> ZoneOffsets::of(const QTimeZone& zone)
{
    if (!zone.isValid())
        return nullptr;
    const QByteArray id = zone.id();
    {
        QMutexLocker lock(&cacheMutex());
        if (const auto found = cache().constFind(id); found != cache().constEnd())
            return *found;
    }
    // Built outside the lock: other threads may expand other zones meanwhile. Two threads
    // building the same table keep the first.
    auto table = std::make_shared<const ZoneOffsets>(zone);
    QMutexLocker lock(&cacheMutex());
    return *cache().insert(id, cache().value(id, table));
}

std::shared_ptr<const ZoneOffsets> ZoneOffsets::ofLocalTime()
{
    return of(QTimeZone::systemTimeZone());
}

ZoneOffsets::ZoneOffsets(const QTimeZone& zone)
    : m_zone(zone)
    , m_coveredFrom(QDateTime(QDate(kFirstYear, 1, 1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch())
    , m_coveredTo(QDateTime(QDate(kLastYear, 1, 1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch())
{
    const QDateTime from = QDateTime::fromMSecsSinceEpoch(m_coveredFrom, Qt::UTC);
    m_offsets.push_back(zone.offsetFromUtc(from));
    if (!zone.hasTransitions())
        return;
    const auto add = [this](const QTimeZone::OffsetData& change) {
        const qint64 at = change.atUtc.toMSecsSinceEpoch();
        // A change of name or of daylight-saving flag alone moves no clock.
        if (at > m_coveredFrom && (m_changes.empty() || at > m_changes.back()) &&
            change.offsetFromUtc != m_offsets.back()) {
            m_changes.push_back(at);
            m_offsets.push_back(change.offsetFromUtc);
        }
    };
    // Qt's list of a zone's changes ends with the zone file's own table (2037); the rule that
    // continues it is only followed one change at a time, and not from the table's last change
    // itself.
    const QDateTime to = QDateTime::fromMSecsSinceEpoch(m_coveredTo, Qt::UTC);
    QDateTime last = from;
    for (const QTimeZone::OffsetData& change : zone.transitions(from, to)) {
        add(change);
        last = change.atUtc;
    }
    for (QTimeZone::OffsetData change = zone.nextTransition(last.addSecs(1));
         change.atUtc.isValid() && change.atUtc < to;
         change = zone.nextTransition(change.atUtc.addSecs(1)))
        add(change);
    // Should Qt still leave changes out, the table ends where it stops agreeing with the zone.
    qint64 agreed = m_coveredFrom;
    for (int year = kFirstYear; year < kLastYear; year += 10) {
        for (int month : {1, 7}) {
            const QDateTime probe(QDate(year, month, 15), QTime(12, 0), Qt::UTC);
            if (zone.offsetFromUtc(probe) != offsetAt(probe.toMSecsSinceEpoch())) {
                m_coveredTo = agreed;
                return;
            }
            agreed = probe.toMSecsSinceEpoch();
        }
    }
}

int ZoneOffsets::offsetAt(qint64 utcMs) const
{
    if (utcMs < m_coveredFrom || utcMs >= m_coveredTo)
        return m_zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(utcMs, Qt::UTC));
    const auto after = std::upper_bound(m_changes.cbegin(), m_changes.cend(), utcMs);
    return m_offsets[size_t(after - m_changes.cbegin())];
}

ZoneOffsets::Readings ZoneOffsets::readingsOf(qint64 naiveMs) const
{
    // Changes lie months apart, so the offsets a day either side are the only candidates.
    const int before = offsetAt(naiveMs - kMsPerDay);
    const int after = offsetAt(naiveMs + kMsPerDay);
    Readings readings;
    // The larger offset gives the earlier instant.
    for (int offset : {qMax(before, after), qMin(before, after)}) {
        const qint64 candidate = naiveMs - qint64(offset) * 1000;
        if (offsetAt(candidate) != offset || (readings.count == 1 && candidate == readings.first))
            continue;
        (readings.count == 0 ? readings.first : readings.second) = candidate;
        ++readings.count;
    }
    return readings;
}

std::optional<ZoneOffsets::QuietSpan> ZoneOffsets::quietSpanAround(qint64 naiveMs) const
{
    if (naiveMs - kMsPerDay < m_coveredFrom || naiveMs + kMsPerDay >= m_coveredTo)
        return std::nullopt;
    // Offsets stay within a day of UTC, so a wall time further than a day from every change
    // reads only with the offset of the changes around it.
    const size_t index = size_t(std::upper_bound(m_changes.cbegin(), m_changes.cend(), naiveMs) -
                                m_changes.cbegin());
    const qint64 from = index > 0 ? m_changes[index - 1] + kMsPerDay : m_coveredFrom + kMsPerDay;
    const qint64 to =
        index < m_changes.size() ? m_changes[index] - kMsPerDay : m_coveredTo - kMsPerDay;
    if (naiveMs < from || naiveMs >= to)
        return std::nullopt;
    return QuietSpan{from, to, m_offsets[index]};
}

} // namespace store::recurrence
