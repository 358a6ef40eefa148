// How EventStore keeps its index fresh: the kernel's change events tell which folders to look
// at again, the parse cache saves parsing what an earlier run parsed, and changes made
// elsewhere are announced once they settle.

#include "platform/store/EventStore.h"
#include "platform/store/RecordLock.h"

#include <QLoggingCategory>
#include <QMutexLocker>
#include <QtConcurrent>

#include <utility>

Q_DECLARE_LOGGING_CATEGORY(lcParseCache)

namespace store {

void EventStore::setParseCacheFile(const QString& file)
{
    QMutexLocker lock(&m_mutex);
    m_index.setCache(ParseCache(file));
}

void EventStore::waitForParseCache()
{
    m_cachePool.waitForDone();
}

quint64 EventStore::parsedFileCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_index.parseCount();
}

void EventStore::refreshLocked()
{
    // The index reads the records it holds (their UIDs), which the window may be changing.
    RecordLock records;
    const QList<UnreadableFile> unreadableBefore = m_index.unreadableFiles();
    m_index.refresh();
    if (m_index.unreadableFiles() != unreadableBefore)
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT unreadableFilesChanged(); }, Qt::QueuedConnection);
    keepRemovedFilesLocked();
    saveParseCacheLocked();
}

QList<UnreadableFile> EventStore::unreadableFiles() const
{
    QMutexLocker lock(&m_mutex);
    return m_index.unreadableFiles();
}

void EventStore::saveParseCacheLocked()
{
    // The folders whose files changed since their cache file was written, written on a worker,
    // one file each. A file just written (a task added by this run) is not kept.
    QList<StoreIndex::FolderToCache> folders = m_index.takeFoldersToCache();
    if (folders.isEmpty())
        return;
    QStringList folderPaths;
    for (const CalendarPtr& calendar : m_index.calendars())
        folderPaths << calendar->folderPath;
    m_cachePool.start([cache = m_index.cache(), roots = m_index.roots(),
                       folders = std::move(folders), folderPaths = std::move(folderPaths)] {
        for (const StoreIndex::FolderToCache& folder : folders) {
            // The records written are shared with the window, which may be changing one.
            RecordLock records;
            QString error;
            if (!cache.save(roots, folder.folder, folder.directory, folder.items, &error))
                qCDebug(lcParseCache).noquote()
                    << QStringLiteral("The parse cache is not written: %1").arg(error);
        }
        cache.tidy(folderPaths);
    });
}

void EventStore::checkFoldersChanged()
{
    const bool foreign = !m_watch.take(FolderWatch::Reader::Announcement).isEmpty();
    if (std::exchange(m_ownChangePending, false) || foreign)
        Q_EMIT changed();
}

} // namespace store
