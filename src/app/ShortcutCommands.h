#pragma once

#include "app/ApplicationInterface.h"

class AppDelegate;
class EntryWindows;

// Carries out the commands that desktop shortcuts run (velmoran --toggle-window and the like,
// or ActivateAction over the bus): the same actions as the program's own global shortcuts, for
// desktops where the keys are bound outside the program.
class ShortcutCommands
{
public:
    // Both must outlive this object.
    ShortcutCommands(AppDelegate& delegate, EntryWindows& entryWindows);

    void run(ApplicationInterface::Command command);
    // A first launch given a command that opens another window starts without the main window
    // and runs the command once started; --toggle-window needs no more than the start itself.
    static bool startsInBackground(ApplicationInterface::Command command);

private:
    AppDelegate& m_delegate;
    EntryWindows& m_entryWindows;
};
