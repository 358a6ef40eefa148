#pragma once

#include "app/AccountSync.h"
#include "app/AppDelegate.h"
#include "app/EntryWindows.h"
#include "app/ExchangeWindows.h"
#include "app/IncomingRequests.h"
#include "app/IntroWindows.h"
#include "app/PreferenceWindows.h"
#include "app/RecentlyDeletedUpkeep.h"
#include "app/RecentlyDeletedWindows.h"
#include "app/ShortcutCommands.h"
#include "app/WindowTaskTarget.h"
#include "data/DataManager.h"
#include "data/NotificationScheduler.h"
#include "platform/LauncherEntry.h"
#include "presentation/detail/DetailServices.h"
#include "text/Global.h"

class Clock;
class ModeManager;
class PTHotKeyCenter;
class UserDefaults;
class UserNotificationCenter;

// The one place the running program's parts are made and wired: the store session (the data
// manager over the configured folders), the launcher badge, the notification centre and its
// scheduler, the global shortcuts' centre and the accounts' syncing, then the windows that use
// them and the application delegate that opens them. main makes one once this process is the
// only instance; the members go in the reverse order of their making.
class CompositionRoot
{
public:
    CompositionRoot();
    ~CompositionRoot();
    CompositionRoot(const CompositionRoot&) = delete;
    CompositionRoot& operator=(const CompositionRoot&) = delete;

    DataManager& manager() { return m_manager; }
    AppDelegate& delegate() { return m_delegate; }
    IncomingRequests& requests() { return m_requests; }
    ShortcutCommands& commands() { return m_commands; }

    // Opens the first window (none at a login start or for a command that works without it),
    // runs the command of the launch and starts what runs in the background.
    void start(std::optional<ApplicationInterface::Command> command, bool inBackground);
    // On quit, before the event loop ends: the sync stops cleanly.
    void stop();

private:
    // Services.
    UserDefaults& m_defaults;
    Clock& m_clock;
    ModeManager& m_modes;
    DataManager m_manager;
    // The application's texts measure against its own dates for the whole run.
    Global::Context m_textContext;
    // The badge goes where Linux docks and task bars show application counts.
    LauncherEntry m_launcher;
    UserNotificationCenter& m_notificationCenter;
    NotificationScheduler m_notifications;
    PTHotKeyCenter& m_hotKeys;
    // The map search, the map tiles and the address book, which the main window's details
    // reach through the delegate.
    PreferredDetailServices m_detailServices;

    // The shell and its windows.
    AppDelegate m_delegate;
    WindowTaskTarget m_target;
    IncomingRequests m_requests;
    EntryWindows m_entryWindows;
    PreferenceWindows m_preferenceWindows;
    IntroWindows m_introWindows;
    RecentlyDeletedWindows m_deletedWindows;
    ExchangeWindows m_exchangeWindows;
    // The CalDAV accounts, synced through vdirsyncer.
    AccountSync m_accountSync;
    ShortcutCommands m_commands;
    // What Recently Deleted keeps past its limits goes now and then once a day.
    RecentlyDeletedUpkeep m_deletedUpkeep;
};
