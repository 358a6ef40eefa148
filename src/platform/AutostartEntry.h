#pragma once

#include <QString>

// The XDG autostart entry that starts Velmoran in the background when the user logs in, so
// that alarms are delivered without the window being opened first. It lives in the user's
// autostart folder ($XDG_CONFIG_HOME/autostart), from which freedesktop desktops (GNOME, KDE,
// Xfce and the rest) start every entry at login.
class AutostartEntry
{
public:
    // The entry's path: $XDG_CONFIG_HOME/autostart/velmoran.desktop.
    static QString path();
    static bool exists();

    // Writes the entry starting `executable` in the background, or removes it. Writing is
    // atomic and the entry is only rewritten when its text would change; removing an absent
    // entry succeeds. False, with the reason, when the folder or file cannot be written.
    static bool apply(bool startAtLogin, const QString& executable, QString* error = nullptr);

    // The entry's text for an executable.
    static QByteArray contents(const QString& executable);
    // The option that starts the application without showing its window.
    static QString backgroundOption() { return QStringLiteral("--background"); }
};
