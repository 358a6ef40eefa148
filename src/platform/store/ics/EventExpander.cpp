#include "platform/store/ics/EventExpander.h"

#include "platform/store/Recurrence.h"
#include "platform/store/ics/DateTimeValue.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace store::ics {

namespace {

struct Timing
{
    QDateTime start;
    QDateTime end;
    bool allDay = false;
    // How later occurrences get their end: all-day events by days, a DURATION by its nominal
    // days and exact seconds, a DTEND by the exact time between start and end.
    Duration length;
};

struct Override
{
    const Component* component;
    DateTimeValue recurrenceId;
    QDateTime recurrenceInstant;
};

void collectEvents(const Component& component, QList<const Component*>& events, int depth)
{
    for (const Component::Node& node : component.nodes()) {
        if (!node.component)
            continue;
        if (node.component->is("VEVENT"))
            events.append(node.component.get());
        else if (depth < 2)
            collectEvents(*node.component, events, depth + 1);
    }
}

QString textOf(const Component& event, QByteArrayView name)
{
    const Property* line = event.property(name);
    return line ? line->text() : QString();
}

std::optional<Timing> timingOf(const Component& event, const ZoneResolver& zones,
                               const std::optional<DateTimeValue>& fallbackStart)
{
    std::optional<DateTimeValue> start;
    if (const Property* line = event.property("DTSTART"))
        start = parseDateTime(*line);
    if (!start)
        start = fallbackStart;
    if (!start)
        return std::nullopt;
    Timing timing;
    timing.allDay = start->isDate;
    timing.start = zones.toDateTime(*start);

    std::optional<DateTimeValue> end;
    if (const Property* line = event.property("DTEND"))
        end = parseDateTime(*line);
    std::optional<Duration> duration;
    if (const Property* line = event.property("DURATION"))
        duration = parseDuration(line->value());

    if (end) {
        const QDateTime endTime = zones.toDateTime(*end);
        if (timing.allDay)
            timing.length.days = qMax<qint64>(0, timing.start.date().daysTo(endTime.date()));
        else
            timing.length.seconds = qMax<qint64>(0, timing.start.secsTo(endTime));
    } else if (duration && duration->totalSeconds() >= 0) {
        timing.length = *duration;
    } else if (timing.allDay) {
        timing.length.days = 1;
    }
    timing.end = timing.length.addTo(timing.start);
    return timing;
}

// The range in milliseconds: comparing zoned or local date-times converts them each time.
struct Range
{
    qint64 from;
    qint64 to;

