#include "platform/store/ics/TodoWriter.h"

#include "platform/store/Recurrence.h"
#include "platform/store/ics/AlarmCodec.h"
#include "platform/store/ics/TimeZones.h"
#include "platform/store/ics/TodoReader.h"
#include "platform/store/ics/ValueFormat.h"

#include <QCoreApplication>
#include <QSet>
#include <QUuid>

namespace store::ics {

namespace {

// Files keep whole seconds; comparing finer would rewrite a line on every save.
bool sameSecond(const QDateTime& a, const QDateTime& b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    return a.toSecsSinceEpoch() == b.toSecsSinceEpoch();
}

bool samePlace(const StructuredLocation& a, const StructuredLocation& b)
{
    if (a.title != b.title || a.radius != b.radius || a.hasGeoLocation != b.hasGeoLocation)
        return false;
    return !a.hasGeoLocation || (a.latitude == b.latitude && a.longitude == b.longitude);
}

bool sameAlarm(const Alarm& a, const Alarm& b)
{
    if (a.isLocationAlarm() || b.isLocationAlarm()) {
        return a.isLocationAlarm() && b.isLocationAlarm() && a.proximity == b.proximity &&
               samePlace(*a.structuredLocation, *b.structuredLocation);
    }
    if (a.hasRelativeOffset || b.hasRelativeOffset) {
        return a.hasRelativeOffset && b.hasRelativeOffset &&
               qRound64(a.relativeOffset) == qRound64(b.relativeOffset);
    }
    return sameSecond(a.absoluteDate, b.absoluteDate);
}

bool writable(const Alarm& alarm)
{
    return alarm.isLocationAlarm() || alarm.hasRelativeOffset || alarm.absoluteDate.isValid();
}

bool isSet(const OptionalDateComponents& value)
{
    return value && value->isValid();
}

bool sameDate(const OptionalDateComponents& a, const OptionalDateComponents& b)
{
    if (!isSet(a) || !isSet(b))
        return isSet(a) == isSet(b);
    return *a == *b;
}

bool isDateOnly(const DateComponents& value)
{
    return value.hour == 0 && value.minute == 0;
}

bool isAllDay(const OptionalDateComponents& value)
{
    return isSet(value) && isDateOnly(*value);
}

bool readableRule(const Property& line)
{
    return line.is("RRULE") &&
           Recurrence::parseRule(QString::fromUtf8(line.trimmedValue())).has_value();
}

} // namespace

TodoWriter::TodoWriter(Component* calendar, Component& todo, const ZoneResolver& zones,
                       QByteArrayView newline)
    : m_calendar(calendar)
    , m_todo(todo)
    , m_zones(zones)
    , m_newline(newline.toByteArray())
{}

bool TodoWriter::apply(const Reminder& current, const Reminder& edited, const QDateTime& now)
{
    m_changed = false;
    if (!edited.uid.isEmpty() && edited.uid != current.uid)
        setText("UID", edited.uid);
    if (edited.title != current.title)
        setText("SUMMARY", edited.title);
    if (edited.notes != current.notes)
        setText("DESCRIPTION", edited.notes);
    if (edited.URL != current.URL) {
        // An invalid address would be written as an empty line; it is no address at all.
        if (!edited.URL.isValid())
            remove("URL");
        else
            setLine(Property::build("URL", {}, edited.URL.toEncoded(), m_newline));
    }
    const int priority = qBound(0, edited.priority, 9);
    if (priority != current.priority) {
        if (priority == 0)
            remove("PRIORITY");
        else
            setLine(Property::build("PRIORITY", {}, QByteArray::number(priority), m_newline));
    }
    if (!sameDate(edited.dueDateComponents, current.dueDateComponents))
        writeDate("DUE", edited.dueDateComponents);
    if (!sameDate(edited.startDateComponents, current.startDateComponents))
        writeDate("DTSTART", edited.startDateComponents);
    writeCompletion(current, edited, now);
    if (edited.creationDate.isValid() && !sameSecond(edited.creationDate, current.creationDate))
        setLine(Property::build("CREATED", {}, formatUtc(edited.creationDate), m_newline));
    writeAlarms(current, edited);
    if (edited.parentUid.get().trimmed() != current.parentUid)
        writeParent(edited.parentUid.get().trimmed());
    if (edited.hidesSubtasks != current.hidesSubtasks) {
        if (edited.hidesSubtasks)
            setLine(Property::build("X-OC-HIDESUBTASKS", {}, "1", m_newline));
        else
            remove("X-OC-HIDESUBTASKS");
    }
    // An UNTIL must be a DATE exactly when the series is, so a change of kind rewrites rules.
    if (edited.recurrenceRules != current.recurrenceRules ||
        (!edited.recurrenceRules.isEmpty() &&
         isAllDay(edited.dueDateComponents) != isAllDay(current.dueDateComponents)))
        writeRules(edited, current.recurrenceRules.isEmpty());
    return m_changed;
}

void TodoWriter::stamp(const QDateTime& now, bool bumpSequence)
{
    const QByteArray stamp = formatUtc(now);
    setLine(Property::build("DTSTAMP", {}, stamp, m_newline));
    setLine(Property::build("LAST-MODIFIED", {}, stamp, m_newline));
    if (bumpSequence) {
        const Property* sequence = m_todo.property("SEQUENCE");
        const int next = sequence ? qMax(0, sequence->trimmedValue().toInt()) + 1 : 1;
        setLine(Property::build("SEQUENCE", {}, QByteArray::number(next), m_newline));
    }
}

bool TodoWriter::moveAbsoluteAlarms(const std::function<QDateTime(const QDateTime&)>& move)
{
    bool moved = false;
    for (Component* valarm : m_todo.children("VALARM")) {
        const std::optional<Alarm> alarm = AlarmCodec::read(*valarm, m_zones, AlarmAnchors{});
        if (!alarm || alarm->isLocationAlarm() || alarm->hasRelativeOffset ||
            !alarm->absoluteDate.isValid())
            continue;
        // The new time is written in UTC, as RFC 5545 wants it; a zone some writer gave the
        // old one does not apply to it.
        QList<Parameter> parameters = valarm->property("TRIGGER")->parameters();
        parameters.removeIf([](const Parameter& p) { return sameName(p.name, "TZID"); });
        valarm->setProperty(Property::build("TRIGGER", parameters,
                                            formatUtc(move(alarm->absoluteDate)), m_newline));
        moved = true;
    }
    m_changed = m_changed || moved;
    return moved;
}

void TodoWriter::setLine(const Property& line)
{
    if (Property* existing = m_todo.property(line.name())) {
        if (existing->raw() == line.raw())
            return;
        *existing = line;
    } else {
        m_todo.append(Component::Node(line));
    }
    m_changed = true;
}

void TodoWriter::setText(QByteArrayView name, const QString& text)
{
    if (text.isEmpty())
        remove(name);
    else
        setLine(Property::text(name, text, m_newline));
}

void TodoWriter::remove(QByteArrayView name)
{
    if (m_todo.removeProperties(name) >= 0)
        m_changed = true;
}

// Only the parent links go: a CHILD or SIBLING link, or one of a type we do not know, stays as
// it was written. The new link takes the place of the old one.
void TodoWriter::writeParent(const QString& uid)
{
    qsizetype at = -1;
    std::vector<Component::Node>& nodes = m_todo.nodes();
    for (qsizetype i = qsizetype(nodes.size()) - 1; i >= 0; --i) {
        const Component::Node& node = nodes[size_t(i)];
        if (!node.component && isParentLink(node.property)) {
            m_todo.removeAt(i);
            at = i;
            m_changed = true;
        }
    }
    if (uid.isEmpty())
        return;
    Component::Node link(
        Property::build("RELATED-TO", {{"RELTYPE", {"PARENT"}}}, escapeText(uid), m_newline));
    if (at >= 0)
        m_todo.insert(at, std::move(link));
    else
        m_todo.append(std::move(link));
    m_changed = true;
}

void TodoWriter::writeDate(QByteArrayView name, const OptionalDateComponents& value)
{
    if (!isSet(value)) {
        remove(name);
        return;
    }
    const QDate date = value->date();
    if (isDateOnly(*value)) {
        setLine(Property::build(name, {{"VALUE", {"DATE"}}}, formatDate(date), m_newline));
        return;
    }
    const QTime time(value->hour, value->minute, value->second);
    if (!value->timeZone.isValid()) {
        setLine(Property::build(name, {}, formatWallTime(date, time), m_newline));
        return;
    }
    const QByteArray tzid = tzidForZone(value->timeZone);
    if (tzid.isEmpty()) {
        const QDateTime instant(date, time, value->timeZone);
        setLine(Property::build(name, {}, formatUtc(instant), m_newline));
        return;
    }
    setLine(Property::build(name, {{"TZID", {tzid}}}, formatWallTime(date, time), m_newline));
    ensureTimeZone(value->timeZone, date.year());
}

void TodoWriter::ensureTimeZone(const QTimeZone& zone, int year)
{
    if (!m_calendar)
        return;
    const QByteArray tzid = tzidForZone(zone);
    qsizetype insertAt = -1;
    const std::vector<Component::Node>& nodes = m_calendar->nodes();
    for (size_t i = 0; i < nodes.size(); ++i) {
        const Component* child = nodes[i].component.get();
        if (!child)
            continue;
        if (child->is("VTIMEZONE")) {
            const Property* id = child->property("TZID");
            if (id && id->trimmedValue() == tzid)
                return;
        } else if (insertAt < 0) {
            insertAt = qsizetype(i);
        }
    }
    Component::Node node(makeTimeZone(zone, year, m_newline));
    if (insertAt < 0)
        m_calendar->append(std::move(node));
    else
        m_calendar->insert(insertAt, std::move(node));
    m_changed = true;
}

void TodoWriter::writeCompletion(const Reminder& current, const Reminder& edited,
                                 const QDateTime& now)
{
    const bool moved = edited.completed && edited.completionDate.isValid() &&
                       !sameSecond(edited.completionDate, current.completionDate);
    if (edited.completed == current.completed && !moved)
        return;
    if (edited.completed) {
        const QDateTime at = edited.completionDate.isValid() ? edited.completionDate : now;
        setLine(Property::build("STATUS", {}, "COMPLETED", m_newline));
        setLine(Property::build("COMPLETED", {}, formatUtc(at), m_newline));
        setLine(Property::build("PERCENT-COMPLETE", {}, "100", m_newline));
        return;
    }
    setLine(Property::build("STATUS", {}, "NEEDS-ACTION", m_newline));
    remove("COMPLETED");
    const Property* percent = m_todo.property("PERCENT-COMPLETE");
    if (percent && percent->trimmedValue().toInt() >= 100)
        remove("PERCENT-COMPLETE");
}

void TodoWriter::writeAlarms(const Reminder& current, const Reminder& edited)
{
    struct FileAlarm
    {
        const Component* component;
        Alarm alarm;
        bool kept = false;
    };
    QList<FileAlarm> inFile;
    const AlarmAnchors anchors = alarmAnchors(current);
    for (const Component* valarm : std::as_const(m_todo).children("VALARM")) {
        if (std::optional<Alarm> alarm = AlarmCodec::read(*valarm, m_zones, anchors))
            inFile.append({valarm, *alarm});
    }

    auto match = [&](const Alarm& wanted, bool byUid) -> FileAlarm* {
        for (FileAlarm& candidate : inFile) {
            if (candidate.kept || (byUid && candidate.alarm.uid != wanted.uid))
                continue;
            if (sameAlarm(candidate.alarm, wanted))
                return &candidate;
        }
        return nullptr;
    };
    QList<Alarm> added;
    for (const Alarm& wanted : edited.alarms) {
        if (!writable(wanted))
            continue;
        FileAlarm* found = wanted.uid.isEmpty() ? nullptr : match(wanted, true);
        if (!found)
            found = match(wanted, false);
        if (found)
            found->kept = true;
        else
            added.append(wanted);
    }

    QSet<QString> usedUids;
    for (const FileAlarm& alarm : std::as_const(inFile)) {
        if (alarm.kept) {
            usedUids.insert(alarm.alarm.uid);
            continue;
        }
        m_todo.removeAt(m_todo.indexOf(alarm.component));
        m_changed = true;
    }
    const QString description = edited.title.isEmpty()
                                    ? QCoreApplication::translate("store::IcsItem", "Reminder")
                                    : edited.title.toString();
    for (const Alarm& alarm : std::as_const(added)) {
        QString uid = alarm.uid;
        if (uid.isEmpty() || usedUids.contains(uid))
            uid = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
        usedUids.insert(uid);
        m_todo.append(Component::Node(AlarmCodec::write(alarm, description, uid, m_newline)));
        m_changed = true;
    }
}

void TodoWriter::writeRules(const Reminder& edited, bool noneShown)
{
    const std::optional<SeriesAnchor> anchor = seriesAnchor(edited);
    // Without a date the series has no month either: naming the month of "now" would pin a
    // yearly rule to it, and a due date given later in another month would never repeat.
    const QDateTime start = anchor ? anchor->start : QDateTime();
    // Without a date the series has no form of its own; each rule keeps the form of its end.
    const auto allDay = [&anchor](const RecurrenceRule& rule) {
        if (anchor)
            return anchor->allDay;
        return rule.recurrenceEnd && rule.recurrenceEnd->endDateIsAllDay;
    };

    // Rules we could not read stay; the ones we showed are replaced where the first one was.
    // A task shown without a rule that gets one now repeats by that rule alone: a rule left
    // from before would make other programs repeat it by both.
    const bool replaceAll = noneShown && !edited.recurrenceRules.isEmpty();
    qsizetype position = -1;
    std::vector<Component::Node>& nodes = m_todo.nodes();
    for (qsizetype i = qsizetype(nodes.size()) - 1; i >= 0; --i) {
        const Component::Node& node = nodes[size_t(i)];
        if (!node.component && node.property.is("RRULE") &&
            (replaceAll || readableRule(node.property))) {
            m_todo.removeAt(i);
            position = i;
            m_changed = true;
        }
    }
    for (const RecurrenceRule& rule : edited.recurrenceRules) {
        Component::Node node(Property::build(
            "RRULE", {}, Recurrence::formatRule(rule, start, allDay(rule)).toUtf8(), m_newline));
        if (position < 0) {
            m_todo.append(std::move(node));
        } else {
            m_todo.insert(position, std::move(node));
            ++position;
        }
        m_changed = true;
    }
}

} // namespace store::ics
