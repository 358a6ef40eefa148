#include "platform/ActivationToken.h"

#include <QtGlobal>

namespace ActivationToken {

QVariantMap fromEnvironment()
{
    QVariantMap data;
    if (const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN"); !token.isEmpty())
        data.insert(QString::fromLatin1(kTokenKey), token);
    if (const QString id = qEnvironmentVariable("DESKTOP_STARTUP_ID"); !id.isEmpty())
        data.insert(QString::fromLatin1(kStartupIdKey), id);
    return data;
}

QString tokenOf(const QVariantMap& platformData)
{
    const QString token = platformData.value(QString::fromLatin1(kTokenKey)).toString();
    if (!token.isEmpty())
        return token;
    return platformData.value(QString::fromLatin1(kStartupIdKey)).toString();
}

void offer(const QString& token)
{
    // A token is a short printable string; anything else is not one and is not passed on.
    if (token.isEmpty() || token.size() > 1024)
        return;
    qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
}

} // namespace ActivationToken
