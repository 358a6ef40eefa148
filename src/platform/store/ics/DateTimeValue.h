#pragma once

#include "platform/store/DateComponents.h"
#include "platform/store/ics/Component.h"

#include <QDateTime>
#include <QHash>
#include <QList>

#include <memory>
#include <optional>

namespace store::ics {

// A DATE or DATE-TIME value as a file writes it, not yet placed in a time zone.
struct DateTimeValue
{
    QDate date;
    QTime time; // midnight for a DATE
    bool isDate = false;
    bool isUtc = false;
    QByteArray tzid; // empty for UTC and floating times
};

// Reads one value ("20261206", "20261206T093000", "...Z"); nullopt when it is none.
std::optional<DateTimeValue> parseDateTime(QByteArrayView text, QByteArrayView tzid = {});
// The value of a DTSTART/DUE/... line with its TZID.
std::optional<DateTimeValue> parseDateTime(const Property& line);
// Every value of an RDATE/EXDATE line; a PERIOD counts by its start.
QList<DateTimeValue> parseDateTimeList(const Property& line);

// The signed length of a DURATION value in its two kinds: whole days (nominal, so that a day
// across a daylight-saving change keeps its wall-clock time) and exact seconds.
struct Duration
{
    qint64 days = 0;
    qint64 seconds = 0;
    qint64 totalSeconds() const { return days * 86400 + seconds; }
    QDateTime addTo(const QDateTime& start) const
    {
        const QDateTime byDays = days ? start.addDays(days) : start;
        return seconds ? byDays.addSecs(seconds) : byDays;
    }
};
std::optional<Duration> parseDuration(QByteArrayView text);
// "-PT15M", "P1D", "P1W" ...
QByteArray formatDuration(qint64 seconds);

// Places the date-times of one file in time: TZIDs are looked up as system zones first; a
// zone only the file defines in a VTIMEZONE is read through libical; an unknown one counts
// as floating time. Not shareable between threads.
class ZoneResolver
{
public:
    explicit ZoneResolver(const Component& document);
    ~ZoneResolver();
    ZoneResolver(const ZoneResolver&) = delete;
    ZoneResolver& operator=(const ZoneResolver&) = delete;

    // The instant: in its zone, in UTC, or in local time for floating times and DATEs.
    QDateTime toDateTime(const DateTimeValue& value) const;
    // Components keep the wall-clock time and the zone; a file-only zone gives UTC ones.
    DateComponents toComponents(const DateTimeValue& value) const;

private:
    struct FileZone;
    const FileZone* fileZone(const QByteArray& tzid) const;

    const Component& m_document;
    mutable QHash<QByteArray, std::shared_ptr<FileZone>> m_fileZones;
};

} // namespace store::ics
