#include "app/AppDelegate.h"

#include "app/MainMenuBar.h"
#include "app/MinuteTimer.h"
#include "data/DataManager.h"
#include "data/NotificationScheduler.h"
#include "data/SharedDates.h"
#include "data/TaskLists.h"
#include "platform/AutostartEntry.h"
#include "platform/UserDefaults.h"
#include "platform/desktop/HighContrastSetting.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/UpdateNote.h"
#include "presentation/sidebar/SidebarPresenter.h"
#include "presentation/tasklist/TaskListPresenter.h"
#include "ui/common/WindowPlacement.h"
#include "ui/main/MidViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/sidebar/LeftViewController.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <utility>

AppDelegate::AppDelegate(DataManager& manager, ModeManager& modeManager, UserDefaults& defaults,
                         PTHotKeyCenter* hotKeyCenter, DetailServices detailServices,
                         QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_defaults(defaults)
    , m_detailServices(std::move(detailServices))
    , m_shortcuts(hotKeyCenter, defaults)
    , m_tray(defaults)
    , m_minuteTimer(std::make_unique<MinuteTimer>(manager.clock()))
{
    connect(&defaults, &UserDefaults::writeFailed, this, &AppDelegate::preferencesNotSaved);
    connect(m_minuteTimer.get(), &MinuteTimer::minuteChanged, this, [this] {
        m_tray.refreshOnMinuteChange();
        checkNightMode();
        m_modeManager.followHighContrast();
    });
    connect(&m_shortcuts, &GlobalShortcuts::windowShortcutPressed, this,
            &AppDelegate::toggleMainWindow);
    connect(&m_shortcuts, &GlobalShortcuts::panelShortcutPressed, this,
            [this] { m_tray.toggleByHotKey(); });
    // The night flag is the data manager's schedule; the colours follow it.
    m_modeManager.setNightModeSource([&manager] { return manager.nightMode().isNightMode(); });
    m_modeManager.setHighContrastSource(&HighContrastSetting::desktopAsks);
    connect(&m_modeManager, &ModeManager::redrawWindowsRequested, this,
            &AppDelegate::redrawWindows);
    connect(&manager.lists(), &TaskLists::visibleListsChanged, this,
            &AppDelegate::resetListFromDataManager);
    // New colours: the task list reloads, as after a refresh.
    connect(&m_modeManager, &ModeManager::remindersRefreshed, this, [this] {
        if (m_windowController)
            m_windowController->viewController()->fetchData();
    });
}

AppDelegate::~AppDelegate()
{
    delete m_windowController;
}

void AppDelegate::setWindows(const ShellWindows& windows)
{
    m_windows = windows;
    m_tray.setPanel(windows.tray);
}

void AppDelegate::preferencesNotSaved(const QString& reason)
{
    if (m_preferencesAlert)
        return;
    m_preferencesAlert = new QMessageBox(
        QMessageBox::Warning, tr("Preferences Not Saved"),
        tr("Velmoran could not save a change to its preferences: %1. The change holds until "
           "Velmoran quits; free some space or fix the folder's permissions, then change it "
           "again.")
            .arg(reason),
        QMessageBox::Ok, m_windowController ? static_cast<QWidget*>(m_windowController) : nullptr);
    m_preferencesAlert->setAttribute(Qt::WA_DeleteOnClose);
    m_preferencesAlert->open();
}

// --- life cycle ------------------------------------------------------------------------------

void AppDelegate::applicationDidFinishLaunching()
{
    // The crash reporter and the Services provider are running by now (see main).
    setupDefaultPreferences(m_defaults, &m_manager.lists());
    UpdateNote::settleForRelease(m_defaults, QStringLiteral(VELMORAN_VERSION));
    // The data manager worked out this week and the night schedule, and the appearance its
    // text size, before the defaults said which day starts a week, when night falls and which
    // size the text has. A schedule left stale would flip at its first look, on the first
    // launch, and the redraw that follows closes the tray panel just opened.
    m_manager.dates().resetThisWeekDate();
    m_manager.nightMode().presetNightMode();
    m_modeManager.resetValues();
    m_modeManager.setupDefaultFont();
    // Alarms, the tray and the shortcuts go on with the window closed; Quit ends the program.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    applyStartAtLogin();
    connect(&m_defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (key == PrefKey::startAtLogin)
            applyStartAtLogin();
        // The icon follows the preference at once, whoever changed it.
        else if (key == PrefKey::showMenuBar && m_windowController)
            m_tray.followPreference();
    });
    // "initialLaunch" is cleared when the onboarding is completed, so that closing it half way
    // asks again at the next start; while there is no onboarding window the flag waits for it.
    if (!(m_defaults.boolForKey(PrefKey::initialLaunch) && m_windows.onboarding &&
          m_windows.onboarding->openIntro()))
        openMainWindow();
}

