#include "text/Global.h"

#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "text/ClockReferenceDates.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>

namespace {

// Installed from the main thread, read by the count job as well: plain atomic pointers keep a
// reader from ever seeing a half-written one without taking a lock on every text.
std::atomic<const ReferenceDates*> installedReferenceDates{nullptr};
std::atomic<UserDefaults*> installedPreferences{nullptr};

const ReferenceDates& clockReferenceDates()
{
    static const ClockReferenceDates dates(Clock::system());
    return dates;
}

// The texts themselves, translated at each call.
QString yesterdayText()
{
    return QCoreApplication::translate("Global", "Yesterday");
}

QString todayText()
{
    return QCoreApplication::translate("Global", "Today");
}

QString tomorrowText()
{
    return QCoreApplication::translate("Global", "Tomorrow");
}

QString daysLaterText(qint64 days)
{
    return QCoreApplication::translate("Global", "%n Day(s) later", nullptr, int(days));
}

QString daysAgoText(qint64 days)
{
    return QCoreApplication::translate("Global", "%n Day(s) ago", nullptr, int(days));
}

QString lastWeekText()
{
    return QCoreApplication::translate("Global", "Last Week");
}

QString thisWeekText()
{
    return QCoreApplication::translate("Global", "This Week");
}

QString nextWeekText()
{
    return QCoreApplication::translate("Global", "Next Week");
}

QString weeksLaterText(qint64 weeks)
{
    return QCoreApplication::translate("Global", "%n Week(s) later", nullptr, int(weeks));
}

QString weeksAgoText(qint64 weeks)
{
    return QCoreApplication::translate("Global", "%n Week(s) ago", nullptr, int(weeks));
}

QString lastMonthText()
{
    return QCoreApplication::translate("Global", "Last Month");
}

QString thisMonthText()
{
    return QCoreApplication::translate("Global", "This Month");
}

QString nextMonthText()
{
    return QCoreApplication::translate("Global", "Next Month");
}

QString monthsLaterText(qint64 months)
{
    return QCoreApplication::translate("Global", "%n Month(s) later", nullptr, int(months));
}

QString monthsAgoText(qint64 months)
{
    return QCoreApplication::translate("Global", "%n Month(s) ago", nullptr, int(months));
}

QString lastYearText()
{
    return QCoreApplication::translate("Global", "Last Year");
}

QString nextYearText()
{
    return QCoreApplication::translate("Global", "Next Year");
}

QString yearsLaterText(qint64 years)
{
    return QCoreApplication::translate("Global", "%n Year(s) later", nullptr, int(years));
}

QString yearsAgoText(qint64 years)
{
    return QCoreApplication::translate("Global", "%n Year(s) ago", nullptr, int(years));
}

// What a day or week text falls back to once its own range is left: whole years when the
// calendar years differ, otherwise the distance between the two months of the year.
QString yearAndMonthText(const QDateTime& from, const QDateTime& to)
{
    const int years = Global::yearsAbsoluteBetween(from, to);
    if (years == 1)
        return nextYearText();
    if (years == -1)
        return lastYearText();
    if (years >= 2)
        return yearsLaterText(years);
    if (years <= -2)
        return yearsAgoText(-years);

    const int months = Global::monthsAbsoluteBetween(from, to);
    if (months == -1)
        return lastMonthText();
    if (months == 0)
        return thisMonthText();
    if (months == 1)
        return nextMonthText();
    return months >= 2 ? monthsLaterText(months) : monthsAgoText(-months);
}

QString dayText(qint64 days, const QDateTime& today, const QDateTime& date)
{
    if (days == -1)
        return yesterdayText();
    if (days == 0)
        return todayText();
    if (days == 1)
        return tomorrowText();
    if (days >= 2 && days <= 49)
        return daysLaterText(days);
    if (days <= -2 && days >= -49)
        return daysAgoText(-days);
    return yearAndMonthText(today, date);
}

} // namespace

Global::Context::Context(const ReferenceDates* dates, UserDefaults* preferences)
    : m_previousDates(installedReferenceDates.exchange(dates))
    , m_previousPreferences(installedPreferences.exchange(preferences))
{}

Global::Context::~Context()
{
    installedReferenceDates.store(m_previousDates);
    installedPreferences.store(m_previousPreferences);
}

const ReferenceDates& Global::referenceDates()
{
    const ReferenceDates* dates = installedReferenceDates.load();
    return dates ? *dates : clockReferenceDates();
}

UserDefaults& Global::preferences()
{
    UserDefaults* defaults = installedPreferences.load();
    return defaults ? *defaults : UserDefaults::standardUserDefaults();
}

bool Global::sundayFirst()
{
    return preferences().boolForKey(QStringLiteral("sundayFirst"));
}

QDateTime Global::calculateStartingDayOfTheWeekOnDate(const QDateTime& date)
{
    return calculateStartingDayOfTheWeekOnDate(date, sundayFirst());
}

