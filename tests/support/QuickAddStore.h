#pragma once

#include "LoadedStore.h"
#include "TestEnvironment.h"

#include "prefs/PreferenceKeys.h"

// What the quick-add suites start from: the lists Home and Work on Wednesday 9 December 2026
// at 09:40, without alarms, and 08:00 as the time a day's task is due. load() opens it.
struct QuickAddStore : LoadedStore
{
    QuickAddStore()
    {
        defaults->setBool(false, PrefKey::alarmOn);
        defaults->setString("08:00", PrefKey::alarmTime);
        clock.setNow(TestEnvironment::local(2026, 12, 9, 9, 40));
        addList("home", "Home", 0);
        addList("work", "Work", 1);
    }
};
