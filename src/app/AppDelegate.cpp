#include "app/AppDelegate.h"

#include "app/ListMenus.h"
#include "app/MinuteTimer.h"
#include "data/DataManager.h"
#include "data/NotificationScheduler.h"
#include "data/SharedDates.h"
#include "data/TaskLists.h"
#include "hotkeys/PTHotKey.h"
#include "hotkeys/PTHotKeyCenter.h"
#include "hotkeys/PTKeyCombo.h"
#include "platform/AutostartEntry.h"
#include "platform/SchemeHandlers.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/UpdateNote.h"
#include "ui/common/WindowPlacement.h"
#include "ui/main/MidViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/sidebar/LeftViewController.h"

#include <QApplication>
#include <QDesktopServices>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include <utility>

AppDelegate::AppDelegate(DataManager& manager, ModeManager& modeManager, UserDefaults& defaults,
                         PTHotKeyCenter* hotKeyCenter, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_defaults(defaults)
    , m_hotKeyCenter(hotKeyCenter)
    , m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); })
    , m_minuteTimer(std::make_unique<MinuteTimer>(manager.clock()))
{
    connect(&defaults, &UserDefaults::writeFailed, this, &AppDelegate::preferencesNotSaved);
    connect(m_minuteTimer.get(), &MinuteTimer::minuteChanged, this, [this] {
        if (showMenuBar() && m_windows.refreshOnMinuteChange)
            m_windows.refreshOnMinuteChange();
        checkNightMode();
    });
    // The night flag is the data manager's schedule; the colours follow it.
    m_modeManager.setNightModeSource([&manager] { return manager.nightMode().isNightMode(); });
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

AppDelegate::~AppDelegate()
{
    if (m_hotKeyCenter) {
        if (m_appActivationHotKey)
            m_hotKeyCenter->unregisterHotKey(m_appActivationHotKey);
        if (m_appActivationHotKey2)
            m_hotKeyCenter->unregisterHotKey(m_appActivationHotKey2);
    }
    delete m_windowController;
}

bool AppDelegate::showMenuBar() const
{
    return m_defaults.boolForKey(PrefKey::showMenuBar);
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
    });
    // "initialLaunch" is cleared when the onboarding is completed, so that closing it half way
    // asks again at the next start; while there is no onboarding window the flag waits for it.
    if (!(m_defaults.boolForKey(PrefKey::initialLaunch) && m_windows.openIntro &&
          m_windows.openIntro(*this)))
        openMainWindow();
    // The notification scheduler is the notification centre's delegate (set up by main).
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
        m_windowController =
            new WindowController(m_manager, m_modeManager, m_detailServices.services());
        ViewController* view = m_windowController->viewController();
        view->setApplicationShell(this);
        view->setQuickAddOpener(m_windows.openQuickAdd);
        view->setHelpOpener(m_windows.openHelp);
        setupMenuBar(m_windowController->menuBar());
        // The menus' shortcuts work while the menus are closed, so they follow every rebuild.
        connect(view->lvc(), &LeftViewController::listsReloaded, this, [this] {
            setupPresetListsMenu();
            setupSmartListsMenu();
            setupListsMenu();
        });
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
    if (showMenuBar() && !m_hasStatusItem && m_windows.createStatusItem) {
        m_windows.createStatusItem();
        m_hasStatusItem = true;
    }
    registerHotKey();
    registerHotKey2();
    m_minuteTimer->start();
    setupPresetListsMenu();
    setupSmartListsMenu();
    setupListsMenu();
}

void AppDelegate::applicationShouldHandleReopen()
{
    openVelmoranWindowButton();
}

void AppDelegate::applicationWillTerminate()
{
    if (m_windowController)
        m_windowController->viewController()->saveSplitViewFrame();
    if (m_hasStatusItem && m_windows.removeStatusItem)
        m_windows.removeStatusItem();
    m_hasStatusItem = false;
}

// --- the menu bar ----------------------------------------------------------------------------

