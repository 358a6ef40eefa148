#pragma once

#include <QString>

namespace store {

// A named place with a geographic position and a radius in metres, as location alarms use.
struct StructuredLocation
{
    QString title;
    double latitude = 0.0;
    double longitude = 0.0;
    double radius = 0.0; // metres; 0 means the store's default radius
    bool hasGeoLocation = false;

    bool operator==(const StructuredLocation&) const = default;
};

} // namespace store
