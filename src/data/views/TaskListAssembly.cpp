#include "data/views/TaskListAssembly.h"

#include "data/CalendarEvents.h"
#include "data/DataManager.h"
#include "data/EventWindow.h"
#include "data/ListFilters.h"
#include "data/ListTitles.h"
#include "data/LocalWallClock.h"
#include "data/SharedDates.h"
#include "data/TaskLists.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "text/DateFormatters.h"
#include "text/Global.h"

#include <QCoreApplication>

#include <algorithm>
#include <functional>

namespace {

struct TaskListAssemblyText
{
    Q_DECLARE_TR_FUNCTIONS(TaskListAssembly)
};

ReminderList orEmpty(std::optional<ReminderList> list)
{
    return list ? std::move(*list) : ReminderList();
}

void append(ReminderList& to, std::optional<ReminderList> list)
{
    if (list)
        to.append(std::move(*list));
}

bool hasEnded(const store::Event& event, const QDateTime& now)
{
    return event.endDate <= now;
}

// A day start, kept as given when it already is one, so that a selected date never picks up a
// time of day from the arithmetic.
QDateTime sameTimeOn(const QDateTime& original, const QDate& day)
{
    if (original == original.date().startOfDay())
        return day.startOfDay();
    return QDateTime(day, original.time(), original.timeZone());
}

} // namespace

// The parameters that make the day, week and month views one scheme.
struct TaskListAssembly::Period
{
    using Query =
        std::function<std::optional<ReminderList>(const ReminderQueries&, const QDateTime&)>;
    QDateTime current; // the start of the period that holds today
    QLatin1StringView undatedKey;
    QLatin1StringView completedKey;
    QLatin1StringView eventsKey;
    Query all;
    Query uncompleted;
    Query completed;
    // Open tasks due before the period's end, overdue ones included.
    Query untilEnd;
    int eventType = EventWindow::Day;

    static Period of(TaskViewMode mode, const DataManager& manager);
};

TaskListAssembly::Period TaskListAssembly::Period::of(TaskViewMode mode, const DataManager& manager)
{
    using Q = ReminderQueries;
    Period period;
    switch (mode) {
    case TaskViewMode::Week:
        period.current = manager.dates().thisWeekDate();
        period.undatedKey = PrefKey::Filter::weekUndated;
        period.completedKey = PrefKey::Filter::weekCompleted;
        period.eventsKey = PrefKey::Filter::weekEvents;
        period.all = &Q::fetchRemindersFromStartingDate;
        period.uncompleted = &Q::fetchUncompletedRemindersFromStartingDate;
        period.completed = &Q::fetchCompletedRemindersFromStartingDate;
        period.untilEnd = &Q::fetchUncompletedRemindersUntilStartingDate;
        period.eventType = EventWindow::Week;
        break;
    case TaskViewMode::Month:
        period.current = manager.dates().thisMonthDate();
        period.undatedKey = PrefKey::Filter::monthUndated;
        period.completedKey = PrefKey::Filter::monthCompleted;
        period.eventsKey = PrefKey::Filter::monthEvents;
        period.all = &Q::fetchRemindersMonthlyFromStartingDate;
        period.uncompleted = &Q::fetchUncompletedRemindersMonthlyFromStartingDate;
        period.completed = &Q::fetchCompletedRemindersMonthlyFromStartingDate;
        period.untilEnd = &Q::fetchUncompletedRemindersMonthlyUntilStartingDate;
        period.eventType = EventWindow::Month;
        break;
    default:
        period.current = manager.dates().today();
        period.undatedKey = PrefKey::Filter::dayUndated;
        period.completedKey = PrefKey::Filter::dayCompleted;
        period.eventsKey = PrefKey::Filter::dayEvents;
        period.all = &Q::fetchRemindersOnDate;
        period.uncompleted = &Q::fetchUncompletedRemindersOnDate;
        period.completed = &Q::fetchCompletedRemindersOnDate;
        period.untilEnd = [](const Q& queries, const QDateTime&) {
            return queries.fetchUncompletedRemindersUntilToday();
        };
        period.eventType = EventWindow::Day;
        break;
    }
    return period;
}

TaskListAssembly::TaskListAssembly(DataManager& manager)
    : m_manager(manager)
{}

// --- The title line -------------------------------------------------------------------------

std::optional<QString> TaskListAssembly::titleForDictionary(const ListEntry& dictionary)
{
    // The date views title themselves from the selected date, and an entry of a kind this
    // version does not know leaves the title as it is.
    if (!dictionary.hasStoredType() || dictionary.is(ListKind::Unknown) || dictionary.isDateView())
        return std::nullopt;
    return ListTitles::titleForEntry(dictionary);
}