    bool overlaps(qint64 begins, qint64 ends) const
    {
        return begins < to && (ends > from || (ends == begins && begins >= from));
    }
    bool overlaps(const QDateTime& start, const QDateTime& end) const
    {
        return overlaps(start.toMSecsSinceEpoch(), end.toMSecsSinceEpoch());
    }
};

// Whether an override replaces the occurrence starting at `start`. Writers disagree on how
// to write a RECURRENCE-ID (UTC, the master's zone, floating, a DATE), so the instant, the
// wall-clock time and the day are each accepted.
bool replaces(const Override& candidate, const QDateTime& start, bool allDay)
{
    const DateTimeValue& id = candidate.recurrenceId;
    if (allDay || id.isDate)
        return start.date() == id.date;
    if (candidate.recurrenceInstant == start)
        return true;
    return !id.isUtc && id.tzid.isEmpty() && start.date() == id.date && start.time() == id.time;
}

// UID/2026-03-30T07:00:00Z. Written by hand: through QDateTime::toString it was a tenth of
// the cost of a year of a weekly event, and through snprintf still a quarter of a daily one's.
QString occurrenceIdentifier(const QString& uid, qint64 occurrenceMs)
{
    const qint64 seconds = occurrenceMs >= 0 ? occurrenceMs / 1000 : (occurrenceMs - 999) / 1000;
    const qint64 days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const int inDay = int(seconds - days * 86400);
    int year = 0;
    int month = 0;
    int day = 0;
    QDate::fromJulianDay(2440588 + days).getDate(&year, &month, &day);
    char text[] = "/0000-00-00T00:00:00Z";
    const auto put = [&text](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = char('0' + value % 10);
    };
    put(1, qBound(0, year, 9999), 4);
    put(6, month, 2);
    put(9, day, 2);
    put(12, inDay / 3600, 2);
    put(15, inDay / 60 % 60, 2);
    put(18, inDay % 60, 2);
    return uid + QLatin1String(text, sizeof text - 1);
}

Event makeEvent(const Component& source, const QDateTime& start, const QDateTime& end, bool allDay)
{
    Event event;
    event.title = textOf(source, "SUMMARY");
    event.location = textOf(source, "LOCATION");
    event.notes = textOf(source, "DESCRIPTION");
    if (const Property* url = source.property("URL"))
        event.URL = QUrl(QString::fromUtf8(url->trimmedValue()), QUrl::TolerantMode);
    event.isAllDay = allDay;
    event.startDate = allDay ? start : start.toLocalTime();
    event.endDate = allDay ? end : end.toLocalTime();
    return event;
}

QList<QDateTime> instants(const Component& event, QByteArrayView name, const ZoneResolver& zones)
{
    QList<QDateTime> result;
    for (const Property* line : event.properties(name)) {
        for (const DateTimeValue& value : parseDateTimeList(*line))
            result.append(zones.toDateTime(value));
    }
    return result;
}

void expandMaster(const Component& master, const QString& uid, const QList<Override>& overrides,
                  const ZoneResolver& zones, const QDateTime& from, const QDateTime& to,
                  const Range& range, QList<Event>& out)
{
    const std::optional<Timing> timing = timingOf(master, zones, std::nullopt);
    if (!timing)
        return;
    RecurrenceSet set;
    set.start = timing->start;
    set.allDay = timing->allDay;
    for (const Property* rule : master.properties("RRULE"))
        set.rrules.append(QString::fromUtf8(rule->trimmedValue()));
    set.rdates = instants(master, "RDATE", zones);
    set.exdates = instants(master, "EXDATE", zones);
    const bool recurring = !set.rrules.isEmpty() || !set.rdates.isEmpty();

    // Occurrences are found as instants; a date-time in the start's own zone is built only
    // where an override or a length in days needs one.
    QList<qint64> starts;
    if (recurring) {
        // An occurrence that began before `from` may still be running; a day more covers a
        // daylight-saving change inside a nominal length.
        const QDateTime queryFrom = from.addDays(-timing->length.days - 1)
                                        .addSecs(-qMax<qint64>(0, timing->length.seconds));
        starts = Recurrence::occurrenceInstants(set, queryFrom, to);
    } else {
        starts.append(timing->start.toMSecsSinceEpoch());
    }
    const auto inStartZone = [&timing](qint64 ms) {
        const QDateTime& first = timing->start;
        switch (timing->allDay ? Qt::LocalTime : first.timeSpec()) {
        case Qt::TimeZone:
            return QDateTime::fromMSecsSinceEpoch(ms, first.timeZone());
        case Qt::UTC:
            return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
        case Qt::OffsetFromUTC:
            return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, first.offsetFromUtc());
        case Qt::LocalTime:
            break;
        }
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime);
    };

    const Event prototype = makeEvent(master, QDateTime(), QDateTime(), timing->allDay);
    for (qint64 startMs : std::as_const(starts)) {
        QDateTime start;
        if (!overrides.isEmpty()) {
            start = inStartZone(startMs);
            const bool overridden =
                std::any_of(overrides.begin(), overrides.end(),
                            [&](const Override& o) { return replaces(o, start, timing->allDay); });
            if (overridden)
                continue;
        }
        // Days are nominal (a day across a DST change is 23 or 25 hours), seconds exact.
        QDateTime end;
        qint64 endMs = startMs + timing->length.seconds * 1000;
        if (timing->length.days != 0) {
            if (!start.isValid())
                start = inStartZone(startMs);
            end = timing->length.addTo(start);
            endMs = end.toMSecsSinceEpoch();
        }
        if (!range.overlaps(startMs, endMs))
            continue;
        Event event = prototype;
        event.startDate = QDateTime::fromMSecsSinceEpoch(startMs, Qt::LocalTime);
        event.endDate = QDateTime::fromMSecsSinceEpoch(endMs, Qt::LocalTime);
        event.startInstant = startMs;
        event.endInstant = endMs;
        event.occurrenceDate = event.startDate;
        event.eventIdentifier = recurring ? occurrenceIdentifier(uid, startMs) : uid;
        out.append(event);
    }
}

