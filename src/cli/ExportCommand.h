#pragma once

#include "cli/CliOptions.h"

class DataManager;

// "export [--list NAME]... [--completed] [-o FILE]": the open tasks of the lists (every list
// when none is named; completed ones too with --completed) as one calendar, on standard output
// or into FILE.
namespace ExportCommand {

int run(DataManager& manager, const CliRequest& request);

} // namespace ExportCommand
