#include "app/ApplicationInterface.h"
#include "app/CrashReporter.h"
#include "app/IncomingRequests.h"
#include "app/LaunchOptions.h"
#include "app/SelectionReader.h"
#include "app/SingleInstance.h"
#include "app/WindowTaskTarget.h"
#include "data/DataManager.h"
#include "data/NotificationScheduler.h"
#include "platform/UserDefaults.h"
#include "platform/UserNotificationCenter.h"
#include "prefs/DefaultPreferences.h"

#include <QApplication>
#include <QClipboard>
#include <QMainWindow>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Before anything else, so that a crash during start-up is reported too.
    CrashReporter::install(VELMORAN_VERSION);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmoran"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmoran"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORAN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("velmoran"));

    const LaunchOptions options = LaunchOptions::parse(QApplication::arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "velmoran: %s\n", qUtf8Printable(options.error));
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
        return instance.handOver(options.urls, selection);
    }

    // Requests may arrive as soon as the name is ours; they wait for the store to load.
    DataManager& manager = DataManager::sharedManager();
    WindowTaskTarget target;
    IncomingRequests requests(manager, &target);
    QObject::connect(&service, &ApplicationInterface::urlReceived, &requests,
                     &IncomingRequests::openUrl);
    QObject::connect(&service, &ApplicationInterface::textReceived, &requests,
                     &IncomingRequests::newTaskFromText);
    QObject::connect(&service, &ApplicationInterface::activationRequested, &requests,
                     [&target] { target.bringMainWindowToFront(); });
    for (const QString& url : options.urls)
        requests.openUrl(url);
    if (selection)
        requests.newTaskFromText(*selection);

    // Before any window: every window reads its settings when it opens. The data manager
    // knows the store's lists, which the routine needs to work out the hidden ones.
    setupDefaultPreferences(UserDefaults::standardUserDefaults(), &manager);

    QMainWindow window;
    window.resize(1000, 640);
    target.setWindow(&window);

    QObject::connect(&manager, &DataManager::remindersRefreshed, &requests,
                     &IncomingRequests::setReady);

    // The application's own alarm notifications, rebuilt after every refresh; a click shows
    // the task (for now the window comes to the front; the task list selects it later).
    UserNotificationCenter& notificationCenter =
        UserNotificationCenter::defaultUserNotificationCenter();
    NotificationScheduler notifications(manager, notificationCenter,
                                        UserDefaults::standardUserDefaults(), Clock::system());
    notificationCenter.setDelegate(&notifications);
    QObject::connect(&manager, &DataManager::remindersRefreshed, &notifications,
                     &NotificationScheduler::scheduleNotifications);
    QObject::connect(
        &notifications, &NotificationScheduler::selectReminderFromNotifications, &requests,
        [&target](const store::ReminderPtr& reminder) { target.openObject(reminder); });
    manager.initStore();

    window.show();
    return app.exec();
}
