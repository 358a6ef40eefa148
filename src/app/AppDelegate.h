#pragma once

#include "presentation/detail/DetailServices.h"
#include "ui/main/ApplicationShell.h"
#include "ui/main/WindowController.h"

#include <QDateTime>
#include <QMessageBox>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class DataManager;
class MinuteTimer;
class ModeManager;
class NotificationScheduler;
class PTHotKey;
class PTHotKeyCenter;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class UserDefaults;

// The root of the running program: starts it in a fixed order, owns the main window and the
// windows that open from its menus, keeps the minute timer, the list menus and the two global
// shortcuts, and relays appearance, font and list changes to the windows.
//
// The onboarding, preferences, about and menu-bar panel windows are separate pieces of work;
// they plug in through the openers below. Until one is there, its menu command is disabled and
// its relays do nothing.
class AppDelegate : public QObject, public ApplicationShell
{
    Q_OBJECT

public:
    static constexpr const char* kHotKeyIdentifier = "Velmoran";
    static constexpr const char* kHotKeyIdentifier2 = "Velmoran2";
    static constexpr int kIntroFinishedDelayMs = 200;

    // Each collaborator must outlive the delegate; `hotKeyCenter` may be null (no global
    // shortcuts at all).
    AppDelegate(DataManager& manager, ModeManager& modeManager, UserDefaults& defaults,
                PTHotKeyCenter* hotKeyCenter, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The windows of later work. An opener returns whether it showed its window.
    struct Windows
    {
        // The first-launch window; it calls introFinished() when the user completes it.
        std::function<bool(AppDelegate& app)> openIntro;
        std::function<bool()> openPreferences;
        std::function<bool()> openAbout;
        // The help window as a sheet on the main window, with a document name ("Help",
        // "Update"); the Help menu and "What's New" use it.
        std::function<bool(const QString& document)> openHelp;
        // The menu-bar panel: its status item exists while "showMenuBar" is on.
        std::function<void()> createStatusItem;
        std::function<void()> removeStatusItem;
        std::function<void()> togglePanel;
        std::function<void()> turnOnOffByHotKey;
        std::function<void()> closePanel;
        std::function<void()> refreshPanelForMode;
        std::function<void()> refreshPanelContent;
        std::function<void()> refreshOnMinuteChange;
        // The quick-add window, with the date (invalid: none) and the list (identifier, may be
        // empty) its form starts with. File → New Task and the main window's add paths open it.
        std::function<void(const QDateTime& date, const QString& listIdentifier)> openQuickAdd;
        // Edit → Recently Deleted…: what was deleted here and elsewhere, to restore or let go.
        std::function<bool()> openRecentlyDeleted;
        // File → Sync Now: syncs the CalDAV accounts; off while there is none or one runs.
        std::function<void()> syncNow;
        std::function<bool()> canSyncNow;
    };
    void setWindows(Windows windows) { m_windows = std::move(windows); }

    void setNotificationScheduler(NotificationScheduler* scheduler) { m_notifications = scheduler; }
    // Started at login: the main window is made but shown only when asked for.
    void setStartInBackground(bool background) { m_startInBackground = background; }

    // Start-up, after the crash reporter and the Services provider (both set up by main before
    // the application object exists or as soon as the bus name is ours).
    void applicationDidFinishLaunching();
    void applicationShouldHandleReopen();
    void applicationWillTerminate();
    void openMainWindow();
    void introFinished();

    WindowController* windowController() const { return m_windowController; }
    MinuteTimer* minuteTimer() const { return m_minuteTimer.get(); }
    QMenu* presetListsMenu() const { return m_presetListsMenu; }
    QMenu* smartListsMenu() const { return m_smartListsMenu; }
    QMenu* listsMenu() const { return m_listsMenu; }
    QMenu* viewMenu() const { return m_viewMenu; }

    // The list menus, rebuilt from the sidebar; also on every opening.
    void setupPresetListsMenu();
    void setupSmartListsMenu();
    void setupListsMenu();
    void updateViewMenu();

    // Global shortcuts.
    // False when the window system refused the stored combination (another program holds it).
    bool registerHotKey();
    bool registerHotKey2();
    PTHotKeyCenter* hotKeyCenter() const { return m_hotKeyCenter; }
    void toggle();
    void toggle2();

    // Menu commands.
    void openPreferences();
    void openAboutPage();
    void openRecentlyDeleted();
    void linkToReview();
    void openVelmoranWindowButton();
    void checkNightMode();

    // Relays (ApplicationShell and the appearance manager).
    void showHideMenuBar();
    void redrawWindows();
    // A list was added, removed or shown/hidden elsewhere: a new refresh, then the panel, the
    // sidebar and the Lists menu rebuild.
    void resetListFromDataManager();
    void refreshLeftList() override;
    void panelRefreshOnListChange() override;
    void refreshPanel() override;
    void scheduleNotifications() override;
    void togglePanel();
    void selectReminder(const store::ReminderPtr& reminder) override;
    bool hasStatusItem() const { return m_hasStatusItem; }

    // Where the review page opens: the desktop's software centre ("appstream:") where a
    // program handles such links, else the project's web page.
    static QUrl reviewUrl();
    // The last message the application showed the user (tests read it).
    QString lastMessage() const { return m_lastMessage; }
    using OpenUrl = std::function<bool(const QUrl&)>;
    void setOpenUrl(OpenUrl openUrl) { m_openUrl = std::move(openUrl); }

private:
    void setupMenuBar(QMenuBar* menuBar);
    bool registerHotKeyFor(const char* identifier, const QString& preference,
                           const QString& description, std::shared_ptr<PTHotKey>& hotKey,
                           void (AppDelegate::*action)());
    bool showMenuBar() const;
    // Writes or removes the autostart entry as "startAtLogin" says.
    void applyStartAtLogin();
    void deleteFocused();
    bool canDeleteFocused() const;
    // A preference change could not be written: said once, not at every following change.
    void preferencesNotSaved(const QString& reason);

    DataManager& m_manager;
    ModeManager& m_modeManager;
    UserDefaults& m_defaults;
    PTHotKeyCenter* m_hotKeyCenter;
    NotificationScheduler* m_notifications = nullptr;
    Windows m_windows;
    OpenUrl m_openUrl;
    // Made once: every main window shares the map search, the tiles and the address book.
    PreferredDetailServices m_detailServices{m_defaults};
    QPointer<WindowController> m_windowController;
    QPointer<QMessageBox> m_preferencesAlert;
    std::unique_ptr<MinuteTimer> m_minuteTimer;
    std::shared_ptr<PTHotKey> m_appActivationHotKey;
    std::shared_ptr<PTHotKey> m_appActivationHotKey2;
    bool m_hasStatusItem = false;
    bool m_startInBackground = false;
    QString m_lastMessage;
    QMenu* m_presetListsMenu = nullptr;
    QMenu* m_smartListsMenu = nullptr;
    QMenu* m_listsMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QAction* m_showHideCompletedAction = nullptr;
    QAction* m_showHideListsAction = nullptr;
    QAction* m_showHideDetailsAction = nullptr;
    QAction* m_preferencesAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_deleteAction = nullptr;
    QAction* m_recentlyDeletedAction = nullptr;
};
