#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

// An .ics file taken apart into the items it holds, each with its lines exactly as read, so
// that an item can go into a file of its own (an import) or into one calendar with others (an
// export) without losing a line. The reading is forgiving: a broken item is set aside with the
// reason, and the items around it are still read.
namespace exchange {

enum class ItemKind { Task, Event };

// A task or an event with the overrides of its occurrences (RECURRENCE-ID) that share its UID.
struct CalendarItem
{
    ItemKind kind = ItemKind::Task;
    QString uid;
    QString title;
    // Where its first component begins in the file (1-based).
    int line = 0;
    // Each VTODO or VEVENT as read, BEGIN to END.
    QList<QByteArray> components;
    QSet<QByteArray> tzids;
    // Whether it holds the item itself, not only overrides of its occurrences (which may come
    // in a file of their own).
    bool hasMaster = false;
};

struct BrokenItem
{
    int line = 0;
    QString title;
    QString reason;
};

struct CalendarText
{
    // VERSION, PRODID and CALSCALE of the first calendar, as read.
    QList<QByteArray> header;
    // The file's VTIMEZONEs by TZID, as read.
    QHash<QByteArray, QByteArray> zones;
    QList<CalendarItem> items;
    QList<BrokenItem> broken;
    QByteArray newline = "\r\n";
};

// nullopt, with the reason, when the bytes hold no calendar at all.
std::optional<CalendarText> splitCalendar(const QByteArray& bytes, QString* error);

// One VCALENDAR: `header` (VERSION and PRODID added when missing), one VTIMEZONE for each TZID
// the components use (the one in `zones`, else one made from the system's zone of that name
// around `year`), then the components. New lines end with `newline`.
QByteArray assembleCalendar(const QList<QByteArray>& header,
                            const QHash<QByteArray, QByteArray>& zones,
                            const QList<QByteArray>& components, const QSet<QByteArray>& tzids,
                            int year, const QByteArray& newline);

} // namespace exchange
