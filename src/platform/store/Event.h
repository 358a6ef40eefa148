#pragma once

#include "platform/store/Calendar.h"

#include <QDateTime>
#include <QUrl>

#include <memory>

namespace store {

// One occurrence of a calendar event, as the event query returns it.
struct Event
{
    QString eventIdentifier; // UID, plus the occurrence for recurring events
    QString title;
    QDateTime startDate;
    QDateTime endDate;
    bool isAllDay = false;
    CalendarPtr calendar;
    QString location;
    QString notes;
    QUrl URL;
    QDateTime occurrenceDate; // the start the rule gave this occurrence (before overrides)
    bool isDetached = false;  // an overridden occurrence (RECURRENCE-ID)
};

using EventPtr = std::shared_ptr<Event>;

} // namespace store
