#include "TestEnvironment.h"

#include "entry/SmartAddRule.h"

#include <QGuiApplication>

class TestSmartAddRule : public QObject
{
    Q_OBJECT

private Q_SLOTS:

    void unknownKeysAreKept()
    {
        const QVariantMap record{{"type", 0},
                                 {"resultType", 7},
                                 {"word", "al"},
                                 {"colour", "#ff0000"},
                                 {"note", QVariantMap{{"a", 1}}}};
        const SmartAddRule rule = SmartAddRule::fromVariant(record);
        const QVariantMap written = rule.toVariant();
        QCOMPARE(written.value("colour"), QVariant("#ff0000"));
        QCOMPARE(written.value("note"), record.value("note"));
        QVERIFY(!written.contains("placeType"));
        QVERIFY(!written.contains("result"));
        // Unknown keys are part of the rule's content.
        QVERIFY(!rule.sameRule(SmartAddRule::fromVariant(
            QVariantMap{{"type", 0}, {"resultType", 7}, {"word", "al"}})));
    }

    void wrongTypesReadAsZero_data()
    {
        QTest::addColumn<QVariant>("record");
        QTest::addColumn<qint64>("type");
        QTest::addColumn<qint64>("resultType");
        QTest::addColumn<QString>("word");
        QTest::addColumn<qint64>("place");

        QTest::newRow("strings for numbers")
            << QVariant(QVariantMap{{"type", "2"}, {"resultType", "6"}, {"word", "/"}}) << qint64(0)
            << qint64(0) << "/" << qint64(0);
        QTest::newRow("number for word")
            << QVariant(
                   QVariantMap{{"type", 0}, {"resultType", 3}, {"word", 7}, {"placeType", true}})
            << qint64(0) << qint64(3) << "" << qint64(1);
        QTest::newRow("doubles") << QVariant(QVariantMap{{"type", 1.0}, {"resultType", 1.9}})
                                 << qint64(1) << qint64(1) << "" << qint64(0);
        QTest::newRow("not finite")
            << QVariant(QVariantMap{{"type", std::numeric_limits<double>::infinity()},
                                    {"resultType", std::numeric_limits<double>::quiet_NaN()},
                                    {"placeType", 1e300}})
            << qint64(0) << qint64(0) << "" << qint64(0);
        QTest::newRow("not a dictionary")
            << QVariant("rule") << qint64(0) << qint64(0) << "" << qint64(0);
    }

    void wrongTypesReadAsZero()
    {
        QFETCH(QVariant, record);
        QFETCH(qint64, type);
        QFETCH(qint64, resultType);
        QFETCH(QString, word);
        QFETCH(qint64, place);
        const SmartAddRule rule = SmartAddRule::fromVariant(record);
        QCOMPARE(rule.type, type);
        QCOMPARE(rule.resultType, resultType);
        QCOMPARE(rule.word, word);
        QCOMPARE(rule.place(), place);
    }

    void contentComparison()
    {
        SmartAddRule time =
            SmartAddRule::fromVariant(QVariantMap{{"type", 1}, {"resultType", 1}, {"word", "hap"}});
        SmartAddRule matched = time;
        matched.value = QStringLiteral("3p");
        QVERIFY(time.sameRule(matched));
        QVERIFY(!(time == matched));
        // An absent place is place 0.
        SmartAddRule placed = time;
        placed.placeType = 0;
        QVERIFY(time.sameRule(placed));
        placed.placeType = 1;
        QVERIFY(!time.sameRule(placed));
        QVERIFY(containsSmartAddRule({placed, matched}, time));
        QVERIFY(!containsSmartAddRule({placed}, time));
    }
};

VELMORAN_TEST_MAIN(TestSmartAddRule)
#include "tst_smartaddrule.moc"
