#pragma once

#include <QString>

class DataManager;
class ModeManager;

// The detail pane of a task with a departure alarm and its map, and the location pop-over
// listing address-book entries and map places for one word, as PNG files named with `suffix`
// for the mode. The places come from a geocoder on the loopback interface and the contacts
// from vCard files in the tool's own home. Returns the number of pictures not written.
int saveLocationWindows(DataManager& manager, ModeManager& modes, const QString& output,
                        const QString& suffix);
