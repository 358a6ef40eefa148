#pragma once

#include "cli/CliOptions.h"

class DataManager;
class UserDefaults;

// The commands of the front end. Each prints its result and returns the exit status: 0 when it
// did what was asked, 1 (with a message on standard error) when the input was bad or the change
// did not reach the store.
namespace CliCommands {

// The commands that need the task store, run on a loaded data manager.
int runWithStore(DataManager& manager, const CliRequest& request);

// "prefs get" and "prefs set", on the preferences alone.
int runPrefs(UserDefaults& defaults, const CliRequest& request);

} // namespace CliCommands
