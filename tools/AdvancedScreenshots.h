#pragma once

#include <QString>

class DataManager;
class ModeManager;

// The Advanced page of the preferences window on each of its four tabs, the Smart Add rule
// sheet and the quick-action editor, as PNG files named with `suffix` for the mode. The
// preferences it fills for the pictures are put back afterwards. Returns the number of
// pictures that could not be written.
int saveAdvancedPage(DataManager& manager, ModeManager& modes, const QString& output,
                     const QString& suffix);
