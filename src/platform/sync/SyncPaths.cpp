#include "platform/sync/SyncPaths.h"

#include <QStandardPaths>

SyncPaths SyncPaths::forThisUser()
{
    SyncPaths paths;
    paths.configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QLatin1String("/velmoran/vdirsyncer");
    paths.dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                       QLatin1String("/velmoran/accounts");
    return paths;
}

bool SyncPaths::isEntryName(const QString& name)
{
    // A leading dot also keeps a list from hiding itself from the store, and keeps "." and
    // ".." out.
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.')) &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0)) && name.size() <= 255;
}

QString SyncPaths::entry(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || !isEntryName(name))
        return {};
    return folder + QLatin1Char('/') + name;
}

QString SyncPaths::collectionFolder(const QString& id, const QString& collection) const
{
    return entry(accountFolder(id), collection);
}

QString SyncPaths::statusFile(const QString& pair, const QString& collection) const
{
    const QString file = entry(entry(statusFolder(), pair), collection);
    return file.isEmpty() ? QString() : file + QLatin1String(".items");
}
