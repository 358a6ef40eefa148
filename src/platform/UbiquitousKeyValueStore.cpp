#include "platform/UbiquitousKeyValueStore.h"

#include "platform/UserDefaults.h"

#include <QDir>
#include <QStandardPaths>

UbiquitousKeyValueStore::UbiquitousKeyValueStore(const QString& folder, QObject* parent)
    : QObject(parent)
    , m_folder(folder)
    , m_file(folder + QLatin1Char('/') + fileName())
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(300);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        const QStringList keys = m_file.reload();
        watch();
        if (!keys.isEmpty())
            Q_EMIT didChangeExternally(keys);
    });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_settle.start(); });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { m_settle.start(); });
    watch();
}

QString UbiquitousKeyValueStore::defaultFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("VELMORAN_SYNC_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString fromPreferences =
        UserDefaults::standardUserDefaults().stringForKey(QStringLiteral("syncFolder"));
    if (!fromPreferences.isEmpty())
        return fromPreferences;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/velmoran/sync");
}

UbiquitousKeyValueStore& UbiquitousKeyValueStore::defaultStore()
{
    static UbiquitousKeyValueStore* store = new UbiquitousKeyValueStore(defaultFolder());
    return *store;
}

void UbiquitousKeyValueStore::watch()
{
    if (QDir(m_folder).exists() && !m_watcher.directories().contains(m_folder))
        m_watcher.addPath(m_folder);
    if (QFile::exists(m_file.path()) && !m_watcher.files().contains(m_file.path()))
        m_watcher.addPath(m_file.path());
}

QVariantList UbiquitousKeyValueStore::arrayForKey(const QString& key) const
{
    const QVariant value = m_file.value(key);
    return value.typeId() == QMetaType::QVariantList ? value.toList() : QVariantList();
}

void UbiquitousKeyValueStore::setObject(const QVariant& value, const QString& key)
{
    if (!value.isValid())
        m_file.write({}, {key});
    else
        m_file.write({{key, value}});
    watch();
}

void UbiquitousKeyValueStore::removeObjectForKey(const QString& key)
{
    m_file.write({}, {key});
    watch();
}

bool UbiquitousKeyValueStore::synchronize()
{
    const QStringList keys = m_file.reload();
    if (!keys.isEmpty())
        Q_EMIT didChangeExternally(keys);
    return m_file.isWritable();
}
