#pragma once

#include "cli/CliOptions.h"
#include "platform/store/StoreIndex.h"

#include <optional>

class DataManager;

// "tasks" for every task or for a search, printed flat, answered from the parse cache's bytes
// rather than from records: each task is held as its sort keys and where it is in the cache,
// and is decoded only to be printed, one at a time. Byte for byte what the store's records
// give; any folder the cache cannot stand for as it is now leaves the question to them.
namespace CachedTaskListing {

// Whether the request is one this listing may answer.
bool suits(const CliRequest& request);
// The scope of the data manager it runs with: the lists and the preferences are read as
// usual, the tasks of no folder.
store::StoreIndex::Scope storeScope();
// The exit status once the answer is printed; nothing, with nothing printed, when the store's
// records must answer.
std::optional<int> run(DataManager& manager, const CliRequest& request);

} // namespace CachedTaskListing
