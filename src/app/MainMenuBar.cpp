#include "app/MainMenuBar.h"

#include "app/ListMenus.h"
#include "app/ShellWindows.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "presentation/sidebar/SidebarPresenter.h"
#include "ui/main/MidViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/sidebar/LeftViewController.h"
#include "ui/main/tasklist/SubtaskKeys.h"

#include <QApplication>
#include <QMenuBar>
#include <QShortcut>

// Every key is spelled out: the standard keys depend on the platform theme (Preferences has
// none outside macOS, Quit none under the Windows scheme some themes report).
MainMenuBar::MainMenuBar(WindowController& window, UserDefaults& defaults,
                         const ShellWindows& windows)
    : QObject(&window)
    , m_window(window)
    , m_defaults(defaults)
    , m_windows(windows)
{
    addFileMenu();
    addEditMenu();
    addViewMenu();
    addWindowAndHelpMenus();
    // F10 opens the menus from the keyboard, as in the desktops' own programs; Qt leaves the
    // key to the style, and most do nothing with it.
    auto* openMenus = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    connect(openMenus, &QShortcut::activated, this, [this] {
        QMenuBar* bar = m_window.menuBar();
        if (!bar->actions().isEmpty())
            bar->setActiveAction(bar->actions().constFirst());
    });
    connect(window.viewController()->lvc(), &LeftViewController::listsReloaded, this,
            &MainMenuBar::rebuildListMenus);
}

void MainMenuBar::addFileMenu()
{
    ViewController* view = m_window.viewController();
    QMenu* file = m_window.menuBar()->addMenu(tr("&File"));
    QAction* newTask = file->addAction(tr("&New Task"), view, &ViewController::addNewTask);
    newTask->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    newTask->setEnabled(view->hasQuickAddOpener());
    connect(view, &ViewController::quickAddAvailabilityChanged, newTask, &QAction::setEnabled);
    // The sidebar's add and share buttons, reachable from the keyboard too.
    LeftViewController* sidebar = view->lvc();
    file->addAction(tr("New &List…"), sidebar, &LeftViewController::openAddListWindow)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    file->addAction(tr("New &Tag List…"), sidebar, &LeftViewController::openAddTagListWindow);
    file->addAction(tr("New &Merged List…"), sidebar, &LeftViewController::openAddMergedListWindow);
    file->addSeparator();
    QAction* importItems = file->addAction(tr("&Import…"), this, [this] {
        if (m_windows.exchange)
            m_windows.exchange->openImport();
    });
    QAction* exportTasks = file->addAction(tr("E&xport…"), this, [this] {
        if (m_windows.exchange)
            m_windows.exchange->openExport();
    });
    importItems->setEnabled(m_windows.exchange != nullptr);
    exportTasks->setEnabled(m_windows.exchange != nullptr);
    file->addAction(tr("&Share List…"), sidebar,
                    [sidebar] { sidebar->shareList(sidebar->presenter().selectedRow()); });
    QAction* syncNow = file->addAction(tr("S&ync Now"), this, [this] {
        if (m_windows.sync)
            m_windows.sync->syncNow();
    });
    const auto updateSyncNow = [this, syncNow] {
        syncNow->setEnabled(m_windows.sync && m_windows.sync->canSyncNow());
    };
    updateSyncNow();
    connect(file, &QMenu::aboutToShow, syncNow, updateSyncNow);
    file->addSeparator();
    file->addAction(tr("&Close Window"), &m_window, &QWidget::close)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    QAction* quit = file->addAction(tr("&Quit"), this, &MainMenuBar::quitRequested);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);
}

bool MainMenuBar::sidebarHasFocus() const
{
    return m_window.viewController()->lvc()->isAncestorOf(QApplication::focusWidget());
}

