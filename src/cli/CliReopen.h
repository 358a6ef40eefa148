#pragma once

#include "cli/CliOptions.h"

class DataManager;

// "reopen ID": what unchecking a completed task in the window does, and what undoing its
// completion does for a task that does not repeat. A repeating task's completed occurrence is
// a task of its own (the series moved on when it was completed): reopening it reopens that
// task, due as the occurrence was, and leaves the series where it is.
namespace CliReopen {

int run(DataManager& manager, const CliRequest& request);

} // namespace CliReopen
