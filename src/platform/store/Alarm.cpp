#include "platform/store/Alarm.h"

namespace store {

Alarm Alarm::withAbsoluteDate(const QDateTime& date)
{
    Alarm alarm;
    alarm.absoluteDate = date;
    return alarm;
}

Alarm Alarm::withRelativeOffset(double seconds)
{
    Alarm alarm;
    alarm.relativeOffset = seconds;
    alarm.hasRelativeOffset = true;
    return alarm;
}

Alarm Alarm::withLocation(const StructuredLocation& location, Proximity proximity)
{
    Alarm alarm;
    alarm.structuredLocation = location;
    alarm.proximity = proximity;
    return alarm;
}

bool Alarm::sameContent(const Alarm& other) const
{
    return absoluteDate == other.absoluteDate && relativeOffset == other.relativeOffset &&
           hasRelativeOffset == other.hasRelativeOffset &&
           structuredLocation == other.structuredLocation && proximity == other.proximity;
}

} // namespace store
