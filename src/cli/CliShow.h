#pragma once

#include "cli/CliOptions.h"

class DataManager;

// "show ID": every field the window's details show of one task, one "name<TAB>value" line
// each (the names are the JSON keys), or one JSON object; --raw adds the file as stored.
namespace CliShow {

int run(DataManager& manager, const CliRequest& request);

} // namespace CliShow
