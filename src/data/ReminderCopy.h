#pragma once

#include "platform/store/Reminder.h"

#include <QDate>
#include <QTime>

#include <optional>

// What a deleted task comes back as when the delete is undone. The deleted record itself
// cannot be saved again (its file is gone), so its content is carried over into a new one.
// A completed task comes back open and due today, as restoring it would only put it back
// among the finished ones where nobody looks for it.
namespace ReminderCopy {

// Fills `copy`, a new reminder of the store, from `deleted`. `today` and `alarmTime` give the
// due date of a completed task that had none.
void fillUndoCopy(store::Reminder& copy, const store::Reminder& deleted, const QDate& today,
                  const QTime& alarmTime);

// The same alarm as a new record (no identity in any file); nullopt for an alarm that has
// neither a place, nor a date, nor an offset.
std::optional<store::Alarm> rebuiltAlarm(const store::Alarm& alarm);

// The same rule as a new record.
store::RecurrenceRule rebuiltRule(const store::RecurrenceRule& rule);

} // namespace ReminderCopy