void addOverride(const Override& detached, const QString& uid, const ZoneResolver& zones,
                 const Range& range, QList<Event>& out)
{
    const Property* status = detached.component->property("STATUS");
    if (status && sameName(status->trimmedValue(), "CANCELLED"))
        return;
    const std::optional<Timing> timing =
        timingOf(*detached.component, zones, detached.recurrenceId);
    if (!timing || !range.overlaps(timing->start, timing->end))
        return;
    Event event = makeEvent(*detached.component, timing->start, timing->end, timing->allDay);
    event.occurrenceDate = detached.recurrenceId.isDate
                               ? QDateTime(detached.recurrenceId.date, QTime(0, 0))
                               : detached.recurrenceInstant.toLocalTime();
    event.isDetached = true;
    event.eventIdentifier =
        occurrenceIdentifier(uid, detached.recurrenceInstant.toMSecsSinceEpoch());
    out.append(event);
}

} // namespace

QList<Event> expandEvents(const Component& document, const QDateTime& from, const QDateTime& to)
{
    QList<Event> result;
    if (!from.isValid() || !to.isValid() || from >= to)
        return result;
    QList<const Component*> events;
    collectEvents(document, events, 0);
    if (events.isEmpty())
        return result;

    const ZoneResolver zones(document);
    const Range range{from.toMSecsSinceEpoch(), to.toMSecsSinceEpoch()};
    QList<std::pair<const Component*, QString>> masters;
    QHash<QString, QList<Override>> overrides;
    for (const Component* event : std::as_const(events)) {
        const QString uid = textOf(*event, "UID").trimmed();
        const Property* recurrenceId = event->property("RECURRENCE-ID");
        if (!recurrenceId) {
            masters.append({event, uid});
            continue;
        }
        // RANGE=THISANDFUTURE would also move every later occurrence; only the one named
        // is replaced, which is what most writers mean and all of them understand.
        if (const std::optional<DateTimeValue> id = parseDateTime(*recurrenceId))
            overrides[uid].append({event, *id, zones.toDateTime(*id)});
    }

    for (const auto& [master, uid] : std::as_const(masters))
        expandMaster(*master, uid, overrides.value(uid), zones, from, to, range, result);
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it) {
        for (const Override& detached : it.value())
            addOverride(detached, it.key(), zones, range, result);
    }
    // In time order; each start is turned into a number once, as comparing local times
    // converts them on every comparison.
    std::vector<std::pair<qint64, qsizetype>> order;
    order.reserve(size_t(result.size()));
    for (qsizetype i = 0; i < result.size(); ++i)
        order.emplace_back(result.at(i).startMs(), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<Event> sorted;
    sorted.reserve(result.size());
    for (const auto& [start, index] : order)
        sorted.append(std::move(result[index]));
    return sorted;
}

EventSpan eventSpan(const Component& document)
{
    QList<const Component*> events;
    collectEvents(document, events, 0);
    const ZoneResolver zones(document);
    EventSpan span = EventSpan::never();
    for (const Component* event : std::as_const(events)) {
        if (event->property("RRULE") || event->property("RDATE"))
            return EventSpan::always();
        // An override without a start of its own starts where the occurrence it replaces did.
        std::optional<DateTimeValue> recurrenceId;
        if (const Property* line = event->property("RECURRENCE-ID"))
            recurrenceId = parseDateTime(*line);
        if (const std::optional<Timing> timing = timingOf(*event, zones, recurrenceId))
            span.include(timing->start.toMSecsSinceEpoch(), timing->end.toMSecsSinceEpoch());
    }
    return span;
}

} // namespace store::ics
