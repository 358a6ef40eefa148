#include "TestEnvironment.h"

#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/TodayExtensionMirror.h"

#include <QGuiApplication>
#include <QTemporaryDir>

class TestTodayExtensionMirror : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
    }

    void copiesTheFiveValuesAndKeepsTheTheme()
    {
        UserDefaults standard(m_tmp->filePath("preferences.json"));
        setupDefaultPreferences(standard, nullptr);
        QVariantMap filters = standard.dictionaryForKey("filters");
        // The Filters page stores its check boxes as numbers.
        filters.insert("dayUndated", 0);
        filters.insert("weekUndated", 1);
        standard.setObjects({{"filters", filters},
                             {"overdueNow", false},
                             {"visibleLists", QStringList{"B", "A"}},
                             {"defaultList", "A"}});
        {
            UserDefaults suite(suitePath());
            suite.setInteger(3, "theme");
            matchPreferencesForTodayExtension(standard, suite);
        }

        UserDefaults widget(suitePath());
        QCOMPARE(widget.objectForKey("overdueNow"), QVariant(false));
        QCOMPARE(widget.objectForKey("undated"), QVariant(false));
        QCOMPARE(widget.objectForKey("viewEvents"), QVariant(true));
        QCOMPARE(widget.stringArrayForKey("visibleLists"), (QStringList{"B", "A"}));
        QCOMPARE(widget.stringForKey("defaultList"), QString("A"));
        QCOMPARE(widget.integerForKey("theme"), 3);
        QCOMPARE(widget.dictionaryRepresentation().size(), 6);

        filters.insert("dayUndated", 1);
        standard.setObject(filters, "filters");
        matchPreferencesForTodayExtension(standard, widget);
        QCOMPARE(UserDefaults(suitePath()).objectForKey("undated"), QVariant(true));
    }

    void absentValuesAreMirroredAsFalseOrNothing()
    {
        UserDefaults standard(m_tmp->filePath("preferences.json"));
        UserDefaults suite(suitePath());
        suite.setObjects({{"visibleLists", QStringList{"old"}},
                          {"defaultList", "old"},
                          {"undated", true},
                          {"viewEvents", true}});
        matchPreferencesForTodayExtension(standard, suite);

        UserDefaults widget(suitePath());
        QVERIFY(!widget.hasStoredValue("visibleLists"));
        QVERIFY(!widget.hasStoredValue("defaultList"));
        for (const char* key : {"overdueNow", "undated", "viewEvents"}) {
            QVERIFY2(widget.hasStoredValue(key), key);
            QCOMPARE(widget.objectForKey(key), QVariant(false));
        }
    }

private:
    QString suitePath() const { return m_tmp->filePath("suite.json"); }

    std::unique_ptr<QTemporaryDir> m_tmp;
};

VELMORAN_TEST_MAIN(TestTodayExtensionMirror)
#include "tst_todayextensionmirror.moc"
