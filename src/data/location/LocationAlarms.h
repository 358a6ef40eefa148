#pragma once

#include "platform/store/Reminder.h"

#include <optional>

// What the Location row does to a task: adding the alarm the pop-over prepared and removing
// every location alarm. Time alarms are never touched here, as the time-alarm rows never touch
// location alarms.
namespace LocationAlarms {

// The radius every place chosen in the pop-over gets, in metres (350 feet).
inline constexpr double kRadius = 106.68;

// Adds a location alarm with `location` and `proximity` and no date.
bool addLocationAlarm(store::Reminder& reminder, const store::StructuredLocation& location,
                      store::Alarm::Proximity proximity);
bool removeLocationAlarms(store::Reminder& reminder);
// The first location alarm, the one the map shows.
const store::Alarm* firstLocationAlarm(const store::Reminder& reminder);

// What the map draws for a task: its first location alarm's place, the circle's radius (the
// default radius for a place stored without one), the region around it, four radii across,
// and whether the tint lies outside the circle (any alarm but an arrival).
struct MapRegion
{
    QString title;
    double latitude = 0;
    double longitude = 0;
    double radius = kRadius;
    double span = 4 * kRadius;
    bool inverse = false;
};
std::optional<MapRegion> mapRegion(const store::Reminder& reminder);

} // namespace LocationAlarms
