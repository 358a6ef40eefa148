#include "app/RecentlyDeletedUpkeep.h"

#include "data/DataManager.h"
#include "data/RecentlyDeletedPolicy.h"
#include "platform/Clock.h"
#include "platform/trash/RecentlyDeleted.h"

#include <QtConcurrent/QtConcurrentRun>

RecentlyDeletedUpkeep::RecentlyDeletedUpkeep(DataManager& manager, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
{
    m_timer.setInterval(kCheckIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &RecentlyDeletedUpkeep::check);
    connect(&m_watcher, &QFutureWatcher<int>::finished, this,
            [this] { Q_EMIT purged(m_watcher.result()); });
}

RecentlyDeletedUpkeep::~RecentlyDeletedUpkeep()
{
    m_watcher.waitForFinished();
}

void RecentlyDeletedUpkeep::start()
{
    purgeNow();
    m_timer.start();
}

void RecentlyDeletedUpkeep::stop()
{
    m_timer.stop();
}

void RecentlyDeletedUpkeep::check()
{
    const QDateTime now = m_manager.clock().now();
    if (!m_lastPurge.isValid() || m_lastPurge.secsTo(now) >= kPurgeIntervalSeconds ||
        now < m_lastPurge)
        purgeNow();
}

void RecentlyDeletedUpkeep::purgeNow()
{
    if (m_watcher.isRunning())
        return;
    const QDateTime now = m_manager.clock().now();
    m_lastPurge = now;
    store::EventStore* eventStore = m_manager.eventStore();
    const QString folder = eventStore ? eventStore->recentlyDeleted().folder()
                                      : trash::RecentlyDeleted::defaultFolder();
    const UserDefaults& defaults = m_manager.defaults();
    // The store's own trash object stays on its threads; the folder is safe to share, since
    // every change to it is a rename another process may make as well.
    m_watcher.setFuture(QtConcurrent::run([folder, &defaults, now] {
        trash::RecentlyDeleted trash(folder);
        return RecentlyDeletedPolicy::purge(trash, defaults, now);
    }));
}
