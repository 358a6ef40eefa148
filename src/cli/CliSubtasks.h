#pragma once

#include "cli/CliOutput.h"
#include "data/subtasks/SubtaskTree.h"

class DataManager;

// Subtasks as the command line shows them: each printed task's parent resolved over every task
// of its list as the store holds it now (a change made by this run included), so that a task
// whose parent is not among those printed still names it.
namespace CliSubtasks {

SubtaskTree treeAround(DataManager& manager, const QList<store::ReminderPtr>& tasks);
// The same for a run that changed nothing, whose snapshot is the store as it is now: taken
// from the snapshot when that holds the tasks' lists (it holds each visible list whole), so
// that a listing of every task does not have the store copy them all a second time.
SubtaskTree treeAroundUnchanged(DataManager& manager, const QList<store::ReminderPtr>& tasks);
CliOutput::ParentIds parentIds(const SubtaskTree& tree, const QList<store::ReminderPtr>& tasks);
CliOutput::ParentOf parentOf(const SubtaskTree& tree);

} // namespace CliSubtasks
