#pragma once

#include "platform/store/Reminder.h"
#include "platform/store/ics/AlarmCodec.h"
#include "platform/store/ics/Component.h"
#include "platform/store/ics/DateTimeValue.h"

namespace store::ics {

// The task a VTODO describes, in one pass over its lines. Values that cannot be read are left
// at their defaults; an RRULE the recurrence rules refuse is not shown.
Reminder readTodo(const Component& todo, const ZoneResolver& zones);

// A RELATED-TO line naming the task's parent: RELTYPE=PARENT, or no RELTYPE at all (RFC 5545's
// default). CHILD and SIBLING links, and any other type, are not.
bool isParentLink(const Property& line);

// The anchors relative alarms of a task are measured from.
AlarmAnchors alarmAnchors(const Reminder& reminder);

// The series a task's rules repeat: its due date, else its start date, in that date's own
// time zone, and whether it is all-day. nullopt when the task has neither.
struct SeriesAnchor
{
    QDateTime start;
    bool allDay = false;
};
std::optional<SeriesAnchor> seriesAnchor(const Reminder& reminder);

} // namespace store::ics
