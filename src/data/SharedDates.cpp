#include "data/SharedDates.h"

#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "text/DateFormatters.h"
#include "text/Global.h"

#include <QCoreApplication>
#include <QMutexLocker>

namespace {

QDateTime startOfDay(const QDateTime& instant)
{
    return QDateTime(instant.date(), QTime(0, 0));
}

} // namespace

SharedDates::SharedDates(UserDefaults& defaults, Clock& clock, const DateFormatters& formatters,
                         QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_clock(clock)
    , m_formatters(formatters)
{
    const QDateTime today = startOfDay(m_clock.now());
    setToday(today);
    m_standardEventsDate = today;
    m_selectedDate = today;
    m_selectedDateForView = today;
}

QDateTime SharedDates::today() const
{
    QMutexLocker lock(&m_mutex);
    return m_today;
}

QDateTime SharedDates::thisWeekDate() const
{
    QMutexLocker lock(&m_mutex);
    return m_thisWeekDate;
}

QDateTime SharedDates::thisMonthDate() const
{
    QMutexLocker lock(&m_mutex);
    return m_thisMonthDate;
}

void SharedDates::setToday(const QDateTime& date)
{
    const QDateTime day = startOfDay(date);
    {
        QMutexLocker lock(&m_mutex);
        m_today = day;
        m_thisMonthDate = Global::calculateStartingDayOfTheMonthOnDate(day);
    }
    resetThisWeekDate();
}

void SharedDates::resetThisWeekDate()
{
    const QDateTime week = Global::calculateStartingDayOfTheWeekOnDate(
        today(), m_defaults.boolForKey(PrefKey::sundayFirst));
    QMutexLocker lock(&m_mutex);
    m_thisWeekDate = week;
}

QDateTime SharedDates::selectedDate() const
{
    QMutexLocker lock(&m_mutex);
    return m_selectedDate;
}

void SharedDates::setSelectedDate(const QDateTime& date)
{
    if (!date.isValid())
        return;
    {
        QMutexLocker lock(&m_mutex);
        m_selectedDate = date;
    }
    Q_EMIT selectedDateChanged();
}

bool SharedDates::selectedDateIsToday() const
{
    return selectedDate() == today();
}

QDateTime SharedDates::selectedDateForView() const
{
    QMutexLocker lock(&m_mutex);
    return m_selectedDateForView;
}

void SharedDates::setSelectedDateForView(const QDateTime& date)
{
    QMutexLocker lock(&m_mutex);
    m_selectedDateForView = date;
}

QDateTime SharedDates::standardEventsDate() const
{
    QMutexLocker lock(&m_mutex);
    return m_standardEventsDate;
}

void SharedDates::setStandardEventsDate(const QDateTime& date)
{
    QMutexLocker lock(&m_mutex);
    m_standardEventsDate = date;
}

QueryDates SharedDates::queryDates() const
{
    QMutexLocker lock(&m_mutex);
    return {m_clock.now(), m_today, m_thisWeekDate, m_thisMonthDate};
}

// --- Display strings of the selected date ------------------------------------------------

QString SharedDates::selectedDateString() const
{
    const QDateTime date = selectedDate();
    return QStringLiteral("%1, %2").arg(m_formatters.weekdayFormatter().stringFromDate(date),
                                        m_formatters.fullDayFormatterMid().stringFromDate(date));
}

QString SharedDates::selectedDateDayString() const
{
    const QDateTime date = selectedDate();
    return QStringLiteral("%1, %2").arg(m_formatters.weekdayFormatter().stringFromDate(date),
                                        m_formatters.fullDayFormatterShort().stringFromDate(date));
}

QString SharedDates::selectedDateWeekString() const
{
    //: The heading of a week, %1 its number in the year.
    return QCoreApplication::translate("DataManager", "Week %1")
        .arg(selectedDateWeeknumberString());
}

QString SharedDates::selectedDateWeekdayString() const
{
    return m_formatters.weekdayFormatter().stringFromDate(selectedDate());
}

QString SharedDates::selectedDateWeeknumberString() const
{
    return m_formatters.weeknumberFormatter().stringFromDate(selectedDate());
}

QString SharedDates::selectedDateMonthString() const
{
    return m_formatters.monthFormatter().stringFromDate(selectedDate());
}

QString SharedDates::selectedDateYearString() const
{
    return m_formatters.yearFormatter().stringFromDate(selectedDate());
}
