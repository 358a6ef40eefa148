// How EventStore keeps its index fresh: the kernel's change events tell which folders to look
// at again, the parse cache saves parsing what an earlier run parsed, and changes made
// elsewhere are announced once they settle.

#include "platform/store/EventStore.h"

#include <QLoggingCategory>
#include <QMutexLocker>
#include <QtConcurrent>

#include <utility>

Q_DECLARE_LOGGING_CATEGORY(lcParseCache)

namespace store {

void EventStore::setParseCacheFile(const QString& file)
{
    QMutexLocker lock(&m_mutex);
    m_cache = ParseCache(file);
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
    if (!m_cacheLoaded) {
        // The cache file is read while the index lists the folders.
        m_cacheLoaded = true;
        QFuture<ParseCache::Entries> loading = QtConcurrent::run(
            [cache = m_cache, roots = m_index.roots()] { return cache.load(roots); });
        m_index.setSeed([loading]() mutable { return loading.result(); });
    }
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
    // Whatever was parsed and may be kept goes to the cache, written on a worker; a write still
    // waiting to start takes the newest items itself. A file just written (a task added by this
    // run) is not kept, and so writes nothing.
    if (!m_cache.isEnabled() || m_index.settledParseCount() == m_cachedParseCount)
        return;
    m_cachedParseCount = m_index.settledParseCount();
    if (m_cacheWriteQueued.exchange(true))
        return;
    m_cachePool.start([this] {
        m_cacheWriteQueued = false;
        QList<ParsedItemPtr> items;
        ParseCache cache;
        {
            QMutexLocker lock(&m_mutex);
            items = m_index.allItems();
            cache = m_cache;
        }
        QString error;
        if (!cache.save(m_index.roots(), items, &error))
            qCDebug(lcParseCache).noquote()
                << QStringLiteral("The parse cache is not written: %1").arg(error);
    });
}

void EventStore::checkFoldersChanged()
{
    const bool foreign = !m_watch.take(FolderWatch::Reader::Announcement).isEmpty();
    if (std::exchange(m_ownChangePending, false) || foreign)
        Q_EMIT changed();
}

} // namespace store
