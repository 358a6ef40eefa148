#pragma once

#include "data/ListEntry.h"
#include "data/ReminderQueries.h"
#include "data/views/CalendarDot.h"
#include "data/views/TaskViewMode.h"
#include "platform/store/Event.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class DataManager;

// Turns the view the sidebar chose, the selected date and the preferences into what the task
// list shows: its title line, the reminders and the calendar events in row order, the dates of
// the neighbouring periods and the dots of the calendar strip. Holds no state of its own; every
// preference is read when it is needed, so a change shows in the very next refresh.
class TaskListAssembly
{
public:
    explicit TaskListAssembly(DataManager& manager);

    // The title line and the buttons beside it.
    struct TopView
    {
        // The first day the view shows: the selected day, its week's first day or day 1 of
        // its month; unchanged in the search and list views.
        QDateTime currentDate;
        // None: the title stays as it is.
        std::optional<QString> title;
        bool navigationEnabled = false;
        bool showHideVisible = true;
    };
    TopView refreshTopView(TaskViewMode mode, const ListEntry& dictionary,
                           const QDateTime& currentDate) const;

    // The title of a list or search view; none for the date views, whose title line names
    // the period, and for entries without a kind this version knows.
    static std::optional<QString> titleForDictionary(const ListEntry& dictionary);
    // The first instant of the day, week or month that contains `date`; invalid in the search
    // and list views.
    static QDateTime periodStart(TaskViewMode mode, const QDateTime& date);

    struct Content
    {
        ReminderList reminders;
        // The events section; none outside the day, week and month views.
        std::optional<QList<store::EventPtr>> events;
    };
    Content fetchData(TaskViewMode mode, const ListEntry& dictionary, const QDateTime& currentDate,
                      bool showingCompleted, const QString& searchText) const;

    // The selected date moved by `step` days, weeks or months (calendar addition, so one month
    // after 31 January is the last day of February); invalid in the search and list views.
    QDateTime periodMovedDate(TaskViewMode mode, const QDateTime& selectedDate, int step) const;

    // The strip's dots for the week or month starting at `currentDate`, from what fetchData
    // gave for it; empty in the other views.
    CalendarDots calendarDots(TaskViewMode mode, const QDateTime& currentDate,
                              const ReminderList& reminders,
                              const QList<store::EventPtr>& events) const;

private:
    struct Period;
    ReminderList fetchPeriodReminders(const Period& period, const QDateTime& currentDate) const;
    QList<store::EventPtr> addCalendarEventsToArray(const Period& period,
                                                    const QDateTime& currentDate,
                                                    const QDateTime& now) const;

    DataManager& m_manager;
};
