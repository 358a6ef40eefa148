#include "TestEnvironment.h"

#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/UpdateNote.h"

#include <QTemporaryDir>

// When the notes on what is new are due, over the real defaults routine and preference file.
class TestUpdateNote : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        QTemporaryDir dir;
        UserDefaults defaults(dir.filePath("prefs.json"));
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
};

VELMORAN_TEST_MAIN(TestUpdateNote)
#include "tst_updatenote.moc"
