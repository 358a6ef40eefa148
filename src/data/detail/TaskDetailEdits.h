#pragma once

#include "platform/store/Reminder.h"

#include <QDateTime>
#include <QTime>

#include <optional>

// What each row of the detail editor does to a task, apart from any widget: the due date
// switched on and off and moved, the one time alarm the editor keeps, the priority buttons,
// the completion date. Every function changes the record it is given and answers whether
// anything changed, so that an edit that changes nothing is not saved. Location alarms are
// never touched here.
namespace TaskDetailEdits {

// The preferences a new due date follows.
struct DuePreferences
{
    bool noDueTime = false; // a new due date has no time of day
    bool alarmOn = false;   // and gets an alarm
    QTime alarmTime;        // the alarm's time for a due date without time; invalid: 00:00
};

// The next full hour after `now`: 14:23:10 and 14:00:00 both give 15:00:00.
QDateTime nextFullHour(const QDateTime& now);

// The due date as a local date-time; 00:00 for one without time of day. Invalid without one.
QDateTime dueDate(const store::Reminder& reminder);

// The due date switched off: no due or start date, no repeat rule, no time alarm.
bool turnDueDateOff(store::Reminder& reminder);
// The due date switched on: today without time, or the next full hour, by the preferences,
// with an alarm when they ask for one; `rule` becomes the repeat rule.
bool turnDueDateOn(store::Reminder& reminder, const QDateTime& now, const DuePreferences& prefs,
                   const std::optional<store::RecurrenceRule>& rule);
// A new due date (invalid: leave the date alone) and the repeat rule (none: no rule). A timed
// due date takes the time alarm along: an alarm at a date moves to the new due date, an alarm
// set as an offset keeps its offset and so follows by itself.
bool saveDueDate(store::Reminder& reminder, const QDateTime& date,
                 const std::optional<store::RecurrenceRule>& rule);

// The time alarm the alarm row shows: the last one in the task's list of alarms.
std::optional<store::Alarm> shownTimeAlarm(const store::Reminder& reminder);
// When an alarm goes off: its date, or the due date moved by its offset.
QDateTime alarmFireDate(const store::Reminder& reminder, const store::Alarm& alarm);
int timeAlarmCount(const store::Reminder& reminder);
// Replaces every time alarm by `alarm`.
bool setTimeAlarm(store::Reminder& reminder, const store::Alarm& alarm);
bool removeTimeAlarms(store::Reminder& reminder);

// The offsets the alarm row offers, in seconds before the due date (0: at the due date).
QList<int> alarmOffsetChoices();
QString alarmOffsetTitle(int secondsBefore);

// The four priority buttons: 0 "None", 1 "!", 2 "!!", 3 "!!!".
int priorityButtonForPriority(int priority);
int priorityForButton(int button);
bool setPriorityButton(store::Reminder& reminder, int button);

// The completion row: unchecking reopens the task; a new date moves the completion.
bool reopen(store::Reminder& reminder);
bool setCompletionDate(store::Reminder& reminder, const QDateTime& date);

bool setTitle(store::Reminder& reminder, const QString& title);
bool setNotes(store::Reminder& reminder, const QString& notes);

} // namespace TaskDetailEdits
