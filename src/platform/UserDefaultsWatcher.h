#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class UserDefaults;

// Brings another process's writes to a preference store into this one as they happen: when
// the store's file is replaced on disk (`velmoran-cli prefs set`, a synced set loaded on
// another machine and carried over by a file-sync service), the store is re-read once the folder
// has been quiet for a moment, and its changed(key) signal names what differs.
class UserDefaultsWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSettleMs = 150;

    explicit UserDefaultsWatcher(UserDefaults& defaults, QObject* parent = nullptr);

private:
    void watch();

    UserDefaults& m_defaults;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
