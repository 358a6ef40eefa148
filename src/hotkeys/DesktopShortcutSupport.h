#pragma once

#include "hotkeys/DesktopKeyBindings.h"

#include <QString>

// What is known of the running desktop session, as plain values, so that the choice of help
// below can be made (and tested) without a session.
struct DesktopSession
{
    bool wayland = false;
    // XDG_CURRENT_DESKTOP: "KDE", "GNOME", "ubuntu:GNOME", "sway", "Hyprland", "river", …
    QString desktop;
    // The desktop portal offers global shortcuts (KDE Plasma, GNOME 48 and later).
    bool globalShortcutsPortal = false;
    // GNOME's custom keyboard shortcut schemas are installed.
    bool gnomeKeybindings = false;
    // A tray (StatusNotifierItem host or XEmbed tray) is running.
    bool trayAvailable = true;

    // This process's session; whether a tray runs is the caller's to say, being a question for
    // the widgets.
    static DesktopSession probe(bool trayAvailable);
};

// Which help the preferences give for the global shortcuts and the tray icon. On X11 the
// program grabs its keys itself and none is needed. On Wayland the desktop portal binds them
// where it exists; elsewhere GNOME can bind them as its own keyboard shortcuts (after the user
// agrees), and any other compositor is given the lines for its configuration.
class DesktopShortcutSupport
{
public:
    enum class ShortcutHelp {
        None,             // X11, or the portal binds the shortcuts
        GnomeKeybindings, // offer to add GNOME custom keyboard shortcuts
        CompositorLines,  // show the commands and the lines for a compositor's configuration
    };
    enum class TrayHelp {
        None,
        GnomeExtension, // GNOME shows a tray only through an extension
        AnyTray,        // the desktop needs a tray (StatusNotifierItem host) running
    };

    explicit DesktopShortcutSupport(DesktopSession session);

    const DesktopSession& session() const { return m_session; }
    ShortcutHelp shortcutHelp() const;
    // `trayIconOn` is the user's switch for the tray icon.
    TrayHelp trayHelp(bool trayIconOn) const;
    bool isGnome() const;
    // The compositor whose lines show first: the running one, sway where it is none of them.
    DesktopKeyBindings::Compositor compositor() const;

private:
    DesktopSession m_session;
};
