#pragma once

#include "cli/CliOptions.h"

class DataManager;

// "edit ID": the changes the options name, made to a copy of the task with the detail
// editor's own edits and saved in one write through the store, which keeps every line the
// edit does not touch and refuses a file changed since it was read. Any bad value stops the
// command before anything is written.
namespace CliEdit {

int run(DataManager& manager, const CliRequest& request);

} // namespace CliEdit
