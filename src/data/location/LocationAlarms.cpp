#include "data/location/LocationAlarms.h"

namespace LocationAlarms {

bool addLocationAlarm(store::Reminder& reminder, const store::StructuredLocation& location,
                      store::Alarm::Proximity proximity)
{
    if (!location.hasGeoLocation)
        return false;
    reminder.alarms << store::Alarm::withLocation(location, proximity);
    return true;
}

bool removeLocationAlarms(store::Reminder& reminder)
{
    return reminder.alarms.removeIf(
               [](const store::Alarm& alarm) { return alarm.isLocationAlarm(); }) > 0;
}

const store::Alarm* firstLocationAlarm(const store::Reminder& reminder)
{
    for (const store::Alarm& alarm : reminder.alarms)
        if (alarm.isLocationAlarm())
            return &alarm;
    return nullptr;
}

} // namespace LocationAlarms
