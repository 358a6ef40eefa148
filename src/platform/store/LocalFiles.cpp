#include "platform/store/LocalFiles.h"

#include "platform/store/LocalFileName.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store::LocalFiles {

namespace {

bool isDot(const char* name)
{
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// Empties the open folder `fd` (taken over and closed) and everything below it.
bool removeContents(int fd)
{
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    bool ok = true;
    while (const dirent* entry = ::readdir(dir)) {
        if (isDot(entry->d_name))
            continue;
        if (::unlinkat(fd, entry->d_name, 0) == 0 || errno == ENOENT)
            continue;
        if (errno != EISDIR) {
            ok = false;
            continue;
        }
        const int child =
            ::openat(fd, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child < 0 || !removeContents(child) || ::unlinkat(fd, entry->d_name, AT_REMOVEDIR) != 0)
            ok = false;
    }
    ::closedir(dir);
    return ok;
}

qint64 sizeBelow(int fd)
{
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return 0;
    }
    qint64 size = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (isDot(entry->d_name))
            continue;
        struct stat st;
        if (::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(st.st_mode)) {
            size += st.st_size;
        } else if (S_ISDIR(st.st_mode)) {
            const int child =
                ::openat(fd, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child >= 0)
                size += sizeBelow(child);
        }
    }
    ::closedir(dir);
    return size;
}

} // namespace

QStringList entryNames(const QString& folder, EntryKind kind)
{
    QStringList names;
    DIR* dir = ::opendir(LocalFileName::encode(folder).constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        if (isDot(entry->d_name))
            continue;
        if (kind != EntryKind::Any) {
            struct stat st;
            if (::fstatat(::dirfd(dir), entry->d_name, &st, 0) != 0)
                continue;
            if ((kind == EntryKind::Folders && !S_ISDIR(st.st_mode)) ||
                (kind == EntryKind::Files && !S_ISREG(st.st_mode)))
                continue;
        }
        names << LocalFileName::decode(entry->d_name);
    }
    ::closedir(dir);
    names.sort();
    return names;
}

bool exists(const QString& path)
{
    struct stat st;
    return ::stat(LocalFileName::encode(path).constData(), &st) == 0;
}

bool isFolder(const QString& path)
{
    struct stat st;
    return ::stat(LocalFileName::encode(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QString canonicalPath(const QString& path)
{
    char resolved[PATH_MAX];
    if (!::realpath(LocalFileName::encode(path).constData(), resolved))
        return {};
    return LocalFileName::decode(resolved);
}

bool makeFolders(const QString& path)
{
    if (isFolder(path))
        return true;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash > 0 && !makeFolders(path.left(slash)))
        return false;
    return ::mkdir(LocalFileName::encode(path).constData(), 0777) == 0 || errno == EEXIST;
}

bool removeRecursively(const QString& path)
{
    const QByteArray name = LocalFileName::encode(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    removeContents(fd);
    return ::rmdir(name.constData()) == 0 || errno == ENOENT;
}

qint64 sizeOfTree(const QString& folder)
{
    const int fd = ::open(LocalFileName::encode(folder).constData(),
                          O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    return fd < 0 ? 0 : sizeBelow(fd);
}

bool openForReading(QFile& file, const QString& path)
{
    const int fd = ::open(LocalFileName::encode(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}

} // namespace store::LocalFiles
