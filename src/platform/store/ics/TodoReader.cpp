#include "platform/store/ics/TodoReader.h"

#include "platform/store/Recurrence.h"
#include "platform/store/ics/AlarmCodec.h"

namespace store::ics {

namespace {

enum class Field {
    Other,
    Summary,
    Description,
    Url,
    Priority,
    Status,
    Completed,
    PercentComplete,
    Due,
    Start,
    Created,
    LastModified,
    Uid,
    Related,
    HideSubtasks,
    Rule
};

Field fieldOf(QByteArrayView name)
{
    switch (name.size()) {
    case 3:
        if (sameName(name, "DUE"))
            return Field::Due;
        if (sameName(name, "UID"))
            return Field::Uid;
        if (sameName(name, "URL"))
            return Field::Url;
        break;
    case 5:
        if (sameName(name, "RRULE"))
            return Field::Rule;
        break;
    case 6:
        if (sameName(name, "STATUS"))
            return Field::Status;
        break;
    case 7:
        if (sameName(name, "SUMMARY"))
            return Field::Summary;
        if (sameName(name, "DTSTART"))
            return Field::Start;
        if (sameName(name, "CREATED"))
            return Field::Created;
        break;
    case 8:
        if (sameName(name, "PRIORITY"))
            return Field::Priority;
        break;
    case 9:
        if (sameName(name, "COMPLETED"))
            return Field::Completed;
        break;
    case 10:
        if (sameName(name, "RELATED-TO"))
            return Field::Related;
        break;
    case 11:
        if (sameName(name, "DESCRIPTION"))
            return Field::Description;
        break;
    case 13:
        if (sameName(name, "LAST-MODIFIED"))
            return Field::LastModified;
        break;
    case 16:
        if (sameName(name, "PERCENT-COMPLETE"))
            return Field::PercentComplete;
        break;
    case 17:
        if (sameName(name, "X-OC-HIDESUBTASKS"))
            return Field::HideSubtasks;
        break;
    default:
        break;
    }
    return Field::Other;
}

QDateTime instant(const Property& line, const ZoneResolver& zones)
{
    const std::optional<DateTimeValue> value = parseDateTime(line);
    return value ? zones.toDateTime(*value).toLocalTime() : QDateTime();
}

std::optional<DateComponents> components(const Property& line, const ZoneResolver& zones)
{
    const std::optional<DateTimeValue> value = parseDateTime(line);
    if (!value)
        return std::nullopt;
    return zones.toComponents(*value);
}

// A rule's end in the form the task's series gives it, as a save writes it: a DATE for an
// all-day series, an instant otherwise. A file whose UNTIL does not match its dates then reads
// the same before and after the task is written.
RecurrenceRule inSeriesForm(const RecurrenceRule& rule, const std::optional<SeriesAnchor>& anchor)
{
    if (!anchor || !rule.recurrenceEnd || !rule.recurrenceEnd->endDate.isValid() ||
        rule.recurrenceEnd->endDateIsAllDay == anchor->allDay)
        return rule;
    return Recurrence::parseRule(Recurrence::formatRule(rule, anchor->start, anchor->allDay))
        .value_or(rule);
}

} // namespace

bool isParentLink(const Property& line)
{
    if (!line.is("RELATED-TO"))
        return false;
    const std::optional<QByteArray> type = line.parameter("RELTYPE");
    return !type || sameName(type->trimmed(), "PARENT");
}

Reminder readTodo(const Component& todo, const ZoneResolver& zones)
{
    Reminder reminder;
    bool seen[int(Field::Rule) + 1] = {};
    bool completed = false;
    QList<const Component*> alarms;
    for (const Component::Node& node : todo.nodes()) {
        if (node.component) {
            if (node.component->is("VALARM"))
                alarms.append(node.component.get());
            continue;
        }
        const Property& line = node.property;
        if (!line.isContentLine())
            continue;
        const Field field = fieldOf(line.name());
        if (field == Field::Other)
            continue;
        // A property given twice counts once, as its first line says, except rules and links
        // (only the first parent link counts, but a CHILD or SIBLING link may come before it).
        if (field != Field::Rule && field != Field::Related && seen[int(field)])
            continue;
        seen[int(field)] = true;
        switch (field) {
        case Field::Summary:
            reminder.title = line.text();
            break;
        case Field::Description:
            reminder.notes = line.text();
            break;
        case Field::Url: {
            // An address that is no URL is shown as none rather than as an error, and stays in
            // the file as it was written.
            const QUrl url(QString::fromUtf8(line.trimmedValue()), QUrl::TolerantMode);
            reminder.URL = url.isValid() ? url : QUrl();
            break;
        }
        case Field::Priority:
            reminder.priority = qBound(0, line.trimmedValue().toInt(), 9);
            break;
        case Field::Status:
            completed = completed || sameName(line.trimmedValue(), "COMPLETED");
            break;
        case Field::Completed:
            reminder.completionDate = instant(line, zones);
            completed = completed || reminder.completionDate.isValid();
            break;
        case Field::PercentComplete:
            completed = completed || line.trimmedValue().toInt() >= 100;
            break;
        case Field::Due:
            reminder.dueDateComponents = components(line, zones);
            break;
        case Field::Start:
            reminder.startDateComponents = components(line, zones);
            break;
        case Field::Created:
            reminder.creationDate = instant(line, zones);
            break;
        case Field::LastModified:
            reminder.lastModifiedDate = instant(line, zones);
            break;
        case Field::Uid:
            reminder.uid = line.text().trimmed();
            break;
        case Field::Related:
            if (reminder.parentUid.isEmpty() && isParentLink(line))
                reminder.parentUid = line.text().trimmed();
            break;
        case Field::HideSubtasks:
            reminder.hidesSubtasks = line.trimmedValue().toInt() != 0;
            break;
        case Field::Rule:
            if (auto rule = Recurrence::parseRule(QString::fromUtf8(line.trimmedValue())))
                reminder.recurrenceRules.append(*rule);
            break;
        case Field::Other:
            break;
        }
    }
    reminder.completed = completed;
    if (!reminder.recurrenceRules.isEmpty()) {
        const std::optional<SeriesAnchor> anchor = seriesAnchor(reminder);
        for (RecurrenceRule& rule : reminder.recurrenceRules)
            rule = inSeriesForm(rule, anchor);
    }
    if (!alarms.isEmpty()) {
        const AlarmAnchors anchors = alarmAnchors(reminder);
        for (const Component* valarm : std::as_const(alarms)) {
            if (std::optional<Alarm> alarm = AlarmCodec::read(*valarm, zones, anchors))
                reminder.alarms.append(*alarm);
        }
    }
    return reminder;
}

AlarmAnchors alarmAnchors(const Reminder& reminder)
{
    return {reminder.dueDateComponents, reminder.startDateComponents};
}

std::optional<SeriesAnchor> seriesAnchor(const Reminder& reminder)
{
    const auto isSet = [](const OptionalDateComponents& value) {
        return value && value->isValid();
    };
    const OptionalDateComponents& anchor = isSet(reminder.dueDateComponents)
                                               ? reminder.dueDateComponents
                                               : reminder.startDateComponents;
    if (!isSet(anchor))
        return std::nullopt;
    const QTime time(anchor->hour, anchor->minute, anchor->second);
    // 00:00 is a date without a time of day, as the due date's DATE form says.
    const bool allDay = anchor->hour == 0 && anchor->minute == 0;
    if (anchor->timeZone.isValid())
        return SeriesAnchor{QDateTime(anchor->date(), time, anchor->timeZone), allDay};
    return SeriesAnchor{QDateTime(anchor->date(), time), allDay};
}

} // namespace store::ics
