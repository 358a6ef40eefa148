#pragma once

#include "platform/store/Reminder.h"

class DataManager;

// Finding the task an identifier on the command line names, and printing it back the way
// "tasks" prints it, for the commands that work on one task.
namespace CliTaskLookup {

// The task of the visible lists with that identifier; null when there is none.
store::ReminderPtr task(DataManager& manager, const QString& identifier);
QString unknownTask(const QString& identifier);
// Its "tasks" line, or a JSON array holding its record.
void print(DataManager& manager, const store::ReminderPtr& task, bool json);

} // namespace CliTaskLookup
