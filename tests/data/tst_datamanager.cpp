#include "LoadedStore.h"
#include "SignalBursts.h"
#include "TestEnvironment.h"

#include "data/CalendarEvents.h"
#include "data/SharedDates.h"
#include "data/SidebarCounts.h"

#include <QSemaphore>

using namespace store;
using namespace TestFiles;

namespace {

// A list folder as another program (vdirsyncer, todoman) makes it.
void makeList(const QString& root, const QString& folder, const QString& title,
              const QList<QByteArray>& tasks = {})
{
    writeFile(root + "/" + folder + "/displayname", title.toUtf8());
    int n = 0;
    for (const QByteArray& summary : tasks) {
        const QByteArray uid = folder.toUtf8() + "-" + QByteArray::number(n++);
        writeFile(root + "/" + folder + "/" + uid + ".ics", todo(uid, summary));
    }
}

// A calendar folder with one event of these lines, the UID and summary among them.
void writeEvent(const QString& root, const QByteArray& uid, const QByteArray& lines)
{
    writeFile(root + "/cal/displayname", "Calendar");
    writeFile(root + "/cal/" + QString::fromLatin1(uid) + ".ics",
              "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:" + uid + "\r\n" +
                  lines + "END:VEVENT\r\nEND:VCALENDAR\r\n");
}

} // namespace

class TestDataManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_store->clock.setNow(TestEnvironment::local(2026, 12, 9, 10, 30)); // a Wednesday
        m_defaults = m_store->defaults.get();
        m_gate.reset();
        m_fetches.storeRelaxed(0);
    }

    void cleanup()
    {
        if (m_gate)
            m_gate->release(100);
        m_store.reset();
    }

    void initStoreLoadsTheVisibleListsAndCounts()
    {
        makeList(root(), "home", "Home", {"Laundry #Home", "Dishes"});
        makeList(root(), "work", "Work", {"Report"});
        DataManager& manager = create();
        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        QSignalSpy counted(&manager.counts(), &SidebarCounts::countsRefreshed);
        manager.initStore();
        QVERIFY(refreshed.wait(5000));
        QCOMPARE(manager.session().countForAllReminders(), 3u);
        QTRY_VERIFY(counted.count() >= 1);
        const CountDictionary counts = manager.counts().countDictionary();
        const auto count = [&counts](const ListEntry& entry) {
            return counts.countFor(entry).value_or(quint64(-1));
        };
        QCOMPARE(count(ListEntry::ofKind(ListKind::AllTasks)), 3u); // all open tasks
        QCOMPARE(count(ListEntry::tagList("Home")), 1u);            // the default tag list
        QCOMPARE(count(ListEntry::userList("Home", "home")), 2u);   // a list by title
        QVERIFY(counts.countFor(ListEntry::dateView(ListKind::Week)));
    }

    // The command line's load: done when the call returns, with no event loop turning, the
    // visible lists already checked, and no event read.
    void theLoadAtOnceNeedsNoEventLoopAndReadsNoEvents()
    {
        makeList(root(), "home", "Home", {"Laundry", "Dishes"});
        makeList(root(), "new", "Made elsewhere", {"Report"});
        writeEvent(root(), "e",
                   "DTSTART:20261209T120000Z\r\nRRULE:FREQ=DAILY\r\nSUMMARY:Daily\r\n");
        m_defaults->setObject(QStringList{"home"}, PrefKey::visibleLists);
        DataManager& manager = create();
        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        manager.initStoreNow();
        QCOMPARE(manager.session().countForAllReminders(), 3u);
        QCOMPARE(m_defaults->stringArrayForKey(PrefKey::visibleLists),
                 (QStringList{"home", "new"}));
        QVERIFY(!manager.events().eventWindow());
        QVERIFY(!manager.isRefreshRunning());
        QCOMPARE(refreshed.count(), 0);

        DataManager& listsOnly = create();
        listsOnly.initStoreNow(false);
        QVERIFY(!listsOnly.hasRemindersArray());
        QCOMPARE(listsOnly.lists().allCalendars().size(), 2);
    }

    void aRefreshAskedForWhileOneRunsIsDropped()
    {
        makeList(root(), "home", "Home", {"Laundry"});
        m_gate = std::make_unique<QSemaphore>(0);
        DataManager& manager = create();
        manager.initStore();
        QTRY_VERIFY(manager.isRefreshRunning());
        QVERIFY(!manager.queries().fetchUncompletedRemindersUntilToday().has_value());

        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        manager.refreshRemindersArray(); // dropped
        manager.handleNotification();    // dropped too
        m_gate->release(1);
        QVERIFY(refreshed.wait(5000));
        // A refresh kept for later would start now and block on the gate.
        QCoreApplication::processEvents();
        QVERIFY(!manager.isRefreshRunning());
        QCOMPARE(refreshed.count(), 1);
        QCOMPARE(m_fetches.loadRelaxed(), 1);
    }

    // Without events the refresh ends on the reminders; with them, days outside the window are
    // fetched again.
    void eventsAreFetchedOnlyWhenShownAndWhereAskedFor()
    {
        makeList(root(), "home", "Home", {"Laundry"});
        writeEvent(root(), "e",
                   "DTSTART:20261209T120000Z\r\nDTEND:20261209T130000Z\r\nSUMMARY:Lunch\r\n");
        writeEvent(root(), "far",
                   "DTSTART;VALUE=DATE:20271015\r\nDTEND;VALUE=DATE:20271016\r\nSUMMARY:Far\r\n");
        m_defaults->setObject(QStringList{"no-such-calendar"}, PrefKey::visibleCalendars);
        m_defaults->setBool(false, PrefKey::viewEvents);
        DataManager& manager = createLoaded();
        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        QVERIFY(!manager.events().eventWindow());

        m_defaults->setBool(true, PrefKey::viewEvents);
        manager.refreshRemindersArray();
        QVERIFY(refreshed.wait(5000));
        const auto today =
            manager.events().fetchEventsByType(EventWindow::Day, manager.dates().today());
        QVERIFY(today && today->size() == 1);

        // A day outside the window is fetched when asked for, and answered once it is.
        const QDateTime day = TestEnvironment::local(2027, 10, 15);
        QVERIFY(!manager.events().fetchEventsByType(EventWindow::Day, day).has_value());
        QVERIFY(refreshed.wait(5000));
        QCOMPARE(manager.dates().standardEventsDate(), day);
        const auto events = manager.events().fetchEventsByType(EventWindow::Day, day);
        QVERIFY(events && events->size() == 1); // the unknown calendar falls back to all
        QVERIFY(manager.events().fetchEventsByType(EventWindow::Day, day.addDays(1))->isEmpty());
    }

    void anEmptyVisibleArrayShowsEveryListInStoreOrder()
    {
        makeList(root(), "b", "Beta", {"One"});
        makeList(root(), "a", "Alpha", {"Two"});
        DataManager& manager = create();
        QCOMPARE(manager.lists().visibleLists(), (QStringList{"a", "b"}));

        m_defaults->setObject(QStringList{"b", "gone"}, PrefKey::visibleLists);
        QCOMPARE(manager.lists().visibleListsByCalendar().size(), 1);
        manager.lists().makeInvisibleListAccordingToVisibleList({"b"});
        QCOMPARE(m_defaults->stringArrayForKey(PrefKey::invisibleLists), QStringList{"a"});
        manager.lists().makeInvisibleListAccordingToVisibleList({});
        QVERIFY(m_defaults->stringArrayForKey(PrefKey::invisibleLists).isEmpty());
    }

    // Lists made by another program join the visible ones while autoAdd is on and the hidden
    // ones while it is off; a visible list deleted elsewhere drops out. While the app changes
    // lists itself, nothing is validated.
    void listsMadeElsewhereFollowAutoAdd()
    {
        makeList(root(), "a", "Alpha");
        makeList(root(), "b", "Beta");
        m_defaults->setObject(QStringList{"a"}, PrefKey::visibleLists);
        m_defaults->setObject(QStringList{"b"}, PrefKey::invisibleLists);
        DataManager& manager = create();
        QSignalSpy listsChanged(&manager.lists(), &TaskLists::visibleListsChanged);
        makeList(root(), "c", "Gamma");
        manager.refreshRemindersArray();
        QTRY_COMPARE(m_defaults->stringArrayForKey(PrefKey::visibleLists), (QStringList{"a", "c"}));
        QTRY_COMPARE(listsChanged.count(), 1);

        QVERIFY(QDir(root() + "/a").removeRecursively());
        waitForRefreshToEnd(manager);
        manager.refreshRemindersArray();
        QTRY_COMPARE(m_defaults->stringArrayForKey(PrefKey::visibleLists), QStringList{"c"});

        m_defaults->setBool(false, PrefKey::autoAddNewList);
        waitForRefreshToEnd(manager);
        makeList(root(), "d", "Delta");
        manager.refreshRemindersArray();
        QTRY_COMPARE(m_defaults->stringArrayForKey(PrefKey::invisibleLists),
                     (QStringList{"b", "d"}));
        QCOMPARE(m_defaults->stringArrayForKey(PrefKey::visibleLists), QStringList{"c"});

        waitForRefreshToEnd(manager);
        manager.lists().setDoNotValidate(true);
        makeList(root(), "e", "Epsilon");
        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        manager.refreshRemindersArray();
        QVERIFY(refreshed.wait(5000));
        waitForRefreshToEnd(manager);
        QCOMPARE(m_defaults->stringArrayForKey(PrefKey::invisibleLists), (QStringList{"b", "d"}));
    }

    // vdirsyncer moves a finished folder in when a server gains a calendar; other programs
    // make the folder in place, sometimes its files only a while later.
    void aListFolderThatAppearsIsLoadedByTheRefreshItsChangeStarts_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("made in place") << "in place";
        QTest::newRow("moved in finished") << "moved in";
        QTest::newRow("files written after the folder was seen") << "files later";
    }

    void aListFolderThatAppearsIsLoadedByTheRefreshItsChangeStarts()
    {
        QFETCH(QString, how);
        makeList(root(), "home", "Home", {"Laundry"});
        m_defaults->setObject(QStringList{"home"}, PrefKey::visibleLists); // chosen at onboarding
        DataManager& manager = createLoaded();
        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        QSignalSpy settling(manager.eventStore(), &EventStore::changed);
        QVERIFY(waitForQuiet(settling, 400)); // the first run's own folder events
        waitForRefreshToEnd(manager);
        QSignalSpy changed(manager.eventStore(), &EventStore::changed);
        refreshed.clear();

        const QString folder =
            how == "moved in" ? m_store->dir.filePath("incoming/new") : root() + "/new";
        writeFile(folder + "/displayname", "New");
        writeFile(folder + "/color", "#ff8800");
        auto writeTasks = [&] {
            for (const QByteArray uid : {"n1", "n2", "n3"})
                writeFile(folder + "/" + uid + ".ics",
                          todo(uid, "Due today " + uid, "DUE;VALUE=DATE:20261209\r\n"));
        };
        if (how == "files later") {
            QVERIFY(changed.wait(5000));
            QVERIFY(refreshed.wait(5000));
            waitForRefreshToEnd(manager);
            QCOMPARE(manager.session().countForAllReminders(), 1u);
            changed.clear();
            refreshed.clear();
        }
        writeTasks();
        if (how == "moved in")
            QVERIFY(QDir().rename(folder, root() + "/new"));

        QVERIFY(changed.wait(5000));
        QVERIFY(refreshed.wait(5000));
        QCOMPARE(manager.session().countForAllReminders(), 4u);
        QCOMPARE(manager.queries().fetchUncompletedRemindersOnDate(manager.dates().today())->size(),
                 3);
        QTRY_COMPARE(manager.counts().countDictionary().countFor(ListEntry::userList("New", "new")),
                     3u);
        QCOMPARE(m_defaults->stringArrayForKey(PrefKey::visibleLists),
                 (QStringList{"home", "new"}));
    }

    void theBadgeFollowsItsPreferences()
    {
        makeList(root(), "home", "Home");
        for (const auto& [uid, lines] :
             {std::pair{"y", "DUE;VALUE=DATE:20261208\r\n"},
              {"t", "DUE;TZID=Europe/Berlin:20261209T230000\r\n"},
              {"m", "DUE;VALUE=DATE:20261210\r\n"},
              {"u", ""},
              {"d", "STATUS:COMPLETED\r\nCOMPLETED:20261201T100000Z\r\n"}})
            writeFile(root() + "/home/" + uid + ".ics", todo(uid, uid, lines));
        DataManager& manager = create();
        QCOMPARE(manager.counts().calculateAppIconBadgeNumber(), 0u); // nothing fetched yet
        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        manager.initStore();
        QVERIFY(refreshed.wait(5000));

        m_defaults->setInteger(1, PrefKey::appIconBadgeType);
        m_defaults->setBool(true, PrefKey::appIconBadgeOverdue);
        QCOMPARE(manager.counts().calculateAppIconBadgeNumber(), 2u);
        m_defaults->setBool(false, PrefKey::appIconBadgeOverdue);
        QCOMPARE(manager.counts().calculateAppIconBadgeNumber(), 1u);
        m_defaults->setBool(true, PrefKey::appIconBadgeUndated);
        // The completed one is not undated.
        QCOMPARE(manager.counts().calculateAppIconBadgeNumber(), 2u);

        // The default shows that number; 2 shows every open task, 0 nothing.
        for (const auto& [badge, label] : {std::pair{1, "2"}, {2, "4"}, {0, ""}}) {
            m_defaults->setInteger(badge, PrefKey::appIconBadge);
            manager.counts().refreshCounts();
            QCOMPARE(manager.counts().badgeLabel(), QString(label));
        }
    }

private:
    QString root() const { return m_store->root(); }

    DataManager& create()
    {
        Clock& clock = m_store->clock;
        m_store->manager = std::make_unique<DataManager>(*m_defaults, clock, [this, &clock] {
            auto eventStore = std::make_unique<EventStore>(QStringList{root()}, clock);
            eventStore->setBeforeFetch([this] {
                m_fetches.fetchAndAddRelaxed(1);
                if (m_gate)
                    m_gate->acquire();
            });
            return eventStore;
        });
        return *m_store->manager;
    }

    // Created and through its first refresh, as the window starts it.
    DataManager& createLoaded()
    {
        DataManager& manager = create();
        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        manager.initStore();
        [&] { QVERIFY(refreshed.wait(5000)); }();
        return manager;
    }

    void waitForRefreshToEnd(DataManager& manager) { QTRY_VERIFY(!manager.isRefreshRunning()); }

    std::optional<LoadedStore> m_store;
    UserDefaults* m_defaults = nullptr;
    std::unique_ptr<QSemaphore> m_gate;
    QAtomicInt m_fetches;
};

VELMORAN_TEST_MAIN(TestDataManager)
#include "tst_datamanager.moc"
