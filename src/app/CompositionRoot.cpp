#include "app/CompositionRoot.h"

#include "data/SharedDates.h"
#include "data/SidebarCounts.h"
#include "data/TaskOperations.h"
#include "hotkeys/PTHotKeyCenter.h"
#include "platform/Clock.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "platform/UserNotificationCenter.h"
#include "platform/store/EventStore.h"
#include "platform/store/StoreFolders.h"
#include "prefs/ModeManager.h"

CompositionRoot::CompositionRoot()
    : m_defaults(UserDefaults::standardUserDefaults())
    , m_clock(Clock::system())
    , m_modes(ModeManager::sharedManager())
    , m_manager(m_defaults, m_clock,
                [this] {
                    return std::make_unique<store::EventStore>(
                        StoreFolders::configuredRoots(m_defaults));
                })
    , m_textContext(&m_manager.dates(), nullptr)
    , m_launcher(QDBusConnection::sessionBus(), QStringLiteral("velmoran.desktop"))
    , m_notificationCenter(UserNotificationCenter::defaultUserNotificationCenter())
    , m_notifications(m_manager, m_notificationCenter, m_defaults, m_clock)
    , m_hotKeys(PTHotKeyCenter::sharedCenter())
    , m_detailServices(m_defaults)
    , m_delegate(m_manager, m_modes, m_defaults, &m_hotKeys, m_detailServices.services())
    , m_requests(m_manager, &m_target)
    , m_entryWindows(m_manager, m_modes, m_delegate)
    , m_preferenceWindows(m_manager, m_modes, m_defaults, m_notificationCenter, m_delegate)
    , m_introWindows(m_manager, m_modes, m_defaults, m_delegate)
    , m_deletedWindows(m_manager, m_modes, m_delegate)
    , m_exchangeWindows(m_manager, m_delegate)
    , m_accountSync(m_manager, m_defaults, m_clock, m_delegate)
    , m_commands(m_delegate, m_entryWindows)
    , m_deletedUpkeep(m_manager)
{
    QObject::connect(&m_manager.counts(), &SidebarCounts::badgeLabelChanged, &m_launcher,
                     &LauncherEntry::setLabel);
    QObject::connect(&m_manager.tasks(), &TaskOperations::addingTask, &m_manager,
                     [] { Sound::soundEffect(Sound::AddDone); });
    QObject::connect(&m_manager.tasks(), &TaskOperations::deletingTask, &m_manager,
                     [] { Sound::soundEffect(Sound::Delete); });
    // The scheduler is the notification centre's delegate and is rebuilt after every refresh
    // of the window.
    m_delegate.setNotificationScheduler(&m_notifications);
    ShellWindows windows;
    windows.onboarding = &m_introWindows;
    windows.preferences = &m_preferenceWindows;
    windows.recentlyDeleted = &m_deletedWindows;
    windows.quickAdd = &m_entryWindows;
    windows.tray = &m_entryWindows;
    windows.sync = &m_accountSync;
    windows.exchange = &m_exchangeWindows;
    m_delegate.setWindows(windows);
    m_accountSync.install(m_entryWindows.statusItem());
    m_entryWindows.setSyncScheduler(&m_accountSync.scheduler());
    m_preferenceWindows.setAccountSync(&m_accountSync);
}

CompositionRoot::~CompositionRoot()
{
    m_notificationCenter.setDelegate(nullptr);
}

void CompositionRoot::start(std::optional<ApplicationInterface::Command> command, bool inBackground)
{
    const bool commandInBackground = command && ShortcutCommands::startsInBackground(*command);
    m_delegate.setStartInBackground(inBackground || commandInBackground);
    m_delegate.applicationDidFinishLaunching();
    if (commandInBackground)
        m_commands.run(*command);
    m_accountSync.start();
    m_deletedUpkeep.start();
    m_notificationCenter.setDelegate(&m_notifications);
    m_target.setWindow(m_delegate.windowController(), &m_manager);
    // Requests may arrive as soon as the bus name is ours; they wait for the store to load,
    // and run after the window's own reload (connected as it opened).
    QObject::connect(&m_manager, &DataManager::remindersRefreshed, &m_requests,
                     &IncomingRequests::setReady);
    QObject::connect(&m_notifications, &NotificationScheduler::selectReminderFromNotifications,
                     &m_requests,
                     [this](const store::ReminderPtr& reminder) { m_target.openObject(reminder); });
}

void CompositionRoot::stop()
{
    m_delegate.applicationWillTerminate();
    m_accountSync.stop();
}
