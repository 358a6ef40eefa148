#pragma once

#include <QString>

class DataManager;
class QWidget;

// The import window over a file of tasks, an event and a broken item, and the export window,
// each over `parent` (whose colours they take), as PNG files named with `suffix` for the mode.
// Returns the number of pictures that could not be written.
int saveExchangeWindows(DataManager& manager, QWidget* parent, const QString& output,
                        const QString& suffix);
