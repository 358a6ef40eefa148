#include "platform/store/AtomicFile.h"

#include "platform/store/LocalFileName.h"
#include "platform/store/LocalFiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHashFunctions>
#include <QRegularExpression>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store::AtomicFile {

namespace {

struct AtomicFileText
{
    Q_DECLARE_TR_FUNCTIONS(AtomicFile)
};

// `what` names the file with %1 and the system's reason with %2. errno is read before
// anything else runs: translating may make calls of its own.
QString errnoText(const char* what, const QString& path)
{
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    return AtomicFileText::tr(what).arg(LocalFileName::forDisplay(path), reason);
}

// A temporary file is kept this long before a load takes it for a killed writer's.
constexpr qint64 kStaleTemporarySeconds = 60;

SyncCall& syncCall()
{
    static SyncCall call;
    return call;
}

int sync(int fd, SyncTarget target, const QString& path)
{
    const SyncCall& call = syncCall();
    return call ? call(fd, target, path) : ::fsync(fd);
}

// The folder `path` is in.
void syncFolderOf(const QString& path)
{
    syncFolder(QFileInfo(path).absolutePath());
}

const QRegularExpression& temporaryPattern()
{
    // "." + the target's name + "." + 12 hex digits + ".tmp", as writeTemporary() names them.
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(u"\\..+\\.[0-9a-f]{12}\\.tmp"));
    return pattern;
}

// Writes all of `bytes` to `fd` and syncs it; false with errno set when a call fails.
bool writeAndSync(int fd, const QByteArray& bytes, const QString& path, QString* error)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (error)
                *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot write %1: %2"), path);
            return false;
        }
        written += n;
    }
    if (sync(fd, SyncTarget::File, path) != 0) {
        if (error)
            *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot sync %1: %2"), path);
        return false;
    }
    return true;
}

// Writes the bytes into a fresh temporary file beside `path` and syncs it. Returns its path.
QString writeTemporary(const QString& path, const QByteArray& bytes, mode_t mode, QString* error)
{
    const QFileInfo info(path);
    const QString temporary =
        info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.') +
        QUuid::createUuid().toString(QUuid::Id128).left(12) + QStringLiteral(".tmp");
    const QByteArray name = LocalFileName::encode(temporary);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
        if (error)
            *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot create %1: %2"), temporary);
        return {};
    }
    // open() applies the umask; the file must keep the mode of the one it replaces.
    ::fchmod(fd, mode);
    if (!writeAndSync(fd, bytes, temporary, error)) {
        ::close(fd);
        ::unlink(name.constData());
        return {};
    }
    if (::close(fd) != 0) {
        if (error)
            *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot sync %1: %2"), temporary);
        ::unlink(name.constData());
        return {};
    }
    return temporary;
}

enum class Unnamed { Created, Failed, Unsupported };

// Creates `path` from a file that has no name until it is linked to its own: a write that
// fails at any step leaves nothing behind, where a named temporary file is left over whenever
// removing it fails after the link. Unsupported on file systems without O_TMPFILE.
Unnamed createUnnamed(const QString& path, const QByteArray& bytes, QString* error,
                      bool* errorExists)
{
    const QByteArray folder = LocalFileName::encode(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
            return Unnamed::Unsupported;
        if (error)
            *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot create %1: %2"), path);
        return Unnamed::Failed;
    }
    ::fchmod(fd, 0644);
    if (!writeAndSync(fd, bytes, path, error)) {
        ::close(fd);
        return Unnamed::Failed;
    }
    // linkat() fails when the target exists, so a new item never replaces another one.
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    const int linked = ::linkat(AT_FDCWD, self.constData(), AT_FDCWD,
                                LocalFileName::encode(path).constData(), AT_SYMLINK_FOLLOW);
    const int linkErrno = errno;
    ::close(fd);
    if (linked == 0)
        return Unnamed::Created;
    errno = linkErrno;
    if (linkErrno == ENOENT && ::access("/proc/self/fd", X_OK) != 0)
        return Unnamed::Unsupported; // no /proc to name the file by
    if (errorExists)
        *errorExists = linkErrno == EEXIST;
    if (error)
        *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot create %1: %2"), path);
    return Unnamed::Failed;
}

} // namespace

ScopedSyncCall::ScopedSyncCall(SyncCall call)
    : m_previous(std::exchange(syncCall(), std::move(call)))
{}

ScopedSyncCall::~ScopedSyncCall()
{
    syncCall() = std::move(m_previous);
}

FileStamp stampOf(const QString& path)
{
    struct stat st;
    if (::stat(LocalFileName::encode(path).constData(), &st) != 0)
        return {};
    return stampOf(st);
}

FileStamp stampOf(const struct stat& st)
{
    return {st.st_size, qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            quint64(st.st_ino)};
}

quint64 contentHash(QByteArrayView bytes)
{
    return quint64(qHashBits(bytes.data(), size_t(bytes.size()), 0));
}

