#pragma once

#include "platform/store/Event.h"

#include <QDateTime>
#include <QList>

#include <memory>
#include <vector>

// The occurrences of the calendar events over one stretch of time, fetched for the views that
// show part of it, and the selections the views make from it. Immutable; the calendar events
// keep a few of them and replace them whole.
class EventWindow
{
public:
    enum ViewType { Day = 0, Week = 1, Month = 2 };

    // [from, to): every occurrence overlapping it.
    EventWindow(QDateTime from, QDateTime to, QList<store::EventPtr> events);

    // What to fetch for a view of `type` from `start`: its period and one more on each side, so
    // that a step to the next or the previous period finds its events already there.
    static std::pair<QDateTime, QDateTime> rangeAround(int type, const QDateTime& start);
    // What to fetch for [start, end) outside any view: its days and one more on each side, so
    // that a range that moves by the hour is fetched again once a day.
    static std::pair<QDateTime, QDateTime> rangeAround(const QDateTime& start,
                                                       const QDateTime& end);

    const QDateTime& from() const { return m_from; }
    const QDateTime& to() const { return m_to; }
    const QList<store::EventPtr>& events() const { return m_events; }
    // Whether the window holds every event that the selections below take for [start, end).
    // The window must begin before `start`: a timed event ending at `start` belongs to the
    // period, and the store gives only events ending after the window's beginning.
    bool covers(const QDateTime& start, const QDateTime& end) const;

    static QDateTime periodEnd(int type, const QDateTime& start);
    // The window's events of a view period [start, start + day/week/month); an all-day event
    // ends one second before its end date, a timed one at its end date.
    QList<store::EventPtr> eventsOfPeriod(int type, const QDateTime& start) const;
    // The window's events of [start, end), every event ending one second before its end date.
    QList<store::EventPtr> eventsOfRange(const QDateTime& start, const QDateTime& end) const;
    // The same selections from a list of events.
    static QList<store::EventPtr> eventsOfPeriod(const QList<store::EventPtr>& events, int type,
                                                 const QDateTime& start);
    static QList<store::EventPtr> eventsOfRange(const QList<store::EventPtr>& events,
                                                const QDateTime& start, const QDateTime& end);

private:
    // An event's start and end as instants in milliseconds.
    struct Span
    {
        qint64 start;
        qint64 end;
        bool allDay;
    };

    QList<store::EventPtr> select(qint64 start, qint64 end, bool everyEndEarly) const;

    QDateTime m_from;
    QDateTime m_to;
    QList<store::EventPtr> m_events;
    std::vector<Span> m_spans; // one for each event, worked out with the window
};

using EventWindowPtr = std::shared_ptr<const EventWindow>;
