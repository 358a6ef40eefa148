#pragma once

#include "cli/CliOptions.h"

class UserDefaults;

// "sync", "account add", "account lists" and the conflict step vdirsyncer calls back: the CalDAV
// accounts from the command line, on the same files as the application.
namespace CliSync {

int run(UserDefaults& defaults, const CliRequest& request);

} // namespace CliSync
