#include "TestEnvironment.h"

#include "data/ListChoice.h"

namespace {

store::CalendarPtr list(const QString& identifier, bool immutable = false)
{
    auto calendar = std::make_shared<store::Calendar>();
    calendar->calendarIdentifier = identifier;
    calendar->title = identifier.toUpper();
    calendar->immutable = immutable;
    return calendar;
}

QStringList identifiers(const QList<store::CalendarPtr>& rows)
{
    QStringList result;
    for (const store::CalendarPtr& row : rows)
        result << row->calendarIdentifier;
    return result;
}

// The store's order: a, b, c, d (d cannot be changed).
QList<store::CalendarPtr> storeLists()
{
    return {list("a"), list("b"), list("c"), list("d", true)};
}

} // namespace

class TestListChoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsPutShownListsFirstInTheirOrder()
    {
        ListChoice choice;
        // "gone" names a list that no longer exists: it makes no row.
        choice.setupLists(storeLists(), {"c", "gone", "a"});
        QCOMPARE(identifiers(choice.lists()), QStringList({"c", "a", "b", "d"}));
        QCOMPARE(choice.visibleInRowOrder(), QStringList({"c", "a"}));
        QCOMPARE(choice.invisibleInRowOrder(), QStringList({"b", "d"}));
    }

    void dragsLandAboveTheDropRow_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("third onto the first") << 2 << 0 << QStringList{"c", "a", "b", "d"};
        QTest::newRow("first onto the third: second") << 0 << 2 << QStringList{"b", "a", "c", "d"};
        QTest::newRow("first to the end") << 0 << 4 << QStringList{"b", "c", "d", "a"};
        QTest::newRow("out of range") << 7 << 0 << QStringList{"a", "b", "c", "d"};
    }

    void dragsLandAboveTheDropRow()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, rows);
        ListChoice choice;
        choice.setupLists(storeLists(), {"a", "b"});
        choice.moveList(from, to);
        QCOMPARE(identifiers(choice.lists()), rows);
        // The stored order follows the rows, not the order the lists were shown in.
        QStringList shown;
        for (const QString& row : rows)
            if (row == "a" || row == "b")
                shown << row;
        QCOMPARE(choice.visibleInRowOrder(), shown);
    }

    void theLastShownListAndCalendarStay()
    {
        ListChoice choice;
        choice.setupLists(storeLists(), {"b"});
        QVERIFY(!choice.hideList("b"));
        choice.showList("a");
        QVERIFY(choice.hideList("b"));
        QCOMPARE(choice.visibleInRowOrder(), QStringList{"a"});

        choice.setupCalendars({list("x"), list("y")}, {"y"});
        QVERIFY(!choice.hideCalendar("y"));

        // No calendar chosen shows every calendar.
        choice.setupCalendars({list("x"), list("y"), list("z")}, {});
        QCOMPARE(choice.visibleCalendars(), QStringList({"x", "y", "z"}));
        QVERIFY(choice.hideCalendar("y"));
        QCOMPARE(choice.visibleCalendarsInRowOrder(), QStringList({"x", "z"}));
    }

    void deletingNeedsOneHiddenChangeableList_data()
    {
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("allowed");
        // Rows with "a" and "b" shown: a, b, c, d.
        QTest::newRow("hidden list") << QStringList{"a", "b"} << QList<int>{2} << true;
        QTest::newRow("shown list") << QStringList{"a", "b"} << QList<int>{0} << false;
        QTest::newRow("immutable list") << QStringList{"a", "b"} << QList<int>{3} << false;
        QTest::newRow("two selected") << QStringList{"a", "b"} << QList<int>{2, 3} << false;
        QTest::newRow("one list shown") << QStringList{"a"} << QList<int>{2} << false;
    }

    void deletingNeedsOneHiddenChangeableList()
    {
        QFETCH(QStringList, shown);
        QFETCH(QList<int>, selected);
        QFETCH(bool, allowed);
        ListChoice choice;
        choice.setupLists(storeLists(), shown);
        QCOMPARE(choice.canDelete(selected), allowed);
    }

    void removedAndAddedListsKeepTheSplitsRight()
    {
        ListChoice choice;
        choice.setupLists(storeLists(), {"a", "b"});
        choice.removeList("a");
        QCOMPARE(identifiers(choice.lists()), QStringList({"b", "c", "d"}));
        QCOMPARE(choice.visibleInRowOrder(), QStringList{"b"});
        // A list already gone from the rows changes nothing.
        choice.removeList("a");
        QCOMPARE(choice.lists().size(), 3);

        QList<store::CalendarPtr> all = storeLists();
        all << list("new");
        choice.addShownList(all, {"b"}, "new");
        QCOMPARE(choice.visibleInRowOrder(), QStringList({"b", "new"}));
        QCOMPARE(choice.rowOfList("new"), 1);
    }
};

VELMORAN_TEST_MAIN(TestListChoice)
#include "tst_listchoice.moc"
