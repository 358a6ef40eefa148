#pragma once

#include "platform/store/Calendar.h"

#include <QDateTime>
#include <QUrl>

#include <limits>
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

    // The start and end in milliseconds since the epoch, set beside startDate and endDate by
    // whoever has them anyway (the expansion works in them). Turning a local date-time back
    // into an instant asks the C library's zone rules, under a lock, at every call, and a week
    // of tens of thousands of occurrences spent most of its time there. startMs() and endMs()
    // work them out for a record made without them; one that moves an occurrence's dates sets
    // these anew or back to kUnknownInstant.
    static constexpr qint64 kUnknownInstant = std::numeric_limits<qint64>::min();
    qint64 startInstant = kUnknownInstant;
    qint64 endInstant = kUnknownInstant;
    qint64 startMs() const
    {
        return startInstant != kUnknownInstant ? startInstant : startDate.toMSecsSinceEpoch();
    }
    qint64 endMs() const
    {
        return endInstant != kUnknownInstant ? endInstant : endDate.toMSecsSinceEpoch();
    }
};

using EventPtr = std::shared_ptr<Event>;

} // namespace store
