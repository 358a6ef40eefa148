#pragma once

#include "app/GlobalShortcuts.h"
#include "app/MainMenuBar.h"
#include "app/ReviewLink.h"
#include "app/ShellWindows.h"
#include "app/TrayPanelRelay.h"
#include "presentation/detail/DetailServices.h"
#include "ui/main/ApplicationShell.h"
#include "ui/main/WindowController.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>

#include <memory>

class DataManager;
class MinuteTimer;
class ModeManager;
class NotificationScheduler;
class PTHotKeyCenter;
class UserDefaults;

// The root of the running program: starts it in a fixed order, opens and keeps the main window
// with its menu bar, and ends it. The other windows come in through ShellWindows, the tray
// panel's relays through TrayPanelRelay, the two global shortcuts through GlobalShortcuts.
class AppDelegate : public QObject, public ApplicationShell
{
    Q_OBJECT

public:
    static constexpr int kIntroFinishedDelayMs = 200;

    // Each collaborator must outlive the delegate; `hotKeyCenter` may be null (no global
    // shortcuts at all). The main window's details reach the network through `detailServices`.
    AppDelegate(DataManager& manager, ModeManager& modeManager, UserDefaults& defaults,
                PTHotKeyCenter* hotKeyCenter, DetailServices detailServices,
                QObject* parent = nullptr);
    ~AppDelegate() override;

    // Before applicationDidFinishLaunching(); a window left out keeps its menu item disabled.
    void setWindows(const ShellWindows& windows);
    void setNotificationScheduler(NotificationScheduler* scheduler) { m_notifications = scheduler; }
    // Started at login: the main window is made but shown only when asked for.
    void setStartInBackground(bool background) { m_startInBackground = background; }

    // Start-up, after the crash reporter and the Services provider (both set up by main before
    // the application object exists or as soon as the bus name is ours).
    void applicationDidFinishLaunching();
    void applicationShouldHandleReopen();
    void applicationWillTerminate();
    void openMainWindow();
    // The onboarding window was completed: it does not open again, the main window does.
    void introFinished();
    // The first global shortcut: the main window hides when it is in front, else comes there.
    void toggleMainWindow();
    // New day or night colours where the day line shows them.
    void checkNightMode();

    WindowController* windowController() const { return m_windowController; }
    MainMenuBar* menuBar() const { return m_menuBar; }
    MinuteTimer* minuteTimer() const { return m_minuteTimer.get(); }
    GlobalShortcuts& shortcuts() { return m_shortcuts; }
    TrayPanelRelay& tray() { return m_tray; }
    ReviewLink& reviewLink() { return m_reviewLink; }

private:
    // ApplicationShell: what the panes relay.
    void panelRefreshOnListChange() override;
    void refreshLeftList() override;
    void refreshPanel() override;
    void scheduleNotifications() override;
    void selectReminder(const store::ReminderPtr& reminder) override;

    void redrawWindows();
    // A list was added, removed or shown/hidden elsewhere: a new refresh, then the panel, the
    // sidebar and the Lists menu rebuild.
    void resetListFromDataManager();
    void rebuildListMenus();
    // Writes or removes the autostart entry as "startAtLogin" says.
    void applyStartAtLogin();
    // A preference change could not be written: said once, not at every following change.
    void preferencesNotSaved(const QString& reason);

    DataManager& m_manager;
    ModeManager& m_modeManager;
    UserDefaults& m_defaults;
    DetailServices m_detailServices;
    NotificationScheduler* m_notifications = nullptr;
    ShellWindows m_windows;
    GlobalShortcuts m_shortcuts;
    TrayPanelRelay m_tray;
    ReviewLink m_reviewLink;
    QPointer<WindowController> m_windowController;
    QPointer<MainMenuBar> m_menuBar;
    QPointer<QMessageBox> m_preferencesAlert;
    std::unique_ptr<MinuteTimer> m_minuteTimer;
    bool m_startInBackground = false;
};
