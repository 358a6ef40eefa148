#include "app/EntryWindows.h"

#include "data/DataManager.h"
#include "data/SidebarCounts.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "platform/sync/SyncScheduler.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/WindowFrameKeeper.h"
#include "ui/entry/AddViewController.h"
#include "ui/entry/QuickAddForm.h"
#include "ui/main/WindowController.h"
#include "ui/panel/PanelViewController.h"
#include "ui/panel/PanelWindowController.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>

EntryWindows::EntryWindows(DataManager& manager, ModeManager& modeManager, AppDelegate& delegate,
                           QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_delegate(delegate)
{
    m_statusItem.togglePanel = [this] { m_delegate.tray().togglePanel(); };
    m_statusItem.openMainWindow = [this] { m_delegate.applicationShouldHandleReopen(); };
    m_statusItem.quit = [this] {
        m_delegate.applicationWillTerminate();
        QApplication::quit();
    };
    m_statusItem.setBadge(manager.counts().badgeLabel());
    connect(&manager.counts(), &SidebarCounts::badgeLabelChanged, this,
            [this](const QString& badge) { m_statusItem.setBadge(badge); });
    connect(&modeManager, &ModeManager::redrawWindowsRequested, this, [this] {
        if (m_quickAdd)
            m_quickAdd->resetAppearance();
    });
}

EntryWindows::~EntryWindows()
{
    delete m_quickAdd.data();
    delete m_panel.data();
}

void EntryWindows::togglePanel()
{
    panelWindow()->turnOnOffFromMenuBar();
}

void EntryWindows::toggleByHotKey()
{
    panelWindow()->turnOnOffByHotKey();
}

void EntryWindows::closePanel()
{
    if (m_panel)
        m_panel->turnOffFromMenuBar();
}

void EntryWindows::refreshContent()
{
    if (m_panel)
        m_panel->panel()->refreshByModeChange();
}

void EntryWindows::refreshOnMinuteChange()
{
    if (m_panel)
        m_panel->panel()->refreshOnMinuteChange();
}

AddViewController* EntryWindows::quickAddWindow() const
{
    return m_quickAdd;
}

PanelWindowController* EntryWindows::panelWindow()
{
    if (!m_panel) {
        m_panel = new PanelWindowController(m_manager, m_modeManager);
        m_panel->statusIconGeometry = [this] { return m_statusItem.geometry(); };
        PanelViewController* panel = m_panel->panel();
        panel->selectReminder = [this](const store::ReminderPtr& reminder) {
            static_cast<ApplicationShell&>(m_delegate).selectReminder(reminder);
        };
        panel->checkNightMode = [this] { m_delegate.checkNightMode(); };
        panel->setSyncScheduler(m_syncScheduler);
    }
    return m_panel;
}

void EntryWindows::setSyncScheduler(SyncScheduler* scheduler)
{
    m_syncScheduler = scheduler;
    if (m_panel)
        m_panel->panel()->setSyncScheduler(scheduler);
}

void EntryWindows::createStatusItem()
{
    m_statusItem.create();
}

void EntryWindows::removeStatusItem()
{
    m_statusItem.removeView();
    if (m_panel)
        m_panel->turnOffFromMenuBar();
}

void EntryWindows::openQuickAdd(const QDateTime& date, const QString& listIdentifier)
{
    if (m_quickAdd && m_quickAdd->isVisible()) {
        m_quickAdd->raise();
        m_quickAdd->activateWindow();
        return;
    }
    makeQuickAdd();
    if (date.isValid())
        m_quickAdd->form()->setupDueDate(date);
    m_quickAdd->changeToList(listIdentifier);
    showQuickAdd();
}

void EntryWindows::openQuickAddForSubtask(const QString& parentIdentifier)
{
    const store::ReminderPtr parent = m_manager.tasks().reminderWithIdentifier(parentIdentifier);
    if (!parent)
        return;
    // A form already open is bound to the task asked for now, keeping what is typed in it.
    const bool open = m_quickAdd && m_quickAdd->isVisible();
    if (!open)
        makeQuickAdd();
    m_quickAdd->form()->session().setParentTask(parent);
    if (open) {
        m_quickAdd->raise();
        m_quickAdd->activateWindow();
        return;
    }
    showQuickAdd();
}

void EntryWindows::makeQuickAdd()
{
    // The window of an earlier task goes; each new task starts with a fresh form.
    delete m_quickAdd.data();
    m_quickAdd = new AddViewController(m_manager, m_modeManager);
    connect(m_quickAdd, &AddViewController::taskAdded, this,
            [this](const store::ReminderPtr& reminder) {
                static_cast<ApplicationShell&>(m_delegate).selectReminder(reminder);
            });
    connect(m_quickAdd, &AddViewController::closing, this, &EntryWindows::returnFocusToOpener);
}

// The keyboard goes back where it came from, as to a dialog's parent. The window has no parent,
// since it also opens from the tray and a global shortcut, and a window manager may then give
// the focus to no window at all: Ctrl+N, Escape and the next key typed would be lost.
void EntryWindows::returnFocusToOpener()
{
    QWidget* opener = m_quickAddOpener.data();
    m_quickAddOpener.clear();
    if (opener && opener->isVisible() && !opener->isMinimized() &&
        QApplication::activeWindow() == m_quickAdd)
        opener->activateWindow();
}

void EntryWindows::showQuickAdd()
{
    // Where the user left it, else over the middle of the main window or of the pointer's
    // screen.
    m_quickAdd->adjustSize();
    const WindowController* main = m_delegate.windowController();
    if (!WindowFrameKeeper::keep(m_quickAdd, m_manager.defaults(), PrefKey::quickAddFrameString,
                                 main)) {
        QRect area;
        if (main && main->isVisible())
            area = main->frameGeometry();
        else if (const QScreen* screen = QApplication::screenAt(QCursor::pos()))
            area = screen->availableGeometry();
        if (area.isValid()) {
            QRect frame(QPoint(0, 0), m_quickAdd->size());
            frame.moveCenter(area.center());
            frame.moveTop(area.top() + area.height() / 4);
            m_quickAdd->move(frame.topLeft());
        }
    }
    QWidget* opener = QApplication::activeWindow();
    m_quickAddOpener = opener != m_quickAdd ? opener : nullptr;
    m_quickAdd->show();
    m_quickAdd->raise();
    m_quickAdd->activateWindow();
    m_quickAdd->form()->focusTitleField();
}
