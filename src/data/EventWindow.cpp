#include "data/EventWindow.h"

EventWindow::EventWindow(QDateTime centre, QList<store::EventPtr> events)
    : m_centre(std::move(centre))
    , m_events(std::move(events))
{}

QDateTime EventWindow::windowStart(const QDateTime& centre)
{
    return centre.addMonths(-6);
}

QDateTime EventWindow::windowEnd(const QDateTime& centre)
{
    return centre.addMonths(6);
}

bool EventWindow::includes(const QDateTime& date) const
{
    return windowStart(m_centre) <= date && date <= windowEnd(m_centre);
}

QDateTime EventWindow::periodEnd(int type, const QDateTime& start)
{
    switch (type) {
    case Day:
        return start.addDays(1);
    case Week:
        return start.addDays(7);
    case Month:
        return start.addMonths(1);
    default:
        return start;
    }
}

namespace {

bool overlaps(const QDateTime& a, const QDateTime& b, const QDateTime& s, const QDateTime& e)
{
    return (s <= a && a < e) || (s <= b && b < e) || (a <= s && b >= e);
}

} // namespace

QList<store::EventPtr> EventWindow::eventsOfPeriod(const QList<store::EventPtr>& events, int type,
                                                   const QDateTime& start)
{
    const QDateTime end = periodEnd(type, start);
    QList<store::EventPtr> taken;
    for (const store::EventPtr& event : events) {
        const QDateTime last = event->isAllDay ? event->endDate.addSecs(-1) : event->endDate;
        if (overlaps(event->startDate, last, start, end))
            taken.append(event);
    }
    return taken;
}

QList<store::EventPtr> EventWindow::eventsOfRange(const QList<store::EventPtr>& events,
                                                  const QDateTime& start, const QDateTime& end)
{
    QList<store::EventPtr> taken;
    for (const store::EventPtr& event : events) {
        if (overlaps(event->startDate, event->endDate.addSecs(-1), start, end))
            taken.append(event);
    }
    return taken;
}
