#pragma once

#include <QString>

class ViewController;
class QWidget;

// The main window at 800×600 with the bar telling of files that could not be read (two files
// of `listFolder`: one cut short, one too large), and the dialog listing them, as PNG files
// named with `suffix` for the mode. The files are removed again and the bar gone before it
// returns, and the details as they were. Returns the number of pictures that could not be written.
int saveUnreadableFiles(ViewController* view, QWidget* window, const QString& listFolder,
                        const QString& output, const QString& suffix);
