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

// The calendar events shown beside the tasks: a cached window of twelve months around a centre
// date, fetched from the calendars the user shows, and the selections the views make from it.
// A view outside the window has the window fetched again around its own date.
class CalendarEvents : public QObject
{
    Q_OBJECT

public:
    CalendarEvents(StoreSession& session, UserDefaults& defaults, SharedDates& dates,
                   QThreadPool& background, QObject* parent = nullptr);

    // Null before the first fetch.
    EventWindowPtr eventWindow() const;
    void setEventWindow(EventWindowPtr window);
    QList<store::EventPtr> eventsArray() const;
    QList<store::CalendarPtr> allEventCalendars() const;

    // The events of the window around `centre` from the calendars of "visibleCalendars" (all
    // of them when none of those exists); the completion runs on the main thread, after the
    // shared centre date has moved there.
    void fetchEventsAsynchronouslyWithDate(const QDateTime& centre,
                                           std::function<void(QList<store::EventPtr>)> completion);
    // Replaces the window with one around `centre`, then announces it.
    void refreshEventsArrayWithDate(const QDateTime& centre);
    bool doesEventsArrayIncludeDate(const QDateTime& date) const;
    // The events of a day, week or month view from `start`; none while the window does not
    // cover the period, which is then fetched again around `start`.
    std::optional<QList<store::EventPtr>> fetchEventsByType(int type, const QDateTime& start);
    // The events of [start, end); none when the window does not hold `start`.
    std::optional<QList<store::EventPtr>> fetchEventsFromDate(const QDateTime& start,
                                                              const QDateTime& end) const;

Q_SIGNALS:
    // refreshEventsArrayWithDate delivered a new window.
    void eventWindowRefreshed();

private:
    StoreSession& m_session;
    UserDefaults& m_defaults;
    SharedDates& m_dates;
    QThreadPool& m_background;
    mutable QMutex m_mutex;
    EventWindowPtr m_eventWindow;
};
