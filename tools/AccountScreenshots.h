#pragma once

#include <QString>

class DataManager;
class ModeManager;

// The accounts on the preferences window's General page (one account, with the user's own
// vdirsyncer configuration offered beside it) and the account window telling why a server
// cannot be used, as PNG files named with `suffix` for the mode. Returns the number of
// pictures that could not be written.
int saveAccountWindows(DataManager& manager, ModeManager& modes, const QString& output,
                       const QString& suffix);
