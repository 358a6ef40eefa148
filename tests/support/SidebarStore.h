#pragma once

#include "LoadedStore.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/TaskLists.h"
#include "prefs/PreferenceKeys.h"

// The store the sidebar suites start from: the lists Home (two tasks, one tagged #garden)
// and Work (one high-priority task tagged #garden) on 9 December 2026, with default
// preferences and sound on. `load()` opens it once the test has set its sidebar entries.
struct SidebarStore : LoadedStore
{
    SidebarStore()
    {
        using namespace TestFiles;
        defaults->setBool(true, PrefKey::soundOn);
        clock.setNow(TestEnvironment::local(2026, 12, 9, 10, 30));
        addList("home", "Home");
        addList("work", "Work");
        writeFile(root() + "/home/a.ics", todo("a", "Water plants #garden"));
        writeFile(root() + "/home/b.ics", todo("b", "Call mum"));
        writeFile(root() + "/work/c.ics", todo("c", "Report #garden", "PRIORITY:1\r\n"));
    }

    // The sidebar's preset and smart lists, as stored: {type, tag}.
    static QVariantMap entry(qint64 type, const QString& tag = {})
    {
        QVariantMap map{{"type", QVariant::fromValue(type)}};
        if (!tag.isEmpty())
            map.insert("tag", tag);
        return map;
    }
    void setNav(const QVariantList& nav) { defaults->setObject(nav, PrefKey::listNavArray); }
    DataManager& load()
    {
        if (!LoadedStore::load())
            qFatal("no data manager");
        return *manager;
    }
    store::CalendarPtr calendar(const QString& title) const
    {
        for (const store::CalendarPtr& list : manager->lists().allCalendars()) {
            if (list->title == title)
                return list;
        }
        return nullptr;
    }
};
