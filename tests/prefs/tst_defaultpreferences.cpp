#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/ListEntry.h"
#include "data/QuickAction.h"
#include "entry/SmartAddRule.h"
#include "platform/UserDefaults.h"
#include "platform/i18n/InterfaceLanguage.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/InvisibleLists.h"
#include "prefs/ListCatalog.h"
#include "prefs/PreferenceField.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/SmartAddRuleSets.h"
#include "prefs/UpdateNote.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

struct StringListCatalog : ListCatalog
{
    explicit StringListCatalog(QStringList list)
        : identifiers(std::move(list))
    {}
    QStringList allListIdentifiers() const override { return identifiers; }
    QStringList identifiers;
};

} // namespace

// The preference file as the program finds it: the defaults of a first run and of an upgrade,
// values of the wrong kind, and when the notes on what is new are due.
class TestDefaultPreferences : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
    }

    // A first run writes durable values that every reader of them can use: numbers as 64-bit
    // integers and switches as booleans, the structured values in the shapes their readers
    // take, no list hidden and the onboarding still to come.
    void freshStoreGetsDurableReadableDefaults()
    {
        QVariantMap written;
        {
            UserDefaults defaults(path());
            StringListCatalog lists({"L1", "L2", "L3"});
            setupDefaultPreferences(defaults, &lists);
            written = defaults.dictionaryRepresentation();
        }
        // Habits of the locale and switches newer than the versioned blocks are registered at
        // every run, never stored (below).
        written.remove("sundayFirst");
        written.remove("smartAddRepeats");
        // A new reader of the same file: the defaults are stored, not merely registered.
        UserDefaults stored(path());
        QCOMPARE(stored.dictionaryRepresentation(), written);
        for (auto it = written.constBegin(); it != written.constEnd(); ++it) {
            QVERIFY2(stored.hasStoredValue(it.key()), qPrintable(it.key()));
            const int type = it.value().typeId();
            QVERIFY2(type != QMetaType::Int && type != QMetaType::Double &&
                         type != QMetaType::Float,
                     qPrintable(it.key()));
        }

        QCOMPARE(stored.integerForKey("currentVersion"), 200);
        QVERIFY(stored.boolForKey("initialLaunch"));
        QVERIFY(!stored.boolForKey("FirstRun"));
        QVERIFY(stored.stringArrayForKey("invisibleLists").isEmpty());

        // The sidebar's entries, the Smart Add rules and the quick actions are records their
        // readers know, and come back unchanged when written again.
        const QVariantList nav = stored.arrayForKey("listNavArray");
        QVERIFY(!nav.isEmpty());
        for (const ListEntry& entry : ListEntry::fromStoredArray(nav))
            QVERIFY(!entry.is(ListKind::Unknown) && !entry.isDateView());
        QCOMPARE(ListEntry::toStoredArray(ListEntry::fromStoredArray(nav)), nav);
        const QVariantList rules = stored.arrayForKey("smartAddRules");
        QVERIFY(!rules.isEmpty());
        QCOMPARE(SmartAddRule::listToVariant(SmartAddRule::listFromVariant(rules)), rules);
        const QVariantList actions = stored.arrayForKey("quickActionsMac");
        QVERIFY(!actions.isEmpty());
        for (const QuickAction& action : QuickAction::listFromVariant(actions))
            QVERIFY(action.isSupported());
    }

    // A store of this version or a newer one is left as it is, byte for byte.
    void currentStoreIsNotWritten()
    {
        for (const int version : {200, 250}) {
            UserDefaults(path()).setObjects({{"FirstRun", false},
                                             {"currentVersion", version},
                                             {"sundayFirst", false},
                                             {"smartAddRules", QVariantList()}});
            const QByteArray before = TestFiles::readFile(path());
            const QDateTime modified = QFileInfo(path()).lastModified();

            UserDefaults defaults(path());
            StringListCatalog lists({"L1"});
            setupDefaultPreferences(defaults, &lists);

            QCOMPARE(TestFiles::readFile(path()), before);
            QCOMPARE(QFileInfo(path()).lastModified(), modified);
            QCOMPARE(defaults.boolForKey("FirstRun"), false);
        }
    }

    void blocksFollowTheStoredVersion_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("blockA");
        QTest::addColumn<bool>("blockB");
        QTest::addColumn<bool>("blockC");
        QTest::newRow("99") << 99 << true << true << true;
        QTest::newRow("100") << 100 << false << true << true;
        QTest::newRow("120") << 120 << false << false << true;
        QTest::newRow("121") << 121 << false << false << false;
    }

    void blocksFollowTheStoredVersion()
    {
        QFETCH(int, version);
        QFETCH(bool, blockA);
        UserDefaults defaults(path());
        defaults.setObjects({{"FirstRun", false}, {"currentVersion", version}});
        setupDefaultPreferences(defaults, nullptr);

        QCOMPARE(defaults.hasStoredValue("filters"), blockA);
        QTEST(defaults.hasStoredValue("fontSize"), "blockB");
        QTEST(defaults.hasStoredValue("showMenuBar"), "blockC");
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

    // An upgrade recomputes the hidden lists in store order.
    void upgradesKeepTheListsAndChoices()
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

        // Without visible lists the hidden ones stay as they are.
        UserDefaults other(m_tmp->filePath("other.json"));
        other.setObjects(
            {{"FirstRun", false}, {"currentVersion", 150}, {"invisibleLists", QStringList{"A"}}});
        setupDefaultPreferences(other, &lists);
        QCOMPARE(other.stringArrayForKey("invisibleLists"), QStringList{"A"});

        // A versioned store without the first-run flag keeps its choices and is no first run.
        UserDefaults versioned(m_tmp->filePath("versioned.json"));
        versioned.setObjects({{"currentVersion", 200}, {"sundayFirst", false}});
        setupDefaultPreferences(versioned, nullptr);
        QCOMPARE(versioned.boolForKey("sundayFirst"), false);
        QVERIFY(versioned.hasStoredValue("FirstRun") && !versioned.boolForKey("FirstRun"));
        QVERIFY(!versioned.hasStoredValue("initialLaunch"));
    }

    // The Smart Add rules and the names of the sidebar and quick actions of a new store are in
    // the interface's language at that moment (the tag of the "Home" list and the quick action
    // that tags with it one and the same); a later language does not change them, nor does it
    // change an existing store's.
    void aNewStoreTakesTheLanguageOfTheFirstRun()
    {
        const auto start = [this] {
            UserDefaults defaults(path());
            setupDefaultPreferences(defaults, nullptr);
        };
        InterfaceLanguage::install(*QCoreApplication::instance(), QStringLiteral("de"));
        start();
        InterfaceLanguage::install(*QCoreApplication::instance(), QStringLiteral("en"));

        UserDefaults stored(path());
        const QVariantList nav = stored.arrayForKey("listNavArray");
        const auto tag = [](const QVariantList& records, int index) {
            return records.value(index).toMap().value("tag").toString();
        };
        QCOMPARE(tag(nav, 6), QString("Zuhause"));
        QCOMPARE(tag(nav, 8), QString("Intelligente Liste"));
        QCOMPARE(tag(stored.arrayForKey("quickActionsMac"), 1), QString("Zuhause"));
        QCOMPARE(tag(defaultListNavArray(), 6), QString("Home"));
        const QVariantList rules = stored.arrayForKey("smartAddRules");
        QCOMPARE(rules, SmartAddRuleSets::forLanguage("de"));
        QCOMPARE(defaultSmartAddRules(), SmartAddRuleSets::forLanguage("en"));
        start();
        QCOMPARE(UserDefaults(path()).arrayForKey("smartAddRules"), rules);
    }

    // The first day of the week follows the locale until a value is stored: the user's choice
    // or a synced set's, which then wins in any locale.
    void firstDayOfTheWeekFollowsTheLocale()
    {
        const QLocale before;
        const auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
        for (const auto& [locale, sundayFirst] :
             {std::pair{QLocale(QLocale::German, QLocale::Germany), false},
              {QLocale(QLocale::English, QLocale::UnitedStates), true}}) {
            QLocale::setDefault(locale);
            QVERIFY(!QFile::exists(path()) || QFile::remove(path()));
            UserDefaults defaults(path());
            setupDefaultPreferences(defaults, nullptr);
            QCOMPARE(defaults.boolForKey("sundayFirst"), sundayFirst);
            QVERIFY(!defaults.hasStoredValue("sundayFirst"));
            QCOMPARE(defaultPreferenceValue("sundayFirst"), QVariant(sundayFirst));

            defaults.setBool(!sundayFirst, "sundayFirst");
            UserDefaults again(path());
            setupDefaultPreferences(again, nullptr);
            QCOMPARE(again.boolForKey("sundayFirst"), !sundayFirst);
        }
    }

    // When the notes on what is new are due, over the defaults routine and the preference file.
    void dueOnceAfterAnUpdate_data()
    {
        QTest::addColumn<bool>("freshInstall");
        QTest::addColumn<QString>("settled"); // "" = never settled
        QTest::addColumn<bool>("due");
        QTest::newRow("first installation") << true << "" << false;
        QTest::newRow("onboarding closed half way, next start") << true << "0.1.0" << false;
        QTest::newRow("user of a release before the notes were settled") << false << "" << true;
        QTest::newRow("update from an older release") << false << "0.0.9" << true;
        QTest::newRow("same release again") << false << "0.1.0" << false;
    }
    void dueOnceAfterAnUpdate()
    {
        QFETCH(bool, freshInstall);
        QFETCH(QString, settled);
        UserDefaults defaults(path());
        setupDefaultPreferences(defaults, nullptr);
        QVERIFY(defaults.boolForKey(PrefKey::updateNote)); // as the defaults routine leaves it
        defaults.setBool(freshInstall, PrefKey::initialLaunch);
        if (!settled.isEmpty()) {
            defaults.setString(settled, UpdateNote::kVersionKey);
            // The main window cleared the flag when it showed the notes of that release.
            defaults.setBool(false, PrefKey::updateNote);
        }

        UpdateNote::settleForRelease(defaults, "0.1.0");
        UserDefaults stored(defaults.filePath());
        QTEST(stored.boolForKey(PrefKey::updateNote), "due");
        QCOMPARE(stored.stringForKey(UpdateNote::kVersionKey), QString("0.1.0"));

        // Shown (the flag cleared), the notes stay settled at the next start.
        defaults.setBool(false, PrefKey::updateNote);
        UpdateNote::settleForRelease(defaults, "0.1.0");
        QVERIFY(!defaults.boolForKey(PrefKey::updateNote));
    }

    // Settings files edited by hand or by older versions hold values of the wrong kind; the
    // window must show something sensible and put it right, never crash.
    void wrongKindsShowTheDefaultAndAreRepaired_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("shown");
        QTest::addColumn<bool>("repaired");

        const auto number = [](qint64 n) { return QVariant::fromValue(n); };
        const auto row = [](const char* name, const char* kind, QLatin1StringView key,
                            const QVariant& stored, const QVariant& shown, bool repaired) {
            QTest::newRow(name) << QString(kind) << QString(key) << stored << shown << repaired;
        };
        row("switch: text", "switch", PrefKey::soundOn, "yes", false, true);
        row("switch: number stands for a boolean", "switch", PrefKey::soundOn, number(1), true,
            false);
        row("choice: text where a number belongs", "choice", PrefKey::fontSize, "2", number(1),
            true);
        row("choice: out of range", "choice", PrefKey::fontSize, number(7), number(1), true);
        row("time: unreadable", "time", PrefKey::nightModeAutoStartTime, "half past", "22:00",
            true);
        row("time: one-digit hour reads", "time", PrefKey::alarmTime, "7:05", "07:05", false);
        row("minutes: zero", "minutes", PrefKey::snooze, number(0), number(10), true);
        // The empty word is the key left out.
        row("word: of none of the items", "word", PrefKey::subtaskCompletion, "ask", QVariant(),
            true);
        row("word: an item's", "word", PrefKey::subtaskCompletion, "only", "only", false);
    }

    void wrongKindsShowTheDefaultAndAreRepaired()
    {
        QFETCH(QString, kind);
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QVariant, shown);

        UserDefaults defaults(path());
        const QByteArray name = key.toLatin1();
        const QLatin1StringView latin(name);
        const PreferenceField field =
            kind == "switch"   ? PreferenceField::switchField(latin)
            : kind == "choice" ? PreferenceField::choiceField(latin, 3)
            : kind == "time"   ? PreferenceField::timeField(latin)
            : kind == "word"   ? PreferenceField::wordField(latin, {QString(), "all", "only"})
                               : PreferenceField::minutesField(latin);
        defaults.setObject(stored, key);
        QCOMPARE(field.value(defaults), shown);
        QTEST(field.repair(defaults), "repaired");
        QVERIFY(field.holdsValidValue(defaults));
        // A second store over the same file sees the repaired value.
        UserDefaults reread(path());
        QCOMPARE(field.value(reread), shown);
    }

    // Past what a week holds, and below a minute, the snooze is the nearest it may be.
    void typedMinutes()
    {
        for (const auto& [text, minutes] : {std::pair{"25", 25},
                                            {"0", 1},
                                            {"15min", 15},
                                            {"  7 ", 7},
                                            {"99999999999999999999999", 7 * 24 * 60}})
            QCOMPARE(PreferenceField::minutesFromText(QString::fromLatin1(text)), qint64(minutes));
    }

private:
    QString path() const { return m_tmp->filePath("preferences.json"); }

    std::unique_ptr<QTemporaryDir> m_tmp;
};

VELMORAN_TEST_MAIN(TestDefaultPreferences)
#include "tst_defaultpreferences.moc"
