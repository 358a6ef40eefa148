#include "TestEnvironment.h"

#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceField.h"
#include "prefs/PreferenceKeys.h"

#include <QTemporaryDir>

// Settings files edited by hand or by older versions hold values of the wrong kind; the window
// must show something sensible and put it right, never crash.
class TestPreferenceField : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wrongKindsShowTheDefaultAndAreRepaired_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("shown");
        QTest::addColumn<bool>("repaired");

        const auto number = [](qint64 n) { return QVariant::fromValue(n); };
        QTest::newRow("switch: text")
            << "switch" << QString(PrefKey::soundOn) << QVariant("yes") << QVariant(false) << true;
        QTest::newRow("switch: number stands for a boolean")
            << "switch" << QString(PrefKey::soundOn) << number(1) << QVariant(true) << false;
        QTest::newRow("choice: text where a number belongs")
            << "choice" << QString(PrefKey::fontSize) << QVariant("2") << number(1) << true;
        QTest::newRow("choice: out of range")
            << "choice" << QString(PrefKey::fontSize) << number(7) << number(1) << true;
        QTest::newRow("time: unreadable") << "time" << QString(PrefKey::nightModeAutoStartTime)
                                          << QVariant("half past") << QVariant("22:00") << true;
        QTest::newRow("time: one-digit hour reads")
            << "time" << QString(PrefKey::alarmTime) << QVariant("7:05") << QVariant("07:05")
            << false;
        QTest::newRow("minutes: zero")
            << "minutes" << QString(PrefKey::snooze) << number(0) << number(10) << true;
        // The empty word is the key left out.
        QTest::newRow("word: of none of the items") << "word" << QString(PrefKey::subtaskCompletion)
                                                    << QVariant("ask") << QVariant() << true;
        QTest::newRow("word: an item's") << "word" << QString(PrefKey::subtaskCompletion)
                                         << QVariant("only") << QVariant("only") << false;
    }

    void wrongKindsShowTheDefaultAndAreRepaired()
    {
        QFETCH(QString, kind);
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QVariant, shown);
        QFETCH(bool, repaired);

        QTemporaryDir dir;
        UserDefaults defaults(dir.filePath("prefs.json"));
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
        QCOMPARE(field.repair(defaults), repaired);
        QVERIFY(field.holdsValidValue(defaults));
        // A second store over the same file sees the repaired value.
        UserDefaults reread(dir.filePath("prefs.json"));
        QCOMPARE(field.value(reread), shown);
    }

    void typedMinutes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("minutes");
        QTest::newRow("number") << "25" << qint64(25);
        QTest::newRow("zero") << "0" << qint64(1);
        QTest::newRow("leading number") << "15min" << qint64(15);
        QTest::newRow("spaces") << "  7 " << qint64(7);
        QTest::newRow("very long") << "99999999999999999999999" << qint64(7 * 24 * 60);
    }

    void typedMinutes()
    {
        QFETCH(QString, text);
        QFETCH(qint64, minutes);
        QCOMPARE(PreferenceField::minutesFromText(text), minutes);
    }
};

VELMORAN_TEST_MAIN(TestPreferenceField)
#include "tst_preferencefield.moc"
