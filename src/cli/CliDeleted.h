#pragma once

#include "cli/CliOptions.h"

namespace store {
class EventStore;
}

// "deleted" and "restore": what Recently Deleted holds, emptying it, and putting items back.
namespace CliDeleted {

int runDeleted(store::EventStore& eventStore, const CliRequest& request);
int runRestore(store::EventStore& eventStore, const CliRequest& request);

} // namespace CliDeleted