QDateTime Global::calculateStartingDayOfTheWeekOnDate(const QDateTime& date, bool sundayFirst)
{
    const QDate day = date.toLocalTime().date();
    // dayOfWeek() runs from 1 (Monday) to 7 (Sunday).
    const int daysIntoWeek = sundayFirst ? day.dayOfWeek() % 7 : day.dayOfWeek() - 1;
    return day.addDays(-daysIntoWeek).startOfDay();
}

QDateTime Global::calculateStartingDayOfTheMonthOnDate(const QDateTime& date)
{
    const QDate day = date.toLocalTime().date();
    return QDate(day.year(), day.month(), 1).startOfDay();
}

qint64 Global::daysBetweenDate(const QDateTime& from, const QDateTime& to)
{
    return from.toLocalTime().date().daysTo(to.toLocalTime().date());
}

qint64 Global::daysBetween(const QDateTime& from, const QDateTime& to)
{
    const QDateTime start = from.toLocalTime();
    const QDateTime end = to.toLocalTime();
    // Stepping by calendar days rather than dividing seconds keeps a 23- or 25-hour day whole.
    qint64 days = start.date().daysTo(end.date());
    const QDateTime reached = start.addDays(days);
    if (days > 0 && reached > end)
        --days;
    else if (days < 0 && reached < end)
        ++days;
    return days;
}

qint64 Global::weeksBetween(const QDateTime& from, const QDateTime& to)
{
    return daysBetween(from, to) / 7;
}

qint64 Global::monthsBetween(const QDateTime& from, const QDateTime& to)
{
    const QDateTime start = from.toLocalTime();
    const QDateTime end = to.toLocalTime();
    const QDate startDay = start.date();
    const QDate endDay = end.date();
    qint64 months =
        (qint64(endDay.year()) - startDay.year()) * 12 + endDay.month() - startDay.month();
    // The start moved by that many months, its day clamped to the length of the end's month as
    // adding months does (31 January plus one month is 28 February).
    const QDate movedDay(endDay.year(), endDay.month(),
                         std::min(startDay.day(), endDay.daysInMonth()));
    const QDateTime reached(movedDay, start.time());
    if (months > 0 && reached > end)
        --months;
    else if (months < 0 && reached < end)
        ++months;
    return months;
}

int Global::monthsAbsoluteBetween(const QDateTime& from, const QDateTime& to)
{
    return to.toLocalTime().date().month() - from.toLocalTime().date().month();
}

int Global::yearsAbsoluteBetween(const QDateTime& from, const QDateTime& to)
{
    return to.toLocalTime().date().year() - from.toLocalTime().date().year();
}

bool Global::isSameDayWithDate1(const QDateTime& date1, const QDateTime& date2)
{
    return date1.toLocalTime().date() == date2.toLocalTime().date();
}

bool Global::isDate(const QDateTime& date, const QDateTime& helperDate, const QDateTime& date1,
                    const QDateTime& date2)
{
    const bool startsWithinDay = helperDate > date1 && date1 >= date;
    const bool endsWithinDay = helperDate > date2 && date2 >= date;
    const bool coversDay = date1 <= date && date2 >= helperDate;
    return startsWithinDay || endsWithinDay || coversDay;
}

QString Global::dayDescriptionForDate(const QDateTime& date)
{
    if (!date.isValid())
        return {};
    const QDateTime today = referenceDates().today();
    return dayText(daysBetween(today, date), today, date);
}

QString Global::overdueDayDescriptionForDate(const QDateTime& date)
{
    if (!date.isValid())
        return {};
    const QDateTime today = referenceDates().today();
    return dayText(daysBetweenDate(today, date), today, date);
}

QString Global::weekDescriptionForDate(const QDateTime& date)
{
    if (!date.isValid())
        return {};
    const QDateTime thisWeek = referenceDates().thisWeekDate();
    const QDateTime start = calculateStartingDayOfTheWeekOnDate(date);
    const qint64 weeks = weeksBetween(thisWeek, start);
    if (weeks == -1)
        return lastWeekText();
    if (weeks == 0)
        return thisWeekText();
    if (weeks == 1)
        return nextWeekText();
    if (weeks >= 2 && weeks <= 4)
        return weeksLaterText(weeks);
    if (weeks <= -2 && weeks >= -4)
        return weeksAgoText(-weeks);
    return yearAndMonthText(thisWeek, start);
}

QString Global::monthDescriptionForDate(const QDateTime& date)
{
    if (!date.isValid())
        return {};
    const QDateTime thisMonth = referenceDates().thisMonthDate();
    const QDateTime start = calculateStartingDayOfTheMonthOnDate(date);
    const qint64 months = monthsBetween(thisMonth, start);
    if (months == -1)
        return lastMonthText();
    if (months == 0)
        return thisMonthText();
    if (months == 1)
        return nextMonthText();
    if (months >= 2 && months <= 11)
        return monthsLaterText(months);
    if (months <= -2 && months >= -11)
        return monthsAgoText(-months);
    // Twelve or more whole months between two month starts always lie in different years, so
    // this speaks in years only.
    return yearAndMonthText(thisMonth, start);
}