// Every key is spelled out: the standard keys depend on the platform theme (Preferences has
// none outside macOS, Quit none under the Windows scheme some themes report).
void AppDelegate::setupMenuBar(QMenuBar* menuBar)
{
    ViewController* view = m_windowController->viewController();

    QMenu* file = menuBar->addMenu(tr("&File"));
    QAction* newTask = file->addAction(tr("New Task"), view, &ViewController::addNewTask);
    newTask->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    newTask->setEnabled(view->hasQuickAddOpener());
    connect(view, &ViewController::quickAddAvailabilityChanged, newTask, &QAction::setEnabled);
    // The sidebar's add and share buttons, reachable from the keyboard too.
    LeftViewController* sidebar = view->lvc();
    file->addAction(tr("New List…"), sidebar, &LeftViewController::openAddListWindow)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    file->addAction(tr("New Tag List…"), sidebar, &LeftViewController::openAddTagListWindow);
    file->addAction(tr("New Merged List…"), sidebar, &LeftViewController::openAddMergedListWindow);
    file->addSeparator();
    file->addAction(tr("Share List…"), sidebar,
                    [sidebar] { sidebar->shareList(sidebar->presenter().selectedRow()); });
    QAction* syncNow = file->addAction(tr("Sync Now"), this, [this] {
        if (m_windows.syncNow)
            m_windows.syncNow();
    });
    const auto updateSyncNow = [this, syncNow] {
        syncNow->setEnabled(m_windows.syncNow && m_windows.canSyncNow && m_windows.canSyncNow());
    };
    updateSyncNow();
    connect(file, &QMenu::aboutToShow, syncNow, updateSyncNow);
    file->addSeparator();
    QAction* close =
        file->addAction(tr("Close Window"), m_windowController.data(), &QWidget::close);
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    QAction* quit = file->addAction(tr("Quit"), qApp, [this] {
        applicationWillTerminate();
        QApplication::quit();
    });
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);

    QMenu* edit = menuBar->addMenu(tr("&Edit"));
    edit->addAction(m_windowController->undoAction());
    edit->addAction(m_windowController->redoAction());
    edit->addSeparator();
    m_deleteAction = edit->addAction(tr("Delete"), this, &AppDelegate::deleteFocused);
    m_deleteAction->setShortcut(QKeySequence(Qt::Key_Delete));
    // The panes handle the key themselves; the item is for the menu and its state.
    m_deleteAction->setShortcutContext(Qt::WidgetShortcut);
    connect(edit, &QMenu::aboutToShow, this,
            [this] { m_deleteAction->setEnabled(canDeleteFocused()); });
    m_recentlyDeletedAction =
        edit->addAction(tr("Recently Deleted…"), this, &AppDelegate::openRecentlyDeleted);
    // Ctrl+Backspace is taken by the text fields (delete the word before the cursor).
    m_recentlyDeletedAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backspace));
    m_recentlyDeletedAction->setEnabled(bool(m_windows.openRecentlyDeleted));
    edit->addSeparator();
    m_preferencesAction = edit->addAction(tr("Preferences…"), this, &AppDelegate::openPreferences);
    m_preferencesAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    m_preferencesAction->setMenuRole(QAction::PreferencesRole);
    m_preferencesAction->setEnabled(bool(m_windows.openPreferences));

    m_viewMenu = menuBar->addMenu(tr("&View"));
    QAction* today = m_viewMenu->addAction(tr("Today"), view, &ViewController::moveToToday);
    today->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(tr("Day"), &view->lvc()->presenter(), &SidebarPresenter::selectDayView)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    m_viewMenu->addAction(tr("Week"), &view->lvc()->presenter(), &SidebarPresenter::selectWeekView)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    m_viewMenu
        ->addAction(tr("Month"), &view->lvc()->presenter(), &SidebarPresenter::selectMonthView)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    m_viewMenu->addAction(tr("Search"), &view->lvc()->presenter(), &SidebarPresenter::selectSearch)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_viewMenu->addSeparator();
    m_presetListsMenu = m_viewMenu->addMenu(tr("Preset Lists"));
    m_smartListsMenu = m_viewMenu->addMenu(tr("Smart Lists"));
    m_listsMenu = m_viewMenu->addMenu(tr("Lists"));
    connect(m_presetListsMenu, &QMenu::aboutToShow, this, &AppDelegate::setupPresetListsMenu);
    connect(m_smartListsMenu, &QMenu::aboutToShow, this, &AppDelegate::setupSmartListsMenu);
    connect(m_listsMenu, &QMenu::aboutToShow, this, &AppDelegate::setupListsMenu);
    m_viewMenu->addSeparator();
    m_showHideCompletedAction =
        m_viewMenu->addAction(QString(), view, &ViewController::showHideCompleted);
    m_showHideCompletedAction->setData(10);
    m_showHideCompletedAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
    m_showHideListsAction = m_viewMenu->addAction(QString(), view, &ViewController::showHideLists);
    m_showHideListsAction->setData(11);
    m_showHideListsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
    m_showHideDetailsAction =
        m_viewMenu->addAction(QString(), view, &ViewController::showHideDetails);
    m_showHideDetailsAction->setData(12);
    m_showHideDetailsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_I));
    connect(m_viewMenu, &QMenu::aboutToShow, this, &AppDelegate::updateViewMenu);
    updateViewMenu();

    QMenu* window = menuBar->addMenu(tr("&Window"));
    window->addAction(tr("Minimize"), m_windowController.data(), &QWidget::showMinimized)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    window->addAction(tr("Velmoran"), this, &AppDelegate::openVelmoranWindowButton)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));

    QMenu* help = menuBar->addMenu(tr("&Help"));
    QAction* helpContents = help->addAction(tr("Velmoran Help"), view, &ViewController::showHelp);
    helpContents->setShortcut(QKeySequence(Qt::Key_F1));
    helpContents->setEnabled(view->hasHelpOpener());
    help->addAction(tr("What's New"), view, &ViewController::openUpdateIntro)
        ->setEnabled(view->hasHelpOpener());
    help->addSeparator();
    help->addAction(tr("Rate Velmoran"), this, &AppDelegate::linkToReview);
    m_aboutAction = help->addAction(tr("About Velmoran"), this, &AppDelegate::openAboutPage);
    m_aboutAction->setMenuRole(QAction::AboutRole);
    m_aboutAction->setEnabled(bool(m_windows.openAbout));
}

