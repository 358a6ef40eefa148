#include "data/EventWindow.h"

EventWindow::EventWindow(QDateTime from, QDateTime to, QList<store::EventPtr> events)
    : m_from(std::move(from))
    , m_to(std::move(to))
    , m_events(std::move(events))
{}

std::pair<QDateTime, QDateTime> EventWindow::rangeAround(int type, const QDateTime& start)
{
    switch (type) {
    case Week:
        return {start.addDays(-7), start.addDays(14)};
    case Month:
        return {start.addMonths(-1), start.addMonths(2)};
    default:
        return {start.addDays(-1), start.addDays(2)};
    }
}

std::pair<QDateTime, QDateTime> EventWindow::rangeAround(const QDateTime& start,
                                                         const QDateTime& end)
{
    return {start.date().addDays(-1).startOfDay(), end.date().addDays(2).startOfDay()};
}

bool EventWindow::covers(const QDateTime& start, const QDateTime& end) const
{
    return m_from < start && end <= m_to;
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
