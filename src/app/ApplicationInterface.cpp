#include "app/ApplicationInterface.h"

#include "commands/UrlCommand.h"

#include <QDBusError>
#include <QUrl>

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

void ApplicationInterface::refuse(const QString& reason)
{
    if (calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, reason);
}
