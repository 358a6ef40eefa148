#include "platform/SystemZoneName.h"

#include <QDir>
#include <QFileInfo>
#include <QTimeZone>

#include <ctime>

namespace SystemZoneName {

QByteArray nameable(const QString& localtimeLink, const QString& zoneDirectory,
                    const QByteArray& systemZoneId)
{
    const QFileInfo link(localtimeLink);
    if (!link.isSymLink() || systemZoneId.isEmpty())
        return {};
    const QString target = QDir::cleanPath(link.symLinkTarget());
    const QString directory = QDir::cleanPath(zoneDirectory) + QLatin1Char('/');
    if (!target.startsWith(directory))
        return {};
    // The C library reads a name as a file of the database before it reads it as a rule.
    if (target.sliced(directory.size()) != QString::fromUtf8(systemZoneId) ||
        !QFileInfo(target).isFile())
        return {};
    return systemZoneId;
}

void nameInEnvironment()
{
    if (qEnvironmentVariableIsSet("TZ"))
        return;
    // The C library reads the zone database from TZDIR when it is set.
    const QString zoneDirectory = qEnvironmentVariableIsEmpty("TZDIR")
                                      ? QStringLiteral("/usr/share/zoneinfo")
                                      : qEnvironmentVariable("TZDIR");
    const QByteArray zone =
        nameable(QStringLiteral("/etc/localtime"), zoneDirectory, QTimeZone::systemTimeZoneId());
    if (zone.isEmpty())
        return;
    qputenv("TZ", zone);
    tzset();
}

} // namespace SystemZoneName
