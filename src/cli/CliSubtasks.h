#pragma once

#include "cli/CliOutput.h"
#include "data/subtasks/SubtaskTree.h"

class DataManager;

// Subtasks as the command line shows them: each printed task's parent resolved over every task
// of its list as the store holds it now (a change made by this run included), so that a task
// whose parent is not among those printed still names it.
namespace CliSubtasks {

SubtaskTree treeAround(DataManager& manager, const QList<store::ReminderPtr>& tasks);
CliOutput::ParentIds parentIds(const SubtaskTree& tree, const QList<store::ReminderPtr>& tasks);

} // namespace CliSubtasks
