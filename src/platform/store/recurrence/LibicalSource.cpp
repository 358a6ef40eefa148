#include "platform/store/recurrence/LibicalSource.h"

#include "platform/store/recurrence/DayMatcher.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdlib>

namespace store::recurrence {

namespace {

icaltimetype toIcal(const WallTime& wall)
{
    icaltimetype time = icaltime_null_time();
    time.year = wall.date.year();
    time.month = wall.date.month();
    time.day = wall.date.day();
    time.hour = wall.time.hour();
    time.minute = wall.time.minute();
    time.second = wall.time.second();
    time.is_date = 0;
    time.zone = nullptr;
    return time;
}

// libical ends each list with ICAL_RECURRENCE_ARRAY_MAX; a list that leaves no room for it
// is refused rather than truncated.
template <size_t N> bool fill(short (&array)[N], const QList<int>& values)
{
    if (size_t(values.size()) >= N)
        return false;
    for (qsizetype i = 0; i < values.size(); ++i)
        array[i] = short(values.at(i));
    array[values.size()] = ICAL_RECURRENCE_ARRAY_MAX;
    return true;
}

// libical keeps a numbered weekday as sign(n) * (|n| * 8 + weekday), and its weekly expansion
// relies on the order its own parser gives: by weekday, counted from the week start.
QList<int> encodedDays(QList<RecurrenceDayOfWeek> days, int weekStart)
{
    std::stable_sort(days.begin(), days.end(), [weekStart](const auto& a, const auto& b) {
        return (a.dayOfTheWeek - weekStart + 7) % 7 < (b.dayOfTheWeek - weekStart + 7) % 7;
    });
    QList<int> encoded;
    for (const RecurrenceDayOfWeek& day : days) {
        const int magnitude = std::abs(day.weekNumber) * 8 + day.dayOfTheWeek;
        encoded << (day.weekNumber < 0 ? -magnitude : magnitude);
    }
    return encoded;
}

bool buildRecurrence(const RuleParts& rule, icalrecurrencetype& recurrence)
{
    icalrecurrencetype_clear(&recurrence);
    recurrence.freq = icalrecurrencetype_frequency(int(rule.frequency));
    recurrence.interval = short(rule.interval);
    recurrence.week_start = icalrecurrencetype_weekday(rule.effectiveWeekStart());
    return fill(recurrence.by_second, rule.seconds) && fill(recurrence.by_minute, rule.minutes) &&
           fill(recurrence.by_hour, rule.hours) &&
           fill(recurrence.by_day, encodedDays(rule.days, rule.effectiveWeekStart())) &&
           fill(recurrence.by_month_day, rule.monthDays) &&
           fill(recurrence.by_year_day, rule.yearDays) &&
           fill(recurrence.by_week_no, rule.weekNumbers) &&
           fill(recurrence.by_month, rule.months) && fill(recurrence.by_set_pos, rule.setPositions);
}

} // namespace

bool LibicalSource::accepts(const RuleParts& rule, const WallTime& start,
                            const std::optional<WallTime>& horizon)
{
    if (!rule.weekNumbers.isEmpty())
        return false;
    // Within a few months a sub-daily search ends at the horizon, as libical tests UNTIL as it
    // goes.
    if (rule.isSubDaily() && (!horizon || start.date.daysTo(horizon->date) > 100))
        return false;
    return canEverOccur(rule, start.date);
}

LibicalSource::LibicalSource(const RuleParts& rule, const WallTime& start,
                             const std::optional<WallTime>& resumeAt,
                             const std::optional<WallTime>& horizon)
{
    if (!accepts(rule, start, horizon))
        return;
    icalrecurrencetype recurrence;
    if (!buildRecurrence(rule, recurrence))
        return;
    if (horizon)
        recurrence.until = toIcal(*horizon);
    m_iterator = icalrecur_iterator_new(recurrence, toIcal(start));
    if (m_iterator && resumeAt && *resumeAt > start && rule.count == 0)
        icalrecur_iterator_set_start(m_iterator, toIcal(*resumeAt));
}

LibicalSource::~LibicalSource()
{
    if (m_iterator)
        icalrecur_iterator_free(m_iterator);
}

std::optional<WallTime> LibicalSource::next()
{
    if (!m_iterator)
        return std::nullopt;
    const icaltimetype next = icalrecur_iterator_next(m_iterator);
    if (icaltime_is_null_time(next))
        return std::nullopt;
    const QDate date(next.year, next.month, next.day);
    const QTime time = next.is_date ? QTime(0, 0) : QTime(next.hour, next.minute, next.second);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return WallTime{date, time};
}

} // namespace store::recurrence
