// The taking-out half of Recently Deleted: restoring entries, deleting them for good, and
// the limits of what it keeps.

#include "platform/trash/RecentlyDeleted.h"

#include "platform/store/AtomicFile.h"
#include "platform/store/LocalFileName.h"
#include "platform/store/LocalFiles.h"
#include "platform/trash/TrashFiles.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace trash {

using namespace TrashFiles;

bool RecentlyDeleted::claim(const QString& id, QString* claimed, QString* error) const
{
    *claimed = m_folder + QLatin1Char('/') + kClaimPrefix + id + QLatin1Char('-') +
               QString::number(::getpid());
    const QString path = m_folder + QLatin1Char('/') + id;
    if (::rename(encoded(path).constData(), encoded(*claimed).constData()) == 0)
        return true;
    if (error) {
        *error = errno == ENOENT
                     ? RecentlyDeletedText::tr(
                           "It is no longer in Recently Deleted: another program restored or "
                           "deleted it.")
                     : RecentlyDeletedText::tr("It cannot be taken out of %1: %2.")
                           .arg(QDir::toNativeSeparators(m_folder), errnoText());
    }
    return false;
}

void RecentlyDeleted::unclaim(const QString& claimed, const QString& id) const
{
    ::rename(encoded(claimed).constData(), encoded(m_folder + QLatin1Char('/') + id).constData());
}

bool RecentlyDeleted::retire(const QString& path, const QString& id, QString* error) const
{
    // Removing the files one by one can fail half way; a claim left half empty would later be
    // put back as an entry that lost its files, so the entry leaves under a name that is never
    // put back first.
    const QString gone = m_folder + QLatin1Char('/') + kGonePrefix + id + QLatin1Char('-') +
                         QString::number(::getpid());
    if (::rename(encoded(path).constData(), encoded(gone).constData()) != 0) {
        if (error)
            *error = errno == ENOENT
                         ? RecentlyDeletedText::tr(
                               "It is no longer in Recently Deleted: another program restored or "
                               "deleted it.")
                         : RecentlyDeletedText::tr("It cannot be taken out of %1: %2.")
                               .arg(QDir::toNativeSeparators(m_folder), errnoText());
        return false;
    }
    store::LocalFiles::removeRecursively(gone);
    store::AtomicFile::syncFolder(m_folder);
    return true;
}

