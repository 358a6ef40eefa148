#pragma once

#include "TestContext.h"

#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"

#include <QTemporaryDir>

#include <memory>
#include <optional>

// What the window suites start each test with: a fresh folder, preferences at their defaults
// in it with alarms off (so that nothing rings while a suite runs), and the context that makes
// them the ones the date texts and sounds read.
inline void setUpQuietPreferences(std::unique_ptr<QTemporaryDir>& dir,
                                  std::unique_ptr<UserDefaults>& defaults,
                                  std::optional<TestContext>& context)
{
    dir = std::make_unique<QTemporaryDir>();
    defaults = std::make_unique<UserDefaults>(dir->filePath("prefs.json"));
    context.emplace(defaults.get());
    setupDefaultPreferences(*defaults, nullptr);
    defaults->setBool(false, PrefKey::alarmOn);
}
