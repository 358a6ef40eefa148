#include "platform/store/NewItemFiles.h"

#include "platform/store/AtomicFile.h"
#include "platform/store/LocalFileName.h"
#include "platform/store/VdirCollections.h"

#include <QCoreApplication>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

// The messages are the ones AtomicFile gives for the same failures.
QString systemError(const char* message, const QString& path)
{
    return QCoreApplication::translate("AtomicFile", message)
        .arg(LocalFileName::forDisplay(path), QString::fromLocal8Bit(std::strerror(errno)));
}

QString randomName()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + QStringLiteral(".ics");
}

} // namespace

NewItemFiles::NewItemFiles(QString folder)
    : m_folder(std::move(folder))
{}

NewItemFiles::~NewItemFiles()
{
    for (const Pending& pending : std::as_const(m_pending))
        ::unlink(LocalFileName::encode(pending.temporary).constData());
}

bool NewItemFiles::add(const QString& uid, const QByteArray& bytes, QString* error)
{
    // Named as AtomicFile names its temporary files, so that a crash's leftovers are cleared.
    const QString temporary = m_folder + QStringLiteral("/.import.") +
                              QUuid::createUuid().toString(QUuid::Id128).left(12) +
                              QStringLiteral(".tmp");
    const QByteArray name = LocalFileName::encode(temporary);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        *error = systemError(QT_TRANSLATE_NOOP("AtomicFile", "Cannot create %1: %2"), temporary);
        return false;
    }
    ::fchmod(fd, 0644);
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = systemError(QT_TRANSLATE_NOOP("AtomicFile", "Cannot write %1: %2"), temporary);
            ::close(fd);
            ::unlink(name.constData());
            return false;
        }
        written += n;
    }
    if (::close(fd) != 0) {
        *error = systemError(QT_TRANSLATE_NOOP("AtomicFile", "Cannot write %1: %2"), temporary);
        ::unlink(name.constData());
        return false;
    }
    m_pending.append({uid, temporary});
    return true;
}

QList<NewItemFiles::Named> NewItemFiles::commit()
{
    QList<Named> named;
    if (m_pending.isEmpty())
        return named;
    const QByteArray folder = LocalFileName::encode(m_folder);
    const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // Every temporary file's content reaches the disk before any of them gets a name.
    const bool synced = folderFd >= 0 && ::syncfs(folderFd) == 0;
    const QString syncError =
        synced ? QString()
               : systemError(QT_TRANSLATE_NOOP("AtomicFile", "Cannot sync %1: %2"), m_folder);
    if (folderFd >= 0)
        ::close(folderFd);
    for (const Pending& pending : std::as_const(m_pending)) {
        const QByteArray temporary = LocalFileName::encode(pending.temporary);
        Named result;
        if (!synced) {
            result.error = syncError;
        } else {
            QString fileName = VdirCollections::fileNameForUid(pending.uid);
            for (int attempt = 0; attempt < 5 && result.path.isEmpty(); ++attempt) {
                const QString path = m_folder + QLatin1Char('/') + fileName;
                // link() fails when the target exists: a new item never replaces another.
                if (::link(temporary.constData(), LocalFileName::encode(path).constData()) == 0)
                    result.path = path;
                else if (errno != EEXIST)
                    break;
                fileName = randomName();
            }
            if (result.path.isEmpty())
                result.error = systemError(QT_TRANSLATE_NOOP("AtomicFile", "Cannot create %1: %2"),
                                           m_folder + QLatin1Char('/') +
                                               VdirCollections::fileNameForUid(pending.uid));
        }
        ::unlink(temporary.constData());
        named.append(result);
    }
    m_pending.clear();
    AtomicFile::syncFolder(m_folder);
    return named;
}

} // namespace store
