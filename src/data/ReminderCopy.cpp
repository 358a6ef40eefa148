#include "data/ReminderCopy.h"

namespace ReminderCopy {

void reopenCompleted(store::Reminder& task, const QDate& today, const QTime& alarmTime)
{
    const bool hadDue = task.dueDateComponents && task.dueDateComponents->isValid();
    const QTime time =
        hadDue ? QTime(task.dueDateComponents->hour, task.dueDateComponents->minute) : alarmTime;
    const QDateTime due(today, time.isValid() ? time : QTime(0, 0));
    store::DateComponents components = store::DateComponents::fromDateTime(due);
    components.second = 0;
    task.setCompleted(false, {});
    task.dueDateComponents = components;
    task.startDateComponents = components;
    for (store::Alarm& alarm : task.alarms) {
        // Each keeps its identity and lines; only when it rings changes.
        if (alarm.structuredLocation)
            continue;
        alarm.absoluteDate = due;
        alarm.hasRelativeOffset = false;
        alarm.relativeOffset = 0;
    }
    task.recurrenceRules.clear();
}

} // namespace ReminderCopy
