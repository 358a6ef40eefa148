#pragma once

#include "platform/store/Alarm.h"
#include "platform/store/DateComponents.h"
#include "platform/store/ics/Component.h"
#include "platform/store/ics/DateTimeValue.h"

#include <QDateTime>

#include <optional>

namespace store::ics {

// What a relative trigger of a task is measured from (turned into instants only when an
// alarm needs them, which few do).
struct AlarmAnchors
{
    std::optional<DateComponents> due;
    std::optional<DateComponents> start;
};

// Reading and writing VALARM components of tasks.
namespace AlarmCodec {

// The alarm a VALARM stands for: absolute, relative to the due date (a trigger relative to the
// start is converted), or a location alarm in the X-APPLE-STRUCTURED-LOCATION form or the RFC 9074
// form (PROXIMITY with a VLOCATION, or GEO). nullopt for an alarm a task cannot show; such alarms
// stay in the file untouched.
std::optional<Alarm> read(const Component& valarm, const ZoneResolver& zones,
                          const AlarmAnchors& anchors);

// A new VALARM; `description` is the text a display alarm shows, `uid` its identity.
Component write(const Alarm& alarm, const QString& description, const QString& uid,
                QByteArrayView newline);

// The trigger a location alarm carries so that clients without location support never fire it.
inline constexpr const char* locationSentinel = "19760401T005545Z";

} // namespace AlarmCodec

} // namespace store::ics
