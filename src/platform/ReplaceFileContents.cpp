#include "platform/ReplaceFileContents.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

bool replaceFileContents(const QString& path, const QByteArray& bytes, QString* error,
                         const ReplaceFileOptions& options)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (options.createFolder && !QDir().mkpath(folder)) {
        if (error)
            *error = QCoreApplication::translate("ReplaceFileContents",
                                                 "the folder %1 cannot be created")
                         .arg(QDir::toNativeSeparators(folder));
        return false;
    }
    QSaveFile file(path);
    // Writing in place when the folder cannot take a temporary file would leave the old file
    // half overwritten on a failure.
    file.setDirectWriteFallback(false);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         (!options.permissions || file.setPermissions(*options.permissions)) &&
                         file.write(bytes) == bytes.size() && file.flush() && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}
