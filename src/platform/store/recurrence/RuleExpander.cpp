#include "platform/store/recurrence/RuleExpander.h"

#include "platform/store/recurrence/DayMatcher.h"
#include "platform/store/recurrence/LibicalSource.h"
#include "platform/store/recurrence/Logging.h"
#include "platform/store/recurrence/PeriodExpander.h"

#include <algorithm>
#include <memory>

namespace store::recurrence {

namespace {

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
    {}

    bool admits(const WallTime& wall, const QDateTime& instant) const
    {
        if (!m_until.isValid())
            return true;
        if (m_frame.allDay() || m_until.isDate())
            return wall.date <= m_until.date;
        if (m_until.utc)
            return instant <= QDateTime(m_until.date, m_until.time, Qt::UTC);
        return wall <= WallTime{m_until.date, m_until.time};
    }

    // Admitted whatever zone the UNTIL value was written in.
    bool surelyAdmits(const WallTime& wall) const
    {
        return !m_until.isValid() || wall.date.daysTo(m_until.date) > 1;
    }

    // The last wall time the iterator needs to look at.
    std::optional<WallTime> horizon() const
    {
        if (!m_until.isValid())
            return std::nullopt;
        if (m_frame.allDay() || m_until.isDate())
            return WallTime{m_until.date, QTime(23, 59, 59)};
        if (m_until.utc) {
            const QDateTime instant(m_until.date, m_until.time, Qt::UTC);
            return WallTime::fromNaive(m_frame.wallOf(instant).naive().addDays(1));
        }
        return WallTime{m_until.date, m_until.time};
    }

private:
    RuleUntil m_until;
    const SeriesFrame& m_frame;
};

std::optional<WallTime> earliest(const std::optional<WallTime>& a, const WallTime& b)
{
    return a && *a < b ? *a : b;
}

qint64 secondsPerPeriod(Frequency frequency)
{
    switch (frequency) {
    case Frequency::Secondly:
        return 1;
    case Frequency::Minutely:
        return 60;
    default:
        return 3600;
    }
}

struct Rebased
{
    RuleParts rule;
    WallTime start;
};

// A daily or longer rule without COUNT, moved to start a whole number of intervals later, at the
// beginning of a period one before the one holding `resumeAt`. The parts it took from its old
// start are written out, so it describes the same dates from there on; libical then need not
// walk years of steps before a window. The first period may come out short (libical starts at
// the new start), but it lies before `resumeAt`.
std::optional<Rebased> rebased(const RuleParts& rule, const WallTime& start,
                               const WallTime& resumeAt)
{
    if (rule.count > 0 || rule.isSubDaily())
        return std::nullopt;
    const int weekStart = rule.effectiveWeekStart();
    const qint64 periods =
        periodsBetween(rule.frequency, weekStart, start.date, resumeAt.date) / rule.interval - 1;
    if (periods < 1)
        return std::nullopt;
    const QDate first = periodStart(rule.frequency, weekStart, start.date, periods * rule.interval);
    return Rebased{withImplicitParts(rule, start.date), WallTime{first, start.time}};
}

// libical 3.0.16 gets these shapes wrong, so we expand them ourselves:
// - BYWEEKNO: without BYDAY it picks a weekday other than the start's, and week 53 or negative
//   week numbers fall in the wrong years or yield nothing. Weeks belong to week-numbering years,
//   and INTERVAL counts those years from the one of the start.
// - DAILY with a negative BYMONTHDAY ("the last day of each month") yields nothing, after
//   searching for a third of a second.
// - BYSETPOS in a weekly rule, or over several times of day, picks from the wrong set.
bool libicalGetsWrong(const RuleParts& rule)
{
    if (rule.isSubDaily())
        return false;
    const bool negativeMonthDay = std::any_of(rule.monthDays.cbegin(), rule.monthDays.cend(),
                                              [](int day) { return day < 0; });
    return !rule.weekNumbers.isEmpty() ||
           (rule.frequency == Frequency::Daily && negativeMonthDay) ||
           (!rule.setPositions.isEmpty() &&
            (rule.frequency == Frequency::Weekly || rule.hasTimeParts()));
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

Engine engineFor(const RuleParts& rule, const SeriesFrame& frame)
{
    if (frame.allDay() && rule.isSubDaily())
        return Engine::None;
    if (!canEverOccur(rule, frame.start().date))
        return Engine::None;
    if (libicalGetsWrong(rule))
        return Engine::Periods;
    // libical also refuses some rules iCalendar allows, such as a yearly rule with both BYMONTH
    // and BYYEARDAY.
    if (!LibicalSource(rule, frame.start(), std::nullopt, std::nullopt).isValid()) {
        qCDebug(lcRecurrence) << "libical refuses" << formatRuleParts(rule);
        return rule.isSubDaily() ? Engine::None : Engine::Periods;
    }
    return Engine::Libical;
}

QList<QDateTime> expandRule(const RuleParts& input, const SeriesFrame& frame, const QDateTime& from,
                            const QDateTime& to, int limit, ExpansionBudget& budget,
                            std::optional<Engine> engine)
{
    QList<QDateTime> out;
    if (limit <= 0 || (from.isValid() && to.isValid() && from >= to))
        return out;
    const auto inWindow = [&from, &to](const QDateTime& instant) {
        return (!from.isValid() || instant >= from) && (!to.isValid() || instant < to);
    };
    const RuleParts rule = expansionForm(input, frame);
    const WallTime start = frame.start();
    const QDateTime startInstant = frame.startInstant();
    if (inWindow(startInstant))
        out << startInstant;
    if (!engine)
        engine = engineFor(rule, frame);
    if (rule.count == 1 || out.size() >= limit || engine == Engine::None)
        return out;

    const UntilBound until(rule.until, frame);
    std::optional<WallTime> horizon = until.horizon();
    if (to.isValid())
        horizon = earliest(horizon, WallTime::fromNaive(frame.wallOf(to).naive().addDays(1)));
    // A rule without COUNT need not be walked from its start; the margin absorbs any offset
    // between the window's zone and the series' wall clock.
    std::optional<WallTime> resumeAt;
    if (rule.count == 0 && from.isValid()) {
        const WallTime margin = WallTime::fromNaive(frame.wallOf(from).naive().addDays(-1));
        if (margin > start)
            resumeAt = margin;
    }
    std::unique_ptr<OccurrenceSource> source;
    if (engine == Engine::Periods) {
        source = std::make_unique<PeriodExpander>(rule, start, resumeAt, horizon, budget);
    } else {
        if (rule.isSubDaily()) {
            // libical tests UNTIL inside its search, so a horizon this close bounds even a
            // single step that never finds a match.
            const qint64 reach = ExpansionBudget::kMaxSteps * secondsPerPeriod(rule.frequency);
            horizon = earliest(
                horizon, WallTime::fromNaive(resumeAt.value_or(start).naive().addSecs(reach)));
        }
        // Daily and longer rules move their start instead: libical's own resume is only relied
        // on where every step is a second or a minute.
        const std::optional<Rebased> moved =
            resumeAt && !rule.isSubDaily() ? rebased(rule, start, *resumeAt) : std::nullopt;
        auto libical = moved ? std::make_unique<LibicalSource>(moved->rule, moved->start,
                                                               std::nullopt, horizon)
                             : std::make_unique<LibicalSource>(rule, start, resumeAt, horizon);
        if (!libical->isValid())
            return out;
        source = std::move(libical);
    }

    // Wall times this far before the window cannot fall in it; they are only counted.
    const WallTime skipBefore =
        from.isValid() ? WallTime::fromNaive(frame.wallOf(from).naive().addDays(-1)) : start;
    int counted = 1;
    WallTime last = start;
    while (budget.spend()) {
        const std::optional<WallTime> wall = source->next();
        if (!wall || (horizon && *wall > *horizon))
            break;
        // The start was produced already; a step back would be an iterator fault.
        if (*wall <= last)
            continue;
        last = *wall;
        if (*wall < skipBefore && until.surelyAdmits(*wall)) {
            if (rule.count > 0 && ++counted > rule.count)
                break;
            continue;
        }
        const QDateTime instant = frame.instantOf(*wall);
        if (!until.admits(*wall, instant) || (rule.count > 0 && ++counted > rule.count))
            break;
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

} // namespace store::recurrence
