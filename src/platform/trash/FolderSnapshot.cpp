#include "platform/trash/FolderSnapshot.h"

#include "platform/ReplaceFileContents.h"
#include "platform/store/AtomicFile.h"
#include "platform/store/LocalFileName.h"
#include "platform/store/LocalFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <unistd.h>

namespace trash {

namespace {

QByteArray encoded(const QString& path)
{
    return store::LocalFileName::encode(path);
}

// Name → inode of every link in a snapshot folder, straight from the directory entries. Sized
// for the links expected (one per listed file): growing it rehashed every name again.
QHash<QString, quint64> readLinks(const QString& folder, qsizetype expected)
{
    QHash<QString, quint64> links;
    links.reserve(expected);
    DIR* dir = ::opendir(encoded(folder).constData());
    if (!dir)
        return links;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        links.insert(store::LocalFileName::decode(entry->d_name), quint64(entry->d_ino));
    }
    ::closedir(dir);
    return links;
}

QByteArray stampText(const store::DirectoryStamp& stamp)
{
    return QByteArray::number(stamp.mtimeNs) + ' ' + QByteArray::number(stamp.ctimeNs) + ' ' +
           QByteArray::number(stamp.inode);
}

// What a walk over a snapshot's links found all in line: the list folder's stamp from before
// its listing and the snapshot folder's after the walk. Both were settled then, so while both
// stamps stay the same, neither folder gained, lost or replaced an entry: every link is still
// current (a file changed in place keeps its inode, hence its link) and none is left over.
QByteArray inLineText(const store::DirectoryStamp& folder, const store::DirectoryStamp& snapshot)
{
    return stampText(folder) + ' ' + stampText(snapshot) + '\n';
}

QByteArray readSmallFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(256);
}

} // namespace

QString FolderSnapshot::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/velmoran/snapshot");
}

FolderSnapshot::FolderSnapshot(const QString& base)
    : m_base(QDir::cleanPath(base))
{
    store::AtomicFile::removeLeftoverFolders(m_base);
}

QString FolderSnapshot::snapshotFolder(const QString& folder) const
{
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QByteArray hash =
        QCryptographicHash::hash(encoded(clean), QCryptographicHash::Sha1).toHex().left(16);
    return m_base + QLatin1Char('/') + QString::fromLatin1(hash);
}

QString FolderSnapshot::inLineMarker(const QString& snapshot) const
{
    // Outside the snapshot folder, whose stamp it records, and outside the snapshot: it is no
    // state of the store, only what spares a walk; without it the next update walks.
    return m_base + QStringLiteral("-in-line/") + QFileInfo(snapshot).fileName();
}

QString FolderSnapshot::keptPath(const QString& folder, const QString& fileName) const
{
    return snapshotFolder(folder) + QLatin1Char('/') + fileName;
}

bool FolderSnapshot::covers(const QString& folder) const
{
    QMutexLocker lock(&m_mutex);
    return !m_uncovered.contains(QDir::cleanPath(folder));
}

QStringList FolderSnapshot::update(const QString& folder, const QList<store::ItemFile>& listing,
                                   const store::DirectoryStamp& directory)
{
    if (!covers(folder))
        return {};
    const QString snapshot = snapshotFolder(folder);
    const QString marker = inLineMarker(snapshot);
    const store::DirectoryStamp before = store::DirectoryStamp::ofFolder(snapshot);
    const QByteArray recorded = directory.isSettled() ? readSmallFile(marker) : QByteArray();
    if (!recorded.isEmpty() && recorded == inLineText(directory, before))
        return {};
    if (!QFileInfo(snapshot).isDir() && !QDir().mkpath(snapshot))
        return {};
    // Says which folder the links are of, for a person looking; written whole or not at all,
    // and again by a later update when a full disk stopped it.
    const QString note = snapshot + QStringLiteral("/.folder");
    if (!QFileInfo::exists(note))
        replaceFileContents(note, encoded(QDir::cleanPath(folder)) + '\n');
    QHash<QString, quint64> links = readLinks(snapshot, listing.size());
    bool complete = true;
    for (const store::ItemFile& file : listing) {
        const auto link = links.constFind(file.fileName);
        const bool current = link != links.constEnd() && *link == file.stamp.inode;
        if (link != links.constEnd())
            links.erase(link);
        if (current)
            continue;
        const QByteArray from = encoded(folder + QLatin1Char('/') + file.fileName);
        const QByteArray temporary = encoded(snapshot + QStringLiteral("/.") + file.fileName);
        const QByteArray to = encoded(snapshot + QLatin1Char('/') + file.fileName);
        ::unlink(temporary.constData());
        if (::link(from.constData(), temporary.constData()) != 0) {
            if (errno == EXDEV || errno == EPERM) {
                QMutexLocker lock(&m_mutex);
                m_uncovered.insert(QDir::cleanPath(folder));
                return {};
            }
            complete = false;
            continue; // gone meanwhile: the next listing tells
        }
        if (::rename(temporary.constData(), to.constData()) != 0)
            complete = false;
    }
    const QStringList gone = links.keys();
    if (complete && gone.isEmpty() && directory.isSettled()) {
        const store::DirectoryStamp after = store::DirectoryStamp::ofFolder(snapshot);
        const QByteArray inLine = inLineText(directory, after);
        if (after.isSettled() && inLine != recorded)
            replaceFileContents(marker, inLine, nullptr, ReplaceFileOptions::creatingFolder());
    }
    return gone;
}

QString FolderSnapshot::take(const QString& folder, const QString& fileName)
{
    const QString taken = snapshotFolder(folder) + QStringLiteral("/.taken-") +
                          QString::number(::getpid()) + QLatin1Char('-') + fileName;
    if (::rename(encoded(keptPath(folder, fileName)).constData(), encoded(taken).constData()) != 0)
        return {};
    return taken;
}

void FolderSnapshot::keep(const QString& folder, const QString& fileName)
{
    const QByteArray from = encoded(folder + QLatin1Char('/') + fileName);
    ::link(from.constData(), encoded(keptPath(folder, fileName)).constData());
}

void FolderSnapshot::forget(const QString& folder, const QString& fileName)
{
    ::unlink(encoded(keptPath(folder, fileName)).constData());
}

void FolderSnapshot::forgetFolder(const QString& folder)
{
    // Half a snapshot would later pass the files it lost for deletions. A whole one left
    // behind only costs its links: an update relinks what comes back under the same path.
    QFile::remove(inLineMarker(snapshotFolder(folder)));
    if (!store::AtomicFile::removeFolder(snapshotFolder(folder), nullptr))
        store::LocalFiles::removeRecursively(snapshotFolder(folder));
}

} // namespace trash