void AppDelegate::applyStartAtLogin()
{
    QString error;
    if (!AutostartEntry::apply(m_defaults.boolForKey(PrefKey::startAtLogin),
                               QCoreApplication::applicationFilePath(), &error))
        qWarning().noquote() << error;
}

void AppDelegate::introFinished()
{
    m_defaults.setBool(false, PrefKey::initialLaunch);
    m_defaults.synchronize();
    QTimer::singleShot(kIntroFinishedDelayMs, this, &AppDelegate::openMainWindow);
}

void AppDelegate::openMainWindow()
{
    if (!m_windowController) {
        m_windowController = new WindowController(m_manager, m_modeManager, m_detailServices);
        ViewController* view = m_windowController->viewController();
        view->setApplicationShell(this);
        if (QuickAddOpener* quickAdd = m_windows.quickAdd)
            view->setQuickAddOpener(
                [quickAdd](const QDateTime& date, const QString& list) {
                    quickAdd->openQuickAdd(date, list);
                },
                [quickAdd](const QString& parent) { quickAdd->openQuickAddForSubtask(parent); });
        if (OnboardingWindows* onboarding = m_windows.onboarding)
            view->setHelpOpener(
                [onboarding](const QString& document) { return onboarding->openHelp(document); });
        m_menuBar = new MainMenuBar(*m_windowController, m_defaults, m_windows);
        connect(m_menuBar, &MainMenuBar::quitRequested, this, [this] {
            applicationWillTerminate();
            QApplication::quit();
        });
        connect(m_menuBar, &MainMenuBar::mainWindowRequested, this,
                &AppDelegate::applicationShouldHandleReopen);
        connect(m_menuBar, &MainMenuBar::reviewRequested, this,
                [this] { m_reviewLink.open(m_windowController); });
        view->loadSplitViewFrame();
        // Kept when the window closes as well as when the program quits: a program that is
        // ended rather than quit still opens the window where it was closed.
        connect(m_windowController, &WindowController::closing, view,
                &ViewController::saveSplitViewFrame);
    }
    // Started at login, the program waits in the background until it is asked for the window.
    if (!std::exchange(m_startInBackground, false)) {
        m_windowController->show();
        m_windowController->raise();
        m_windowController->activateWindow();
    }
    if (m_tray.isOn())
        m_tray.followPreference();
    m_shortcuts.registerWindowShortcut();
    m_shortcuts.registerPanelShortcut();
    m_minuteTimer->start();
    m_menuBar->rebuildListMenus();
}

void AppDelegate::applicationShouldHandleReopen()
{
    if (m_windowController)
        WindowPlacement::bringToFront(m_windowController);
}

void AppDelegate::applicationWillTerminate()
{
    if (m_windowController)
        m_windowController->viewController()->saveSplitViewFrame();
    m_tray.removeStatusItem();
}

void AppDelegate::toggleMainWindow()
{
    if (!m_windowController)
        return;
    if (m_windowController->isActiveWindow() && m_windowController->isVisible())
        m_windowController->close();
    else
        applicationShouldHandleReopen();
}

void AppDelegate::checkNightMode()
{
    if (m_windowController)
        m_windowController->viewController()->refreshOnMidnight();
}

// --- relays ----------------------------------------------------------------------------------

void AppDelegate::rebuildListMenus()
{
    if (m_menuBar)
        m_menuBar->rebuildListMenus();
}

void AppDelegate::resetListFromDataManager()
{
    m_manager.refreshRemindersArray();
    m_tray.refreshContent();
    // The lists changed elsewhere, not by the user's hand here: what is on show stays.
    if (m_windowController)
        m_windowController->viewController()->lvc()->presenter().reloadKeepingSelection();
    rebuildListMenus();
}

void AppDelegate::redrawWindows()
{
    if (m_windowController) {
        m_windowController->viewController()->resetAppearanceFromPreferences();
        m_windowController->update();
    }
    m_tray.redraw();
}

void AppDelegate::refreshLeftList()
{
    if (m_windowController)
        m_windowController->viewController()->refreshLeftTableViewFromPreferences();
    rebuildListMenus();
}

void AppDelegate::panelRefreshOnListChange()
{
    m_tray.refreshContent();
}

void AppDelegate::refreshPanel()
{
    m_tray.refreshOnMinuteChange();
}

void AppDelegate::scheduleNotifications()
{
    if (m_notifications)
        m_notifications->scheduleNotifications();
}

void AppDelegate::selectReminder(const store::ReminderPtr& reminder)
{
    if (!m_windowController || !reminder)
        return;
    MidViewController* list = m_windowController->viewController()->mvc();
    list->presenter().selectReminder(reminder);
    // The keyboard, and with it a screen reader, is on the new task when the window is active
    // again, not where it was before the task was added.
    list->tableView()->setFocus(Qt::OtherFocusReason);
}
