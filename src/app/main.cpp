#include "app/ApplicationInterface.h"
#include "app/CompositionRoot.h"
#include "app/CrashReporter.h"
#include "app/LaunchOptions.h"
#include "app/SelectionReader.h"
#include "app/SingleInstance.h"
#include "platform/ActivationToken.h"
#include "platform/SystemZoneName.h"
#include "platform/UserDefaults.h"
#include "platform/i18n/InterfaceLanguage.h"
#include "platform/store/EventStore.h"
#include "platform/store/StoreFolders.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/AccessibleRoles.h"
#include "ui/common/ContrastStyle.h"
#include "ui/common/Motion.h"
#include "ui/common/TimeFieldTabbing.h"
#include "ui/main/MidViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/tasklist/TaskListModel.h"

#include <QApplication>
#include <QClipboard>

#include <cstdio>

#include <malloc.h>

namespace {

void installLanguage(QCoreApplication& application)
{
    InterfaceLanguage::install(
        application, UserDefaults::standardUserDefaults().boolForKey(PrefKey::useEnglishInterface));
}

} // namespace

int main(int argc, char* argv[])
{
    // Before anything else, so that a crash during start-up is reported too.
    CrashReporter::install(VELMORAN_VERSION);
    // The records of a large store are built on the thread pool and kept for as long as the
    // window runs. With an arena of its own for every thread, the free room the loading leaves
    // in each cannot serve the others, and a window over a hundred thousand tasks kept 4 MB
    // more; two arenas still let the pool allocate beside the main thread. Before any thread
    // starts, as glibc requires.
    mallopt(M_ARENA_MAX, 2);
    // glibc raises the threshold for giving freed room back each time a large block is freed,
    // so the room a load frees on a pool thread stayed with that arena while the first view
    // grew the main one: about 6 MB more at the peak over a hundred thousand tasks. A set
    // threshold keeps it at its default.
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
    SystemZoneName::nameInEnvironment();
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
        installLanguage(core);
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
    Motion::followDesktop();
    // Before the first widget: Qt makes a widget's accessible interface as it is named.
    AccessibleRoles::install();
    TimeFieldTabbing::install();
    installLanguage(app);

    const LaunchOptions options = LaunchOptions::parse(QApplication::arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "velmoran: %s\n", qUtf8Printable(options.error));
        return 2;
    }
    if (const QString problem = StoreFolders::storeVariableProblem(); !problem.isEmpty()) {
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

    CompositionRoot root;
    IncomingRequests& requests = root.requests();
    QObject::connect(&service, &ApplicationInterface::urlReceived, &requests,
                     &IncomingRequests::openUrl);
    QObject::connect(&service, &ApplicationInterface::textReceived, &requests,
                     &IncomingRequests::newTaskFromText);
    for (const QString& url : options.urls)
        requests.openUrl(url);
    if (selection)
        requests.newTaskFromText(*selection);

    root.start(options.command, options.background);
    AppDelegate& delegate = root.delegate();
    QObject::connect(&service, &ApplicationInterface::activationRequested, &delegate,
                     &AppDelegate::applicationShouldHandleReopen);
    QObject::connect(
        &service, &ApplicationInterface::commandRequested, &delegate,
        [&root](ApplicationInterface::Command command) { root.commands().run(command); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &delegate, [&root] { root.stop(); });

    // For the start-up benchmark: a line on standard error once the task list is first filled
    // (this runs after the window's own reload, connected earlier).
    if (qEnvironmentVariableIsSet("VELMORAN_REPORT_FILLED")) {
        auto* firstFill = new QObject(&app);
        QObject::connect(
            &root.manager(), &DataManager::remindersRefreshed, firstFill, [&delegate, firstFill] {
                const WindowController* window = delegate.windowController();
                const int rows = window ? window->viewController()->mvc()->model()->rowCount() : 0;
                std::fprintf(stderr, "velmoran: task list filled, %d rows\n", rows);
                std::fflush(stderr);
                firstFill->deleteLater();
            });
    }

    return app.exec();
}
