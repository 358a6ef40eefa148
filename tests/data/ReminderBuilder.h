#pragma once

#include "StoreQueries.h"

#include "data/ReminderSnapshot.h"
#include "platform/store/Event.h"

#include <QDateTime>
#include <QTimeZone>

// Test data in memory, read like a sentence:
//   ReminderBuilder("Pay rent").in(home).dueAt(local(2025, 3, 27, 9)).priority(1).build()
// Builds real store records; no store is involved.
class ReminderBuilder
{
public:
    explicit ReminderBuilder(const QString& title)
        : m_reminder(std::make_shared<store::Reminder>())
    {
        m_reminder->title = title;
        m_reminder->calendarItemIdentifier = QStringLiteral("id-") + title;
    }

    ReminderBuilder& in(const store::CalendarPtr& list) { return set(m_reminder->calendar, list); }
    // Floating components of a local date and time; midnight means "no time of day".
    ReminderBuilder& dueAt(const QDateTime& local)
    {
        return set(m_reminder->dueDateComponents,
                   store::DateComponents::fromDateTime(local, false));
    }
    ReminderBuilder& dueOn(const QDate& day)
    {
        return set(m_reminder->dueDateComponents, store::DateComponents::fromDate(day));
    }
    // Components pinned to another zone, as a task written elsewhere carries them.
    ReminderBuilder& dueIn(const QByteArray& zone, const QDate& day, const QTime& time)
    {
        store::DateComponents due = store::DateComponents::fromDate(day);
        due.hour = time.hour();
        due.minute = time.minute();
        due.timeZone = QTimeZone(zone);
        return set(m_reminder->dueDateComponents, due);
    }
    ReminderBuilder& completedAt(const QDateTime& when)
    {
        m_reminder->setCompleted(true, when);
        return *this;
    }
    // As some files have it: marked done without saying when.
    ReminderBuilder& completedWithoutDate()
    {
        m_reminder->completionDate = QDateTime();
        return set(m_reminder->completed, true);
    }
    ReminderBuilder& priority(int value) { return set(m_reminder->priority, value); }
    ReminderBuilder& notes(const QString& text) { return set(m_reminder->notes, text); }
    ReminderBuilder& created(const QDateTime& when) { return set(m_reminder->creationDate, when); }
    ReminderBuilder& withAlarm()
    {
        m_reminder->addAlarm(store::Alarm::withRelativeOffset(-600));
        return *this;
    }
    ReminderBuilder& withLocationAlarm()
    {
        m_reminder->addAlarm(store::Alarm::withLocation({.title = QStringLiteral("Station")},
                                                        store::Alarm::Proximity::Enter));
        return *this;
    }
    ReminderBuilder& recurring()
    {
        store::RecurrenceRule rule;
        rule.frequency = store::RecurrenceRule::Frequency::Weekly;
        m_reminder->addRecurrenceRule(rule);
        return *this;
    }

    store::ReminderPtr build() const { return m_reminder; }
    operator store::ReminderPtr() const { return m_reminder; }

private:
    template <typename Field, typename Value> ReminderBuilder& set(Field& field, const Value& value)
    {
        field = value;
        return *this;
    }

    store::ReminderPtr m_reminder;
};

inline store::CalendarPtr makeList(const QString& identifier, const QString& title)
{
    auto list = std::make_shared<store::Calendar>();
    list->calendarIdentifier = identifier;
    list->title = title;
    return list;
}

// A place with coordinates, as a location alarm carries it.
inline store::StructuredLocation station()
{
    return {QStringLiteral("Station"), 52.525, 13.369, 150, true};
}

// An event in memory, as the store reads one.
inline store::EventPtr eventOf(const QString& title, const QDateTime& start, const QDateTime& end,
                               bool allDay = false, const store::CalendarPtr& calendar = {})
{
    auto event = std::make_shared<store::Event>();
    event->title = title;
    event->startDate = start;
    event->endDate = end;
    event->isAllDay = allDay;
    event->calendar = calendar;
    return event;
}

inline SnapshotPtr snapshotOf(const QList<store::ReminderPtr>& reminders)
{
    return std::make_shared<const ReminderSnapshot>(reminders);
}

inline QStringList titlesOf(const std::optional<QList<store::ReminderPtr>>& reminders)
{
    return StoreQueries::titles(reminders.value_or(QList<store::ReminderPtr>()));
}

// A task as one line, "title|due|priority|open or done|alarms|repeats", so that a case compares
// what it cares about in one comparison and a failure shows the whole task.
inline QString describe(const store::ReminderPtr& reminder)
{
    if (!reminder)
        return QStringLiteral("(none)");
    const auto when = [](const QDateTime& at) { return at.toString(u"yyyy-MM-dd hh:mm"); };
    QString due = QStringLiteral("-");
    if (const auto& c = reminder->dueDateComponents)
        due = c->hasTimeOfDay() ? when(c->toDateTime()) : c->date().toString(Qt::ISODate);
    QStringList alarms;
    for (const store::Alarm& alarm : reminder->alarms) {
        alarms << (alarm.isLocationAlarm()        ? QStringLiteral("place")
                   : alarm.absoluteDate.isValid() ? when(alarm.absoluteDate.toLocalTime())
                                                  : QString::number(alarm.relativeOffset));
    }
    alarms.sort();
    return QStringList{reminder->title,
                       due,
                       QString::number(reminder->priority),
                       reminder->completed ? QStringLiteral("done") : QStringLiteral("open"),
                       alarms.join(u','),
                       reminder->hasRecurrenceRules() ? QStringLiteral("repeats") : QString()}
        .join(u'|');
}
