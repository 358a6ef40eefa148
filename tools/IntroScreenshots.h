#pragma once

#include <QString>

class DataManager;
class ModeManager;

// The onboarding's five pages (with folders found in a made-up home on the second), the help
// window and the about window, as PNG files named with `suffix` for the mode. Returns the
// number of pictures that could not be written.
int saveIntroWindows(DataManager& manager, ModeManager& modes, const QString& output,
                     const QString& suffix);
