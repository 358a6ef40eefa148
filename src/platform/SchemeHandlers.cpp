#include "platform/SchemeHandlers.h"

#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>

namespace SchemeHandlers {

namespace {

// Whether a "key=value;value" line of the file names the MIME type with a value.
bool fileNamesType(const QString& path, const QByteArray& type)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith(type + '=')) {
            if (!line.mid(type.size() + 1).trimmed().isEmpty())
                return true;
        } else if (line.startsWith("MimeType=")) {
            const QList<QByteArray> types = line.mid(9).split(';');
            if (types.contains(type))
                return true;
        }
    }
    return false;
}

} // namespace

bool hasHandlerForScheme(const QString& scheme)
{
    if (scheme.isEmpty())
        return false;
    const QByteArray type = "x-scheme-handler/" + scheme.toLower().toUtf8();
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        if (fileNamesType(folder + QStringLiteral("/mimeapps.list"), type))
            return true;
    }
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString applications = folder + QStringLiteral("/applications");
        if (fileNamesType(applications + QStringLiteral("/mimeapps.list"), type) ||
            fileNamesType(applications + QStringLiteral("/mimeinfo.cache"), type))
            return true;
        QDirIterator entries(applications, {QStringLiteral("*.desktop")}, QDir::Files,
                             QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            if (fileNamesType(entries.next(), type))
                return true;
        }
    }
    return false;
}

} // namespace SchemeHandlers
