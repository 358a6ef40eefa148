#include "app/ShortcutCommands.h"

#include "app/AppDelegate.h"
#include "app/EntryWindows.h"

ShortcutCommands::ShortcutCommands(AppDelegate& delegate, EntryWindows& entryWindows)
    : m_delegate(delegate)
    , m_entryWindows(entryWindows)
{}

void ShortcutCommands::run(ApplicationInterface::Command command)
{
    switch (command) {
    case ApplicationInterface::Command::ToggleWindow:
        m_delegate.toggleMainWindow();
        break;
    case ApplicationInterface::Command::ShowPanel:
        m_delegate.tray().toggleByHotKey();
        break;
    case ApplicationInterface::Command::NewTask:
        m_entryWindows.openQuickAdd(QDateTime(), QString());
        break;
    }
}

bool ShortcutCommands::startsInBackground(ApplicationInterface::Command command)
{
    return command != ApplicationInterface::Command::ToggleWindow;
}