void MainMenuBar::addEditMenu()
{
    ViewController* view = m_window.viewController();
    QMenu* edit = m_window.menuBar()->addMenu(tr("&Edit"));
    edit->addAction(m_window.undoAction());
    edit->addAction(m_window.redoAction());
    edit->addSeparator();
    QAction* remove = edit->addAction(tr("&Delete"), this, [this, view] {
        if (sidebarHasFocus())
            view->lvc()->deleteSelected();
        else
            view->mvc()->presenter().deleteSelected();
    });
    remove->setShortcut(QKeySequence(Qt::Key_Delete));
    // The panes handle the key themselves; the item is for the menu and its state.
    remove->setShortcutContext(Qt::WidgetShortcut);
    connect(edit, &QMenu::aboutToShow, remove, [this, view, remove] {
        remove->setEnabled(sidebarHasFocus() ? view->lvc()->canDeleteSelected()
                                             : view->mvc()->canDelete());
    });
    addSubtaskItems(edit);
    QAction* recentlyDeleted = edit->addAction(tr("Recently D&eleted…"), this, [this] {
        if (m_windows.recentlyDeleted)
            m_windows.recentlyDeleted->openRecentlyDeleted();
    });
    // Ctrl+Backspace is taken by the text fields (delete the word before the cursor).
    recentlyDeleted->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backspace));
    recentlyDeleted->setEnabled(m_windows.recentlyDeleted);
    edit->addSeparator();
    QAction* preferences = edit->addAction(tr("&Preferences…"), this, [this] {
        Sound::soundEffect(Sound::General);
        if (m_windows.preferences)
            m_windows.preferences->openPreferences();
    });
    preferences->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    preferences->setMenuRole(QAction::PreferencesRole);
    preferences->setEnabled(m_windows.preferences);
}

void MainMenuBar::addViewMenu()
{
    ViewController* view = m_window.viewController();
    m_viewMenu = m_window.menuBar()->addMenu(tr("&View"));
    m_viewMenu->addAction(tr("&Today"), view, &ViewController::moveToToday)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_viewMenu->addSeparator();
    SidebarPresenter* sidebarRows = &view->lvc()->presenter();
    m_viewMenu->addAction(tr("&Day"), sidebarRows, &SidebarPresenter::selectDayView)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    m_viewMenu->addAction(tr("&Week"), sidebarRows, &SidebarPresenter::selectWeekView)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    m_viewMenu->addAction(tr("&Month"), sidebarRows, &SidebarPresenter::selectMonthView)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    m_viewMenu->addAction(tr("&Search"), sidebarRows, &SidebarPresenter::selectSearch)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_viewMenu->addSeparator();
    m_presetListsMenu = m_viewMenu->addMenu(tr("&Preset Lists"));
    m_smartListsMenu = m_viewMenu->addMenu(tr("Sm&art Lists"));
    m_listsMenu = m_viewMenu->addMenu(tr("&Lists"));
    connect(m_presetListsMenu, &QMenu::aboutToShow, this, &MainMenuBar::setupPresetListsMenu);
    connect(m_smartListsMenu, &QMenu::aboutToShow, this, &MainMenuBar::setupSmartListsMenu);
    connect(m_listsMenu, &QMenu::aboutToShow, this, &MainMenuBar::setupListsMenu);
    m_viewMenu->addSeparator();
    m_showHideCompletedAction =
        m_viewMenu->addAction(QString(), view, &ViewController::showHideCompleted);
    m_showHideCompletedAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
    m_showHideListsAction = m_viewMenu->addAction(QString(), view, &ViewController::showHideLists);
    m_showHideListsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
    m_showHideDetailsAction =
        m_viewMenu->addAction(QString(), view, &ViewController::showHideDetails);
    m_showHideDetailsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_I));
    connect(m_viewMenu, &QMenu::aboutToShow, this, &MainMenuBar::updateViewMenu);
    updateViewMenu();
}

