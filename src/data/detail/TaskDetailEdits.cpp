#include "data/detail/TaskDetailEdits.h"

#include <QCoreApplication>

using store::Alarm;
using store::DateComponents;
using store::Reminder;

namespace {

struct AlarmOffsetText
{
    Q_DECLARE_TR_FUNCTIONS(RightViewController)
};

} // namespace

namespace TaskDetailEdits {

namespace {

bool isTimeAlarm(const Alarm& alarm)
{
    return !alarm.isLocationAlarm();
}

bool hasTimeOfDay(const QDateTime& date)
{
    return date.time().hour() != 0 || date.time().minute() != 0;
}

// Timed due and start dates carry the zone they were set in, so that a task set in Berlin still
// falls due at 09:00 Berlin time after a trip.
// A date without time of day is the same day wherever the user is, and is written as such.
DateComponents componentsOf(const QDateTime& date)
{
    if (!hasTimeOfDay(date))
        return DateComponents::fromDate(date.date());
    DateComponents components = DateComponents::fromDateTime(date);
    components.second = 0;
    return components;
}

} // namespace

QDateTime nextFullHour(const QDateTime& now)
{
    const QDateTime local = now.toLocalTime();
    const QTime time = local.time();
    return local.addSecs(qint64(60 - time.minute()) * 60 - time.second()).addMSecs(-time.msec());
}

QDateTime dueDate(const Reminder& reminder)
{
    if (!reminder.dueDateComponents || !reminder.dueDateComponents->isValid())
        return {};
    const DateComponents& due = *reminder.dueDateComponents;
    if (!due.hasTimeOfDay())
        return due.date().startOfDay();
    return due.toDateTime();
}

bool turnDueDateOff(Reminder& reminder)
{
    const bool changed = reminder.dueDateComponents || reminder.startDateComponents ||
                         reminder.hasRecurrenceRules() || timeAlarmCount(reminder) > 0;
    reminder.dueDateComponents.reset();
    reminder.startDateComponents.reset();
    reminder.recurrenceRules.clear();
    removeTimeAlarms(reminder);
    return changed;
}

bool turnDueDateOn(Reminder& reminder, const QDateTime& now, const DuePreferences& prefs,
                   const std::optional<store::RecurrenceRule>& rule)
{
    const QDateTime local = now.toLocalTime();
    const QDateTime due = prefs.noDueTime ? local.date().startOfDay() : nextFullHour(local);
    if (prefs.alarmOn) {
        QDateTime alarm = due;
        if (!hasTimeOfDay(due)) {
            const QTime at = prefs.alarmTime.isValid() ? prefs.alarmTime : QTime(0, 0);
            alarm = QDateTime(local.date(), QTime(at.hour(), at.minute()));
        }
        reminder.addAlarm(Alarm::withAbsoluteDate(alarm));
    }
    saveDueDate(reminder, due, rule);
    return true;
}

bool saveDueDate(Reminder& reminder, const QDateTime& date,
                 const std::optional<store::RecurrenceRule>& rule)
{
    bool changed = false;
    if (date.isValid()) {
        const DateComponents components = componentsOf(date);
        if (reminder.dueDateComponents != components ||
            reminder.startDateComponents != components) {
            reminder.dueDateComponents = components;
            reminder.startDateComponents = components;
            changed = true;
        }
        if (hasTimeOfDay(date) && timeAlarmCount(reminder) > 0) {
            const Alarm shown = *shownTimeAlarm(reminder);
            // An offset follows the due date by itself; a date is moved along to it.
            const Alarm kept = shown.hasRelativeOffset
                                   ? Alarm::withRelativeOffset(shown.relativeOffset)
                                   : Alarm::withAbsoluteDate(date);
            changed = setTimeAlarm(reminder, kept) || changed;
        }
    }
    QList<store::RecurrenceRule> rules;
    if (rule)
        rules << *rule;
    if (reminder.recurrenceRules != rules) {
        reminder.recurrenceRules = rules;
        changed = true;
    }
    return changed;
}

std::optional<Alarm> shownTimeAlarm(const Reminder& reminder)
{
    for (qsizetype i = reminder.alarms.size() - 1; i >= 0; --i) {
        if (isTimeAlarm(reminder.alarms.at(i)))
            return reminder.alarms.at(i);
    }
    return std::nullopt;
}

QDateTime alarmFireDate(const Reminder& reminder, const Alarm& alarm)
{
    if (!alarm.hasRelativeOffset)
        return alarm.absoluteDate.toLocalTime();
    const QDateTime due = dueDate(reminder);
    return due.isValid() ? due.addSecs(qRound64(alarm.relativeOffset)) : QDateTime();
}

int timeAlarmCount(const Reminder& reminder)
{
    return int(std::count_if(reminder.alarms.cbegin(), reminder.alarms.cend(), isTimeAlarm));
}

bool setTimeAlarm(Reminder& reminder, const Alarm& alarm)
{
    // One alarm equal to the wanted one is kept as it is, with its identity in the file.
    if (timeAlarmCount(reminder) == 1) {
        const Alarm current = *shownTimeAlarm(reminder);
        const bool same =
            alarm.hasRelativeOffset
                ? current.hasRelativeOffset &&
                      qRound64(current.relativeOffset) == qRound64(alarm.relativeOffset)
                : !current.hasRelativeOffset && current.absoluteDate.toSecsSinceEpoch() ==
                                                    alarm.absoluteDate.toSecsSinceEpoch();
        if (same)
            return false;
    }
    removeTimeAlarms(reminder);
    reminder.addAlarm(alarm);
    return true;
}

bool removeTimeAlarms(Reminder& reminder)
{
    return reminder.alarms.removeIf(isTimeAlarm) > 0;
}

QList<int> alarmOffsetChoices()
{
    return {0, 5 * 60, 15 * 60, 30 * 60, 60 * 60, 2 * 60 * 60, 24 * 60 * 60, 2 * 24 * 60 * 60};
}

QString alarmOffsetTitle(int secondsBefore)
{
    if (secondsBefore == 0)
        return AlarmOffsetText::tr("At Due Time");
    if (secondsBefore % (24 * 3600) == 0)
        return AlarmOffsetText::tr("%n Day(s) Before", nullptr, secondsBefore / (24 * 3600));
    if (secondsBefore % 3600 == 0)
        return AlarmOffsetText::tr("%n Hour(s) Before", nullptr, secondsBefore / 3600);
    return AlarmOffsetText::tr("%n Minute(s) Before", nullptr, secondsBefore / 60);
}

int priorityButtonForPriority(int priority)
{
    if (priority >= 1 && priority <= 4)
        return 3;
    if (priority == 5)
        return 2;
    if (priority >= 6 && priority <= 9)
        return 1;
    return 0;
}

int priorityForButton(int button)
{
    switch (button) {
    case 1:
        return 9;
    case 2:
        return 5;
    case 3:
        return 1;
    default:
        return 0;
    }
}

bool setPriorityButton(Reminder& reminder, int button)
{
    const int priority = priorityForButton(button);
    if (reminder.priority == priority)
        return false;
    reminder.priority = priority;
    return true;
}

bool reopen(Reminder& reminder)
{
    if (!reminder.completed)
        return false;
    reminder.setCompleted(false, {});
    return true;
}

bool setCompletionDate(Reminder& reminder, const QDateTime& date)
{
    if (!reminder.completed || !date.isValid() ||
        reminder.completionDate.toSecsSinceEpoch() == date.toSecsSinceEpoch())
        return false;
    reminder.completionDate = date;
    return true;
}

bool setTitle(Reminder& reminder, const QString& title)
{
    if (reminder.title == title)
        return false;
    reminder.title = title;
    return true;
}

bool setNotes(Reminder& reminder, const QString& notes)
{
    if (reminder.notes == notes)
        return false;
    reminder.notes = notes;
    return true;
}

} // namespace TaskDetailEdits
