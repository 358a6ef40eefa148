#pragma once

#include <QDateTime>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

class DataManager;

// Lets Recently Deleted go of what its limits ("deletedKeepDays", "deletedMaxMegabytes") no
// longer cover: at start-up and then once a day. A purge reads and deletes whole folders, so it
// runs on a worker with a trash object of its own.
class RecentlyDeletedUpkeep : public QObject
{
    Q_OBJECT

public:
    // A day is measured on the data manager's clock, looked at every hour: a timer of a whole
    // day would lose the hours the machine sleeps.
    static constexpr int kCheckIntervalMs = 60 * 60 * 1000;
    static constexpr qint64 kPurgeIntervalSeconds = 24 * 60 * 60;

    explicit RecentlyDeletedUpkeep(DataManager& manager, QObject* parent = nullptr);
    // Waits for a purge under way.
    ~RecentlyDeletedUpkeep() override;

    // Purges now, then once a day.
    void start();
    void stop();
    // Purges unless a purge is under way.
    void purgeNow();
    bool isPurging() const { return m_watcher.isRunning(); }
    // The hourly look at the clock; public so that tests drive it under a set clock.
    void check();

Q_SIGNALS:
    // A purge finished; `count` entries went.
    void purged(int count);

private:
    DataManager& m_manager;
    QTimer m_timer;
    QFutureWatcher<int> m_watcher;
    QDateTime m_lastPurge;
};
