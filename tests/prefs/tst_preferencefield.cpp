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
        QTEST(field.repair(defaults), "repaired");
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
