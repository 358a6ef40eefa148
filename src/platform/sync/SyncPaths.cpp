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
