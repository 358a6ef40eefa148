// The data manager's event window and the application icon badge.

#include "data/DataManager.h"

#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QMutexLocker>
#include <QtConcurrent>

// --- Events ------------------------------------------------------------------------------

EventWindowPtr DataManager::eventWindow() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_eventWindow;
}

QList<store::EventPtr> DataManager::eventsArray() const
{
    const EventWindowPtr window = eventWindow();
    return window ? window->events() : QList<store::EventPtr>();
}

QList<store::CalendarPtr> DataManager::allEventCalendars() const
{
    return m_eventStore->calendarsForEntityType(store::EntityType::Event);
}

void DataManager::fetchEventsAsynchronouslyWithDate(
    const QDateTime& centre, std::function<void(QList<store::EventPtr>)> completion)
{
    (void)QtConcurrent::run(&m_background, [this, centre, completion] {
        const QDateTime start = EventWindow::windowStart(centre);
        const QDateTime end = EventWindow::windowEnd(centre);
        const QStringList wanted = m_defaults.stringArrayForKey(PrefKey::visibleCalendars);
        // The store is asked on the main thread, as the views that show the result live there.
        QMetaObject::invokeMethod(
            this,
            [this, centre, completion, start, end, wanted] {
                const QList<store::CalendarPtr> all = allEventCalendars();
                QList<store::CalendarPtr> calendars;
                for (const QString& identifier : wanted) {
                    for (const store::CalendarPtr& calendar : all) {
                        if (calendar->calendarIdentifier == identifier) {
                            calendars << calendar;
                            break;
                        }
                    }
                }
                // Calendars that no longer exist must not hide every event: fall back to all.
                const QList<store::EventPtr> events = m_eventStore->eventsMatchingPredicate(
                    m_eventStore->predicateForEventsWithStartDate(start, end, calendars));
                setStandardEventsDate(centre);
                completion(events);
            },
            Qt::QueuedConnection);
    });
}

void DataManager::refreshEventsArrayWithDate(const QDateTime& centre)
{
    fetchEventsAsynchronouslyWithDate(centre, [this, centre](const QList<store::EventPtr>& events) {
        {
            QMutexLocker lock(&m_stateMutex);
            m_eventWindow = std::make_shared<EventWindow>(centre, events);
        }
        m_remindersFetched = true;
        m_eventsFetched = true;
        checkRemindersAndEventsAllFetched();
    });
}

bool DataManager::doesEventsArrayIncludeDate(const QDateTime& date) const
{
    const QDateTime centre = standardEventsDate();
    return EventWindow::windowStart(centre) <= date && date <= EventWindow::windowEnd(centre);
}

std::optional<QList<store::EventPtr>> DataManager::fetchEventsByType(int type,
                                                                     const QDateTime& start)
{
    const EventWindowPtr window = eventWindow();
    if (!window)
        return std::nullopt;
    const QDateTime end = EventWindow::periodEnd(type, start);
    if (!doesEventsArrayIncludeDate(start) || !doesEventsArrayIncludeDate(end)) {
        refreshEventsArrayWithDate(start);
        return std::nullopt;
    }
    return EventWindow::eventsOfPeriod(window->events(), type, start);
}

std::optional<QList<store::EventPtr>> DataManager::fetchEventsFromDate(const QDateTime& start,
                                                                       const QDateTime& end) const
{
    const EventWindowPtr window = eventWindow();
    if (!window || !doesEventsArrayIncludeDate(start))
        return std::nullopt;
    return EventWindow::eventsOfRange(window->events(), start, end);
}

// --- The application icon badge ----------------------------------------------------------

quint64 DataManager::calculateAppIconBadgeNumber() const
{
    const SnapshotPtr snapshot = remindersArray();
    if (!snapshot || snapshot->size() == 0)
        return 0;
    const ReminderQueries query(snapshot, queryDates());
    const bool overdue = m_defaults.boolForKey(PrefKey::appIconBadgeOverdue);
    auto count = [](const std::optional<ReminderList>& list) -> quint64 {
        return list ? quint64(list->size()) : 0;
    };
    quint64 number = 0;
    switch (m_defaults.integerForKey(PrefKey::appIconBadgeType)) {
    case 0:
        number =
            overdue ? count(query.fetchUncompletedRemindersUntilCertainDate(m_clock.now())) : 0;
        break;
    case 1:
        number = overdue
                     ? count(query.fetchUncompletedRemindersUntilCertainDate(today().addDays(1)))
                     : count(query.fetchUncompletedRemindersOnDate(today()));
        break;
    case 2:
        number = overdue ? count(query.fetchUncompletedRemindersUntilStartingDate(thisWeekDate()))
                         : count(query.fetchUncompletedRemindersFromStartingDate(thisWeekDate()));
        break;
    case 3:
        number =
            overdue
                ? count(query.fetchUncompletedRemindersMonthlyUntilStartingDate(thisMonthDate()))
                : count(query.fetchUncompletedRemindersMonthlyFromStartingDate(thisMonthDate()));
        break;
    default:
        number = 0;
        break;
    }
    if (m_defaults.boolForKey(PrefKey::appIconBadgeUndated))
        number += quint64(query.fetchSimpleReminders().size());
    return number;
}
