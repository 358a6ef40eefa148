#pragma once

#include "LoadedDataManager.h"
#include "TestContext.h"
#include "TestFiles.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>

#include <memory>
#include <optional>

// What the window suites over real tasks start each test with: a fresh folder, preferences at
// their defaults, a store folder of lists, and the data manager over it once
// its first refresh has come (load()). The context goes first, the folder last.
struct LoadedStore
{
    LoadedStore()
    {
        defaults = std::make_unique<UserDefaults>(dir.filePath("prefs.json"));
        context.emplace(defaults.get());
        setupDefaultPreferences(*defaults, nullptr);
    }

    QString root() const { return dir.filePath("store"); }

    // A list's folder as another program leaves it: its name, and its place when given.
    void addList(const QString& folder, const QByteArray& title, int order = -1) const
    {
        TestFiles::writeFile(root() + '/' + folder + "/displayname", title);
        if (order >= 0)
            TestFiles::writeFile(root() + '/' + folder + "/order", QByteArray::number(order));
    }

    // The manager after its first refresh; false (and a failed test) when it never came.
    bool load()
    {
        manager = loadedDataManager(*defaults, clock, root());
        return manager != nullptr;
    }

    // Waits until the refreshes our own writes started are over and a snapshot is there. The
    // store looks at a folder a quarter second after it last changed; nothing says it has.
    void settle() const
    {
        QTest::qWait(350);
        QTRY_VERIFY(!manager->isRefreshRunning() && manager->hasRemindersArray());
    }

    // Runs a change and waits for the refresh that the store's notice of it starts, then for
    // the refreshes to settle; false when none came or the change failed the test.
    bool afterRefresh(const std::function<void()>& change) const
    {
        QSignalSpy refreshed(manager.get(), &DataManager::remindersRefreshed);
        change();
        if (!refreshed.wait(5000))
            return false;
        settle();
        return !QTest::currentTestFailed();
    }

    QString listId(const QString& title) const
    {
        for (const store::CalendarPtr& list : manager->lists().allCalendars())
            if (list->title == title)
                return list->calendarIdentifier;
        return {};
    }

    // What the folders hold now, read afresh as another program would.
    QList<store::ReminderPtr> tasksOnDisk() const
    {
        store::EventStore fresh(QStringList{root()}, clock);
        return fresh.remindersMatchingPredicate(store::predicateForRemindersInCalendars({}));
    }

    // The titles of the tasks on disk, sorted.
    QStringList titlesOnDisk() const
    {
        QStringList titles;
        for (const store::ReminderPtr& reminder : tasksOnDisk())
            titles << reminder->title;
        titles.sort();
        return titles;
    }

    // The one task on disk of that title; null, and a warning, when there are none or several.
    store::ReminderPtr taskOnDisk(const QString& title) const
    {
        QList<store::ReminderPtr> found;
        for (const store::ReminderPtr& reminder : tasksOnDisk())
            if (reminder->title == title)
                found << reminder;
        if (found.size() != 1)
            qWarning() << title.left(40) << "is on disk" << found.size() << "times";
        return found.size() == 1 ? found.first() : nullptr;
    }

    QTemporaryDir dir;
    std::unique_ptr<UserDefaults> defaults;
    mutable Clock clock;
    std::unique_ptr<DataManager> manager;
    std::optional<TestContext> context;
};
