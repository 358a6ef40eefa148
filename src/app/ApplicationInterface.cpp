#include "app/ApplicationInterface.h"

#include "app/FreedesktopApplication.h"
#include "commands/UrlCommand.h"
#include "platform/ActivationToken.h"

#include <QDBusError>
#include <QUrl>

QString ApplicationInterface::commandName(Command command)
{
    switch (command) {
    case Command::ToggleWindow:
        return QStringLiteral("toggle-window");
    case Command::ShowPanel:
        return QStringLiteral("show-panel");
    case Command::NewTask:
        return QStringLiteral("new-task");
    }
    return QString();
}

std::optional<ApplicationInterface::Command> ApplicationInterface::commandNamed(const QString& name)
{
    for (Command command : {Command::ToggleWindow, Command::ShowPanel, Command::NewTask}) {
        if (commandName(command) == name)
            return command;
    }
    return std::nullopt;
}

ApplicationInterface::ApplicationInterface(QObject* parent)
    : QObject(parent)
{
    // Exported with this object as its adaptor; owned by it.
    new FreedesktopApplication(this);
}

QString ApplicationInterface::refusalForUrl(const QString& url)
{
    if (url.size() > kMaxUrlLength)
        return tr("The URL is longer than %1 characters.").arg(kMaxUrlLength);
    const QUrl parsed(url.trimmed(), QUrl::TolerantMode);
    if (!parsed.isValid() ||
        parsed.scheme().compare(UrlCommand::schemeName(), Qt::CaseInsensitive) != 0)
        return tr("Only %1: URLs are accepted.").arg(UrlCommand::schemeName());
    return QString();
}

QString ApplicationInterface::refusalForText(const QString& text)
{
    if (text.size() > kMaxTextLength)
        return tr("The text is longer than %1 characters.").arg(kMaxTextLength);
    if (UrlCommand::cleanText(text, false).isEmpty())
        return tr("The text is empty.");
    return QString();
}

void ApplicationInterface::OpenUrl(const QString& url)
{
    const QString reason = refusalForUrl(url);
    if (!reason.isEmpty())
        return refuse(reason);
    Q_EMIT urlReceived(url);
}

void ApplicationInterface::NewTaskFromText(const QString& text)
{
    const QString reason = refusalForText(text);
    if (!reason.isEmpty())
        return refuse(reason);
    Q_EMIT textReceived(text);
}

void ApplicationInterface::Activate()
{
    Q_EMIT activationRequested();
}

void ApplicationInterface::activate(const QVariantMap& platformData)
{
    passTokenOn(platformData);
    Q_EMIT activationRequested();
}

void ApplicationInterface::open(const QStringList& urls, const QVariantMap& platformData)
{
    passTokenOn(platformData);
    for (const QString& url : urls)
        Q_EMIT urlReceived(url);
}

void ApplicationInterface::runCommand(Command command, const QVariantMap& platformData)
{
    passTokenOn(platformData);
    Q_EMIT commandRequested(command);
}

void ApplicationInterface::passTokenOn(const QVariantMap& platformData)
{
    if (const QString token = ActivationToken::tokenOf(platformData); !token.isEmpty())
        Q_EMIT tokenReceived(token);
}

void ApplicationInterface::refuse(const QString& reason)
{
    if (calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, reason);
}
