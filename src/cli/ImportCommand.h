#pragma once

#include "cli/CliOptions.h"

class DataManager;

// "import FILE... [--list NAME] [--update]": the tasks of the files into a list, their events
// into a calendar. Items the store holds already (by UID) are skipped, or with --update
// replaced where they are. Broken items are named on standard error, one line each, and make
// the exit status 1 although the rest was imported; a file that is missing or not iCalendar,
// or an unknown list, stops the import before anything is written.
namespace ImportCommand {

int run(DataManager& manager, const CliRequest& request);

} // namespace ImportCommand
