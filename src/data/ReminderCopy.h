#pragma once

#include "platform/store/Reminder.h"

#include <QDate>
#include <QTime>

// What a completed task comes back as when its deletion is undone: open and due today, as
// putting it back among the finished ones would only hide it where nobody looks. It stays the
// same task (UID, file, every line it had); only its dates, completion and alarms change.
namespace ReminderCopy {

// Due today at the hour and minute of its own due time when it had one, else at `alarmTime`;
// place alarms stay as they are and every other alarm rings at the new due date; a repeat
// rule is dropped, since the series had ended or moved on without this occurrence.
void reopenCompleted(store::Reminder& task, const QDate& today, const QTime& alarmTime);

} // namespace ReminderCopy