bool read(const QString& path, QByteArray* bytes, FileStamp* stamp, QString* error)
{
    // The stamp comes from the open file itself, so it describes exactly the bytes read; a
    // writer that replaces the file meanwhile swaps the inode, not these bytes.
    const int fd = ::open(LocalFileName::encode(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot read %1: %2"), path);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        if (error)
            *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot read %1: %2"), path);
        ::close(fd);
        return false;
    }
    QByteArray data;
    data.resize(qsizetype(st.st_size));
    qsizetype done = 0;
    for (;;) {
        if (done == data.size())
            data.resize(data.size() + 4096); // the file grew while being read
        const ssize_t n = ::read(fd, data.data() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            if (error)
                *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot read %1: %2"), path);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        done += n;
    }
    data.resize(done);
    struct stat after;
    const bool unchanged = ::fstat(fd, &after) == 0 && after.st_size == st.st_size &&
                           after.st_mtim.tv_sec == st.st_mtim.tv_sec &&
                           after.st_mtim.tv_nsec == st.st_mtim.tv_nsec;
    ::close(fd);
    if (!unchanged) {
        if (error)
            *error = AtomicFileText::tr("%1 changed while being read")
                         .arg(LocalFileName::forDisplay(path));
        return false;
    }
    *bytes = std::move(data);
    *stamp = stampOf(st);
    return true;
}

void syncFolder(const QString& folder)
{
    const int fd =
        ::open(LocalFileName::encode(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        sync(fd, SyncTarget::Folder, folder);
        ::close(fd);
    }
}

bool replace(const QString& path, const QByteArray& bytes, QString* error)
{
    struct stat st;
    mode_t mode = 0644;
    const QByteArray target = LocalFileName::encode(path);
    if (::stat(target.constData(), &st) == 0)
        mode = st.st_mode & 07777;
    const QString temporary = writeTemporary(path, bytes, mode, error);
    if (temporary.isEmpty())
        return false;
    const QByteArray name = LocalFileName::encode(temporary);
    if (::rename(name.constData(), target.constData()) != 0) {
        if (error)
            *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot replace %1: %2"), path);
        ::unlink(name.constData());
        return false;
    }
    syncFolderOf(path);
    return true;
}

bool create(const QString& path, const QByteArray& bytes, QString* error, bool* errorExists)
{
    if (errorExists)
        *errorExists = false;
    switch (createUnnamed(path, bytes, error, errorExists)) {
    case Unnamed::Created:
        syncFolderOf(path);
        return true;
    case Unnamed::Failed:
        return false;
    case Unnamed::Unsupported:
        break;
    }
    const QString temporary = writeTemporary(path, bytes, 0644, error);
    if (temporary.isEmpty())
        return false;
    const QByteArray name = LocalFileName::encode(temporary);
    // link() fails when the target exists, so a new item never replaces another one.
    const int linked = ::link(name.constData(), LocalFileName::encode(path).constData());
    const int linkErrno = errno;
    ::unlink(name.constData());
    if (linked != 0) {
        errno = linkErrno;
        if (errorExists)
            *errorExists = linkErrno == EEXIST;
        if (error)
            *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot create %1: %2"), path);
        return false;
    }
    syncFolderOf(path);
    return true;
}

bool remove(const QString& path, QString* error)
{
    if (::unlink(LocalFileName::encode(path).constData()) != 0) {
        if (error)
            *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot remove %1: %2"), path);
        return false;
    }
    syncFolderOf(path);
    return true;
}

namespace {
const QString kLeftoverPrefix = QStringLiteral(".velmoran-removed-");
}

bool removeFolder(const QString& folder, QString* error)
{
    const QFileInfo info(folder);
    const QString hidden = info.absolutePath() + QLatin1Char('/') + kLeftoverPrefix +
                           info.fileName() + QLatin1Char('-') + QString::number(::getpid());
    if (::rename(LocalFileName::encode(folder).constData(),
                 LocalFileName::encode(hidden).constData()) != 0) {
        if (error)
            *error = errnoText(QT_TRANSLATE_NOOP("AtomicFile", "Cannot remove %1: %2"), folder);
        return false;
    }
    syncFolderOf(folder);
    LocalFiles::removeRecursively(hidden);
    return true;
}

void removeLeftoverFolders(const QString& parent)
{
    const QStringList names = LocalFiles::entryNames(parent, LocalFiles::EntryKind::Folders);
    for (const QString& name : names) {
        if (name.startsWith(kLeftoverPrefix))
            LocalFiles::removeRecursively(parent + QLatin1Char('/') + name);
    }
}

bool isTemporaryName(const QString& fileName)
{
    return temporaryPattern().match(fileName).hasMatch();
}

int removeStaleTemporaries(const QString& folder)
{
    DIR* dir = ::opendir(LocalFileName::encode(folder).constData());
    if (!dir)
        return 0;
    const int dirFd = ::dirfd(dir);
    const qint64 staleBefore = QDateTime::currentSecsSinceEpoch() - kStaleTemporarySeconds;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.' || !isTemporaryName(LocalFileName::decode(entry->d_name)))
            continue;
        struct stat st;
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || qint64(st.st_mtim.tv_sec) >= staleBefore)
            continue;
        if (::unlinkat(dirFd, entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

} // namespace store::AtomicFile
