#pragma once

#include "FuzzTarget.h"

#include "platform/Clock.h"
#include "platform/UbiquitousKeyValueStore.h"
#include "platform/UserDefaults.h"
#include "prefs/ListDirectory.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceSync.h"

// Any bytes as the synced key-value file another machine (or another version) wrote into the
// sync folder. The store must read back exactly what the file holds; each saved preference set
// it lists is loaded into the preferences, where a value of the wrong shape must leave the key
// as it was (no preference changes its type), and removing a listed set removes exactly one.
class SyncedPrefsTarget : public FuzzTarget
{
public:
    explicit SyncedPrefsTarget(const QString& workFolder);
    QStringList run(QByteArrayView input) override;

private:
    QString m_syncFolder;
    Clock m_clock;
    UserDefaults m_standard;
    UserDefaults m_suite;
    UbiquitousKeyValueStore m_cloud;
    ModeManager m_modes;
    // No event store: every list a set names is one this machine does not have.
    EventStoreListDirectory m_lists;
    PreferenceSync m_sync;
    int m_loads = 0;
};
