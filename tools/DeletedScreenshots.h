#pragma once

#include <QString>

class DataManager;
class ModeManager;

// Fills Recently Deleted with exactly one entry of each kind, letting go of what the other
// pictures' steps deleted: a task deleted here, one another program removed, one a sync
// removed, and a list with its tasks. The tasks name the lists they came from; the store
// itself is not touched, so the other pictures stay as they are.
void addDeletedItems(DataManager& manager, const QString& workList, const QString& homeList);

// The Recently Deleted window over those entries, as a PNG file named with `suffix` for the
// mode. Returns the number of pictures that could not be written.
int saveRecentlyDeletedWindow(DataManager& manager, ModeManager& modes, const QString& output,
                              const QString& suffix);
