#include "app/PreferenceWindows.h"

#include "app/AccountSync.h"
#include "app/MainMenuBar.h"
#include "hotkeys/PTHotKeyCenter.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/WindowPlacement.h"
#include "ui/main/WindowController.h"
#include "ui/prefs/PreferenceObject.h"
#include "ui/prefs/PreferenceWindowController.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>

namespace {

QMessageBox* newAlert(QWidget* parent, const PreferenceRelays::Alert& alert)
{
    auto* box = new QMessageBox(QMessageBox::Warning, alert.message, alert.message,
                                QMessageBox::NoButton, parent);
    box->setInformativeText(alert.informativeText);
    box->setWindowModality(Qt::WindowModal);
    return box;
}

} // namespace

PreferenceWindows::PreferenceWindows(DataManager& manager, ModeManager& modeManager,
                                     UserDefaults& defaults,
                                     UserNotificationCenter& notificationCenter,
                                     AppDelegate& delegate, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_defaults(defaults)
    , m_notificationCenter(notificationCenter)
    , m_delegate(delegate)
    , m_watcher(defaults)
{}

PreferenceWindows::~PreferenceWindows()
{
    // Quitting with the window open is leaving it there too.
    if (m_window && m_window->isVisible())
        saveFrame();
    // The window hands its page back to the object before either goes.
    m_window.reset();
    m_object.reset();
}

bool PreferenceWindows::openPreferences()
{
    if (!m_window) {
        AppDelegate& app = m_delegate;
        ApplicationShell& shell = app;
        PreferenceRelays relays;
        relays.showHideMenuBar = [&app] { app.tray().followPreference(); };
        relays.scheduleNotifications = [&shell] { shell.scheduleNotifications(); };
        GlobalShortcuts& shortcuts = app.shortcuts();
        relays.registerHotKey = [&shortcuts] { return shortcuts.registerWindowShortcut(); };
        relays.registerHotKey2 = [&shortcuts] { return shortcuts.registerPanelShortcut(); };
        if (const PTHotKeyCenter* center = shortcuts.center()) {
            relays.desktopShortcuts = center->portalSession();
            relays.desktopShortcutId = QString::fromLatin1(GlobalShortcuts::kWindowIdentifier);
            relays.desktopShortcutId2 = QString::fromLatin1(GlobalShortcuts::kPanelIdentifier);
        }
        relays.panelRefreshOnListChange = [&app] { app.tray().refreshContent(); };
        relays.refreshLeftList = [&shell] { shell.refreshLeftList(); };
        relays.setupListsMenu = [&app] {
            if (app.menuBar())
                app.menuBar()->rebuildListMenus();
        };
        relays.inform = [](QWidget* parent, const PreferenceRelays::Alert& alert) {
            std::unique_ptr<QMessageBox> box(newAlert(parent, alert));
            box->addButton(QMessageBox::Ok);
            box->exec();
        };
        relays.confirm = [](QWidget* parent, const PreferenceRelays::Alert& alert) {
            std::unique_ptr<QMessageBox> box(newAlert(parent, alert));
            box->addButton(QMessageBox::Cancel);
            QPushButton* act = box->addButton(alert.actionTitle, QMessageBox::DestructiveRole);
            box->setDefaultButton(QMessageBox::Cancel);
            box->exec();
            return box->clickedButton() == act;
        };
        if (m_accountSync) {
            relays.accounts = &m_accountSync->setup();
            relays.accountSync = &m_accountSync->scheduler();
        }
        relays.desktopSession = [] {
            return DesktopSession::probe(QSystemTrayIcon::isSystemTrayAvailable());
        };
        relays.chooseFolder = [](QWidget* parent, const QString& title) {
            return QFileDialog::getExistingDirectory(parent, title);
        };
        m_object = std::make_unique<PreferenceObject>(m_manager, m_modeManager, m_defaults,
                                                      m_notificationCenter, std::move(relays));
        m_window = std::make_unique<PreferenceWindowController>(m_object.get());
        const auto look = [this] {
            m_window->setPalette(m_object->palette());
            m_window->reloadItemImages();
        };
        connect(m_object.get(), &PreferenceObject::appearanceChanged, m_window.get(), look);
        look();
        connect(m_window.get(), &PreferenceWindowController::closing, this,
                &PreferenceWindows::saveFrame);
        // Once per run: after that the window stays where it was while hidden.
        WindowPlacement::place(m_window.get(),
                               WindowPlacement::pointFromString(
                                   m_defaults.stringForKey(PrefKey::preferencesFrameString)),
                               m_delegate.windowController());
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return true;
}

void PreferenceWindows::saveFrame()
{
    if (!m_window)
        return;
    m_defaults.setString(WindowPlacement::stringFromPoint(m_window->pos()),
                         PrefKey::preferencesFrameString);
    m_defaults.synchronize();
}
