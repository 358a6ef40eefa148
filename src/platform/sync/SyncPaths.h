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

    QString configFile() const { return configFolder + QLatin1String("/config"); }
    QString accountsFile() const { return configFolder + QLatin1String("/accounts.json"); }
    QString statusFolder() const { return configFolder + QLatin1String("/status"); }
    // The folder of collections an account's lists are kept in; a store folder of its own.
    QString accountFolder(const QString& id) const { return dataFolder + QLatin1Char('/') + id; }
    // Copies of lists another device emptied on the server, taken before they are emptied
    // here; hidden, so that no store folder takes it for a list.
    QString backupFolder() const { return dataFolder + QLatin1String("/.emptied-on-server"); }
};
