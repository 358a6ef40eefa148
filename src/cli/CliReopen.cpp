#include "cli/CliReopen.h"

#include "cli/CliOutput.h"
#include "cli/CliTaskLookup.h"
#include "data/DataManager.h"
#include "data/TaskOperations.h"

namespace CliReopen {

int run(DataManager& manager, const CliRequest& request)
{
    const QString identifier = request.arguments.constFirst();
    const store::ReminderPtr task = CliTaskLookup::task(manager, identifier);
    if (!task)
        return CliOutput::fail(CliTaskLookup::unknownTask(identifier));
    if (!task->completed) {
        // An open repeating task may be the one just completed: its occurrence is elsewhere.
        if (task->hasRecurrenceRules())
            CliOutput::printError(
                CliText::tr("\"%1\" repeats and is open; each completed occurrence is a task "
                            "of its own, which \"tasks --completed\" lists")
                    .arg(task->title));
        CliTaskLookup::print(manager, task, request.json);
        return 0;
    }
    QString error;
    if (!manager.tasks().checkReminder(task, false, &error))
        return CliOutput::fail(CliText::tr("the task could not be reopened: %1").arg(error));
    CliTaskLookup::print(manager, CliTaskLookup::task(manager, identifier), request.json);
    return 0;
}

} // namespace CliReopen
