#pragma once

#include "platform/store/ics/Component.h"

#include <QByteArrayView>
#include <QTimeZone>

namespace store::ics {

// The system zone a TZID names: an IANA id, a Windows zone name ("W. Europe Standard
// Time"), or an id behind a vendor prefix ("/mozilla.org/20050126_1/Europe/Berlin",
// libical's "/freeassociation.sourceforge.net/Europe/Berlin"). Invalid when none matches.
// Answers are cached per thread.
QTimeZone zoneForTzid(QByteArrayView tzid);

// The TZID we write for a zone: its IANA id, or empty when the zone has none (a fixed offset,
// UTC), in which case times are written in UTC instead.
QByteArray tzidForZone(const QTimeZone& zone);

// A trimmed VTIMEZONE for `zone` describing its rules around `year`: one STANDARD and one
// DAYLIGHT observance with yearly rules when the zone follows a weekday rule, the single
// offset of a zone without daylight-saving time, else the explicit changes of a few years.
Component makeTimeZone(const QTimeZone& zone, int year, QByteArrayView newline);

} // namespace store::ics