QDateTime TaskListAssembly::periodStart(TaskViewMode mode, const QDateTime& date)
{
    if (!date.isValid())
        return {};
    switch (mode) {
    case TaskViewMode::Day:
        return date.date().startOfDay();
    case TaskViewMode::Week:
        return Global::calculateStartingDayOfTheWeekOnDate(date);
    case TaskViewMode::Month:
        return Global::calculateStartingDayOfTheMonthOnDate(date);
    case TaskViewMode::Search:
    case TaskViewMode::List:
        break;
    }
    return {};
}

TaskListAssembly::TopView TaskListAssembly::refreshTopView(TaskViewMode mode,
                                                           const ListEntry& dictionary,
                                                           const QDateTime& currentDate) const
{
    TopView top;
    const QString joined = TaskListAssemblyText::tr("%1. %2");
    const DateFormatter& monthFormatter = m_manager.formatters().monthFormatter();
    switch (mode) {
    case TaskViewMode::Day:
        top.currentDate = m_manager.dates().selectedDate();
        top.title = joined.arg(m_manager.dates().selectedDateString(),
                               Global::dayDescriptionForDate(top.currentDate));
        top.navigationEnabled = true;
        top.showHideVisible = top.currentDate == m_manager.dates().today();
        break;
    case TaskViewMode::Week: {
        top.currentDate = periodStart(mode, m_manager.dates().selectedDate());
        const bool thisWeek = top.currentDate == m_manager.dates().thisWeekDate();
        // This week is named after today's month, even when the week began in the last one.
        const QDateTime named = thisWeek ? m_manager.dates().today() : top.currentDate;
        top.title = joined.arg(monthFormatter.stringFromDate(named),
                               Global::weekDescriptionForDate(top.currentDate));
        top.navigationEnabled = true;
        top.showHideVisible = thisWeek;
        break;
    }
    case TaskViewMode::Month:
        top.currentDate = periodStart(mode, m_manager.dates().selectedDate());
        top.title = joined.arg(monthFormatter.stringFromDate(top.currentDate),
                               Global::monthDescriptionForDate(top.currentDate));
        top.navigationEnabled = true;
        top.showHideVisible = top.currentDate == m_manager.dates().thisMonthDate();
        break;
    case TaskViewMode::Search:
    case TaskViewMode::List:
        top.currentDate = currentDate;
        top.title = titleForDictionary(dictionary);
        top.navigationEnabled = false;
        top.showHideVisible = true;
        break;
    }
    return top;
}

// --- The fetch ------------------------------------------------------------------------------

TaskListAssembly::Content TaskListAssembly::fetchData(TaskViewMode mode,
                                                      const ListEntry& dictionary,
                                                      const QDateTime& currentDate,
                                                      bool showingCompleted,
                                                      const QString& searchText) const
{
    Content content;
    if (isPeriodMode(mode))
        content.events = QList<store::EventPtr>();
    if (!m_manager.hasRemindersArray())
        return content;

    const ReminderSort sort = m_manager.lists().fetchSortDescriptors();
    if (mode == TaskViewMode::Search) {
        content.reminders =
            orEmpty(m_manager.filters().fetchRemindersFromSearchText(searchText, showingCompleted));
        sort.sort(content.reminders);
        return content;
    }
    if (mode == TaskViewMode::List) {
        const ListFilters filters = m_manager.filters();
        content.reminders = orEmpty(
            showingCompleted ? filters.fetchRemindersIncludingCompletedFromDictionary(dictionary)
                             : filters.fetchRemindersFromDictionary(dictionary));
        sort.sort(content.reminders);
        return content;
    }

    const Period period = Period::of(mode, m_manager);
    const QDateTime now = m_manager.clock().now();
    content.reminders = fetchPeriodReminders(period, currentDate);
    sort.sort(content.reminders);

    UserDefaults& defaults = m_manager.defaults();
    const QVariantMap filters = defaults.dictionaryForKey(PrefKey::filters);
    const bool current = currentDate == period.current;
    const bool future = currentDate >= period.current;
    const bool completedOn = filters.value(period.completedKey).toBool();
    // A past period shows its events only beside its completed tasks.
    if (filters.value(period.eventsKey).toBool() && defaults.boolForKey(PrefKey::viewEvents) &&
        (completedOn || current || future))
        content.events = addCalendarEventsToArray(period, currentDate, now);

    // In the current period what is done (and what is over) hides with the completed tasks.
    if (current && !showingCompleted) {
        content.reminders.removeIf(
            [](const store::ReminderPtr& reminder) { return reminder->completed; });
        if (defaults.integerForKey(PrefKey::eventsPosition) == 0)
            content.events->removeIf(
                [&now](const store::EventPtr& event) { return hasEnded(*event, now); });
    }
    return content;
}

