#pragma once

#include "platform/store/DateComponents.h"

#include <QDate>
#include <QTime>
#include <QTimeZone>

#include <optional>

// Reads due dates on the local wall clock (the date and time the user sees) without asking the
// C library for local time: a local QDateTime looks up its zone offset whenever it is built or
// compared, and with no TZ variable set that means a fresh look at the zone file each time,
// which for a long list costs more than everything else a view does. Due dates in the local
// zone are read as written; those pinned to another zone go through both zones' own tables.
class LocalWallClock
{
public:
    struct Reading
    {
        QDate date;
        QTime time;
    };

    LocalWallClock();

    std::optional<Reading> reading(const store::DateComponents& due) const;
    // Seconds on a continuous count of local days (Julian day × 86400 + seconds of the day):
    // orders like the instants except within the hour a daylight-saving change repeats.
    static qint64 key(const Reading& reading);

private:
    QTimeZone m_systemZone;
};
