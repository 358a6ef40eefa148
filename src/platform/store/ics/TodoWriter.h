#pragma once

#include "platform/store/Reminder.h"
#include "platform/store/ics/Component.h"
#include "platform/store/ics/DateTimeValue.h"

#include <functional>

namespace store::ics {

// Writes the differences between a task as its VTODO reads and an edited version of it into
// that VTODO: a changed property is rewritten where it stands, a new one goes before the END
// line, unchanged alarms stay as they are. Every other line is left alone.
class TodoWriter
{
public:
    // `calendar` is the component holding the task, where new VTIMEZONEs go (may be null).
    TodoWriter(Component* calendar, Component& todo, const ZoneResolver& zones,
               QByteArrayView newline);

    // Returns true when anything was written.
    bool apply(const Reminder& current, const Reminder& edited, const QDateTime& now);
    // DTSTAMP and LAST-MODIFIED at `now`; SEQUENCE one up when asked.
    void stamp(const QDateTime& now, bool bumpSequence);
    // Moves each alarm that stands at a date (not a place) to move(date), rewriting its
    // TRIGGER line only. Returns true when any moved.
    bool moveAbsoluteAlarms(const std::function<QDateTime(const QDateTime&)>& move);

private:
    void setLine(const Property& line);
    void setText(QByteArrayView name, const QString& text);
    void remove(QByteArrayView name);
    void writeParent(const QString& uid);
    void writeDate(QByteArrayView name, const OptionalDateComponents& value);
    void ensureTimeZone(const QTimeZone& zone, int year);
    void writeCompletion(const Reminder& current, const Reminder& edited, const QDateTime& now);
    void writeAlarms(const Reminder& current, const Reminder& edited);
    // `noneShown`: the task read as having no rule we could read.
    void writeRules(const Reminder& edited, bool noneShown);

    Component* m_calendar;
    Component& m_todo;
    const ZoneResolver& m_zones;
    QByteArray m_newline;
    bool m_changed = false;
};

} // namespace store::ics
