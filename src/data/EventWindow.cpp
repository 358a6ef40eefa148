#include "data/EventWindow.h"

EventWindow::EventWindow(QDateTime from, QDateTime to, QList<store::EventPtr> events)
    : m_from(std::move(from))
    , m_to(std::move(to))
    , m_events(std::move(events))
{
    m_spans.reserve(size_t(m_events.size()));
    for (const store::EventPtr& event : std::as_const(m_events))
        m_spans.push_back({event->startMs(), event->endMs(), event->isAllDay});
}

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

// On instants in milliseconds: comparing local date-times converts them to instants each time,
// which over a window of tens of thousands of occurrences costs more than the view itself.
bool overlaps(qint64 a, qint64 b, qint64 s, qint64 e)
{
    return (s <= a && a < e) || (s <= b && b < e) || (a <= s && b >= e);
}

} // namespace

QList<store::EventPtr> EventWindow::eventsOfPeriod(int type, const QDateTime& start) const
{
    return select(start.toMSecsSinceEpoch(), periodEnd(type, start).toMSecsSinceEpoch(), false);
}

QList<store::EventPtr> EventWindow::eventsOfRange(const QDateTime& start,
                                                  const QDateTime& end) const
{
    return select(start.toMSecsSinceEpoch(), end.toMSecsSinceEpoch(), true);
}

QList<store::EventPtr> EventWindow::select(qint64 start, qint64 end, bool everyEndEarly) const
{
    QList<store::EventPtr> taken;
    for (size_t i = 0; i < m_spans.size(); ++i) {
        const Span& span = m_spans[i];
        const qint64 last = everyEndEarly || span.allDay ? span.end - 1000 : span.end;
        if (overlaps(span.start, last, start, end))
            taken.append(m_events.at(qsizetype(i)));
    }
    return taken;
}

QList<store::EventPtr> EventWindow::eventsOfPeriod(const QList<store::EventPtr>& events, int type,
                                                   const QDateTime& start)
{
    return EventWindow({}, {}, events).eventsOfPeriod(type, start);
}

QList<store::EventPtr> EventWindow::eventsOfRange(const QList<store::EventPtr>& events,
                                                  const QDateTime& start, const QDateTime& end)
{
    return EventWindow({}, {}, events).eventsOfRange(start, end);
}
