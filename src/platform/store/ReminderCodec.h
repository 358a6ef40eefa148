#pragma once

#include "platform/store/Reminder.h"

#include <QHash>

namespace store {

class CacheReader;
class CacheWriter;

// A task as the parse cache keeps it: every field the store reads from a file, in a compact
// binary form that comes back without libical. Dates keep their kind (local, UTC, zone) and
// instant; zones are kept by their IANA name. The list, identifier and origin are not part
// of it: the store sets them from where the file is.
class ReminderCodec
{
public:
    // Raise whenever the written form changes: older cache files are then ignored.
    static constexpr quint32 kVersion = 3;

    static void write(CacheWriter& out, const Reminder& reminder);
    // False when the bytes do not hold a task.
    bool read(CacheReader& in, Reminder* reminder);

    // Where a walked task's own UID and parent link are (CacheReader::stringAt reads them).
    struct Outline
    {
        const char* uid = nullptr;
        const char* parentUid = nullptr;
    };
    // Past one task without building it, refusing exactly what read() refuses: a reader that
    // walked a task this way may read it whole later and not fail.
    bool skip(CacheReader& in, Outline* outline);
    // The fields a listing orders and picks tasks by (title, notes, priority, completion, due
    // and creation date) into `reminder`, reusing its strings' room; the rest is left unread.
    // Only for a task skip() walked.
    void readHead(CacheReader& in, Reminder* reminder);

    // A task's completion, creation and modification dates written as local times read back
    // as the same instants in UTC: building a local date-time asks the C library for the
    // zone, and that was most of reading a task. For a reader that only compares these dates
    // or reads their wall clock through LocalTimeOffsets.
    void setReadsTaskDatesAsUtc(bool asUtc) { m_taskDatesAsUtc = asUtc; }

private:
    QTimeZone zoneWithId(QByteArrayView id);
    QTimeZone readZone(CacheReader& in);
    QDateTime readDateTime(CacheReader& in, Qt::TimeSpec localAs = Qt::LocalTime);
    QDateTime readTaskDate(CacheReader& in)
    {
        return readDateTime(in, m_taskDatesAsUtc ? Qt::UTC : Qt::LocalTime);
    }
    std::optional<DateComponents> readComponents(CacheReader& in);
    bool readAlarm(CacheReader& in, Alarm* alarm);
    bool readRule(CacheReader& in, RecurrenceRule* rule);
    // The next text, through m_text; nothing when the reader has run out.
    void readText(CacheReader& in, CompactText& text);

    // Reading thousands of tasks asks for the same few zones again and again.
    QHash<QByteArray, QTimeZone> m_zones;
    // The zone read last: most tasks of a store share one, and comparing its name in place
    // spares copying and hashing the name of each.
    QByteArray m_lastZoneId;
    QTimeZone m_lastZone;
    // QTimeZone::utc() makes a new zone object at each call: one per task, otherwise.
    QTimeZone m_utc = QTimeZone::utc();
    // Where a text is read before it is kept in its compact form; the room stays for the next.
    QString m_text;
    bool m_taskDatesAsUtc = false;
};

} // namespace store