void AppDelegate::updateViewMenu()
{
    if (!m_windowController)
        return;
    ViewController* view = m_windowController->viewController();
    m_showHideCompletedAction->setText(m_defaults.boolForKey(PrefKey::showCompleted)
                                           ? tr("Hide Completed")
                                           : tr("Show Completed"));
    m_showHideListsAction->setText(view->isListsShown() ? tr("Hide Lists") : tr("Show Lists"));
    m_showHideDetailsAction->setText(view->isDetailsShown() ? tr("Hide Details")
                                                            : tr("Show Details"));
}

void AppDelegate::setupPresetListsMenu()
{
    if (!m_windowController || !m_presetListsMenu)
        return;
    ViewController* view = m_windowController->viewController();
    ListMenus::setupPresetListsMenu(
        m_presetListsMenu, view->lvc()->presenter().layout().presetListsArray(),
        [view](int position) { view->lvc()->presenter().selectPresetList(position); });
}

void AppDelegate::setupSmartListsMenu()
{
    if (!m_windowController || !m_smartListsMenu)
        return;
    ViewController* view = m_windowController->viewController();
    ListMenus::setupSmartListsMenu(
        m_smartListsMenu, view->lvc()->presenter().layout().tagListsArray(),
        [view](int position) { view->lvc()->presenter().selectSmartList(position); });
}

void AppDelegate::setupListsMenu()
{
    if (!m_windowController || !m_listsMenu)
        return;
    ViewController* view = m_windowController->viewController();
    ListMenus::setupListsMenu(
        m_listsMenu, view->lvc()->presenter().layout().defaultListsArray(),
        [view](int position) { view->lvc()->presenter().selectList(position); });
}

bool AppDelegate::canDeleteFocused() const
{
    if (!m_windowController)
        return false;
    ViewController* view = m_windowController->viewController();
    if (view->lvc()->isAncestorOf(QApplication::focusWidget()))
        return view->lvc()->canDeleteSelected();
    return view->mvc()->canDelete();
}

void AppDelegate::deleteFocused()
{
    if (!m_windowController)
        return;
    ViewController* view = m_windowController->viewController();
    if (view->lvc()->isAncestorOf(QApplication::focusWidget()))
        view->lvc()->deleteSelected();
    else
        view->mvc()->presenter().deleteSelected();
}

// --- global shortcuts ------------------------------------------------------------------------

bool AppDelegate::registerHotKeyFor(const char* identifier, const QString& preference,
                                    const QString& description, std::shared_ptr<PTHotKey>& hotKey,
                                    void (AppDelegate::*action)())
{
    if (!m_hotKeyCenter)
        return true;
    if (hotKey)
        m_hotKeyCenter->unregisterHotKey(hotKey);
    // Read again every time: the preferences window records new combinations.
    const PTKeyCombo combo = PTKeyCombo::fromShortcutRecord(m_defaults.objectForKey(preference));
    hotKey = std::make_shared<PTHotKey>(QString::fromLatin1(identifier), combo);
    // Desktops that list the shortcuts they bind for a program (the portal on Wayland) show it.
    hotKey->setName(description);
    hotKey->setTarget(this);
    hotKey->setAction([this, action](PTHotKey*) { (this->*action)(); });
    // A combination without a key or a modifier is refused by the centre: the shortcut is off.
    return m_hotKeyCenter->registerHotKey(hotKey);
}

bool AppDelegate::registerHotKey()
{
    return registerHotKeyFor(kHotKeyIdentifier, PrefKey::shortcut,
                             tr("Show or hide the Velmoran window"), m_appActivationHotKey,
                             &AppDelegate::toggle);
}

