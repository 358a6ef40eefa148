#include "app/AccountSync.h"
#include "app/AppDelegate.h"
#include "app/ApplicationInterface.h"
#include "app/CrashReporter.h"
#include "app/EntryWindows.h"
#include "app/IncomingRequests.h"
#include "app/IntroWindows.h"
#include "app/LaunchOptions.h"
#include "app/PreferenceWindows.h"
#include "app/RecentlyDeletedUpkeep.h"
#include "app/RecentlyDeletedWindows.h"
#include "app/SelectionReader.h"
#include "app/ShortcutCommands.h"
#include "app/SingleInstance.h"
#include "app/WindowTaskTarget.h"
#include "data/DataManager.h"
#include "data/NotificationScheduler.h"
#include "data/SidebarCounts.h"
#include "hotkeys/PTHotKeyCenter.h"
#include "platform/ActivationToken.h"
#include "platform/LauncherEntry.h"
#include "platform/UserDefaults.h"
#include "platform/UserNotificationCenter.h"
#include "platform/store/EventStore.h"
#include "prefs/ModeManager.h"
#include "ui/common/ContrastStyle.h"
#include "ui/main/MidViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/tasklist/TaskListModel.h"

#include <QApplication>
#include <QClipboard>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Before anything else, so that a crash during start-up is reported too.
    CrashReporter::install(VELMORAN_VERSION);
    // Read before the application object exists: Qt's X11 plug-in takes the startup identifier
    // out of the environment as it starts.
    const QVariantMap launcherTokens = ActivationToken::fromEnvironment();

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!LaunchOptions::hasDisplay(arguments)) {
        // QApplication aborts without a display; --help and --version need none, and any
        // other start is told why it cannot go on instead of leaving a crash report.
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("velmoran"));
        QCoreApplication::setApplicationVersion(QStringLiteral(VELMORAN_VERSION));
        LaunchOptions::parse(QCoreApplication::arguments());
        std::fprintf(stderr, "velmoran: %s\n",
                     qUtf8Printable(QCoreApplication::translate(
                         "velmoran", "no graphical display (neither DISPLAY nor WAYLAND_DISPLAY "
                                     "is set); start it from a desktop session")));
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmoran"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmoran"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORAN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("velmoran"));
    ContrastStyle::install();

    const LaunchOptions options = LaunchOptions::parse(QApplication::arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "velmoran: %s\n", qUtf8Printable(options.error));
        return 2;
    }
    if (const QString problem = store::EventStore::storeVariableProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "velmoran: %s\n", qUtf8Printable(problem));
        return 2;
    }
    std::optional<QString> selection;
    if (options.newTaskFromSelection) {
        selection = readSelectedText(QGuiApplication::clipboard());
        if (!selection)
            std::fprintf(stderr, "velmoran: %s\n",
                         qUtf8Printable(QApplication::translate(
                             "velmoran", "nothing is selected or copied; no task was added")));
    }

    // A second launch hands its work to the first and leaves.
    ApplicationInterface service;
    SingleInstance instance;
    if (instance.claim(&service) == SingleInstance::Role::Secondary) {
        if (options.newTaskFromSelection && !selection)
            return 1;
        // A login start finding the program running already has nothing to show.
        if (options.background && options.urls.isEmpty() && !selection)
            return 0;
        return instance.handOver(options, selection, launcherTokens);
    }
    // A later launch's token, for the window its request raises.
    QObject::connect(&service, &ApplicationInterface::tokenReceived, &service,
                     [](const QString& token) { ActivationToken::offer(token); });

    // Requests may arrive as soon as the name is ours; they wait for the store to load.
    DataManager& manager = DataManager::sharedManager();
    // The badge goes where Linux docks and task bars show application counts.
    LauncherEntry launcher(QDBusConnection::sessionBus(), QStringLiteral("velmoran.desktop"));
    QObject::connect(&manager.counts(), &SidebarCounts::badgeLabelChanged, &launcher,
                     &LauncherEntry::setLabel);
    WindowTaskTarget target;
    IncomingRequests requests(manager, &target);
    QObject::connect(&service, &ApplicationInterface::urlReceived, &requests,
                     &IncomingRequests::openUrl);
    QObject::connect(&service, &ApplicationInterface::textReceived, &requests,
                     &IncomingRequests::newTaskFromText);
    for (const QString& url : options.urls)
        requests.openUrl(url);
    if (selection)
        requests.newTaskFromText(*selection);

    // The delegate writes the defaults and opens the main window; the notification scheduler
    // is the notification centre's delegate and is rebuilt after every refresh of the window.
    UserNotificationCenter& notificationCenter =
        UserNotificationCenter::defaultUserNotificationCenter();
    NotificationScheduler notifications(manager, notificationCenter,
                                        UserDefaults::standardUserDefaults(), Clock::system());
    AppDelegate delegate(manager, ModeManager::sharedManager(),
                         UserDefaults::standardUserDefaults(), &PTHotKeyCenter::sharedCenter());
    delegate.setNotificationScheduler(&notifications);
    delegate.setStartInBackground(
        options.background ||
        (options.command && ShortcutCommands::startsInBackground(*options.command)));
    // The quick-add window and the tray panel.
    EntryWindows entryWindows(manager, ModeManager::sharedManager(),
                              UserDefaults::standardUserDefaults(), delegate);
    PreferenceWindows preferenceWindows(manager, ModeManager::sharedManager(),
                                        UserDefaults::standardUserDefaults(), notificationCenter,
                                        delegate);
    AppDelegate::Windows windows;
    entryWindows.install(windows);
    preferenceWindows.install(windows);
    // The onboarding, help and about windows.
    IntroWindows introWindows(manager, ModeManager::sharedManager(),
                              UserDefaults::standardUserDefaults(), delegate);
    introWindows.install(windows);
    RecentlyDeletedWindows deletedWindows(manager, ModeManager::sharedManager(), delegate);
    deletedWindows.install(windows);
    // The CalDAV accounts, synced through vdirsyncer.
    AccountSync accountSync(manager, UserDefaults::standardUserDefaults(), Clock::system(),
                            delegate);
    accountSync.install(windows, entryWindows.statusItem());
    entryWindows.setSyncScheduler(&accountSync.scheduler());
    preferenceWindows.setAccountSync(&accountSync);
    delegate.setWindows(std::move(windows));
    delegate.applicationDidFinishLaunching();
    ShortcutCommands commands(delegate, entryWindows);
    if (options.command && ShortcutCommands::startsInBackground(*options.command))
        commands.run(*options.command);
    accountSync.start();
    // What Recently Deleted keeps past its limits goes now and then once a day.
    RecentlyDeletedUpkeep deletedUpkeep(manager);
    deletedUpkeep.start();
    notificationCenter.setDelegate(&notifications);

    target.setWindow(delegate.windowController(), &manager);
    QObject::connect(&manager, &DataManager::remindersRefreshed, &requests,
                     &IncomingRequests::setReady);
    QObject::connect(
        &notifications, &NotificationScheduler::selectReminderFromNotifications, &requests,
        [&target](const store::ReminderPtr& reminder) { target.openObject(reminder); });
    QObject::connect(&service, &ApplicationInterface::activationRequested, &delegate,
                     &AppDelegate::applicationShouldHandleReopen);
    QObject::connect(&service, &ApplicationInterface::commandRequested, &delegate,
                     [&commands](ApplicationInterface::Command command) { commands.run(command); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &delegate,
                     &AppDelegate::applicationWillTerminate);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &accountSync, &AccountSync::stop);

    // For the start-up benchmark: a line on standard error once the task list is first filled
    // (this runs after the window's own reload, connected earlier).
    if (qEnvironmentVariableIsSet("VELMORAN_REPORT_FILLED")) {
        auto* firstFill = new QObject(&app);
        QObject::connect(
            &manager, &DataManager::remindersRefreshed, firstFill, [&delegate, firstFill] {
                const WindowController* window = delegate.windowController();
                const int rows = window ? window->viewController()->mvc()->model()->rowCount() : 0;
                std::fprintf(stderr, "velmoran: task list filled, %d rows\n", rows);
                std::fflush(stderr);
                firstFill->deleteLater();
            });
    }

    return app.exec();
}
