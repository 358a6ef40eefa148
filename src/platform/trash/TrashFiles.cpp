#include "platform/trash/TrashFiles.h"

#include "platform/store/AtomicFile.h"
#include "platform/store/LocalFileName.h"
#include "platform/store/LocalFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace trash::TrashFiles {

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QByteArray encoded(const QString& path)
{
    return store::LocalFileName::encode(path);
}

bool placeFile(const QString& from, const QString& to, QString* error, bool* exists)
{
    if (exists)
        *exists = false;
    if (::link(encoded(from).constData(), encoded(to).constData()) == 0) {
        store::AtomicFile::syncFolder(QFileInfo(to).absolutePath());
        return true;
    }
    if (errno == EEXIST) {
        if (exists)
            *exists = true;
        if (error)
            *error = RecentlyDeletedText::tr("%1 exists already.")
                         .arg(store::LocalFileName::forDisplay(to));
        return false;
    }
    if (errno != EXDEV && errno != EPERM && errno != EMLINK) {
        if (error)
            *error = RecentlyDeletedText::tr("%1 cannot be kept: %2.")
                         .arg(store::LocalFileName::forDisplay(from), errnoText());
        return false;
    }
    QByteArray bytes;
    store::FileStamp stamp;
    if (!store::AtomicFile::read(from, &bytes, &stamp, error))
        return false;
    return store::AtomicFile::create(to, bytes, error, exists);
}

QStringList icsFiles(const QString& folder)
{
    QStringList names = store::LocalFiles::entryNames(folder, store::LocalFiles::EntryKind::Files);
    names.removeIf([](const QString& name) {
        return name.startsWith(QLatin1Char('.')) ||
               !name.endsWith(QLatin1String(".ics"), Qt::CaseInsensitive);
    });
    return names;
}

} // namespace trash::TrashFiles