bool AppDelegate::registerHotKey2()
{
    return registerHotKeyFor(kHotKeyIdentifier2, PrefKey::shortcut2,
                             tr("Open or close the tray panel"), m_appActivationHotKey2,
                             &AppDelegate::toggle2);
}

void AppDelegate::toggle()
{
    if (!m_windowController)
        return;
    if (m_windowController->isActiveWindow() && m_windowController->isVisible())
        m_windowController->close();
    else
        openVelmoranWindowButton();
}

void AppDelegate::toggle2()
{
    if (showMenuBar() && m_windows.turnOnOffByHotKey)
        m_windows.turnOnOffByHotKey();
}

// --- commands --------------------------------------------------------------------------------

void AppDelegate::openPreferences()
{
    Sound::soundEffect(Sound::General);
    if (m_windows.openPreferences)
        m_windows.openPreferences();
}

void AppDelegate::openRecentlyDeleted()
{
    if (m_windows.openRecentlyDeleted)
        m_windows.openRecentlyDeleted();
}

void AppDelegate::openAboutPage()
{
    if (m_windows.openAbout)
        m_windows.openAbout();
}

QUrl AppDelegate::reviewUrl()
{
    // The desktop's software centre shows the ratings, where there is one; elsewhere the
    // project's web page does.
    if (SchemeHandlers::hasHandlerForScheme(QStringLiteral("appstream")))
        return QUrl(QStringLiteral("appstream://org.velmoran.Velmoran"));
    return QUrl(QStringLiteral("https://velmoran.org/"));
}

void AppDelegate::linkToReview()
{
    const QUrl url = reviewUrl();
    if (!m_openUrl || m_openUrl(url))
        return;
    QWidget* parent = m_windowController ? m_windowController.data() : nullptr;
    auto* box =
        new QMessageBox(QMessageBox::Information, tr("Rate Velmoran"),
                        tr("No program here opens the review page."), QMessageBox::Ok, parent);
    box->setInformativeText(tr("You can rate Velmoran at %1.").arg(url.toString()));
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    m_lastMessage = box->text() + QLatin1Char(' ') + box->informativeText();
}

void AppDelegate::openVelmoranWindowButton()
{
    if (!m_windowController)
        return;
    WindowPlacement::bringToFront(m_windowController);
}

void AppDelegate::checkNightMode()
{
    if (m_windowController)
        m_windowController->viewController()->refreshOnMidnight();
}

// --- relays ----------------------------------------------------------------------------------

void AppDelegate::showHideMenuBar()
{
    if (showMenuBar()) {
        if (!m_hasStatusItem && m_windows.createStatusItem) {
            m_windows.createStatusItem();
            m_hasStatusItem = true;
        }
    } else if (m_hasStatusItem) {
        if (m_windows.removeStatusItem)
            m_windows.removeStatusItem();
        m_hasStatusItem = false;
    }
}

void AppDelegate::resetListFromDataManager()
{
    m_manager.refreshRemindersArray();
    panelRefreshOnListChange();
    // The lists changed elsewhere, not by the user's hand here: what is on show stays.
    if (m_windowController)
        m_windowController->viewController()->lvc()->presenter().reloadKeepingSelection();
    setupPresetListsMenu();
    setupSmartListsMenu();
    setupListsMenu();
}

void AppDelegate::redrawWindows()
{
    if (m_windowController) {
        m_windowController->viewController()->resetAppearanceFromPreferences();
        m_windowController->update();
    }
    if (showMenuBar()) {
        if (m_windows.closePanel)
            m_windows.closePanel();
        if (m_windows.refreshPanelForMode)
            m_windows.refreshPanelForMode();
    }
}

void AppDelegate::refreshLeftList()
{
    if (m_windowController)
        m_windowController->viewController()->refreshLeftTableViewFromPreferences();
    setupPresetListsMenu();
    setupSmartListsMenu();
    setupListsMenu();
}

void AppDelegate::panelRefreshOnListChange()
{
    if (showMenuBar() && m_windows.refreshPanelContent)
        m_windows.refreshPanelContent();
}

void AppDelegate::refreshPanel()
{
    if (showMenuBar() && m_windows.refreshOnMinuteChange)
        m_windows.refreshOnMinuteChange();
}

void AppDelegate::scheduleNotifications()
{
    if (m_notifications)
        m_notifications->scheduleNotifications();
}

void AppDelegate::togglePanel()
{
    if (showMenuBar() && m_windows.togglePanel)
        m_windows.togglePanel();
}

void AppDelegate::selectReminder(const store::ReminderPtr& reminder)
{
    if (m_windowController && reminder)
        m_windowController->viewController()->mvc()->presenter().selectReminder(reminder);
}
