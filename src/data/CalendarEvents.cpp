#include "data/CalendarEvents.h"

#include "data/SharedDates.h"
#include "data/StoreSession.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QMutexLocker>
#include <QtConcurrent>

namespace {

// The main view's window and the tray's are what a refresh fetches again; a few more keep
// stepping back and forth between periods free.
constexpr qsizetype kRefreshedWindows = 2;
constexpr qsizetype kKeptWindows = 4;

} // namespace

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
    return m_windows.isEmpty() ? nullptr : m_windows.first();
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

EventWindowPtr CalendarEvents::fetch(store::EventStore* eventStore, const QStringList& wanted,
                                     const Range& range)
{
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
    return std::make_shared<EventWindow>(
        range.first, range.second,
        eventStore->eventsMatchingPredicate(
            store::predicateForEventsWithStartDate(range.first, range.second, calendars)));
}

void CalendarEvents::refreshWindows(std::function<void()> done)
{
    QList<Range> ranges;
    quint64 generation = 0;
    {
        QMutexLocker lock(&m_mutex);
        generation = ++m_generation;
        for (const EventWindowPtr& window :
             std::as_const(m_windows).first(qMin(kRefreshedWindows, m_windows.size())))
            ranges << Range{window->from(), window->to()};
        for (const Range& requested : std::exchange(m_requested, {})) {
            if (!ranges.contains(requested))
                ranges << requested;
        }
    }
    if (ranges.isEmpty()) {
        const QDateTime centre = m_dates.standardEventsDate();
        ranges << Range{centre.addDays(-7), centre.addDays(8)};
    }
    const QStringList wanted = m_defaults.stringArrayForKey(PrefKey::visibleCalendars);
    store::EventStore* eventStore = m_session.eventStore();
    // Expanding recurring events is the slow part of a refresh: it runs on the background
    // thread (the store is safe to ask from any thread), and only the result comes back to the
    // main thread, where the views live.
    (void)QtConcurrent::run(&m_background, [this, eventStore, wanted, ranges, generation, done] {
        QList<EventWindowPtr> windows;
        for (const Range& range : ranges)
            windows << fetch(eventStore, wanted, range);
        QMetaObject::invokeMethod(
            this,
            [this, windows, generation, done] {
                {
                    QMutexLocker lock(&m_mutex);
                    if (generation == m_generation)
                        m_windows = windows;
                }
                done();
            },
            Qt::QueuedConnection);
    });
}

void CalendarEvents::forgetWindows()
{
    QMutexLocker lock(&m_mutex);
    ++m_generation;
    m_windows.clear();
    m_requested.clear();
}

EventWindowPtr CalendarEvents::windowCovering(const QDateTime& start, const QDateTime& end)
{
    QMutexLocker lock(&m_mutex);
    for (qsizetype i = 0; i < m_windows.size(); ++i) {
        if (m_windows.at(i)->covers(start, end)) {
            m_windows.move(i, 0);
            return m_windows.first();
        }
    }
    return nullptr;
}

void CalendarEvents::keep(EventWindowPtr window)
{
    QMutexLocker lock(&m_mutex);
    m_windows.prepend(std::move(window));
    if (m_windows.size() > kKeptWindows)
        m_windows.resize(kKeptWindows);
}

void CalendarEvents::request(const Range& range, const QDateTime& start, const QDateTime& end,
                             std::optional<QDateTime> centre)
{
    quint64 generation = 0;
    {
        QMutexLocker lock(&m_mutex);
        // A view that asks again before its events came (the tray looks again every moment)
        // waits for the fetch already under way.
        for (const Range& requested : std::as_const(m_requested)) {
            if (requested.first < start && end <= requested.second)
                return;
        }
        m_requested << range;
        generation = m_generation;
    }
    const QStringList wanted = m_defaults.stringArrayForKey(PrefKey::visibleCalendars);
    store::EventStore* eventStore = m_session.eventStore();
    (void)QtConcurrent::run(&m_background, [=, this] {
        EventWindowPtr window = fetch(eventStore, wanted, range);
        QMetaObject::invokeMethod(
            this,
            [=, this] {
                {
                    QMutexLocker lock(&m_mutex);
                    // A refresh started since took this fetch over: what it read may be stale.
                    if (generation != m_generation)
                        return;
                    m_requested.removeOne(range);
                }
                keep(window);
                if (centre)
                    m_dates.setStandardEventsDate(*centre);
                Q_EMIT eventWindowRefreshed();
            },
            Qt::QueuedConnection);
    });
}

std::optional<QList<store::EventPtr>> CalendarEvents::fetchEventsByType(int type,
                                                                        const QDateTime& start)
{
    const QDateTime end = EventWindow::periodEnd(type, start);
    if (const EventWindowPtr window = windowCovering(start, end))
        return window->eventsOfPeriod(type, start);
    request(EventWindow::rangeAround(type, start), start, end, start);
    return std::nullopt;
}

std::optional<QList<store::EventPtr>> CalendarEvents::fetchEventsFromDate(const QDateTime& start,
                                                                          const QDateTime& end)
{
    if (const EventWindowPtr window = windowCovering(start, end))
        return window->eventsOfRange(start, end);
    request(EventWindow::rangeAround(start, end), start, end, std::nullopt);
    return std::nullopt;
}

void CalendarEvents::fetchEventsByTypeNow(int type, const QDateTime& start)
{
    if (windowCovering(start, EventWindow::periodEnd(type, start)))
        return;
    keep(fetch(m_session.eventStore(), m_defaults.stringArrayForKey(PrefKey::visibleCalendars),
               EventWindow::rangeAround(type, start)));
}
