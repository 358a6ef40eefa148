#pragma once

#include "app/ApplicationInterface.h"

#include <QString>
#include <QStringList>

#include <optional>

// The application's command line: "velmoran:" URLs (the desktop file passes one with %u),
// --new-task-from-selection, --background, and the commands a desktop shortcut runs
// (--toggle-window, --show-panel, --new-task). --help and --version print and exit inside
// parse().
struct LaunchOptions
{
    QStringList urls;
    bool newTaskFromSelection = false;
    // Started by the autostart entry: no window until one is asked for.
    bool background = false;
    std::optional<ApplicationInterface::Command> command;
    QString error; // set when the command line is unusable

    static LaunchOptions parse(const QStringList& arguments);
    // Whether a window can be shown at all: a display named by the environment or a platform
    // chosen on the command line. Without one, only --help and --version can run.
    static bool hasDisplay(const QStringList& arguments);
};
