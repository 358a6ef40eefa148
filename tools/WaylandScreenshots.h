#pragma once

#include <QString>

class DataManager;
class ModeManager;

// The General page of the preferences window at 800 by 600 as a Wayland session shows it:
// GNOME without the shortcuts portal and without a tray (the offer to add GNOME keyboard
// shortcuts and the tray help), and sway (its configuration lines). The session is told to the
// page rather than found, so the pictures come out the same on any machine. Files are named
// with `suffix` for the mode; returns the number that could not be written.
int saveWaylandHelp(DataManager& manager, ModeManager& modes, const QString& output,
                    const QString& suffix);
