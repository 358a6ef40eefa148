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
    parser.addPositionalArgument(QStringLiteral("url"),
                                 QCoreApplication::translate("velmoran", "velmoran: URLs to open."),
                                 QStringLiteral("[url...]"));
    parser.process(arguments);

    LaunchOptions options;
    options.newTaskFromSelection = parser.isSet(fromSelection);
    options.background = parser.isSet(background);
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
