#pragma once

#include <QDBusConnection>
#include <QString>

// Asks KWin to treat one window of this process as a panel: no entry in the task bar, the pager
// or the window switcher, kept above other windows, and placed at the top right of the screen's
// free area. A Wayland client cannot ask for any of this through xdg-shell, and KWin's own
// protocol for it (org_kde_plasma_surface) needs the window's wl_surface, which Qt 6.4 hands out
// only through its private headers. So the rule is a small script that KWin's scripting
// interface runs for the session: it applies to every window of this process whose title starts
// with the given one, each time it is shown. Other compositors have no such interface; there the
// window stays an ordinary one.
class KWinPanelRule
{
public:
    explicit KWinPanelRule(QDBusConnection connection = QDBusConnection::sessionBus());
    // Unloads the script, so that KWin keeps nothing of this process once it has gone.
    ~KWinPanelRule();
    KWinPanelRule(const KWinPanelRule&) = delete;
    KWinPanelRule& operator=(const KWinPanelRule&) = delete;

    // False where KWin does not run on this session bus or refused the script.
    bool install(const QString& title);
    bool isInstalled() const { return !m_pluginName.isEmpty(); }

    // The script for the windows of process `pid` whose title starts with `title`.
    static QString scriptText(qint64 pid, const QString& title);

private:
    QDBusConnection m_connection;
    QString m_path;
    QString m_pluginName;
};
