#pragma once

#include <QDateTime>
#include <QString>

class ReferenceDates;
class UserDefaults;

// Calendar arithmetic in the local time zone (Gregorian, days of 23 or 25 hours across a
// daylight-saving change) and the short relative texts that head the task list and mark
// overdue tasks. Nothing is cached: every function reads the installed reference dates and
// the "sundayFirst" preference when it is called, so a new day or a changed first weekday shows
// in the very next text. All functions may be called from any thread.
class Global
{
public:
    Global() = delete;

    // Installs the reference dates the descriptions measure against and the preferences
    // "sundayFirst" is read from, for as long as it lives, and puts back what was installed
    // before when it goes, so nothing outlives its scope. Null stands for the system clock's
    // dates and the standard preferences. Both objects must outlive the context.
    class Context
    {
    public:
        Context(const ReferenceDates* dates, UserDefaults* preferences);
        ~Context();
        Context(const Context&) = delete;
        Context& operator=(const Context&) = delete;

    private:
        const ReferenceDates* m_previousDates;
        UserDefaults* m_previousPreferences;
    };
    static const ReferenceDates& referenceDates();
    static UserDefaults& preferences();
    static bool sundayFirst();

    // The day start of the latest Sunday (Sunday-first weeks) or Monday on or before the date.
    static QDateTime calculateStartingDayOfTheWeekOnDate(const QDateTime& date);
    static QDateTime calculateStartingDayOfTheWeekOnDate(const QDateTime& date, bool sundayFirst);
    static QDateTime calculateStartingDayOfTheMonthOnDate(const QDateTime& date);

    // Calendar days between the days of the two instants, whatever their times of day.
    static qint64 daysBetweenDate(const QDateTime& from, const QDateTime& to);
    // Whole elapsed days, weeks and months from one instant to the other, truncated toward
    // zero; negative when `to` is earlier.
    static qint64 daysBetween(const QDateTime& from, const QDateTime& to);
    static qint64 weeksBetween(const QDateTime& from, const QDateTime& to);
    static qint64 monthsBetween(const QDateTime& from, const QDateTime& to);
    // Differences of the month field (years ignored) and of the year field.
    static int monthsAbsoluteBetween(const QDateTime& from, const QDateTime& to);
    static int yearsAbsoluteBetween(const QDateTime& from, const QDateTime& to);

    static bool isSameDayWithDate1(const QDateTime& date1, const QDateTime& date2);
    // Whether an event from date1 to date2 falls on the day that runs from the day start `date`
    // to the next day start `helperDate`; an event ending exactly at `date` still counts.
    static bool isDate(const QDateTime& date, const QDateTime& helperDate, const QDateTime& date1,
                       const QDateTime& date2);

    // Relative texts against today, this week and this month ("Tomorrow", "Next Week",
    // "3 Months ago"); empty for an invalid date.
    static QString dayDescriptionForDate(const QDateTime& date);
    // Counts calendar days, so 23:30 yesterday read just after midnight is "Yesterday".
    static QString overdueDayDescriptionForDate(const QDateTime& date);
    static QString weekDescriptionForDate(const QDateTime& date);
    static QString monthDescriptionForDate(const QDateTime& date);
};
