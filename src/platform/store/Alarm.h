#pragma once

#include "platform/store/StructuredLocation.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace store {

// One alarm of a task: at an absolute date, at an offset from the due date, or on arriving
// at or leaving a place.
struct Alarm
{
    enum class Proximity { None = 0, Enter = 1, Leave = 2 };

    QDateTime absoluteDate;
    double relativeOffset = 0.0; // seconds before (negative) or after the due date
    bool hasRelativeOffset = false;
    std::optional<StructuredLocation> structuredLocation;
    Proximity proximity = Proximity::None;

    // The alarm's UID in its file; empty for an alarm not yet saved.
    QString uid;

    static Alarm withAbsoluteDate(const QDateTime& date);
    static Alarm withRelativeOffset(double seconds);
    static Alarm withLocation(const StructuredLocation& location, Proximity proximity);

    bool isLocationAlarm() const { return structuredLocation.has_value(); }
    bool sameContent(const Alarm& other) const;
};

} // namespace store
