#pragma once

#include "platform/store/recurrence/RuleParts.h"

#include <QDate>

namespace store::recurrence {

// Weekdays here count 1 = Sunday ... 7 = Saturday, as RRULEs and RecurrenceDayOfWeek do.
int weekdayOf(const QDate& date);
QDate weekStartOf(const QDate& date, int weekStart);
// Week 1 of a year is the first week (starting on `weekStart`) with four or more of its days.
QDate weekOneStart(int year, int weekStart);
int weekYearOf(const QDate& date, int weekStart);
int weeksInWeekYear(int weekYear, int weekStart);

// Whole periods of a daily or longer frequency (days, weeks, months, years) from the one
// holding `from` to the one holding `to`.
qint64 periodsBetween(Frequency frequency, int weekStart, const QDate& from, const QDate& to);
// The first day of the period `periods` periods after the one holding `day`.
QDate periodStart(Frequency frequency, int weekStart, const QDate& day, qint64 periods);

// The rule with the date parts it leaves to its start written out: a monthly rule without days
// repeats on the start's day of the month, a weekly one on the start's weekday, a yearly one on
// the start's month and day (or day of the month for a yearly rule naming only months, or month
// for one naming only days of the month), a yearly rule on week numbers on the start's weekday.
RuleParts withImplicitParts(const RuleParts& rule, const QDate& start);

// Decides whether a calendar day belongs to a rule: every date part (BYMONTH, BYWEEKNO,
// BYYEARDAY, BYMONTHDAY, BYDAY) must admit it, with the parts the rule leaves out taken from its
// start. Numbered weekdays count within the month or the year as the frequency says.
class DayMatcher
{
public:
    DayMatcher(const RuleParts& rule, const QDate& start);

    bool matches(const QDate& day) const;
    // False when no day of any year can match, e.g. the 30th of February. Such a rule must never
    // reach an iterator: libical searches for a match for minutes at sub-daily frequencies.
    bool canEverMatch() const;
    // True when every day matches: the rule and its start leave no date part.
    bool admitsEveryDay() const
    {
        return m_months.isEmpty() && m_weekNumbers.isEmpty() && m_yearDays.isEmpty() &&
               m_monthDays.isEmpty() && m_days.isEmpty();
    }

private:
    enum class Scope { None, Month, Year };

    bool matchesWeekday(const QDate& day) const;

    QList<int> m_months;
    QList<int> m_weekNumbers;
    QList<int> m_yearDays;
    QList<int> m_monthDays;
    QList<RecurrenceDayOfWeek> m_days;
    Scope m_scope = Scope::None;
    int m_weekStart = 2;
};

// Whether stepping by the rule's interval from `start` can ever reach a day the rule admits.
// An interval can rule out what the date parts allow: every other month from April never
// meets March, every seventh day never leaves the start's weekday. libical searches up to
// its last year for those inside a single step, whatever UNTIL says.
bool canEverOccur(const RuleParts& rule, const QDate& start);

} // namespace store::recurrence
