#pragma once

#include "platform/store/Event.h"
#include "platform/store/EventSpan.h"
#include "platform/store/Reminder.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace store {

namespace ics {
class Component; // the lossless content-line tree, see ics/
}

// The PRODID of every calendar this program writes anew.
inline constexpr QByteArrayView kProductId = "-//Velmoran//Velmoran//EN";

// One .ics file of the store, kept losslessly: unchanged it serializes to the very bytes it
// was read from, and an edit rewrites only the properties and alarms the edit touched.
// libical interprets values (dates, durations, rules, zones); it never writes the file.
class IcsItem
{
public:
    // Parses a file. nullopt (and a reason) when it is not an iCalendar object.
    static std::optional<IcsItem> parse(const QByteArray& bytes, QString* error = nullptr);
    // A new file holding one VTODO made from the reminder (a UID is made up when it has none),
    // stamped at `now`, or else at its modification or creation date.
    static IcsItem fromReminder(const Reminder& reminder);
    static IcsItem fromReminder(const Reminder& reminder, const QDateTime& now);

    IcsItem(const IcsItem& other);
    IcsItem& operator=(const IcsItem& other);
    IcsItem(IcsItem&&) noexcept;
    IcsItem& operator=(IcsItem&&) noexcept;
    ~IcsItem();

    QByteArray serialize() const;

    // UID of the first task or event in the file; empty when it has none.
    QString uid() const;
    void setUid(const QString& uid);
    bool hasTodo() const;
    bool hasEvent() const;

    // The UIDs of the file's tasks in file order. A file holds several tasks only when each
    // VTODO has a UID of its own and none overrides an occurrence (RECURRENCE-ID); any other
    // file (one task, a recurring task with its overrides, repeated or missing UIDs) is read
    // as its first VTODO alone, as it always was. Empty without a VTODO.
    QStringList todoUids() const;

    // The task with that UID as a reminder; every field but the calendar, identifier and
    // origin. An empty or unknown UID, and any file holding one task, give the first VTODO.
    Reminder toReminder(const QString& uid = {}) const;
    // Every task of the file, in the order of todoUids().
    QList<Reminder> toReminders() const;
    // Writes the fields of `edited` that differ from toReminder(edited.uid) into that task's
    // VTODO, leaving every other line as it was; bumps DTSTAMP/LAST-MODIFIED/SEQUENCE when
    // anything changed.
    void applyReminder(const Reminder& edited, const QDateTime& now);
    // Moves the alarms of the task with that UID that stand at a date to move(date), changing
    // only their TRIGGER lines: everything else an alarm holds (its action, sound, UID, X-
    // lines) stays.
    void moveTaskAlarms(const QString& uid, const std::function<QDateTime(const QDateTime&)>& move);

    // The task with that UID (chosen as toReminder() chooses it, with the overrides sharing
    // its UID) as a file of its own: a VCALENDAR with this file's VERSION and PRODID lines,
    // the VTIMEZONEs the task refers to and its VTODO, their lines as they are here.
    // nullopt without a VTODO.
    std::optional<IcsItem> todoAlone(const QString& uid) const;
    // The same, and the task leaves this file; every other line of it stays as it was.
    std::optional<IcsItem> takeTodo(const QString& uid);

    // The occurrences of the file's events (master, RRULE/RDATE/EXDATE, RECURRENCE-ID
    // overrides) that overlap [from, to). Their calendar is left empty.
    QList<Event> events(const QDateTime& from, const QDateTime& to) const;
    // When those occurrences can happen at all.
    EventSpan eventSpan() const;

private:
    IcsItem();
    void writeReminder(const Reminder& edited, const QDateTime& now, bool bumpSequence);

    std::unique_ptr<ics::Component> m_root;
    QByteArray m_newline; // the file's own line ending, for every line written into it
};

} // namespace store
