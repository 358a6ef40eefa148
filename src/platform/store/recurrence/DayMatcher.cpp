#include "platform/store/recurrence/DayMatcher.h"

#include <algorithm>

namespace store::recurrence {

int weekdayOf(const QDate& date)
{
    return date.dayOfWeek() % 7 + 1;
}

QDate weekStartOf(const QDate& date, int weekStart)
{
    return date.addDays(-((weekdayOf(date) - weekStart + 7) % 7));
}

QDate weekOneStart(int year, int weekStart)
{
    return weekStartOf(QDate(year, 1, 4), weekStart);
}

int weekYearOf(const QDate& date, int weekStart)
{
    const int year = date.year();
    if (date >= weekOneStart(year + 1, weekStart))
        return year + 1;
    if (date < weekOneStart(year, weekStart))
        return year - 1;
    return year;
}

int weeksInWeekYear(int weekYear, int weekStart)
{
    return int(weekOneStart(weekYear, weekStart).daysTo(weekOneStart(weekYear + 1, weekStart)) / 7);
}

qint64 periodsBetween(Frequency frequency, int weekStart, const QDate& from, const QDate& to)
{
    switch (frequency) {
    case Frequency::Weekly:
        return weekStartOf(from, weekStart).daysTo(weekStartOf(to, weekStart)) / 7;
    case Frequency::Monthly:
        return (to.year() - from.year()) * 12 + to.month() - from.month();
    case Frequency::Yearly:
        return to.year() - from.year();
    default:
        return from.daysTo(to);
    }
}

QDate periodStart(Frequency frequency, int weekStart, const QDate& day, qint64 periods)
{
    switch (frequency) {
    case Frequency::Weekly:
        return weekStartOf(day, weekStart).addDays(7 * periods);
    case Frequency::Monthly:
        return QDate(day.year(), day.month(), 1).addMonths(int(periods));
    case Frequency::Yearly:
        return QDate(day.year(), 1, 1).addYears(int(periods));
    default:
        return day.addDays(periods);
    }
}

namespace {

// A positive value counts from the start, a negative one from the end (-1 is the last).
bool matchesCounted(const QList<int>& values, int index, int length)
{
    return std::any_of(values.cbegin(), values.cend(), [index, length](int value) {
        return value > 0 ? value == index : length + 1 + value == index;
    });
}

} // namespace

RuleParts withImplicitParts(const RuleParts& rule, const QDate& start)
{
    RuleParts parts = rule;
    const bool narrowed = !parts.weekNumbers.isEmpty() || !parts.yearDays.isEmpty() ||
                          !parts.monthDays.isEmpty() || !parts.days.isEmpty();
    switch (rule.frequency) {
    case Frequency::Yearly:
        if (!narrowed) {
            if (parts.months.isEmpty())
                parts.months = {start.month()};
            parts.monthDays = {start.day()};
        } else if (parts.months.isEmpty() && !parts.monthDays.isEmpty() &&
                   parts.weekNumbers.isEmpty() && parts.yearDays.isEmpty()) {
            // Days of the month in a yearly rule mean the start's month, as libical and most
            // other readers take it; we always write BYMONTH so that the question never comes up.
            parts.months = {start.month()};
        }
        if (!parts.weekNumbers.isEmpty() && parts.days.isEmpty() && parts.monthDays.isEmpty() &&
            parts.yearDays.isEmpty())
            parts.days = {RecurrenceDayOfWeek{weekdayOf(start), 0}};
        break;
    case Frequency::Monthly:
        if (parts.monthDays.isEmpty() && parts.days.isEmpty())
            parts.monthDays = {start.day()};
        break;
    case Frequency::Weekly:
        if (parts.days.isEmpty())
            parts.days = {RecurrenceDayOfWeek{weekdayOf(start), 0}};
        break;
    default:
        break;
    }
    return parts;
}

DayMatcher::DayMatcher(const RuleParts& rule, const QDate& start)
    : m_weekStart(rule.effectiveWeekStart())
{
    const RuleParts parts = withImplicitParts(rule, start);
    m_months = parts.months;
    m_weekNumbers = parts.weekNumbers;
    m_yearDays = parts.yearDays;
    m_monthDays = parts.monthDays;
    m_days = parts.days;
    if (rule.frequency == Frequency::Monthly)
        m_scope = Scope::Month;
    else if (rule.frequency == Frequency::Yearly)
        m_scope = m_months.isEmpty() ? Scope::Year : Scope::Month;
}

bool DayMatcher::matches(const QDate& day) const
{
    if (!m_months.isEmpty() && !m_months.contains(day.month()))
        return false;
    if (!m_monthDays.isEmpty() && !matchesCounted(m_monthDays, day.day(), day.daysInMonth()))
        return false;
    if (!m_yearDays.isEmpty() && !matchesCounted(m_yearDays, day.dayOfYear(), day.daysInYear()))
        return false;
    if (!m_weekNumbers.isEmpty()) {
        const int weekYear = weekYearOf(day, m_weekStart);
        const int week = int(weekOneStart(weekYear, m_weekStart).daysTo(day) / 7) + 1;
        if (!matchesCounted(m_weekNumbers, week, weeksInWeekYear(weekYear, m_weekStart)))
            return false;
    }
    return m_days.isEmpty() || matchesWeekday(day);
}

bool DayMatcher::matchesWeekday(const QDate& day) const
{
    const int weekday = weekdayOf(day);
    const bool inMonth = m_scope == Scope::Month;
    const int index = (inMonth ? day.day() : day.dayOfYear()) - 1;
    const int length = inMonth ? day.daysInMonth() : day.daysInYear();
    for (const RecurrenceDayOfWeek& wanted : m_days) {
        if (wanted.dayOfTheWeek != weekday)
            continue;
        if (wanted.weekNumber == 0 || m_scope == Scope::None)
            return true;
        const int fromStart = index / 7 + 1;
        const int fromEnd = (length - 1 - index) / 7 + 1;
        if (wanted.weekNumber > 0 ? wanted.weekNumber == fromStart : -wanted.weekNumber == fromEnd)
            return true;
    }
    return false;
}

bool DayMatcher::canEverMatch() const
{
    // Within 1901-2099 the calendar repeats every 28 years: these years hold every kind of year
    // (leap or not, starting on each weekday) with the years around them.
    const QDate last(2028, 12, 31);
    for (QDate day(2000, 1, 1); day <= last; day = day.addDays(1)) {
        if (matches(day))
            return true;
    }
    return false;
}

bool canEverOccur(const RuleParts& rule, const QDate& start)
{
    RuleParts reachable = rule;
    switch (rule.frequency) {
    case Frequency::Daily:
        if (rule.interval % 7 == 0 && !rule.days.isEmpty()) {
            reachable.days.removeIf([&start](const RecurrenceDayOfWeek& day) {
                return day.dayOfTheWeek != weekdayOf(start);
            });
            if (reachable.days.isEmpty())
                return false;
        }
        break;
    case Frequency::Monthly: {
        QList<int> months;
        for (int step = 0; step < 12; ++step) {
            const int month = (start.month() - 1 + step * rule.interval) % 12 + 1;
            if ((rule.months.isEmpty() || rule.months.contains(month)) && !months.contains(month))
                months << month;
        }
        if (months.isEmpty())
            return false;
        reachable.months = months;
        break;
    }
    case Frequency::Yearly:
        // The kinds of year repeat every 28 years, so 28 steps reach every kind the interval
        // can reach.
        if (rule.interval > 1 && rule.weekNumbers.isEmpty()) {
            const DayMatcher matcher(rule, start);
            for (int step = 0; step < 28; ++step) {
                const int year = start.year() + step * rule.interval;
                for (QDate day(year, 1, 1); day.year() == year; day = day.addDays(1)) {
                    if (matcher.matches(day))
                        return true;
                }
            }
            return false;
        }
        break;
    default:
        break;
    }
    return DayMatcher(reachable, start).canEverMatch();
}

} // namespace store::recurrence
