#include "TestEnvironment.h"

#include "data/views/MonthGrid.h"

using TestEnvironment::local;

class TestMonthGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsOffsetAndHiddenCells_data()
    {
        QTest::addColumn<QDate>("month");
        QTest::addColumn<bool>("sundayFirst");
        QTest::addColumn<QDate>("gridStart");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("dayCount");
        QTest::addColumn<int>("weekRows");
        QTest::addColumn<int>("rowHeight");

        // February 2027 begins on a Monday.
        QTest::newRow("Feb 2027, Monday first: exactly four weeks")
            << QDate(2027, 2, 17) << false << QDate(2027, 2, 1) << 0 << 28 << 4 << 40;
        QTest::newRow("Feb 2027, Sunday first")
            << QDate(2027, 2, 1) << true << QDate(2027, 1, 31) << 1 << 28 << 5 << 34;
        // February 2026 begins on a Sunday.
        QTest::newRow("Feb 2026, Monday first: Sunday day 1")
            << QDate(2026, 2, 10) << false << QDate(2026, 1, 26) << 6 << 28 << 5 << 34;
        // November 2026 (30 days) and March 2026 (31 days) begin on a Sunday.
        QTest::newRow("Nov 2026, Monday first: six rows")
            << QDate(2026, 11, 30) << false << QDate(2026, 10, 26) << 6 << 30 << 6 << 28;
        QTest::newRow("Mar 2026, Monday first: six rows")
            << QDate(2026, 3, 1) << false << QDate(2026, 2, 23) << 6 << 31 << 6 << 28;
        // May 2026 begins on a Friday: six rows with weeks from Sunday, five from Monday.
        QTest::newRow("May 2026, Sunday first: six rows")
            << QDate(2026, 5, 31) << true << QDate(2026, 4, 26) << 5 << 31 << 6 << 28;
        QTest::newRow("leap February 2028, Monday first")
            << QDate(2028, 2, 29) << false << QDate(2028, 1, 31) << 1 << 29 << 5 << 34;
    }

    void rowsOffsetAndHiddenCells()
    {
        QFETCH(QDate, month);
        QFETCH(bool, sundayFirst);
        QFETCH(QDate, gridStart);
        QFETCH(int, offset);
        QFETCH(int, dayCount);
        QFETCH(int, weekRows);
        QFETCH(int, rowHeight);

        const MonthGrid grid(month.startOfDay().addSecs(15 * 3600), sundayFirst);
        QCOMPARE(grid.firstDay(), QDate(month.year(), month.month(), 1).startOfDay());
        QCOMPARE(grid.gridStart(), gridStart.startOfDay());
        QCOMPARE(grid.offset(), offset);
        QCOMPARE(grid.dayCount(), dayCount);
        QCOMPARE(grid.weekRows(), weekRows);
        QCOMPARE(grid.rowHeight(), rowHeight);

        int visible = 0;
        for (int index = 0; index < MonthGrid::kCellCount; ++index) {
            const bool inMonth = grid.cellDate(index).date().month() == month.month();
            QCOMPARE(grid.isCellVisible(index), inMonth);
            QCOMPARE(grid.dayForCell(index), inMonth ? grid.cellDate(index).date().day() : 0);
            visible += inMonth;
        }
        QCOMPARE(visible, dayCount);
    }

    void cellDatesAreMidnightsAcrossDaylightSavingChanges()
    {
        // March 2026 in Berlin loses an hour on Sunday the 29th, October 2026 gains one on
        // the 25th; plain adding of 24-hour steps would drift off midnight there.
        for (const QDateTime& month : {local(2026, 3, 10), local(2026, 10, 10)}) {
            for (bool sundayFirst : {false, true}) {
                const MonthGrid grid(month, sundayFirst);
                const QList<QDateTime> dates = grid.cellDates();
                QCOMPARE(dates.size(), MonthGrid::kCellCount);
                for (int index = 0; index < dates.size(); ++index) {
                    QCOMPARE(dates.at(index).time(), QTime(0, 0));
                    QCOMPARE(dates.at(index).date(), grid.gridStart().date().addDays(index));
                }
            }
        }
        const MonthGrid march(local(2026, 3, 10), false);
        const int sunday = march.offset() + 28;
        QCOMPARE(march.cellDate(sunday), local(2026, 3, 29));
        QCOMPARE(march.cellDate(sunday).secsTo(march.cellDate(sunday + 1)), 23 * 3600);
        QVERIFY(!march.cellDate(MonthGrid::kCellCount).isValid());
    }

    void headerDatesAreSevenDaysFromTheWeekStart()
    {
        const QList<QDateTime> days = MonthGrid::headerDates(local(2026, 10, 25));
        QCOMPARE(days.size(), 7);
        QCOMPARE(days.at(1), local(2026, 10, 26)); // the day after the 25-hour Sunday
        QCOMPARE(days.last(), local(2026, 10, 31));
    }
};

VELMORAN_TEST_MAIN(TestMonthGrid)
#include "tst_monthgrid.moc"
