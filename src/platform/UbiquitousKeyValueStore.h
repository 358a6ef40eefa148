#pragma once

#include "platform/JsonKeyValueFile.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

// The synced key-value store: one JSON file in a sync folder that a file-sync service
// (Nextcloud, Syncthing, ...) carries between machines. Writes follow the same merge-under-lock
// rules as the preference store; a change that arrives from outside is announced once the
// folder has been quiet for a moment.
class UbiquitousKeyValueStore : public QObject
{
    Q_OBJECT

public:
    explicit UbiquitousKeyValueStore(const QString& folder, QObject* parent = nullptr);

    // The store in the folder named by $VELMORAN_SYNC_DIR, else the preference "syncFolder",
    // else $XDG_DATA_HOME/velmoran/sync.
    static UbiquitousKeyValueStore& defaultStore();
    static QString defaultFolder();
    static QString fileName() { return QStringLiteral("velmoran-sync.json"); }

    QString folder() const { return m_folder; }

    QVariant objectForKey(const QString& key) const { return m_file.value(key); }
    QVariantList arrayForKey(const QString& key) const;
    void setObject(const QVariant& value, const QString& key);
    void removeObjectForKey(const QString& key);
    bool synchronize();

Q_SIGNALS:
    void didChangeExternally(const QStringList& keys);

private:
    void watch();

    QString m_folder;
    JsonKeyValueFile m_file;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
