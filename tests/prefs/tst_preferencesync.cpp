#include "TestEnvironment.h"

#include "platform/Clock.h"
#include "platform/UbiquitousKeyValueStore.h"
#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/ListDirectory.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceSync.h"

#include <QGuiApplication>
#include <QTemporaryDir>

using Entry = ListDirectory::Entry;

namespace {

constexpr uint kLocal = 0;
constexpr uint kRemote = 2;

// A machine's lists as plain records, for kinds a folder store cannot have.
class RecordedLists : public ListDirectory
{
public:
    QList<Entry> reminders;
    QList<Entry> calendars;
    std::optional<Entry> defaultList;

    QList<Entry> reminderLists() const override { return reminders; }
    QList<Entry> eventCalendars() const override { return calendars; }
    std::optional<Entry> defaultListForNewReminders() const override { return defaultList; }
};

QVariantMap ref(const QString& title, uint kind = kLocal)
{
    return {{"title", title}, {"type", QVariant::fromValue<qint64>(kind)}};
}

// One computer: its own preferences and widget suite, the sync folder every machine shares.
struct Machine
{
    Machine(const QString& folder, const QString& syncFolder, const ListDirectory& lists,
            Clock& clock)
        : standard(folder + "/preferences.json")
        , suite(folder + "/suite.json")
        , cloud(syncFolder)
        , modes(standard, [] { return false; })
        , sync(standard, suite, cloud, lists, modes, clock, [this] { ++loads; })
    {}

    bool load(const QVariantMap& set)
    {
        const int before = loads;
        sync.loadPreferencesWithDict(set);
        return QTest::qWaitFor([&] { return loads > before; }, 5000) && loads == before + 1;
    }

    int loads = 0;
    UserDefaults standard;
    UserDefaults suite;
    UbiquitousKeyValueStore cloud;
    ModeManager modes;
    PreferenceSync sync;
};

QString identifierOf(store::EventStore& eventStore, store::EntityType type, const QString& title)
{
    for (const store::CalendarPtr& collection : eventStore.calendarsForEntityType(type)) {
        if (collection->title == title)
            return collection->calendarIdentifier;
    }
    return {};
}

// A new collection whose folder is named like the server's identifiers a sync tool writes, so
// that equal titles on two machines get different identifiers.
QString addCollection(store::EventStore& eventStore, store::EntityType type, const QString& title,
                      const QString& folderSuffix)
{
    store::CalendarPtr collection = eventStore.calendarForEntityType(type);
    collection->title = title;
    if (!eventStore.saveCalendar(collection, true) ||
        !QDir().rename(collection->folderPath, collection->folderPath + folderSuffix))
        return {};
    return identifierOf(eventStore, type, title);
}

const QStringList kBooleanKeys =
    QString("sundayFirst alarmOn soundOn overdueNow appIconBadgeOverdue appIconBadgeUndated "
            "backgroundRefresh nightMode nightModeAuto viewEvents sideBar notifications smartAdd "
            "showMenuBar alwaysOnTop showEventDots noDueTime")
        .split(' ');
const QStringList kIntegerKeys = QString("appIconBadge appIconBadgeType fontSize minuteInterval "
                                         "urlOpen notiSound snooze font defaultFont")
                                     .split(' ');
const QStringList kObjectKeys =
    QString("alarmTime nightModeAutoStartTime nightModeAutoEndTime filters listNavArray "
            "locationLists quickAction quickActionsMac smartAddRules")
        .split(' ');

} // namespace

class TestPreferenceSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
        m_clock.setNow(TestEnvironment::local(2026, 3, 29, 9, 15));
        m_lists = {};
    }

    // Given two computers with the same lists under different identifiers and in another order,
    // when the first saves its preferences and the second loads that set, the
    // second ends with the same values, its own identifiers and a matching widget suite.
    void aSecondMachineLoadsTheSameValues()
    {
        using Kind = store::EntityType;
        store::EventStore storeA({m_tmp->filePath("storeA")}, m_clock);
        store::EventStore storeB({m_tmp->filePath("storeB")}, m_clock);
        QVERIFY(storeA.accessToEntityType(Kind::Reminder) &&
                storeB.accessToEntityType(Kind::Reminder));
        const QString workA = addCollection(storeA, Kind::Reminder, "Work", "-a");
        const QString homeA = addCollection(storeA, Kind::Reminder, "Home", "-a");
        const QString birthdaysA = addCollection(storeA, Kind::Event, "Birthdays", "-a");
        const QString homeB = addCollection(storeB, Kind::Reminder, "Home", "-b");
        const QString workB = addCollection(storeB, Kind::Reminder, "Work", "-b");
        const QString birthdaysB = addCollection(storeB, Kind::Event, "Birthdays", "-b");
        QVERIFY(!workA.isEmpty() && !birthdaysA.isEmpty() && workA != workB && homeA != homeB &&
                birthdaysA != birthdaysB);
        const QString remindersA = identifierOf(storeA, Kind::Reminder, "Reminders");
        const QString remindersB = identifierOf(storeB, Kind::Reminder, "Reminders");

        EventStoreListDirectory listsA([&] { return &storeA; });
        EventStoreListDirectory listsB([&] { return &storeB; });
        Machine a(m_tmp->filePath("a"), syncFolder(), listsA, m_clock);
        Machine b(m_tmp->filePath("b"), syncFolder(), listsB, m_clock);
        setupDefaultPreferences(a.standard, nullptr);
        setupDefaultPreferences(b.standard, nullptr);

        QVariantMap filters = a.standard.dictionaryForKey("filters");
        filters.insert("dayUndated", 0);
        QVariantList rules = a.standard.arrayForKey("smartAddRules");
        rules.removeLast();
        a.standard.setObjects({{"sundayFirst", false},
                               {"alarmOn", false},
                               {"nightModeAuto", false},
                               {"overdueNow", false},
                               {"sideBar", true},
                               {"alarmTime", "07:30"},
                               {"nightModeAutoStartTime", "21:45"},
                               {"filters", filters},
                               {"smartAddRules", rules},
                               {"quickAction", QVariantMap{{"legacy", 1}}},
                               {"fontSize", 2},
                               {"defaultFont", 3},
                               {"snooze", 25},
                               {"minuteInterval", 15},
                               {"visibleLists", QStringList{workA, "gone", remindersA}},
                               {"invisibleLists", QStringList{homeA}},
                               {"defaultList", workA},
                               {"visibleCalendars", QStringList{birthdaysA}}});
        a.suite.setInteger(2, "theme");

        a.sync.uploadPreferences();
        b.cloud.synchronize(); // what the folder watcher does once the sync service delivered
        const QList<SyncedPreferenceSet> seen = b.sync.syncedPreferenceSets();
        QCOMPARE(seen.size(), 1);
        QVERIFY(b.load(seen.first().values));

        // Keys absent on the first machine arrive as false and 0.
        for (const QString& key : kBooleanKeys)
            QVERIFY2(b.standard.objectForKey(key) == a.standard.boolForKey(key), qPrintable(key));
        for (const QString& key : kIntegerKeys)
            QVERIFY2(b.standard.objectForKey(key) == a.standard.integerForKey(key),
                     qPrintable(key));
        for (const QString& key : kObjectKeys)
            QVERIFY2(b.standard.objectForKey(key) == a.standard.objectForKey(key), qPrintable(key));
        QCOMPARE(b.standard.stringArrayForKey("visibleLists"), (QStringList{workB, remindersB}));
        QCOMPARE(b.standard.stringArrayForKey("invisibleLists"), QStringList{homeB});
        QCOMPARE(b.standard.stringForKey("defaultList"), workB);
        QCOMPARE(b.standard.stringArrayForKey("visibleCalendars"), QStringList{birthdaysB});

        // The widget suite follows the loaded values, and the theme travels with the set.
        UserDefaults widget(m_tmp->filePath("b/suite.json"));
        QCOMPARE(widget.integerForKey("theme"), 2);
        QCOMPARE(widget.stringArrayForKey("visibleLists"), (QStringList{workB, remindersB}));
        QCOMPARE(widget.stringForKey("defaultList"), workB);
        QCOMPARE(widget.objectForKey("undated"), QVariant(false));
    }

    void savingAddsTheNewestSetInFrontAndKeepsOthers()
    {
        Machine a(m_tmp->filePath("a"), syncFolder(), m_lists, m_clock);
        a.cloud.setObject("not an array", "syncedPreferences");
        QVERIFY(a.sync.syncedPreferenceSets().isEmpty());
        // Something a newer version or a confused machine left behind travels on untouched.
        const QVariantList foreign{QVariantMap{{"device", "Phone"}, {"futureKey", "x"}}, 42};
        a.cloud.setObject(foreign, "syncedPreferences");
        a.cloud.setObject("kept", "otherKey");

        a.sync.uploadPreferences();
        const QDateTime first = m_clock.now();
        m_clock.advanceSeconds(90);
        a.sync.uploadPreferences();

        UbiquitousKeyValueStore cloud(syncFolder());
        const QVariantList sets = cloud.arrayForKey("syncedPreferences");
        QCOMPARE(sets.size(), 4);
        QCOMPARE(sets.at(0).toMap().value("date").toDateTime(), first.addSecs(90));
        QCOMPARE(sets.at(1).toMap().value("date").toDateTime(), first);
        QCOMPARE(sets.mid(2), foreign);
        QCOMPARE(cloud.objectForKey("otherKey"), QVariant("kept"));

        // The window's list leaves out what is no set at all.
        const QList<SyncedPreferenceSet> listed = a.sync.syncedPreferenceSets();
        QCOMPARE(listed.size(), 3);
        QCOMPARE(listed.at(2).device, QString("Phone"));

        const QString host = QSysInfo::machineHostName();
        QCOMPARE(listed.first().device, host.isEmpty() ? QString("Linux") : host);
    }

    void savedListReferences()
    {
        m_lists.reminders = {{"r1", "Inbox", kLocal},
                             {"r2", "Work", kRemote},
                             {"r3", "Home", kLocal},
                             {"r4", "Later", kRemote}};
        m_lists.calendars = {{"c1", "Holidays", 3}, {"c2", "Team", kRemote}};
        m_lists.defaultList = m_lists.reminders.first();
        Machine a(m_tmp->filePath("a"), syncFolder(), m_lists, m_clock);
        a.standard.setObjects({{"visibleLists", QStringList{"r3", "deleted", "r2"}},
                               {"invisibleLists", QStringList{"r4", "r1", "elsewhere"}},
                               {"visibleCalendars", QStringList{"c2", "c9", "c1"}},
                               {"defaultList", "r2"}});

        QVariantMap set = a.sync.currentPreferenceSet();
        QCOMPARE(set.value("defaultList"), QVariant(ref("Work", kRemote)));
        QCOMPARE(set.value("visibleLists"),
                 QVariant(QVariantList{ref("Home"), ref("Work", kRemote)}));
        // Hidden lists go in store order, not in the order of the preference.
        QCOMPARE(set.value("invisibleLists"),
                 QVariant(QVariantList{ref("Inbox"), ref("Later", kRemote)}));
        QCOMPARE(set.value("visibleCalendars"),
                 QVariant(QVariantList{ref("Team", kRemote), ref("Holidays", 3)}));

        // A default list that is gone falls back to the store's default for new reminders.
        a.standard.setString("deleted", "defaultList");
        QCOMPARE(a.sync.currentPreferenceSet().value("defaultList"), QVariant(ref("Inbox")));
    }

    void loadingResolvesByExactTitleAndKind()
    {
        m_lists.reminders = {{"w-remote", "Work", kRemote},
                             {"h1", "Home", kLocal},
                             {"h2", "Home", kLocal},
                             {"lower", "work", kLocal},
                             {"s", "Shopping", kLocal}};
        m_lists.calendars = {{"c1", "Team", kRemote}};
        Machine b(m_tmp->filePath("b"), syncFolder(), m_lists, m_clock);
        b.standard.setObjects({{"defaultList", "s"}, {"visibleCalendars", QStringList{"old"}}});

        QVERIFY(b.load(
            {{"defaultList", ref("Work", kLocal)},
             {"visibleLists", QVariantList{ref("Work", kLocal), ref("Home"), ref("Shopping"),
                                           ref("Home"), ref("Work", kRemote)}},
             {"invisibleLists", QVariantList{ref("Nowhere"), QVariantMap{{"title", "work"}}}},
             {"visibleCalendars", QVariantList{ref("Team", kLocal)}}}));
        // Work exists here only from another kind: dropped, and the default list stays.
        QCOMPARE(b.standard.stringForKey("defaultList"), QString("s"));
        // Equal titles and kinds resolve to the first list in store order, once.
        QCOMPARE(b.standard.stringArrayForKey("visibleLists"),
                 (QStringList{"h1", "s", "w-remote"}));
        // Titles compare case and all; a reference without a kind is a local list.
        QCOMPARE(b.standard.stringArrayForKey("invisibleLists"), QStringList{"lower"});
        QVERIFY(b.standard.stringArrayForKey("visibleCalendars").isEmpty());

        QVERIFY(b.load({{"defaultList", ref("Home")}}));
        QCOMPARE(b.standard.stringForKey("defaultList"), QString("h1"));
        QCOMPARE(UserDefaults(m_tmp->filePath("b/suite.json")).stringForKey("defaultList"),
                 QString("h1"));

        // A malformed reference matches nothing, not even a list of its title.
        for (const QVariant& badDefault :
             {QVariant("Shopping"), QVariant(QVariantMap{{"title", "Shopping"}, {"type", -1}}),
              QVariant(QVariantMap{{"title", "Shopping"}, {"type", "0"}}),
              QVariant(QVariantList{ref("Shopping")})}) {
            QVERIFY(b.load({{"defaultList", badDefault}}));
            QCOMPARE(b.standard.stringForKey("defaultList"), QString("h1"));
        }
        QVERIFY(
            b.load({{"visibleLists",
                     QVariantList{3, "Home", QVariantMap{{"type", 0}},
                                  QVariantMap{{"title", "Home"}, {"type", 1e20}}, ref("Shopping")}},
                    {"invisibleLists", "Home"}}));
        QCOMPARE(b.standard.stringArrayForKey("visibleLists"), QStringList{"s"});
        QVERIFY(b.standard.arrayForKey("invisibleLists").isEmpty());
    }

    // A set written by a machine that lacked a key leaves the local value; list arrays are the
    // exception and come out empty.
    void keysAbsentFromTheSet()
    {
        m_lists.reminders = {{"r1", "Inbox", kLocal}};
        Machine b(m_tmp->filePath("b"), syncFolder(), m_lists, m_clock);
        setupDefaultPreferences(b.standard, nullptr);
        b.standard.setObjects({{"visibleLists", QStringList{"r1"}},
                               {"invisibleLists", QStringList{"r1"}},
                               {"visibleCalendars", QStringList{"c1"}},
                               {"defaultList", "r1"}});
        b.suite.setInteger(4, "theme");
        QVariantMap before = b.standard.dictionaryRepresentation();

        QVERIFY(b.load({{"device", "Old laptop"}, {"soundOn", true}}));
        QVariantMap after = b.standard.dictionaryRepresentation();
        QCOMPARE(after.take("soundOn"), QVariant(true));
        before.remove("soundOn");
        for (const char* key : {"visibleLists", "invisibleLists", "visibleCalendars"}) {
            QVERIFY2(b.standard.hasStoredValue(key) && after.take(key).toList().isEmpty(), key);
            before.remove(key);
        }
        QCOMPARE(after, before);
        QCOMPARE(b.suite.integerForKey("theme"), 4);
        QVERIFY(!b.standard.hasStoredValue("device"));
    }

    // A value of the wrong shape leaves the local one (and a theme that is no number none); a
    // number is read as the platform reads it.
    void valuesAreTakenAsThePlatformReadsThem_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("expected"); // none: the local value stays
        const auto row = [](const char* name, const char* key, const QVariant& value,
                            const QVariant& expected = {}) {
            QTest::newRow(name) << QString(key) << value << expected;
        };
        row("boolean as text", "sundayFirst", "YES");
        row("integer as text", "fontSize", "2");
        row("integer beyond range", "defaultFont", 1e300);
        row("time as number", "alarmTime", 8);
        row("filters as array", "filters", QVariantList{true});
        row("rules holding numbers", "smartAddRules", QVariantList{QVariantMap{}, 1});
        row("null object", "quickAction", QVariant());
        row("boolean from 1", "sundayFirst", 1, true);
        row("boolean from a fraction", "soundOn", 0.5, true);
        row("integer from a fraction", "snooze", 7.9, QVariant::fromValue<qint64>(7));
        row("integer from a boolean", "appIconBadge", true, QVariant::fromValue<qint64>(1));
    }

    void valuesAreTakenAsThePlatformReadsThem()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QVariant, expected);
        Machine b(m_tmp->filePath("b"), syncFolder(), m_lists, m_clock);
        setupDefaultPreferences(b.standard, nullptr);
        b.standard.setObject(QVariantMap{{"kept", true}}, "quickAction");
        const QVariant before = b.standard.objectForKey(key);

        const bool number = expected.isValid();
        QVERIFY(b.load({{key, value}, {"groupTheme", number ? QVariant(3.0) : QVariant("dark")}}));
        QCOMPARE(b.standard.objectForKey(key), number ? expected : before);
        QCOMPARE(b.suite.hasStoredValue("theme"), number);
        if (number)
            QCOMPARE(b.suite.integerForKey("theme"), 3);
    }

    // Another machine's save reaching this one is the sync tab's to show (tst_preferencewindow).
    void removingASetKeepsSetsAddedElsewhere()
    {
        Machine a(m_tmp->filePath("a"), syncFolder(), m_lists, m_clock);
        Machine b(m_tmp->filePath("b"), syncFolder(), m_lists, m_clock);
        a.sync.uploadPreferences();
        b.cloud.synchronize();
        QCOMPARE(b.sync.syncedPreferenceSets().size(), 1);
        const QVariantMap shown = b.sync.syncedPreferenceSets().first().values;
        m_clock.advanceSeconds(60);
        a.sync.uploadPreferences();

        QVERIFY(b.sync.removeSyncedPreferenceSet(shown));
        a.cloud.synchronize();
        const QList<SyncedPreferenceSet> left = a.sync.syncedPreferenceSets();
        QCOMPARE(left.size(), 1);
        QCOMPARE(left.first().date, m_clock.now());
        QVERIFY(!b.sync.removeSyncedPreferenceSet(shown));
        QCOMPARE(UbiquitousKeyValueStore(syncFolder()).arrayForKey("syncedPreferences").size(), 1);
    }

private:
    QString syncFolder() const { return m_tmp->filePath("sync"); }

    std::unique_ptr<QTemporaryDir> m_tmp;
    Clock m_clock;
    RecordedLists m_lists;
};

VELMORAN_TEST_MAIN(TestPreferenceSync)
#include "tst_preferencesync.moc"
