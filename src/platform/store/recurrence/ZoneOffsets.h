#pragma once

#include <QTimeZone>

#include <memory>
#include <optional>
#include <vector>

namespace store::recurrence {

// The UTC offsets of one time zone over the years people plan in, read from QTimeZone once per
// process and shared: asking QTimeZone for every occurrence of thousands of series costs more
// than the whole expansion. Outside the years it holds it asks QTimeZone itself.
class ZoneOffsets
{
public:
    // The table of a zone; nullptr for an invalid zone.
    static std::shared_ptr<const ZoneOffsets> of(const QTimeZone& zone);
    // The table of the zone the local clock follows now.
    static std::shared_ptr<const ZoneOffsets> ofLocalTime();

    explicit ZoneOffsets(const QTimeZone& zone);

    // The offset in seconds in force at an instant (milliseconds since the epoch).
    int offsetAt(qint64 utcMs) const;

    // The instants at which the zone's clock shows a wall time (its milliseconds since the
    // epoch as if it were UTC), earlier first: none when a change skips it, two when the autumn
    // change repeats it.
    struct Readings
    {
        int count = 0;
        qint64 first = 0;
        qint64 second = 0;
    };
    Readings readingsOf(qint64 naiveMs) const;

    // Wall times (naive milliseconds) in [from, to) that all have exactly one reading, with
    // `offset`: those further than a day from any change. nullopt near a change.
    struct QuietSpan
    {
        qint64 from = 0;
        qint64 to = 0;
        int offset = 0;
    };
    std::optional<QuietSpan> quietSpanAround(qint64 naiveMs) const;

private:
    QTimeZone m_zone;
    qint64 m_coveredFrom = 0;
    qint64 m_coveredTo = 0;
    std::vector<qint64> m_changes; // instants of the changes in the covered years, ascending
    std::vector<int> m_offsets; // m_offsets[i]: in force before m_changes[i]; one more at the end
};

} // namespace store::recurrence
