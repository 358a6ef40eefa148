#pragma once

#include "FuzzTarget.h"

#include "platform/geo/Geocoder.h"

// Any bytes as both halves of a geocoding: up to the first NUL byte (or all of it) the
// contact's side, read as a vCard file and, line by line, as the seven parts and label of one
// postal address; after it (or all of it) the service's answer. Each query built from an
// address or a search text must be a valid address whose query carries no raw control
// character, space or separator, and whose parts decode to exactly the address's text. Each
// place read from an answer has a name and a position on the globe.
class GeocoderTarget : public FuzzTarget
{
public:
    GeocoderTarget();
    QStringList run(QByteArrayView input) override;

private:
    QStringList checkAddress(const contacts::PostalAddress& address) const;
    QStringList checkSearch(const QString& text) const;

    // Only its query building and answer parsing run: nothing is ever sent.
    geo::Geocoder m_geocoder;
};
