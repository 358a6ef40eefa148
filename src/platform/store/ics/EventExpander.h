#pragma once

#include "platform/store/Event.h"
#include "platform/store/EventSpan.h"
#include "platform/store/ics/Component.h"

#include <QDateTime>
#include <QList>

namespace store::ics {

// The occurrences of a file's VEVENTs that overlap [from, to): masters expanded through their
// RRULE, RDATE and EXDATE, RECURRENCE-ID overrides in place of the occurrences they replace,
// cancelled overrides removing theirs, overrides without a master on their own. Times are
// local; an event without an end lasts a day when all-day, else no time at all.
QList<Event> expandEvents(const Component& document, const QDateTime& from, const QDateTime& to);
// Where every occurrence expandEvents() may give lies, placed in time as it places them. A
// repeating event (RRULE or RDATE) may happen at any time.
EventSpan eventSpan(const Component& document);

} // namespace store::ics