void RecentlyDeleted::removeRetired() const
{
    const QStringList names = QDir(m_folder).entryList(
        {kGonePrefix + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        store::LocalFiles::removeRecursively(m_folder + QLatin1Char('/') + name);
}

std::optional<DeletedEntry> RecentlyDeleted::claimEntry(const QString& id, EntryKind kind,
                                                        QString* claimed, QString* error) const
{
    const std::optional<DeletedEntry> found = entry(id);
    if (!found || found->kind != kind) {
        if (error)
            *error = kind == EntryKind::Task
                         ? RecentlyDeletedText::tr("There is no deleted task \"%1\".").arg(id)
                         : RecentlyDeletedText::tr("There is no deleted list \"%1\".").arg(id);
        return std::nullopt;
    }
    if (!claim(id, claimed, error))
        return std::nullopt;
    return found;
}

bool RecentlyDeleted::restoreTask(const QString& id, const QString& targetFolder,
                                  QString* restoredPath, QString* error)
{
    QString claimed;
    const std::optional<DeletedEntry> found = claimEntry(id, EntryKind::Task, &claimed, error);
    if (!found)
        return false;
    const QString target = targetFolder + QLatin1Char('/') + found->fileName;
    bool exists = false;
    QString reason;
    if (!placeFile(claimed + QLatin1Char('/') + found->fileName, target, &reason, &exists)) {
        unclaim(claimed, id);
        if (error)
            *error = exists
                         ? RecentlyDeletedText::tr(
                               "\"%1\" cannot be restored: a file named %2 is already in its "
                               "list.")
                               .arg(found->title, store::LocalFileName::forDisplay(found->fileName))
                         : reason;
        return false;
    }
    if (!retire(claimed, id, error)) {
        store::AtomicFile::remove(target, nullptr);
        unclaim(claimed, id);
        return false;
    }
    if (restoredPath)
        *restoredPath = target;
    return true;
}

bool RecentlyDeleted::restoreList(const QString& id, const QString& targetFolder,
                                  QStringList* restoredPaths, QString* error)
{
    QString claimed;
    const std::optional<DeletedEntry> found = claimEntry(id, EntryKind::List, &claimed, error);
    if (!found)
        return false;
    const QString kept = claimed + QLatin1Char('/') + kListFolderName;
    const QStringList files = icsFiles(kept);
    const bool createFolder = !store::LocalFiles::isFolder(targetFolder);
    for (const QString& name : files) {
        if (!createFolder && store::LocalFiles::exists(targetFolder + QLatin1Char('/') + name)) {
            unclaim(claimed, id);
            if (error)
                *error = RecentlyDeletedText::tr(
                             "The list \"%1\" cannot be restored: a file named %2 is already in "
                             "its folder.")
                             .arg(found->title, store::LocalFileName::forDisplay(name));
            return false;
        }
    }
    QStringList placed;
    auto undo = [&](const QString& reason) {
        for (const QString& path : std::as_const(placed))
            store::AtomicFile::remove(path, nullptr);
        if (createFolder)
            store::LocalFiles::removeRecursively(targetFolder);
        unclaim(claimed, id);
        if (error)
            *error = reason;
        return false;
    };
    QString reason;
    if (createFolder) {
        if (!store::LocalFiles::makeFolders(targetFolder))
            return undo(RecentlyDeletedText::tr("The folder %1 cannot be created.")
                            .arg(store::LocalFileName::forDisplay(targetFolder)));
        for (const QString& name : kMetadataFiles) {
            const QString from = kept + QLatin1Char('/') + name;
            if (store::LocalFiles::exists(from) &&
                !placeFile(from, targetFolder + QLatin1Char('/') + name, &reason))
                return undo(reason);
        }
    }
    for (const QString& name : files) {
        const QString to = targetFolder + QLatin1Char('/') + name;
        if (!placeFile(kept + QLatin1Char('/') + name, to, &reason))
            return undo(reason);
        placed << to;
    }
    if (!retire(claimed, id, &reason))
        return undo(reason);
    if (restoredPaths)
        *restoredPaths = placed;
    return true;
}

bool RecentlyDeleted::remove(const QString& id, QString* error)
{
    if (!entry(id)) {
        if (error)
            *error = RecentlyDeletedText::tr("There is no deleted item \"%1\".").arg(id);
        return false;
    }
    return retire(m_folder + QLatin1Char('/') + id, id, error);
}

int RecentlyDeleted::empty()
{
    int count = 0;
    for (const DeletedEntry& entry : entries())
        count += remove(entry.id, nullptr) ? 1 : 0;
    return count;
}

void RecentlyDeleted::recoverInterrupted() const
{
    removeRetired();
    const QStringList names =
        QDir(m_folder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    const QDateTime settled = QDateTime::currentDateTimeUtc().addSecs(-60);
    for (const QString& name : names) {
        const QString path = m_folder + QLatin1Char('/') + name;
        if (name.startsWith(kNewPrefix) && QFileInfo(path).lastModified().toUTC() < settled) {
            // Its files are still in the store: the entry was never finished.
            store::LocalFiles::removeRecursively(path);
        } else if (name.startsWith(kClaimPrefix)) {
            // A restore that did not finish: back into the list unless its program still runs.
            const QString rest = name.mid(kClaimPrefix.size());
            const qsizetype dash = rest.lastIndexOf(QLatin1Char('-'));
            const pid_t pid = pid_t(rest.mid(dash + 1).toInt());
            if (dash > 0 && pid > 0 && (::kill(pid, 0) != 0 && errno == ESRCH))
                unclaim(path, rest.left(dash));
        }
    }
}

int RecentlyDeleted::purge(const QDateTime& now, int maxAgeDays, qint64 maxBytes)
{
    recoverInterrupted();
    QList<DeletedEntry> all = entries(); // newest first
    int count = 0;
    qint64 total = 0;
    for (const DeletedEntry& entry : std::as_const(all))
        total += entry.size;
    const QDateTime oldest = now.toUTC().addDays(-qMax(0, maxAgeDays));
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        const bool tooOld = maxAgeDays >= 0 && it->deletedAt < oldest;
        const bool tooBig = maxBytes >= 0 && total > maxBytes;
        if (!tooOld && !tooBig)
            break;
        if (remove(it->id, nullptr)) {
            total -= it->size;
            ++count;
        }
    }
    return count;
}

} // namespace trash
