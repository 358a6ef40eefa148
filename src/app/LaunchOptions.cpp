#include "app/LaunchOptions.h"

#include "app/ApplicationInterface.h"

#include <QCommandLineParser>
#include <QCoreApplication>

LaunchOptions LaunchOptions::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("velmoran", "A task manager for the desktop."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption fromSelection(
        QStringLiteral("new-task-from-selection"),
        QCoreApplication::translate("velmoran", "Add the selected (else the copied) text as a "
                                                "task."));
    parser.addOption(fromSelection);
    const QCommandLineOption background(
        QStringLiteral("background"),
        QCoreApplication::translate("velmoran", "Start without opening the window (at login)."));
    parser.addOption(background);
    const QList<QPair<ApplicationInterface::Command, QString>> commands{
        {ApplicationInterface::Command::ToggleWindow,
         QCoreApplication::translate("velmoran", "Bring the window to the front, or close it when "
                                                 "it is in front (the first shortcut).")},
        {ApplicationInterface::Command::ShowPanel,
         QCoreApplication::translate("velmoran", "Open the tray panel, or close it when it is "
                                                 "open (the second shortcut).")},
        {ApplicationInterface::Command::NewTask,
         QCoreApplication::translate("velmoran", "Open the window for a new task.")},
    };
    QList<QCommandLineOption> commandOptions;
    for (const auto& [command, description] : commands) {
        commandOptions << QCommandLineOption(ApplicationInterface::commandName(command),
                                             description);
        parser.addOption(commandOptions.last());
    }
    parser.addPositionalArgument(QStringLiteral("url"),
                                 QCoreApplication::translate("velmoran", "velmoran: URLs to open."),
                                 QStringLiteral("[url...]"));
    parser.process(arguments);

    LaunchOptions options;
    options.newTaskFromSelection = parser.isSet(fromSelection);
    options.background = parser.isSet(background);
    // The commands act on the running instance (starting it when needed) and go one at a time;
    // mixed with a URL or another request it would be unclear which one is meant.
    QStringList given;
    for (qsizetype i = 0; i < commandOptions.size(); ++i) {
        if (parser.isSet(commandOptions[i])) {
            given << QStringLiteral("--") + commandOptions[i].names().constFirst();
            options.command = commands[i].first;
        }
    }
    if (!given.isEmpty()) {
        if (parser.isSet(fromSelection))
            given << QStringLiteral("--") + fromSelection.names().constFirst();
        if (options.background)
            given << QStringLiteral("--") + background.names().constFirst();
        if (!parser.positionalArguments().isEmpty())
            given << QCoreApplication::translate("velmoran", "a URL");
        if (given.size() > 1) {
            options.error = QCoreApplication::translate("velmoran", "%1 cannot be combined with "
                                                                    "%2; give one of them.")
                                .arg(given.constFirst(), given.mid(1).join(QStringLiteral(", ")));
            return options;
        }
    }
    for (const QString& url : parser.positionalArguments()) {
        const QString reason = ApplicationInterface::refusalForUrl(url);
        if (!reason.isEmpty()) {
            options.error = reason;
            return options;
        }
        options.urls << url;
    }
    return options;
}

bool LaunchOptions::hasDisplay(const QStringList& arguments)
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(variable))
            return true;
    }
    return arguments.contains(QStringLiteral("-platform")) ||
           arguments.contains(QStringLiteral("--platform"));
}
