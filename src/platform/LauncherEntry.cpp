#include "platform/LauncherEntry.h"

#include <QCryptographicHash>
#include <QDBusMessage>
#include <QVariantMap>

LauncherEntry::LauncherEntry(QDBusConnection connection, const QString& desktopFileName,
                             QObject* parent)
    : QObject(parent)
    , m_connection(std::move(connection))
    , m_applicationUri(QStringLiteral("application://") + desktopFileName)
{
    // Launchers match on the application URI in the message; the path only has to be unique
    // to the application.
    m_objectPath =
        QStringLiteral("/com/canonical/unity/launcherentry/") +
        QString::fromLatin1(
            QCryptographicHash::hash(m_applicationUri.toUtf8(), QCryptographicHash::Md5).toHex());
}

bool LauncherEntry::setLabel(const QString& label)
{
    m_label = label;
    bool isNumber = false;
    const qint64 count = label.toLongLong(&isNumber);
    QVariantMap properties;
    properties.insert(QStringLiteral("count"), QVariant::fromValue(isNumber ? count : qint64(0)));
    properties.insert(QStringLiteral("count-visible"), isNumber && count > 0);
    QDBusMessage message = QDBusMessage::createSignal(m_objectPath, QString::fromLatin1(kInterface),
                                                      QStringLiteral("Update"));
    message << m_applicationUri << properties;
    return m_connection.isConnected() && m_connection.send(message);
}
