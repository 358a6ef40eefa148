#include "TestEnvironment.h"

#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/InvisibleLists.h"
#include "prefs/ListCatalog.h"
#include "prefs/PreferenceKeys.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTranslator>

namespace {

class StringListCatalog : public ListCatalog
{
public:
    explicit StringListCatalog(QStringList identifiers)
        : m_identifiers(std::move(identifiers))
    {}
    QStringList allListIdentifiers() const override { return m_identifiers; }

private:
    QStringList m_identifiers;
};

// A translator for the running application's language being German.
class GermanTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        static const QHash<QString, QString> german{
            {"Today", "Heute"},        {"Tomorrow", "Morgen"},     {"Next Week", "Nächste Woche"},
            {"Sunday", "Sonntag"},     {"Monday", "Montag"},       {"Tuesday", "Dienstag"},
            {"Wednesday", "Mittwoch"}, {"Thursday", "Donnerstag"}, {"Friday", "Freitag"},
            {"Saturday", "Samstag"}};
        if (qstrcmp(context, "SmartAdd") != 0)
            return {};
        return german.value(QString::fromUtf8(sourceText));
    }
};

QVariantMap field(const QVariantList& records, int index)
{
    return records.value(index).toMap();
}

} // namespace

class TestDefaultPreferences : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
    }

    void freshStoreGetsEveryDefault()
    {
        {
            UserDefaults defaults(path());
            StringListCatalog lists({"L1", "L2", "L3"});
            setupDefaultPreferences(defaults, &lists);
        }
        // A new reader of the same file: the defaults are durable, not volatile.
        UserDefaults stored(path());
        const QVariantMap expected{{"visibleLists", QVariantList()},
                                   {"sundayFirst", true},
                                   {"showCompleted", true},
                                   {"alarmOn", true},
                                   {"alarmTime", "08:00"},
                                   {"defaultList", ""},
                                   {"soundOn", false},
                                   {"addCount", 0},
                                   {"overdueNow", true},
                                   {"appIconBadgeType", 0},
                                   {"appIconBadgeOverdue", true},
                                   {"appIconBadgeUndated", false},
                                   {"locationLists", QVariantList()},
                                   {"backgroundRefresh", true},
                                   {"nightMode", false},
                                   {"nightModeAuto", true},
                                   {"nightModeAutoStartTime", "22:00"},
                                   {"nightModeAutoEndTime", "07:00"},
                                   {"visibleCalendars", QVariantList()},
                                   {"viewEvents", true},
                                   {"eventsPosition", 0},
                                   {"alwaysOnTop", false},
                                   {"defaultFont", 0},
                                   {"fontSize", 1},
                                   {"appIconBadge", 1},
                                   {"showMenuBar", true},
                                   {"smartAdd", true},
                                   {"snooze", 10},
                                   {"notifications", false},
                                   {"tagOnNotes", false},
                                   {"showEventDots", true},
                                   {"autoAddNewList", true},
                                   {"noDueTime", false},
                                   {"updateNote", true},
                                   {"currentVersion", 200},
                                   {"initialLaunch", true},
                                   {"FirstRun", false},
                                   {"invisibleLists", QVariantList()}};
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it) {
            QVERIFY2(stored.hasStoredValue(it.key()), qPrintable(it.key()));
            const QVariant value = stored.objectForKey(it.key());
            if (it.value().typeId() == QMetaType::Int)
                QCOMPARE(value.typeId(), QMetaType::LongLong);
            else if (it.value().typeId() == QMetaType::Bool)
                QCOMPARE(value.typeId(), QMetaType::Bool);
            QVERIFY2(value == it.value(), qPrintable(it.key()));
        }
        const QStringList structured{"filters", "listNavArray", "smartAddRules", "quickActionsMac"};
        QStringList keys = stored.dictionaryRepresentation().keys();
        for (const QString& key : structured)
            QVERIFY(keys.removeOne(key));
        keys.sort();
        QStringList expectedKeys = expected.keys();
        expectedKeys.sort();
        QCOMPARE(keys, expectedKeys);

        const QVariantMap filters = stored.dictionaryForKey("filters");
        QCOMPARE(filters.size(), 9);
        for (const QString period : {"day", "week", "month"}) {
            for (const QString what : {"Undated", "Completed", "Events"})
                QCOMPARE(filters.value(period + what), QVariant(true));
        }

        const QVariantList nav = stored.arrayForKey("listNavArray");
        QCOMPARE(nav.size(), 9);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(field(nav, i), (QVariantMap{{"type", i}}));
        QCOMPARE(field(nav, 6), (QVariantMap{{"type", 8}, {"tag", "Home"}}));
        QCOMPARE(field(nav, 7), (QVariantMap{{"type", 8}, {"tag", "Later"}}));
        QCOMPARE(field(nav, 8), (QVariantMap{{"type", 9},
                                             {"tag", "Smart List"},
                                             {"lists", QVariantList()},
                                             {"priorities", QVariantList{3}}}));

        const QVariantList rules = stored.arrayForKey("smartAddRules");
        QCOMPARE(rules.size(), 22);
        QCOMPARE(field(rules, 0),
                 (QVariantMap{{"type", 0}, {"resultType", 3}, {"word", "!"}, {"placeType", 1}}));
        QCOMPARE(field(rules, 3), (QVariantMap{{"type", 1}, {"resultType", 0}, {"word", "M/dd"}}));
        QCOMPARE(field(rules, 7), (QVariantMap{{"type", 2}, {"resultType", 6}, {"word", "/"}}));
        QCOMPARE(field(rules, 10), (QVariantMap{{"type", 0},
                                                {"resultType", 2},
                                                {"word", "Next Week"},
                                                {"result", "+1"},
                                                {"resultUnit", "Week"}}));
        QCOMPARE(
            field(rules, 11),
            (QVariantMap{{"type", 0}, {"resultType", 1}, {"word", "noon"}, {"result", "12:00"}}));
        QCOMPARE(
            field(rules, 21),
            (QVariantMap{{"type", 0}, {"resultType", 9}, {"word", "Saturday"}, {"result", "sat"}}));
        for (int i = 3; i < rules.size(); ++i)
            QVERIFY(!field(rules, i).contains("placeType"));

        const QVariantList actions = stored.arrayForKey("quickActionsMac");
        QCOMPARE(actions.size(), 10);
        QCOMPARE(field(actions, 1), (QVariantMap{{"type", 2}, {"tag", "Home"}}));
        QCOMPARE(field(actions, 5), (QVariantMap{{"type", 6}, {"number", 30}}));
        QCOMPARE(field(actions, 9), (QVariantMap{{"type", 12}, {"number", 1}}));
    }

    void currentStoreIsNotWritten_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("200") << 200;
        QTest::newRow("above") << 250;
    }

    void currentStoreIsNotWritten()
    {
        QFETCH(int, version);
        {
            UserDefaults writer(path());
            writer.setObjects({{"FirstRun", false},
                               {"currentVersion", version},
                               {"sundayFirst", false},
                               {"smartAddRules", QVariantList()}});
        }
        const QByteArray before = fileBytes();
        const QDateTime modified = QFileInfo(path()).lastModified();

        UserDefaults defaults(path());
        StringListCatalog lists({"L1"});
        setupDefaultPreferences(defaults, &lists);

        QCOMPARE(fileBytes(), before);
        QCOMPARE(QFileInfo(path()).lastModified(), modified);
        QCOMPARE(defaults.boolForKey("FirstRun"), false);
    }

    void blocksFollowTheStoredVersion_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("blockA");
        QTest::addColumn<bool>("blockB");
        QTest::addColumn<bool>("blockC");
        QTest::newRow("1") << 1 << true << true << true;
        QTest::newRow("99") << 99 << true << true << true;
        QTest::newRow("100") << 100 << false << true << true;
        QTest::newRow("119") << 119 << false << true << true;
        QTest::newRow("120") << 120 << false << false << true;
        QTest::newRow("121") << 121 << false << false << false;
        QTest::newRow("199") << 199 << false << false << false;
    }

    void blocksFollowTheStoredVersion()
    {
        QFETCH(int, version);
        QFETCH(bool, blockA);
        QFETCH(bool, blockB);
        QFETCH(bool, blockC);
        UserDefaults defaults(path());
        defaults.setObjects({{"FirstRun", false}, {"currentVersion", version}});
        setupDefaultPreferences(defaults, nullptr);

        QCOMPARE(defaults.hasStoredValue("sundayFirst"), blockA);
        QCOMPARE(defaults.hasStoredValue("filters"), blockA);
        QCOMPARE(defaults.hasStoredValue("fontSize"), blockB);
        QCOMPARE(defaults.hasStoredValue("appIconBadge"), blockB);
        QCOMPARE(defaults.hasStoredValue("showMenuBar"), blockC);
        QCOMPARE(defaults.integerForKey("snooze"), 10);
        QCOMPARE(defaults.boolForKey("updateNote"), true);
        QCOMPARE(defaults.integerForKey("currentVersion"), 200);
        // Not a first launch: the onboarding stays done.
        QVERIFY(!defaults.hasStoredValue("initialLaunch"));
        // "visibleLists" is only there when block A wrote it.
        QCOMPARE(defaults.hasStoredValue("invisibleLists"), blockA);
    }

    void upgradeFrom120KeepsFontsAndResetsSmartLists()
    {
        UserDefaults defaults(path());
        const QVariantList ownNav{QVariantMap{{"type", 8}, {"tag", "Errands"}}};
        defaults.setObjects({{"FirstRun", false},
                             {"currentVersion", 120},
                             {"defaultFont", 2},
                             {"fontSize", 0},
                             {"showMenuBar", false},
                             {"sundayFirst", false},
                             {"listNavArray", ownNav},
                             {"smartAddRules", QVariantList{QVariantMap{{"word", "asap"}}}},
                             {"quickActionsMac", QVariantList{QVariantMap{{"type", 4}}}},
                             {"snooze", 45}});
        setupDefaultPreferences(defaults, nullptr);

        QCOMPARE(defaults.integerForKey("defaultFont"), 2);
        QCOMPARE(defaults.integerForKey("fontSize"), 0);
        QCOMPARE(defaults.boolForKey("sundayFirst"), false);
        QCOMPARE(defaults.boolForKey("showMenuBar"), true);
        QVERIFY(!defaults.hasStoredValue("appIconBadge"));
        QCOMPARE(defaults.arrayForKey("listNavArray"), defaultListNavArray());
        QCOMPARE(defaults.arrayForKey("smartAddRules"), defaultSmartAddRules());
        QCOMPARE(defaults.arrayForKey("quickActionsMac"), defaultQuickActions());
        QCOMPARE(defaults.integerForKey("snooze"), 10);
    }

    void upgradeRecomputesInvisibleListsInStoreOrder()
    {
        UserDefaults defaults(path());
        defaults.setObjects({{"FirstRun", false},
                             {"currentVersion", 150},
                             {"visibleLists", QStringList{"D", "B"}},
                             {"invisibleLists", QStringList{"gone"}}});
        StringListCatalog lists({"A", "B", "C", "D", "E"});
        setupDefaultPreferences(defaults, &lists);

        QCOMPARE(defaults.stringArrayForKey("visibleLists"), (QStringList{"D", "B"}));
        QCOMPARE(defaults.stringArrayForKey("invisibleLists"), (QStringList{"A", "C", "E"}));
    }

    void upgradeWithoutVisibleListsLeavesInvisibleListsAlone()
    {
        UserDefaults defaults(path());
        defaults.setObjects(
            {{"FirstRun", false}, {"currentVersion", 150}, {"invisibleLists", QStringList{"A"}}});
        StringListCatalog lists({"A", "B"});
        setupDefaultPreferences(defaults, &lists);
        QCOMPARE(defaults.stringArrayForKey("invisibleLists"), QStringList{"A"});
    }

    void invisibleListsRule()
    {
        StringListCatalog lists({"A", "B", "C"});
        QCOMPARE(invisibleListsAccordingToVisibleList({}, &lists), QStringList());
        QCOMPARE(invisibleListsAccordingToVisibleList({"C", "gone"}, &lists),
                 (QStringList{"A", "B"}));
        QCOMPARE(invisibleListsAccordingToVisibleList({"A"}, nullptr), QStringList());

        {
            UserDefaults defaults(path());
            makeInvisibleListAccordingToVisibleList(defaults, &lists, {"B"});
        }
        QCOMPARE(UserDefaults(path()).stringArrayForKey("invisibleLists"), (QStringList{"A", "C"}));
    }

    void versionedStoreWithoutFirstRunKeepsItsChoices()
    {
        UserDefaults defaults(path());
        defaults.setObjects({{"currentVersion", 200}, {"sundayFirst", false}});
        setupDefaultPreferences(defaults, nullptr);
        QCOMPARE(defaults.integerForKey("currentVersion"), 200);
        QCOMPARE(defaults.boolForKey("sundayFirst"), false);
        QVERIFY(defaults.hasStoredValue("FirstRun"));
        QCOMPARE(defaults.boolForKey("FirstRun"), false);
        QVERIFY(!defaults.hasStoredValue("initialLaunch"));
    }

    void ruleWordsAreStoredInTheLanguageOfTheFirstRun()
    {
        GermanTranslator german;
        QVERIFY(QCoreApplication::installTranslator(&german));
        {
            UserDefaults defaults(path());
            setupDefaultPreferences(defaults, nullptr);
        }
        QCoreApplication::removeTranslator(&german);

        const QVariantList rules = UserDefaults(path()).arrayForKey("smartAddRules");
        QStringList words, results;
        for (const QVariant& rule : rules) {
            words << rule.toMap().value("word").toString();
            results << rule.toMap().value("result").toString();
        }
        QCOMPARE(words.mid(8, 3), (QStringList{"Heute", "Morgen", "Nächste Woche"}));
        QCOMPARE(words.at(11), QString("noon"));
        QCOMPARE(words.mid(15), (QStringList{"Sonntag", "Montag", "Dienstag", "Mittwoch",
                                             "Donnerstag", "Freitag", "Samstag"}));
        QCOMPARE(field(rules, 8).value("resultUnit").toString(), QString("Day"));
        QCOMPARE(results.mid(15), (QStringList{"sun", "mon", "tue", "wed", "thu", "fri", "sat"}));
        // The language changes back; the stored words do not follow it.
        QCOMPARE(field(defaultSmartAddRules(), 8).value("word").toString(), QString("Today"));
    }

private:
    QString path() const { return m_tmp->filePath("preferences.json"); }
    QByteArray fileBytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<QTemporaryDir> m_tmp;
};

VELMORAN_TEST_MAIN(TestDefaultPreferences)
#include "tst_defaultpreferences.moc"
