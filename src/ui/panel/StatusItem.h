#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>

class QMenu;
class QSystemTrayIcon;

// The status icon of the tray panel, while "showMenuBar" is on. It goes through
// QSystemTrayIcon, which speaks StatusNotifierItem where a watcher runs and XEmbed where a tray
// window exists. Without either the application runs without an icon (it says so once in the
// log) and the panel opens by the second shortcut alone. Its tooltip carries the badge count.
class StatusItem : public QObject
{
    Q_OBJECT

public:
    explicit StatusItem(QObject* parent = nullptr);
    ~StatusItem() override;

    // Shows the icon; false when there is no tray to show it in.
    bool create();
    // The icon leaves the tray.
    void removeView();
    bool exists() const;
    // In global coordinates; empty while there is no icon or the tray does not say where it is.
    QRect geometry() const;
    // The badge ("" for none) in the tooltip.
    void setBadge(const QString& badge);
    // The accounts' sync state, a second line of the tooltip (empty: none).
    void setSyncStatus(const QString& status);
    QString toolTip() const;

    // A click on the icon; the context menu's "Show Panel" too.
    std::function<void()> togglePanel;
    std::function<void()> openMainWindow;
    std::function<void()> quit;
    // Set before create(): the icon's menu then offers "Sync Now".
    std::function<void()> syncNow;

    QSystemTrayIcon* trayIcon() const;

private:
    QString m_badge;
    QString m_syncStatus;
    QPointer<QSystemTrayIcon> m_icon;
    QMenu* m_menu = nullptr;
    bool m_reportedMissingTray = false;
};
