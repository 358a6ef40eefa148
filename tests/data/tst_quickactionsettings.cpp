#include "TestEnvironment.h"

#include "data/QuickActionSettings.h"

namespace {

QVariantMap action(qint64 type)
{
    return {{"type", type}};
}

QVariantMap action(qint64 type, const char* key, const QVariant& value)
{
    return {{"type", type}, {QString::fromLatin1(key), value}};
}

} // namespace

class TestQuickActionSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsReadAsTheMenuWordsThem_data()
    {
        QTest::addColumn<QVariant>("record");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("editable");
        QTest::newRow("clear") << QVariant(action(0)) << "Clear Due Date" << true;
        QTest::newRow("tag") << QVariant(action(2, "tag", "home")) << "#home" << true;
        QTest::newRow("word") << QVariant(action(19, "tag", "urgent")) << "urgent" << true;
        QTest::newRow("+1 minute") << QVariant(action(6, "number", 1)) << "+1 Minute" << true;
        QTest::newRow("-3 days") << QVariant(action(11, "number", 3)) << "-3 Days" << true;
        QTest::newRow("switch") << QVariant(action(20, "array", QVariantList{"#a", "#b", "c"}))
                                << "#a → #b → c" << true;
        // Kept, shown greyed: unknown kinds and values of the wrong type.
        QTest::newRow("unknown") << QVariant(action(42)) << "Unsupported Action" << false;
        QTest::newRow("number text")
            << QVariant(action(6, "number", "3")) << "Unsupported Action" << false;
        QTest::newRow("switch of numbers")
            << QVariant(action(20, "array", QVariantList{1, 2})) << "Unsupported Action" << false;
        QTest::newRow("not a record") << QVariant("Today") << "Unsupported Action" << false;
    }

    void rowsReadAsTheMenuWordsThem()
    {
        QFETCH(QVariant, record);
        QFETCH(QString, text);
        QFETCH(bool, editable);
        QCOMPARE(QuickActionSettings::rowText(record), text);
        QCOMPARE(QuickActionSettings::isEditable(record), editable);
    }

    void anEditReplacesTheFirstEqualRecordAndKeepsItsKeys()
    {
        QVariantMap marked = action(3);
        marked.insert("color", "red");
        QVariantList records{action(0), marked, action(3), marked};
        QVERIFY(QuickActionSettings::replace(
            records, marked, QuickAction::withDateShift(QuickAction::Unit::Hour, false, 2)));
        const QVariantMap expected{{"type", qint64(9)}, {"number", qint64(2)}, {"color", "red"}};
        QCOMPARE(records.at(1).toMap(), expected);
        QCOMPARE(records.at(3), QVariant(marked));
        // Deleted meanwhile: nothing comes back.
        QVERIFY(!QuickActionSettings::replace(records, action(4),
                                              QuickAction::withType(QuickAction::Today)));
        QCOMPARE(records.size(), 4);
    }

    void movesLandAboveTheTargetRow()
    {
        QVariantList records{action(0), action(3), action(4)};
        QVERIFY(QuickActionSettings::move(records, 0, 3));
        QCOMPARE(records, QVariantList({action(3), action(4), action(0)}));
        QVERIFY(QuickActionSettings::move(records, 2, 0));
        QCOMPARE(records, QVariantList({action(0), action(3), action(4)}));
        QVERIFY(!QuickActionSettings::move(records, 3, 0));
        QVERIFY(!QuickActionSettings::move(records, 0, 4));
    }
};

VELMORAN_TEST_MAIN(TestQuickActionSettings)
#include "tst_quickactionsettings.moc"
