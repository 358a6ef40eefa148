#include "data/CalendarEvents.h"

#include "data/SharedDates.h"
#include "data/StoreSession.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QMutexLocker>
#include <QtConcurrent>

CalendarEvents::CalendarEvents(StoreSession& session, UserDefaults& defaults, SharedDates& dates,
                               QThreadPool& background, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_defaults(defaults)
    , m_dates(dates)
    , m_background(background)
{}

EventWindowPtr CalendarEvents::eventWindow() const
{
    QMutexLocker lock(&m_mutex);
    return m_eventWindow;
}

void CalendarEvents::setEventWindow(EventWindowPtr window)
{
    QMutexLocker lock(&m_mutex);
    m_eventWindow = std::move(window);
}

QList<store::EventPtr> CalendarEvents::eventsArray() const
{
    const EventWindowPtr window = eventWindow();
    return window ? window->events() : QList<store::EventPtr>();
}

QList<store::CalendarPtr> CalendarEvents::allEventCalendars() const
{
    return m_session.eventStore()->calendarsForEntityType(store::EntityType::Event);
}

void CalendarEvents::fetchEventsAsynchronouslyWithDate(
    const QDateTime& centre, std::function<void(QList<store::EventPtr>)> completion)
{
    const QStringList wanted = m_defaults.stringArrayForKey(PrefKey::visibleCalendars);
    store::EventStore* eventStore = m_session.eventStore();
    // Expanding a year of recurring events is the slow part of a refresh: it runs on the
    // background thread (the store is safe to ask from any thread), and only the result comes
    // back to the main thread, where the views live.
    (void)QtConcurrent::run(&m_background, [this, eventStore, centre, completion, wanted] {
        const QDateTime start = EventWindow::windowStart(centre);
        const QDateTime end = EventWindow::windowEnd(centre);
        const QList<store::CalendarPtr> all =
            eventStore->calendarsForEntityType(store::EntityType::Event);
        QList<store::CalendarPtr> calendars;
        for (const QString& identifier : wanted) {
            for (const store::CalendarPtr& calendar : all) {
                if (calendar->calendarIdentifier == identifier) {
                    calendars << calendar;
                    break;
                }
            }
        }
        // Calendars that no longer exist must not hide every event: an empty set asks for all.
        const QList<store::EventPtr> events = eventStore->eventsMatchingPredicate(
            store::predicateForEventsWithStartDate(start, end, calendars));
        QMetaObject::invokeMethod(
            this,
            [this, centre, completion, events] {
                m_dates.setStandardEventsDate(centre);
                completion(events);
            },
            Qt::QueuedConnection);
    });
}

void CalendarEvents::refreshEventsArrayWithDate(const QDateTime& centre)
{
    fetchEventsAsynchronouslyWithDate(centre, [this, centre](const QList<store::EventPtr>& events) {
        setEventWindow(std::make_shared<EventWindow>(centre, events));
        Q_EMIT eventWindowRefreshed();
    });
}

bool CalendarEvents::doesEventsArrayIncludeDate(const QDateTime& date) const
{
    const QDateTime centre = m_dates.standardEventsDate();
    return EventWindow::windowStart(centre) <= date && date <= EventWindow::windowEnd(centre);
}

std::optional<QList<store::EventPtr>> CalendarEvents::fetchEventsByType(int type,
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

std::optional<QList<store::EventPtr>>
CalendarEvents::fetchEventsFromDate(const QDateTime& start, const QDateTime& end) const
{
    const EventWindowPtr window = eventWindow();
    if (!window || !doesEventsArrayIncludeDate(start))
        return std::nullopt;
    return EventWindow::eventsOfRange(window->events(), start, end);
}
