#include "cli/CliTaskLookup.h"

#include "cli/CliOutput.h"
#include "cli/CliSubtasks.h"
#include "data/DataManager.h"
#include "data/TaskOperations.h"

namespace CliTaskLookup {

store::ReminderPtr task(DataManager& manager, const QString& identifier)
{
    return identifier.isEmpty() ? nullptr : manager.tasks().reminderWithIdentifier(identifier);
}

QString unknownTask(const QString& identifier)
{
    return CliText::tr("no task has the identifier \"%1\" (see \"tasks\")").arg(identifier);
}

void print(DataManager& manager, const store::ReminderPtr& task, bool json)
{
    if (!json) {
        CliOutput::print(CliOutput::taskLine(*task));
        return;
    }
    const SubtaskTree around = CliSubtasks::treeAround(manager, {task});
    CliOutput::printJson(
        CliOutput::recordsJson({task}, {}, CliSubtasks::parentIds(around, {task})));
}

} // namespace CliTaskLookup
