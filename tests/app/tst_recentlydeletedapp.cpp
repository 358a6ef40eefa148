#include "RunningApp.h"
#include "TestEnvironment.h"

#include "app/RecentlyDeletedUpkeep.h"
#include "app/RecentlyDeletedWindows.h"
#include "platform/trash/RecentlyDeleted.h"

using namespace TestFiles;
using TestEnvironment::local;

// The application's side of Recently Deleted: the upkeep lets go of what is older than the
// kept days at start-up and once a day after, measured on the data manager's clock, and the
// Edit menu's opener keeps one window.
class TestRecentlyDeletedApp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_store->clock.setNow(local(2026, 12, 9, 10, 30));
        m_store->addList("home", "Home");
    }

    void cleanup() { m_store.reset(); }

    void purgesAtStartAndOnceADay()
    {
        const QString root = m_store->root();
        writeFile(root + "/home/old.ics", todo("old", "Old"));
        writeFile(root + "/home/recent.ics", todo("recent", "Recent"));
        Clock& clock = m_store->clock;
        trash::RecentlyDeleted trash;
        trash.empty();
        QVERIFY(trash.moveTask(root + "/home/old.ics", {"Old", "Home", "old", {}, {}},
                               trash::DeletedBy::Velmoran, clock.now().addDays(-40), nullptr,
                               nullptr));
        QVERIFY(trash.moveTask(root + "/home/recent.ics", {"Recent", "Home", "recent", {}, {}},
                               trash::DeletedBy::Sync, clock.now().addDays(-2), nullptr, nullptr));
        QVERIFY(m_store->load());
        RecentlyDeletedUpkeep upkeep(*m_store->manager);
        QSignalSpy purged(&upkeep, &RecentlyDeletedUpkeep::purged);
        upkeep.start();
        QVERIFY(purged.wait(10000));
        QCOMPARE(purged.takeFirst().at(0).toInt(), 1);
        QCOMPARE(trash.entries().size(), 1);
        QCOMPARE(trash.entries().constFirst().title, QString("Recent"));

        // Within the day, the hourly look leaves the trash alone.
        clock.advanceSeconds(23 * 60 * 60);
        upkeep.check();
        QVERIFY(!upkeep.isPurging());
        // A month later the recent one is past the 30 days too.
        clock.advanceSeconds(29 * 24 * 60 * 60);
        upkeep.check();
        QVERIFY(purged.wait(10000));
        QCOMPARE(purged.takeFirst().at(0).toInt(), 1);
        QVERIFY(trash.entries().isEmpty());
        upkeep.stop();
    }

    void oneWindowComesToTheFront()
    {
        UserDefaults& defaults = *m_store->defaults;
        defaults.setBool(false, PrefKey::initialLaunch);
        defaults.setBool(false, PrefKey::showMenuBar);
        QVERIFY(m_store->build());
        AppDelegate& delegate = *m_store->delegate;
        RecentlyDeletedWindows deleted(*m_store->manager, *m_store->modes, delegate);
        delegate.setWindows({.recentlyDeleted = &deleted});
        delegate.applicationDidFinishLaunching();

        deleted.openRecentlyDeleted();
        QPointer<RecentlyDeletedWindow> first = deleted.window();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        // Over the main window, which stays usable.
        QCOMPARE(first->parentWidget(), delegate.windowController());
        QCOMPARE(first->windowModality(), Qt::NonModal);
        first->hide();
        deleted.openRecentlyDeleted();
        QCOMPARE(deleted.window(), first.data());
        QVERIFY(first->isVisible());
        // Closed for good, the next opening makes a new one.
        first->close();
        QTRY_VERIFY(!first);
        deleted.openRecentlyDeleted();
        QVERIFY(deleted.window());
        QVERIFY(deleted.window()->isVisible());
        delegate.windowController()->close();
    }

private:
    std::optional<RunningApp> m_store;
};

VELMORAN_WIDGET_TEST_MAIN(TestRecentlyDeletedApp)
#include "tst_recentlydeletedapp.moc"
