#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/UbiquitousKeyValueStore.h"
#include "platform/UserDefaults.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

class TestUserDefaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
    }

    void absentAndMistypedKeysReadAsZeroValues()
    {
        UserDefaults defaults(path());
        QCOMPARE(defaults.boolForKey("missing"), false);
        QCOMPARE(defaults.integerForKey("missing"), 0);
        QVERIFY(defaults.stringForKey("missing").isNull());

        defaults.setString("yes", "flag");
        QCOMPARE(defaults.boolForKey("flag"), false);
        QCOMPARE(defaults.integerForKey("flag"), 0);
        defaults.setBool(true, "text");
        QVERIFY(defaults.stringForKey("text").isNull());
        QVERIFY(defaults.arrayForKey("text").isEmpty());

        // Numbers and booleans stand for each other, as the filter dictionary relies on.
        defaults.setInteger(1, "number");
        QCOMPARE(defaults.boolForKey("number"), true);
        defaults.setBool(true, "boolean");
        QCOMPARE(defaults.integerForKey("boolean"), 1);

        defaults.setObject(QVariantList{"a", 2}, "mixed");
        QVERIFY(defaults.stringArrayForKey("mixed").isEmpty());
    }

    void valuesKeepTheirTypesThroughTheFile()
    {
        const QDateTime when = TestEnvironment::local(2026, 3, 29, 2, 30).addMSecs(123);
        const QVariantMap nested{
            {"flag", true},
            {"count", QVariant::fromValue<qint64>(1LL << 53)},
            {"big", QVariant::fromValue<qint64>(9007199254740993LL)},
            {"ratio", 2.0},
            {"list", QVariantList{1, false, "x", QVariantList{QVariantMap{{"t", 8}}}}},
            {"when", when}};
        {
            UserDefaults writer(path());
            writer.setObject(nested, "dict");
            writer.setObject(QVariantList{true, 0, "0"}, "array");
        }
        UserDefaults reader(path());
        const QVariantMap read = reader.dictionaryForKey("dict");
        const QVariantList list = read.value("list").toList();
        const QVariantList array = reader.arrayForKey("array");
        QStringList types;
        for (const QVariant& value : {read["flag"], read["count"], read["ratio"], list.at(1),
                                      array.at(0), array.at(1), array.at(2)})
            types << value.metaType().name();
        QCOMPARE(types.join(' '), QString("bool qlonglong double bool bool qlonglong QString"));
        QCOMPARE(read.value("big").toLongLong(), 9007199254740993LL);
        QCOMPARE(read.value("when").toDateTime(), when);
        QCOMPARE(list.at(3).toList().at(0).toMap().value("t").toLongLong(), 8);
    }

    void registeredDefaultsAreVolatile()
    {
        {
            UserDefaults defaults(path());
            defaults.registerDefaults({{"FirstRun", true}});
            QCOMPARE(defaults.boolForKey("FirstRun"), true);
            QVERIFY(!defaults.hasStoredValue("FirstRun"));
            defaults.setBool(false, "FirstRun");
            QCOMPARE(defaults.boolForKey("FirstRun"), false);
            defaults.removeObjectForKey("FirstRun");
            QCOMPARE(defaults.boolForKey("FirstRun"), true);
            defaults.setInteger(3, "other");
        }
        UserDefaults again(path());
        QCOMPARE(again.boolForKey("FirstRun"), false);
        QVERIFY(!again.dictionaryRepresentation().contains("FirstRun"));
        QCOMPARE(again.integerForKey("other"), 3);
    }

    void twoProcessesMergeTheirWrites()
    {
        UserDefaults first(path());
        UserDefaults second(path());
        first.setInteger(1, "a");
        second.setInteger(2, "b"); // must not drop "a", which second never read
        first.setInteger(3, "c");
        second.removeObjectForKey("a");

        // first's own write took in second's "b" already; a listener of first must still hear
        // of it, and of a change a passing read takes in.
        QSignalSpy spy(&first, &UserDefaults::changed);
        QVERIFY(first.synchronize());
        const auto announced = [&spy] {
            QStringList keys;
            for (const QList<QVariant>& emission : std::as_const(spy))
                keys << emission.at(0).toString();
            spy.clear();
            keys.sort();
            return keys;
        };
        QCOMPARE(announced(), QStringList({"a", "b"}));
        const auto values = [](const UserDefaults& defaults) {
            return QStringList{defaults.dictionaryRepresentation().keys().join(','),
                               QString::number(defaults.integerForKey("b")),
                               QString::number(defaults.integerForKey("c"))}
                .join(' ');
        };
        QCOMPARE(values(first), QString("b,c 2 3"));
        QCOMPARE(values(UserDefaults(path())), QString("b,c 2 3"));

        second.setInteger(4, "b");
        QTRY_COMPARE(first.integerForKey("b"), 4);
        QVERIFY(first.synchronize());
        QCOMPARE(announced(), QStringList({"b"}));
    }

    void corruptFileIsMovedAsideNotLost()
    {
        TestFiles::writeFile(path(), "{\"visibleLists\": [\"abc\", ");

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is not a valid preference file"));
        UserDefaults defaults(path());
        QVERIFY(defaults.dictionaryRepresentation().isEmpty());
        const QStringList aside =
            QDir(m_tmp->path()).entryList({"prefs.json.corrupt-*"}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(TestFiles::readFile(m_tmp->filePath(aside.first())),
                 QByteArray("{\"visibleLists\": [\"abc\", "));

        defaults.setBool(true, "soundOn");
        UserDefaults reread(path());
        QCOMPARE(reread.boolForKey("soundOn"), true);
    }

    // Its folder is a file, which even root cannot write into.
    void unwritableFolderKeepsTheChangeInMemory()
    {
        TestFiles::writeFile(m_tmp->filePath("locked"), "a file, not a folder");
        UserDefaults defaults(m_tmp->filePath("locked/prefs.json"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot write"));
        defaults.setInteger(7, "x");
        QCOMPARE(defaults.integerForKey("x"), 7);
    }

private:
    QString path() const { return m_tmp->filePath("prefs.json"); }
    std::unique_ptr<QTemporaryDir> m_tmp;
};

VELMORAN_TEST_MAIN(TestUserDefaults)
#include "tst_userdefaults.moc"
