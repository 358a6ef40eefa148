#pragma once

#include "platform/store/Event.h"

#include <QString>

class DateFormatters;

// The texts of an event's information row: when it takes place, where, and in which calendar.
namespace EventInfoText {

// "3 May  " for an all-day event of one day, "3 May ~ 5 May  " for one of several days (the
// last day is the one before the end), "Today, 09:30 ~ 10:00  " for a timed event within one
// day, and both full date-times otherwise. Always ends with two spaces.
QString dateText(const store::Event& event, const DateFormatters& formatters);
// The location on one line.
QString locationText(const store::Event& event);
QString calendarText(const store::Event& event);

} // namespace EventInfoText
