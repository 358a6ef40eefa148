#pragma once

#include "hotkeys/DesktopShortcutSupport.h"

#include <QString>

#include <functional>

class PortalShortcutSession;
class QWidget;
class SyncScheduler;
class SyncSetup;

// What the settings pages ask of the application shell and of the user. The shell fills the
// relays when it makes the window; tests fill them to see what was asked. An empty relay does
// nothing; an empty question is answered "no".
struct PreferenceRelays
{
    std::function<void()> showHideMenuBar;
    std::function<void()> scheduleNotifications;
    // Re-register a global shortcut from its preference; false when the window system refused
    // the combination (another program holds it).
    std::function<bool()> registerHotKey;
    std::function<bool()> registerHotKey2;
    // Where the desktop binds the global shortcuts itself (the GlobalShortcuts portal on
    // Wayland): its session, and the ids of "shortcut" and "shortcut2" there. None where this
    // program grabs the keys (X11) or no shortcut fires.
    const PortalShortcutSession* desktopShortcuts = nullptr;
    QString desktopShortcutId;
    QString desktopShortcutId2;
    std::function<void()> panelRefreshOnListChange;
    std::function<void()> refreshLeftList;
    std::function<void()> setupListsMenu;

    // A message with an OK button, and a question with "Cancel" and a destructive button:
    // sheets on `parent`.
    struct Alert
    {
        QString message;
        QString informativeText;
        QString actionTitle; // the second button of a question
    };
    std::function<void(QWidget* parent, const Alert& alert)> inform;
    std::function<bool(QWidget* parent, const Alert& alert)> confirm;
    // A folder picker; an empty answer is a cancel.
    std::function<QString(QWidget* parent, const QString& title)> chooseFolder;
    // The running desktop session, for the General page's help on Wayland (binding the
    // shortcuts, getting a tray); without it the page gives none.
    std::function<DesktopSession()> desktopSession;
    // The CalDAV accounts and their schedule; without them the General page shows no accounts.
    SyncSetup* accounts = nullptr;
    SyncScheduler* accountSync = nullptr;
};
