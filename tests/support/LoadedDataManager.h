#pragma once

#include "data/DataManager.h"
#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"

#include <QSignalSpy>

#include <memory>

// A data manager over a real store in `root`, as the application builds it, after its first
// refresh has delivered; null (and a failed test) when that refresh never came.
inline std::unique_ptr<DataManager> loadedDataManager(UserDefaults& defaults, Clock& clock,
                                                      const QString& root)
{
    auto manager = std::make_unique<DataManager>(defaults, clock, [&clock, root] {
        return std::make_unique<store::EventStore>(QStringList{root}, clock);
    });
    QSignalSpy refreshed(manager.get(), &DataManager::remindersRefreshed);
    manager->initStore();
    if (!refreshed.wait(5000)) {
        QTest::qFail("the first refresh never arrived", __FILE__, __LINE__);
        return nullptr;
    }
    return manager;
}
