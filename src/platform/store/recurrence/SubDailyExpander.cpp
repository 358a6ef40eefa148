#include "platform/store/recurrence/SubDailyExpander.h"

#include <algorithm>

namespace store::recurrence {

namespace {

constexpr qint64 kSecondsPerDay = 86400;
// The last day anyone plans with: 9999-12-31, in days since 1970.
constexpr qint64 kLastDay = 2932896;

qint64 floorDiv(qint64 a, qint64 b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

qint64 naiveSeconds(const WallTime& wall)
{
    return floorDiv(wall.naiveMs(), 1000);
}

// The smallest value in a sorted list above `value`, or -1.
int nextListed(const QList<int>& sorted, int value)
{
    const auto found = std::upper_bound(sorted.cbegin(), sorted.cend(), value);
    return found == sorted.cend() ? -1 : *found;
}

qint64 secondsPerUnit(Frequency frequency)
{
    switch (frequency) {
    case Frequency::Hourly:
        return 3600;
    case Frequency::Minutely:
        return 60;
    default:
        return 1;
    }
}

} // namespace

SubDailyExpander::SubDailyExpander(const RuleParts& rule, const WallTime& start,
                                   const std::optional<WallTime>& resumeAt,
                                   const std::optional<WallTime>& horizon, ExpansionBudget& budget)
    : m_rule(rule)
    , m_start(start)
    , m_startSecond(naiveSeconds(start))
    , m_matcher(rule, start.date)
    , m_budget(budget)
{
    const qint64 unit = secondsPerUnit(rule.frequency);
    m_step = unit * rule.interval;
    m_first = floorDiv(m_startSecond, unit) * unit;
    if (horizon)
        m_horizon = naiveSeconds(*horizon);
    if (resumeAt && rule.count == 0 && *resumeAt > start)
        m_period = floorDiv(naiveSeconds(*resumeAt) - m_first, m_step);
    m_done = !rule.isSubDaily();
}

std::optional<WallTime> SubDailyExpander::next()
{
    if (m_nextPending >= m_pending.size() && !fillNextPeriod())
        return std::nullopt;
    return m_pending[m_nextPending++];
}

void SubDailyExpander::skipTo(qint64 second)
{
    m_period = std::max(m_period + 1, -floorDiv(m_first - second, m_step));
}

bool SubDailyExpander::dayMatches(qint64 day)
{
    if (day != m_matchedDay) {
        m_matchedDay = day;
        m_dayMatched = m_matcher.matches(WallTime::fromNaiveMs(day * kSecondsPerDay * 1000).date);
    }
    return m_dayMatched;
}

bool SubDailyExpander::fillNextPeriod()
{
    m_pending.clear();
    m_nextPending = 0;
    while (!m_done) {
        const qint64 at = m_first + m_period * m_step;
        const qint64 day = floorDiv(at, kSecondsPerDay);
        if (day > kLastDay || (m_horizon && at > *m_horizon) || !m_budget.spend()) {
            m_done = true;
            break;
        }
        const qint64 dayStart = day * kSecondsPerDay;
        if (!dayMatches(day)) {
            skipTo(dayStart + kSecondsPerDay);
            continue;
        }
        const int inDay = int(at - dayStart);
        const int hour = inDay / 3600;
        const int minute = inDay / 60 % 60;
        const int second = inDay % 60;
        // A part that rules out this hour or minute moves on to the next value it allows.
        if (!m_rule.hours.isEmpty() && !m_rule.hours.contains(hour)) {
            const int next = nextListed(m_rule.hours, hour);
            skipTo(next < 0 ? dayStart + kSecondsPerDay : dayStart + next * 3600);
            continue;
        }
        if (m_rule.frequency != Frequency::Hourly && !m_rule.minutes.isEmpty() &&
            !m_rule.minutes.contains(minute)) {
            const int next = nextListed(m_rule.minutes, minute);
            skipTo(dayStart + hour * 3600 + (next < 0 ? 3600 : next * 60));
            continue;
        }
        if (m_rule.frequency == Frequency::Secondly && !m_rule.seconds.isEmpty() &&
            !m_rule.seconds.contains(second)) {
            const int next = nextListed(m_rule.seconds, second);
            skipTo(dayStart + hour * 3600 + minute * 60 + (next < 0 ? 60 : next));
            continue;
        }
        ++m_period;
        addPeriod(day, hour, minute, second);
        if (!m_pending.empty())
            return true;
    }
    return false;
}

// The period's set: the minutes and seconds of an hour, the seconds of a minute, or the second
// itself, each from its list or from the start; BYSETPOS picks from that set.
void SubDailyExpander::addPeriod(qint64 day, int hour, int minute, int second)
{
    const QList<int> startMinute{m_start.time.minute()};
    const QList<int> startSecond{m_start.time.second()};
    const QList<int> ownMinute{minute};
    const QList<int> ownSecond{second};
    const QList<int>& minutes = m_rule.frequency != Frequency::Hourly ? ownMinute
                                : m_rule.minutes.isEmpty()            ? startMinute
                                                                      : m_rule.minutes;
    const QList<int>& seconds = m_rule.frequency == Frequency::Secondly ? ownSecond
                                : m_rule.seconds.isEmpty()              ? startSecond
                                                                        : m_rule.seconds;
    const QDate date = WallTime::fromNaiveMs(day * kSecondsPerDay * 1000).date;
    std::vector<WallTime> set;
    for (int m : minutes) {
        for (int s : seconds) {
            // Second 60 exists only as a leap second, which clocks here never show.
            if (s < 60)
                set.push_back({date, QTime(hour, m, s)});
        }
    }
    std::vector<WallTime> chosen;
    if (m_rule.setPositions.isEmpty()) {
        chosen = std::move(set);
    } else {
        const qint64 size = qint64(set.size());
        for (int position : m_rule.setPositions) {
            const qint64 index = position > 0 ? position - 1 : size + position;
            if (index >= 0 && index < size)
                chosen.push_back(set[size_t(index)]);
        }
        std::sort(chosen.begin(), chosen.end());
        chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    }
    for (const WallTime& wall : chosen) {
        const qint64 at = naiveSeconds(wall);
        if (at >= m_startSecond && (!m_horizon || at <= *m_horizon))
            m_pending.push_back(wall);
    }
}

} // namespace store::recurrence
