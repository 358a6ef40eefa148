#pragma once

#include <QByteArray>

// iCalendar text as other programs write it, for suites that put events, or several tasks in
// one file, into a store's folders or an import.
namespace CalendarFiles {

inline QByteArray calendar(const QByteArray& components)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\n" + components +
           "END:VCALENDAR\r\n";
}

inline QByteArray vtodo(const QByteArray& uid, const QByteArray& summary,
                        const QByteArray& lines = {})
{
    return "BEGIN:VTODO\r\nUID:" + uid + "\r\nSUMMARY:" + summary + "\r\n" + lines +
           "END:VTODO\r\n";
}

inline QByteArray vevent(const QByteArray& uid, const QByteArray& summary,
                         const QByteArray& lines = {})
{
    return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nSUMMARY:" + summary + "\r\n" + lines +
           "END:VEVENT\r\n";
}

// One event from `start` to `end`: dates ("20261209") make it last whole days, times
// ("20261209T080000") are on Berlin's clock.
inline QByteArray eventFile(const QByteArray& uid, const QByteArray& summary,
                            const QByteArray& start, const QByteArray& end)
{
    const QByteArray zone = start.size() == 8 ? ";VALUE=DATE:" : ";TZID=Europe/Berlin:";
    return calendar(
        vevent(uid, summary, "DTSTART" + zone + start + "\r\nDTEND" + zone + end + "\r\n"));
}

} // namespace CalendarFiles
