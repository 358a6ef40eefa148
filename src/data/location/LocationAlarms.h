#pragma once

#include "platform/store/Reminder.h"

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

} // namespace LocationAlarms
