#pragma once

#include "data/ReminderQueries.h"
#include "text/ReferenceDates.h"

#include <QDateTime>
#include <QMutex>
#include <QObject>

class Clock;
class DateFormatters;
class UserDefaults;

// The dates every view shares: today, the first days of this week and this month, the day the
// user selected, and the centre of the event window. They move only when the application
// notices a new day or the user picks another date, so every text of one refresh agrees even
// when it runs across midnight. Read from any thread.
class SharedDates : public QObject, public ReferenceDates
{
    Q_OBJECT

public:
    // Starts on the clock's day; "sundayFirst" decides the week's first day.
    SharedDates(UserDefaults& defaults, Clock& clock, const DateFormatters& formatters,
                QObject* parent = nullptr);

    QDateTime today() const override;
    QDateTime thisWeekDate() const override;
    QDateTime thisMonthDate() const override;
    // Moves today (and this week and month) to the day of `date`.
    void setToday(const QDateTime& date);
    // Recomputes thisWeekDate after the first day of the week changed.
    void resetThisWeekDate();

    QDateTime selectedDate() const;
    // An invalid date is ignored; any other is stored and announced.
    void setSelectedDate(const QDateTime& date);
    bool selectedDateIsToday() const;
    QDateTime selectedDateForView() const;
    void setSelectedDateForView(const QDateTime& date);
    QDateTime standardEventsDate() const;
    void setStandardEventsDate(const QDateTime& date);

    // The instants the period queries measure against, read together.
    QueryDates queryDates() const;

    // The selected date as the sidebar and title lines show it, worked out at each call:
    // "Wed, Dec 9, 2026", "Wed, Dec 9", "Week 50", "Wed", "50", "December", "2026".
    QString selectedDateString() const;
    QString selectedDateDayString() const;
    QString selectedDateWeekString() const;
    QString selectedDateWeekdayString() const;
    QString selectedDateWeeknumberString() const;
    QString selectedDateMonthString() const;
    QString selectedDateYearString() const;

Q_SIGNALS:
    void selectedDateChanged();

private:
    UserDefaults& m_defaults;
    Clock& m_clock;
    const DateFormatters& m_formatters;

    mutable QMutex m_mutex;
    QDateTime m_today;
    QDateTime m_thisWeekDate;
    QDateTime m_thisMonthDate;
    QDateTime m_selectedDate;
    QDateTime m_selectedDateForView;
    QDateTime m_standardEventsDate;
};
