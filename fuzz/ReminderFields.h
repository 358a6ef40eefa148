#pragma once

#include "platform/store/Reminder.h"

#include <QStringList>

// The fields of a task that a file carries, compared the way the file keeps them: dates to the
// second, alarms by what they ring for. The fuzz targets use it to say which field a write or
// a re-read changed.
namespace ReminderFields {

// Names of the fields in which `a` (what was meant) and `b` (what was read) differ, with both
// values; empty when none does. The modification date is left out, as every save moves it, and
// so is the UID of an alarm that had none, which saving gives it.
QStringList differences(const store::Reminder& a, const store::Reminder& b);

} // namespace ReminderFields
