#pragma once

#include <QString>

// Where account sync keeps its files: the generated vdirsyncer configuration, its status and
// the accounts file under the application's configuration folder, and one store folder per
// account under its data folder. Never the user's own vdirsyncer files.
struct SyncPaths
{
    QString configFolder;
    QString dataFolder;

    // $XDG_CONFIG_HOME/velmoran/vdirsyncer and $XDG_DATA_HOME/velmoran/accounts.
    static SyncPaths forThisUser();

    // `folder`/`name` when `name` is one plain entry of `folder`, else empty. Every name that
    // comes from a file (an account id, a collection, a name in vdirsyncer's output) passes
    // here before it becomes part of a path, so that none can lead outside its folder.
    static QString entry(const QString& folder, const QString& name);
    static bool isEntryName(const QString& name);

    QString configFile() const { return configFolder + QLatin1String("/config"); }
    QString accountsFile() const { return configFolder + QLatin1String("/accounts.json"); }
    QString statusFolder() const { return configFolder + QLatin1String("/status"); }
    // The lists left out of syncing until the user says what to do with their emptying.
    QString emptiedFile() const { return configFolder + QLatin1String("/emptied.json"); }
    // The folder of collections an account's lists are kept in; a store folder of its own.
    QString accountFolder(const QString& id) const { return entry(dataFolder, id); }
    // One list's folder; empty for a name that is no plain folder name.
    QString collectionFolder(const QString& id, const QString& collection) const;
    // vdirsyncer's record of what a list held at its last sync.
    QString statusFile(const QString& pair, const QString& collection) const;
    // Copies of lists another device emptied on the server, taken before they are emptied
    // here; hidden, so that no store folder takes it for a list.
    QString backupFolder() const { return dataFolder + QLatin1String("/.emptied-on-server"); }
};
