#include "platform/store/recurrence/RuleExpander.h"

#include "platform/store/recurrence/DayMatcher.h"
#include "platform/store/recurrence/Logging.h"
#include "platform/store/recurrence/PeriodExpander.h"
#include "platform/store/recurrence/SubDailyExpander.h"

#include <memory>

namespace store::recurrence {

namespace {

constexpr qint64 kMsPerDay = 86400000;

// UNTIL as it bounds a series. For an all-day series, and for a DATE, the day counts whatever
// the zone it was written in (clients write an all-day UNTIL as a DATE, as midnight UTC or as
// the last second of the day in UTC, and all mean that day). A UTC value is an instant; a
// floating one is read on the series' own wall clock.
class UntilBound
{
public:
    UntilBound(const RuleUntil& until, const SeriesFrame& frame)
        : m_until(until)
        , m_frame(frame)
        , m_instant(until.utc ? QDateTime(until.date, until.time, Qt::UTC).toMSecsSinceEpoch() : 0)
    {}

    bool admits(const WallTime& wall, qint64 instant) const
    {
        if (!m_until.isValid())
            return true;
        if (m_frame.allDay() || m_until.isDate())
            return wall.date <= m_until.date;
        if (m_until.utc)
            return instant <= m_instant;
        return wall <= WallTime{m_until.date, m_until.time};
    }

    // The last wall time the iterator needs to look at.
    std::optional<WallTime> horizon() const
    {
        if (!m_until.isValid())
            return std::nullopt;
        if (m_frame.allDay() || m_until.isDate())
            return WallTime{m_until.date, QTime(23, 59, 59)};
        if (m_until.utc)
            return WallTime::fromNaiveMs(m_frame.wallOf(m_instant).naiveMs() + kMsPerDay);
        return WallTime{m_until.date, m_until.time};
    }

private:
    RuleUntil m_until;
    const SeriesFrame& m_frame;
    qint64 m_instant;
};

std::optional<WallTime> earliest(const std::optional<WallTime>& a, const WallTime& b)
{
    return a && *a < b ? *a : b;
}

std::unique_ptr<OccurrenceSource> sourceFor(Engine engine, const RuleParts& rule,
                                            const WallTime& start,
                                            const std::optional<WallTime>& resumeAt,
                                            const std::optional<WallTime>& horizon,
                                            ExpansionBudget& budget)
{
    switch (engine) {
    case Engine::Periods:
        if (rule.isSubDaily())
            return std::make_unique<SubDailyExpander>(rule, start, resumeAt, horizon, budget);
        return std::make_unique<PeriodExpander>(rule, start, resumeAt, horizon, budget);
    case Engine::None:
        break;
    }
    return nullptr;
}

} // namespace

RuleParts expansionForm(const RuleParts& rule, const SeriesFrame& frame)
{
    RuleParts form = normalized(rule);
    // Times of day mean nothing to a series of whole days.
    if (frame.allDay()) {
        form.hours.clear();
        form.minutes.clear();
        form.seconds.clear();
    }
    return form;
}

// Our own expansion serves every rule, under the budget from its first step. libical's iterator
// is not used: it gets several shapes wrong (BYWEEKNO, a daily rule with a negative BYMONTHDAY,
// BYSETPOS in weekly rules or over times of day, WEEKLY with INTERVAL and a late WKST, negative
// BYMONTHDAY and BYYEARDAY at sub-daily frequencies), crashes on some BYWEEKNO lists, and
// creating it can take seconds for a rule no date satisfies.
Engine engineFor(const RuleParts& rule, const SeriesFrame& frame)
{
    if (frame.allDay() && rule.isSubDaily())
        return Engine::None;
    if (!canEverOccur(rule, frame.start().date))
        return Engine::None;
    return Engine::Periods;
}

QList<qint64> expandRuleInstants(const RuleParts& input, const SeriesFrame& frame,
                                 std::optional<qint64> from, std::optional<qint64> to, int limit,
                                 ExpansionBudget& budget)
{
    QList<qint64> out;
    if (limit <= 0 || (from && to && *from >= *to))
        return out;
    const auto inWindow = [&from, &to](qint64 instant) {
        return (!from || instant >= *from) && (!to || instant < *to);
    };
    const RuleParts rule = expansionForm(input, frame);
    const WallTime start = frame.start();
    const qint64 startInstant = frame.startInstant().toMSecsSinceEpoch();
    if (inWindow(startInstant))
        out << startInstant;
    const Engine engine = engineFor(rule, frame);
    if (rule.count == 1 || out.size() >= limit || engine == Engine::None)
        return out;

    const UntilBound until(rule.until, frame);
    std::optional<WallTime> horizon = until.horizon();
    if (to)
        horizon = earliest(horizon, WallTime::fromNaiveMs(frame.wallOf(*to).naiveMs() + kMsPerDay));
    // A rule without COUNT need not be walked from its start; the margin absorbs any offset
    // between the window's zone and the series' wall clock.
    std::optional<WallTime> resumeAt;
    if (rule.count == 0 && from) {
        const WallTime margin = WallTime::fromNaiveMs(frame.wallOf(*from).naiveMs() - kMsPerDay);
        if (margin > start)
            resumeAt = margin;
    }
    const std::unique_ptr<OccurrenceSource> source =
        sourceFor(engine, rule, start, resumeAt, horizon, budget);
    if (!source)
        return out;

    int counted = 1;
    WallTime lastWall = start;
    qint64 last = startInstant;
    while (budget.spend()) {
        const std::optional<WallTime> wall = source->next();
        if (!wall || (horizon && *wall > *horizon))
            break;
        // The start was produced already; a step back would be an iterator fault.
        if (*wall <= lastWall)
            continue;
        lastWall = *wall;
        const ZoneOffsets::Readings readings = frame.readingsOf(*wall);
        // A time the clock skips is no occurrence, and does not count.
        if (readings.count == 0)
            continue;
        // In the hour the autumn change repeats, a series already in its second pass stays
        // there; occurrences never go back in time.
        qint64 instant = readings.first;
        if (instant <= last && readings.count == 2)
            instant = readings.second;
        if (instant <= last)
            continue;
        if (!until.admits(*wall, instant) || (rule.count > 0 && ++counted > rule.count))
            break;
        last = instant;
        if (!inWindow(instant))
            continue;
        out << instant;
        if (out.size() >= limit)
            break;
    }
    if (budget.exhausted())
        qCWarning(lcRecurrence) << "Stopped expanding" << formatRuleParts(rule)
                                << "at its work limit";
    return out;
}

QList<QDateTime> expandRule(const RuleParts& rule, const SeriesFrame& frame, const QDateTime& from,
                            const QDateTime& to, int limit, ExpansionBudget& budget)
{
    const auto msOf = [](const QDateTime& time) {
        return time.isValid() ? std::optional(time.toMSecsSinceEpoch()) : std::nullopt;
    };
    QList<QDateTime> out;
    for (qint64 instant : expandRuleInstants(rule, frame, msOf(from), msOf(to), limit, budget))
        out << frame.inFrame(instant);
    return out;
}

} // namespace store::recurrence