ReminderList TaskListAssembly::fetchPeriodReminders(const Period& period,
                                                    const QDateTime& currentDate) const
{
    const UserDefaults& defaults = m_manager.defaults();
    const QVariantMap filters = defaults.dictionaryForKey(PrefKey::filters);
    const bool overdueNow = defaults.boolForKey(PrefKey::overdueNow);
    const bool undatedOn = filters.value(period.undatedKey).toBool();
    const bool completedOn = filters.value(period.completedKey).toBool();
    const bool current = currentDate == period.current;
    const bool future = currentDate >= period.current;
    const ReminderQueries queries = m_manager.queries();

    ReminderList reminders;
    if (!overdueNow) {
        append(reminders, completedOn || current ? period.all(queries, currentDate)
                                                 : period.uncompleted(queries, currentDate));
        if (current && undatedOn)
            reminders.append(queries.fetchSimpleReminders());
        return reminders;
    }
    if (current) {
        // Every overdue task is listed here, so past periods never show open tasks.
        append(reminders, period.completed(queries, currentDate));
        append(reminders, period.untilEnd(queries, currentDate));
        if (undatedOn)
            reminders.append(queries.fetchSimpleReminders());
    } else if (future) {
        if (completedOn)
            append(reminders, period.completed(queries, currentDate));
        append(reminders, period.uncompleted(queries, currentDate));
    } else if (completedOn) {
        append(reminders, period.completed(queries, currentDate));
    }
    return reminders;
}

QList<store::EventPtr> TaskListAssembly::addCalendarEventsToArray(const Period& period,
                                                                  const QDateTime& currentDate,
                                                                  const QDateTime& now) const
{
    // Other positions of the events section were never settled; they show no events.
    if (m_manager.defaults().integerForKey(PrefKey::eventsPosition) != 0)
        return {};
    std::optional<QList<store::EventPtr>> fetched =
        m_manager.events().fetchEventsByType(period.eventType, currentDate);
    if (!fetched)
        return {};
    QList<store::EventPtr> events = std::move(*fetched);
    if (currentDate == period.current) {
        std::stable_partition(events.begin(), events.end(), [&now](const store::EventPtr& event) {
            return !hasEnded(*event, now);
        });
    }
    return events;
}

// --- Moving between periods -----------------------------------------------------------------

QDateTime TaskListAssembly::periodMovedDate(TaskViewMode mode, const QDateTime& selectedDate,
                                            int step) const
{
    if (!selectedDate.isValid())
        return {};
    const QDate day = selectedDate.date();
    switch (mode) {
    case TaskViewMode::Day:
        return sameTimeOn(selectedDate, day.addDays(step));
    case TaskViewMode::Week:
        return sameTimeOn(selectedDate, day.addDays(7 * qint64(step)));
    case TaskViewMode::Month:
        return sameTimeOn(selectedDate, day.addMonths(step));
    case TaskViewMode::Search:
    case TaskViewMode::List:
        break;
    }
    return {};
}

// --- The strip's dots -----------------------------------------------------------------------

CalendarDots TaskListAssembly::calendarDots(TaskViewMode mode, const QDateTime& currentDate,
                                            const ReminderList& reminders,
                                            const QList<store::EventPtr>& events) const
{
    CalendarDots dots;
    if ((mode != TaskViewMode::Week && mode != TaskViewMode::Month) || !currentDate.isValid())
        return dots;
    const QDate first = currentDate.date();
    // The month grid shows only the days of its month; a dot for a day of the next month would
    // land on no cell.
    const int days = mode == TaskViewMode::Week ? 7 : first.daysInMonth() - first.day() + 1;
    auto dayOf = [&first, days](const QDate& date) -> int {
        const qint64 index = first.daysTo(date) + 1;
        return index >= 1 && index <= days ? int(index) : 0;
    };
    auto colorOf = [](const store::CalendarPtr& list) {
        return list ? list->color : store::CollectionColor();
    };

    const LocalWallClock wallClock;
    for (const store::ReminderPtr& reminder : reminders) {
        int day = 0;
        if (reminder->completed) {
            if (reminder->completionDate.isValid())
                day = dayOf(reminder->completionDate.toLocalTime().date());
        } else if (reminder->dueDateComponents) {
            // The period starts at midnight, so a due date before it is one on an earlier day.
            if (const auto due = wallClock.reading(*reminder->dueDateComponents))
                day = due->date < first ? 1 : dayOf(due->date);
        }
        if (day > 0)
            dots[day].append({CalendarDot::Kind::Reminder, colorOf(reminder->calendar)});
    }

    if (!m_manager.defaults().boolForKey(PrefKey::showEventDots))
        return dots;
    for (const store::EventPtr& event : events) {
        // An all-day event's end is the start of the day after it.
        const QDateTime end = event->isAllDay ? event->endDate.addSecs(-1) : event->endDate;
        for (int day = 1; day <= days; ++day) {
            const QDateTime dayStart = first.addDays(day - 1).startOfDay();
            const QDateTime nextDay = first.addDays(day).startOfDay();
            if (Global::isDate(dayStart, nextDay, event->startDate, end))
                dots[day].append({CalendarDot::Kind::Event, colorOf(event->calendar)});
        }
    }
    return dots;
}