void MainMenuBar::addWindowAndHelpMenus()
{
    ViewController* view = m_window.viewController();
    QMenu* window = m_window.menuBar()->addMenu(tr("&Window"));
    window->addAction(tr("&Minimize"), &m_window, &QWidget::showMinimized)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    window->addAction(tr("&Velmoran"), this, &MainMenuBar::mainWindowRequested)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));

    QMenu* help = m_window.menuBar()->addMenu(tr("&Help"));
    QAction* helpContents = help->addAction(tr("Velmoran &Help"), view, &ViewController::showHelp);
    helpContents->setShortcut(QKeySequence(Qt::Key_F1));
    helpContents->setEnabled(view->hasHelpOpener());
    help->addAction(tr("What's &New"), view, &ViewController::openUpdateIntro)
        ->setEnabled(view->hasHelpOpener());
    help->addSeparator();
    help->addAction(tr("&Rate Velmoran"), this, &MainMenuBar::reviewRequested);
    QAction* about = help->addAction(tr("&About Velmoran"), this, [this] {
        if (m_windows.onboarding)
            m_windows.onboarding->openAbout();
    });
    about->setMenuRole(QAction::AboutRole);
    about->setEnabled(m_windows.onboarding);
}

void MainMenuBar::updateViewMenu()
{
    ViewController* view = m_window.viewController();
    m_showHideCompletedAction->setText(m_defaults.boolForKey(PrefKey::showCompleted)
                                           ? tr("Hide &Completed")
                                           : tr("Show &Completed"));
    m_showHideListsAction->setText(view->isListsShown() ? tr("Hide L&ists") : tr("Show L&ists"));
    m_showHideDetailsAction->setText(view->isDetailsShown() ? tr("Hide D&etails")
                                                            : tr("Show D&etails"));
}

void MainMenuBar::rebuildListMenus()
{
    setupPresetListsMenu();
    setupSmartListsMenu();
    setupListsMenu();
}

void MainMenuBar::setupPresetListsMenu()
{
    ViewController* view = m_window.viewController();
    ListMenus::setupPresetListsMenu(
        m_presetListsMenu, view->lvc()->presenter().layout().presetListsArray(),
        [view](int position) { view->lvc()->presenter().selectPresetList(position); });
}

void MainMenuBar::setupSmartListsMenu()
{
    ViewController* view = m_window.viewController();
    ListMenus::setupSmartListsMenu(
        m_smartListsMenu, view->lvc()->presenter().layout().tagListsArray(),
        [view](int position) { view->lvc()->presenter().selectSmartList(position); });
}

void MainMenuBar::setupListsMenu()
{
    ViewController* view = m_window.viewController();
    ListMenus::setupListsMenu(
        m_listsMenu, view->lvc()->presenter().layout().defaultListsArray(),
        [view](int position) { view->lvc()->presenter().selectList(position); });
}

void MainMenuBar::addSubtaskItems(QMenu* edit)
{
    ViewController* view = m_window.viewController();
    MidViewController* list = view->mvc();
    edit->addSeparator();
    using Kind = QuickActionMenuEntry::Kind;
    const auto item = [edit, list](const QString& text, Kind command,
                                   const QList<QKeySequence>& keys) {
        QAction* action =
            edit->addAction(text, list, [list, command] { list->runOnSelected(command); });
        action->setShortcuts(keys);
        return action;
    };
    QAction* addSubtask = item(tr("Add Su&btask"), Kind::AddSubtask, {SubtaskKeys::addSubtask()});
    item(tr("&Indent"), Kind::Indent, SubtaskKeys::indent());
    item(tr("&Outdent"), Kind::Outdent, SubtaskKeys::outdent());
    edit->addSeparator();
    // On whether or not a task is selected: their keys work from anywhere in the window, a
    // text field of the details included, and with no task selected they do nothing.
    addSubtask->setEnabled(view->hasQuickAddOpener());
    connect(view, &ViewController::quickAddAvailabilityChanged, addSubtask, &QAction::setEnabled);
}
