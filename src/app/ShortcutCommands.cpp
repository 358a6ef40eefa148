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
        m_delegate.toggle();
        break;
    case ApplicationInterface::Command::ShowPanel:
        m_delegate.toggle2();
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
