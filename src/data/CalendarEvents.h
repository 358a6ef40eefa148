#pragma once

#include "data/EventWindow.h"
#include "platform/store/Calendar.h"
#include "platform/store/Event.h"

#include <QMutex>
#include <QObject>

#include <functional>
#include <optional>

class QThreadPool;
class SharedDates;
class StoreSession;
class UserDefaults;

namespace store {
class EventStore;
}

// The calendar events shown beside the tasks, fetched as the views ask for them: a view's
// period, with a period more on each side, from the calendars the user shows. A few such
// windows are kept; nothing is expanded before a view asks, so thousands of endless series
// cost what the days on screen hold. A refresh fetches again only what the views used last.
class CalendarEvents : public QObject
{
    Q_OBJECT

public:
    CalendarEvents(StoreSession& session, UserDefaults& defaults, SharedDates& dates,
                   QThreadPool& background, QObject* parent = nullptr);

    // The window a view used last; null before the first fetch.
    EventWindowPtr eventWindow() const;
    QList<store::EventPtr> eventsArray() const;
    QList<store::CalendarPtr> allEventCalendars() const;

    // Fetches again, on the background thread, the windows the views used last (when none was
    // asked for yet, the weeks around the shared events date: enough for the day and week views
    // and the tray) and puts them in place of every window kept; `done` runs on the main
    // thread.
    void refreshWindows(std::function<void()> done);
    // Drops every window (events are not shown, so they would only grow stale).
    void forgetWindows();
    // The events of a day, week or month view from `start`; none while they are not fetched
    // yet: they are then fetched, and eventWindowRefreshed() follows.
    std::optional<QList<store::EventPtr>> fetchEventsByType(int type, const QDateTime& start);
    // The events of [start, end), in the same way.
    std::optional<QList<store::EventPtr>> fetchEventsFromDate(const QDateTime& start,
                                                              const QDateTime& end);
    // Fetches the events of a view on the calling thread (the command line).
    void fetchEventsByTypeNow(int type, const QDateTime& start);

Q_SIGNALS:
    // A window a view asked for arrived: what the views show may have changed.
    void eventWindowRefreshed();

private:
    using Range = std::pair<QDateTime, QDateTime>;

    // The kept window that holds [start, end), moved to the front as the one used last.
    EventWindowPtr windowCovering(const QDateTime& start, const QDateTime& end);
    // Fetches `range` on the background thread unless a fetch under way holds [start, end).
    void request(const Range& range, const QDateTime& start, const QDateTime& end,
                 std::optional<QDateTime> centre);
    void keep(EventWindowPtr window);
    // The events of [from, to) from the calendars of "visibleCalendars" (all of them when none
    // of those exists); safe on any thread.
    static EventWindowPtr fetch(store::EventStore* eventStore, const QStringList& wanted,
                                const Range& range);

    StoreSession& m_session;
    UserDefaults& m_defaults;
    SharedDates& m_dates;
    QThreadPool& m_background;
    mutable QMutex m_mutex;
    // The one used last first.
    QList<EventWindowPtr> m_windows;
    // Fetches under way for views; a refresh takes them over.
    QList<Range> m_requested;
    // Counts the refreshes: a window fetched before the latest one started may be stale.
    quint64 m_generation = 0;
};
