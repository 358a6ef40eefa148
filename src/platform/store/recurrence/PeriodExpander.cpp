#include "platform/store/recurrence/PeriodExpander.h"

#include <algorithm>

namespace store::recurrence {

namespace {

// Far beyond any calendar anyone plans with (31 December 9999); ends a rule whose interval never
// meets its days.
constexpr qint64 kLastJulianDay = 5373484;

QList<int> orDefault(const QList<int>& values, int fallback)
{
    return values.isEmpty() ? QList<int>{fallback} : values;
}

} // namespace

PeriodExpander::PeriodExpander(const RuleParts& rule, const WallTime& start,
                               const std::optional<WallTime>& resumeAt,
                               const std::optional<WallTime>& horizon, ExpansionBudget& budget)
    : m_rule(rule)
    , m_start(start)
    , m_matcher(rule, start.date)
    , m_horizon(horizon)
    , m_budget(budget)
{
    for (int hour : orDefault(rule.hours, start.time.hour())) {
        for (int minute : orDefault(rule.minutes, start.time.minute())) {
            for (int second : orDefault(rule.seconds, start.time.second())) {
                const QTime time(hour, minute, second);
                if (time.isValid())
                    m_times << time;
            }
        }
    }
    if (rule.frequency == Frequency::Yearly && !rule.weekNumbers.isEmpty()) {
        // Week numbers count in week-numbering years. A start that is itself an occurrence
        // makes its own week-year the first period (2 January 2010 lies in week 53 of 2009);
        // any other start begins with its calendar year.
        m_weekYears = true;
        m_firstWeekYear = m_matcher.matches(start.date)
                              ? weekYearOf(start.date, rule.effectiveWeekStart())
                              : start.date.year();
    }
    m_everyDay = rule.frequency == Frequency::Daily && m_matcher.admitsEveryDay();
    if (resumeAt && rule.count == 0 && *resumeAt > start)
        m_period = qMax<qint64>(0, unitOf(resumeAt->date) / rule.interval);
    if (m_times.isEmpty() || rule.isSubDaily())
        m_done = true;
}

QDate PeriodExpander::firstDayOf(qint64 unit) const
{
    if (m_weekYears)
        return weekOneStart(m_firstWeekYear + int(unit), m_rule.effectiveWeekStart());
    return periodStart(m_rule.frequency, m_rule.effectiveWeekStart(), m_start.date, unit);
}

QDate PeriodExpander::lastDayOf(qint64 unit) const
{
    if (m_rule.frequency == Frequency::Daily)
        return firstDayOf(unit);
    return firstDayOf(unit + 1).addDays(-1);
}

qint64 PeriodExpander::unitOf(const QDate& day) const
{
    if (m_weekYears)
        return weekYearOf(day, m_rule.effectiveWeekStart()) - m_firstWeekYear;
    return periodsBetween(m_rule.frequency, m_rule.effectiveWeekStart(), m_start.date, day);
}

std::optional<WallTime> PeriodExpander::next()
{
    if (m_nextPending >= m_pending.size() && !fillNextPeriod())
        return std::nullopt;
    return m_pending[m_nextPending++];
}

bool PeriodExpander::fillNextPeriod()
{
    m_pending.clear();
    m_nextPending = 0;
    if (m_everyDay && m_rule.setPositions.isEmpty())
        return fillDays();
    while (!m_done) {
        const qint64 unit = m_period++ * m_rule.interval;
        const QDate first = firstDayOf(unit);
        const QDate last = lastDayOf(unit);
        if (!first.isValid() || first.toJulianDay() > kLastJulianDay ||
            (m_horizon && first > m_horizon->date) || !m_budget.spend(first.daysTo(last) + 1)) {
            m_done = true;
            break;
        }
        m_days.clear();
        for (QDate day = first; day <= last; day = day.addDays(1)) {
            if (m_matcher.matches(day))
                m_days.push_back(day);
        }
        select();
        if (!m_pending.empty())
            return true;
    }
    return false;
}

// A daily rule that no date part narrows, the commonest of all: every period is its own day,
// taken without the calendar arithmetic, a good number of days at a time.
bool PeriodExpander::fillDays()
{
    constexpr size_t kBatch = 64;
    const qint64 firstDay = m_start.date.toJulianDay();
    while (!m_done && m_pending.size() < kBatch) {
        const qint64 julianDay = firstDay + m_period++ * m_rule.interval;
        const QDate day = QDate::fromJulianDay(julianDay);
        if (julianDay > kLastJulianDay || (m_horizon && day > m_horizon->date) ||
            !m_budget.spend()) {
            m_done = true;
            break;
        }
        for (const QTime& time : std::as_const(m_times)) {
            const WallTime wall{day, time};
            if (wall >= m_start && (!m_horizon || wall <= *m_horizon))
                m_pending.push_back(wall);
        }
    }
    return !m_pending.empty();
}

// The period's set is every admitted day at every time of day, in order. BYSETPOS picks from
// that set by index, so the set is never built: a rule with many times a day over a month
// would hold millions of entries.
void PeriodExpander::select()
{
    const auto keep = [this](const WallTime& wall) {
        if (wall >= m_start && (!m_horizon || wall <= *m_horizon))
            m_pending.push_back(wall);
    };
    if (m_rule.setPositions.isEmpty()) {
        for (const QDate& day : m_days) {
            for (const QTime& time : std::as_const(m_times))
                keep(WallTime{day, time});
        }
        return;
    }
    const qint64 perDay = m_times.size();
    const qint64 size = qint64(m_days.size()) * perDay;
    std::vector<WallTime> chosen;
    for (int position : m_rule.setPositions) {
        const qint64 index = position > 0 ? position - 1 : size + position;
        if (index >= 0 && index < size)
            chosen.push_back(WallTime{m_days[size_t(index / perDay)], m_times.at(index % perDay)});
    }
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    for (const WallTime& wall : chosen)
        keep(wall);
}

} // namespace store::recurrence
