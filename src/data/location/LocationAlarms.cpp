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

std::optional<MapRegion> mapRegion(const store::Reminder& reminder)
{
    const store::Alarm* alarm = firstLocationAlarm(reminder);
    if (!alarm || !alarm->structuredLocation->hasGeoLocation)
        return std::nullopt;
    const store::StructuredLocation& place = *alarm->structuredLocation;
    MapRegion region;
    region.title = place.title;
    region.latitude = place.latitude;
    region.longitude = place.longitude;
    region.radius = place.radius > 0 ? place.radius : kRadius;
    region.span = 4 * region.radius;
    region.inverse = alarm->proximity != store::Alarm::Proximity::Enter;
    return region;
}

} // namespace LocationAlarms
