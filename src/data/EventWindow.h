#pragma once

#include "platform/store/Event.h"

#include <QDateTime>
#include <QList>

#include <memory>
#include <optional>

// The cached twelve-month window of calendar events around a centre date, and the selections
// the views make from it. Immutable; the data manager replaces it whole.
class EventWindow
{
public:
    enum ViewType { Day = 0, Week = 1, Month = 2 };

    EventWindow(QDateTime centre, QList<store::EventPtr> events);

    // Six calendar months before and after the centre.
    static QDateTime windowStart(const QDateTime& centre);
    static QDateTime windowEnd(const QDateTime& centre);

    const QDateTime& centre() const { return m_centre; }
    const QList<store::EventPtr>& events() const { return m_events; }
    // Both ends included.
    bool includes(const QDateTime& date) const;

    // The events of a view period [start, start + day/week/month); an all-day event ends one
    // second before its end date, a timed one at its end date.
    static QList<store::EventPtr> eventsOfPeriod(const QList<store::EventPtr>& events, int type,
                                                 const QDateTime& start);
    static QDateTime periodEnd(int type, const QDateTime& start);
    // The events of [start, end), every event ending one second before its end date.
    static QList<store::EventPtr> eventsOfRange(const QList<store::EventPtr>& events,
                                                const QDateTime& start, const QDateTime& end);

private:
    QDateTime m_centre;
    QList<store::EventPtr> m_events;
};

using EventWindowPtr = std::shared_ptr<const EventWindow>;
