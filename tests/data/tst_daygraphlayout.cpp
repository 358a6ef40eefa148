#include "CalendarFiles.h"
#include "LoadedStore.h"
#include "ReminderBuilder.h"
#include "TestEnvironment.h"

#include "data/CalendarEvents.h"
#include "data/views/DayGraphLayout.h"
#include "data/views/HourBuckets.h"
#include "data/views/MonthGrid.h"

using namespace TestFiles;
using CalendarFiles::eventFile;
using StoreQueries::titles;
using TestEnvironment::local;

namespace {

// Buckets as the panel hands them over: 25 hours of tasks and, unless told otherwise, 25 hours of
// (possibly no) events.
HourBuckets emptyBuckets(bool withEvents = true)
{
    HourBuckets buckets;
    buckets.reminders.resize(HourBuckets::kHours);
    if (withEvents)
        buckets.events.resize(HourBuckets::kHours);
    return buckets;
}

// Events placed into every hour they overlap, the way the panel's fetch does.
HourBuckets bucketsWithEvents(const QDateTime& windowStart, const QList<store::EventPtr>& events)
{
    HourBuckets buckets = emptyBuckets();
    for (int k = 0; k < HourBuckets::kHours; ++k) {
        const QDateTime start = HourBuckets::bucketStart(windowStart, k);
        const QDateTime end = HourBuckets::bucketStart(windowStart, k + 1);
        for (const store::EventPtr& e : events)
            if (e->startDate < end && e->endDate.addSecs(-1) >= start)
                buckets.events[k].append(e);
    }
    return buckets;
}

QStringList clockTimes(const QList<QDateTime>& times)
{
    QStringList texts;
    for (const QDateTime& time : times)
        texts << time.toString(QStringLiteral("ddd HH:mm"));
    return texts;
}

} // namespace

// The day graph's arithmetic with a set clock in Europe/Berlin: the four six-hour blocks on
// ordinary days and on the days the clocks change (29 March 2026 has 23 hours, 25 October 2026
// has 25), the height rules, the dots, the event bars (crossing midnight too) and the now line;
// and the month strip's grid of days over the same changes.
class TestDayGraphLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { m_store.reset(); }

    // The block turns at 06:00, 12:00 and 18:00 on the wall clock even on the days the clocks
    // change; the window is then 25 elapsed hours, so a label names the clock time under it.
    // Each case: now, the block, the labels, and the hours from the window's start to now.
    void blocksFollowTheWallClockAndMoveTheWindow()
    {
        using Case = std::tuple<QDateTime, int, const char*, qreal>;
        for (const auto& [now, type, labels, hours] :
             {// An ordinary day: the labels read the same clock times as the blocks.
              Case{local(2026, 12, 9, 5, 59), 3,
                   "Tue 18:00,Wed 00:00,Wed 06:00,Wed 12:00,Wed 18:00", 11 + 59 / 60.0},
              Case{local(2026, 12, 9, 6, 0), 0, "Wed 00:00,Wed 06:00,Wed 12:00,Wed 18:00,Thu 00:00",
                   6},
              // 29 March 2026: 02:00 becomes 03:00; 18:00 to 03:30 is 8.5 hours.
              Case{local(2026, 3, 29, 3, 30), 3,
                   "Sat 18:00,Sun 00:00,Sun 07:00,Sun 13:00,Sun 19:00", 8.5},
              Case{local(2026, 3, 29, 6, 0), 0, "Sun 00:00,Sun 07:00,Sun 13:00,Sun 19:00,Mon 01:00",
                   5},
              Case{local(2026, 3, 29, 12, 30), 1,
                   "Sun 06:00,Sun 12:00,Sun 18:00,Mon 00:00,Mon 06:00", 6.5},
              // 25 October 2026: 03:00 becomes 02:00 again; 18:00 to 04:30 is 11.5 hours.
              Case{local(2026, 10, 25, 4, 30), 3,
                   "Sat 18:00,Sun 00:00,Sun 05:00,Sun 11:00,Sun 17:00", 11.5},
              Case{local(2026, 10, 25, 6, 0), 0,
                   "Sun 00:00,Sun 05:00,Sun 11:00,Sun 17:00,Sun 23:00", 7},
              Case{local(2026, 10, 25, 12, 0), 1,
                   "Sun 06:00,Sun 12:00,Sun 18:00,Mon 00:00,Mon 06:00", 6}}) {
            DayGraphLayout layout;
            QVERIFY(layout.refresh(emptyBuckets(), now));
            QCOMPARE(layout.timeFrameType(), type);
            QCOMPARE(clockTimes(layout.labelTimes()).join(u','), labels);
            QCOMPARE(layout.windowStart(), layout.labelTimes().constFirst());
            QCOMPARE(
                layout.windowStart().secsTo(HourBuckets::bucketStart(layout.windowStart(), 25)),
                25 * 3600);
            QCOMPARE(layout.nowLineX(), 36 + hours * 13);
        }

        // The first refresh, a new block and a new day move the window; a refresh within the
        // same block does not.
        DayGraphLayout layout;
        QVERIFY(layout.refresh(emptyBuckets(), local(2026, 12, 9, 5, 58)));
        QVERIFY(!layout.refresh(emptyBuckets(), local(2026, 12, 9, 5, 59)));
        QVERIFY(layout.refresh(emptyBuckets(), local(2026, 12, 9, 6, 0)));
        QCOMPARE(layout.windowStart(), local(2026, 12, 9));
        QVERIFY(!layout.refresh(emptyBuckets(), local(2026, 12, 9, 11, 59)));
        QVERIFY(layout.refresh(emptyBuckets(), local(2026, 12, 9, 18, 0)));
        QVERIFY(!layout.refresh(emptyBuckets(), local(2026, 12, 9, 23, 59)));
        // Midnight: a new day, and back to the evening block.
        QVERIFY(layout.refresh(emptyBuckets(), local(2026, 12, 10, 0, 0)));
        QCOMPARE(layout.windowStart(), local(2026, 12, 9, 18, 0));
    }

    // Nothing; seven tasks without event buckets; seven tasks, one task, three tasks and two
    // events, six events with them: buckets of events, even empty ones, leave room between the
    // dots and the bars.
    void heightFollowsTheFullestHours()
    {
        QList<int> heights;
        for (const auto& [tasks, events, eventBuckets] :
             {std::tuple{0, 0, true}, std::tuple{7, 0, false}, std::tuple{7, 0, true},
              std::tuple{1, 0, true}, std::tuple{3, 2, true}, std::tuple{0, 6, true}}) {
            HourBuckets buckets = emptyBuckets(eventBuckets);
            for (int i = 0; i < tasks; ++i)
                buckets.reminders[5].append(ReminderBuilder(QString::number(i)));
            for (int i = 0; i < events; ++i)
                buckets.events[7].append(
                    eventOf(QString::number(i), local(2026, 12, 9, 7), local(2026, 12, 9, 8)));
            DayGraphLayout layout;
            layout.refresh(buckets, local(2026, 12, 9, 10, 0));
            heights << layout.height();
            QCOMPARE(layout.backgroundRect().height(), layout.height() - 40);
        }
        QCOMPARE(heights, (QList<int>{60, 120, 140, 80, 60 + 30 + 20 + 10, 100}));
    }

    // The task due first is at the top of its column; more than five squeeze into 80 points.
    void dotsHangFromTheTopOfTheirColumn()
    {
        HourBuckets buckets = emptyBuckets();
        for (int i = 0; i < 7; ++i)
            buckets.reminders[3].append(ReminderBuilder(QString::number(i)));
        buckets.reminders[10].append(ReminderBuilder("a"));
        buckets.reminders[10].append(ReminderBuilder("b"));
        DayGraphLayout layout;
        layout.refresh(buckets, local(2026, 12, 9, 10, 0));

        QList<qreal> sevenTops;
        QList<qreal> twoTops;
        for (const DayGraphLayout::Dot& dot : layout.dots()) {
            QCOMPARE(dot.rect.left(), qreal(30 + 13 * dot.column));
            (dot.column == 3 ? sevenTops : twoTops).append(dot.rect.top());
        }
        QCOMPARE(sevenTops, (QList<qreal>{22, 32, 42, 52, 62, 72, 82}));
        QCOMPARE(twoTops, (QList<qreal>{22, 37}));
        // The pointer finds a column by the same arithmetic.
        QCOMPARE(DayGraphLayout::columnAt(29.0), -1);
        QCOMPARE(DayGraphLayout::columnAt(42.9), 0);
        QCOMPARE(DayGraphLayout::columnAt(43.0), 1);
        QCOMPARE(DayGraphLayout::columnAt(355.0), -1);
    }

    // Each case: now, the event's start and end, and the bar's left edge and width.
    void eventBarsAndTheirRows()
    {
        using Case = std::tuple<QDateTime, QDateTime, QDateTime, qreal, qreal>;
        const QDateTime evening = local(2026, 12, 9, 20, 0); // the window: 12:00 Wed to 13:00 Thu
        for (const auto& [now, start, end, x, width] :
             {// Crossing midnight; begun yesterday; past the window's end; a whole day.
              Case{evening, local(2026, 12, 9, 23, 0), local(2026, 12, 10, 1, 0),
                   30 + 11 * 13 + 6.0, 26.0},
              Case{evening, local(2026, 12, 8, 9, 0), local(2026, 12, 9, 14, 0), 30.0,
                   2 * 13 + 6.0},
              Case{evening, local(2026, 12, 10, 10, 0), local(2026, 12, 10, 20, 0),
                   30 + 22 * 13 + 6.0, 325 - (22 * 13 + 6.0)},
              Case{evening, local(2026, 12, 9, 12, 0), local(2026, 12, 10, 12, 0), 30.0, 325.0},
              // 28 March 2026, 23:00 to 04:00 the next morning is four hours; 24 October six.
              Case{local(2026, 3, 29, 3, 30), local(2026, 3, 28, 23, 0), local(2026, 3, 29, 4, 0),
                   30 + 5 * 13 + 6.0, 4 * 13.0},
              Case{local(2026, 10, 25, 5, 0), local(2026, 10, 24, 23, 0), local(2026, 10, 25, 4, 0),
                   30 + 5 * 13 + 6.0, 6 * 13.0},
              // The morning block of the short day: midnight to 02:00 is two hours, then 03:00.
              Case{local(2026, 3, 29, 9, 0), local(2026, 3, 29, 3, 0), local(2026, 3, 29, 5, 0),
                   30 + 2 * 13 + 6.0, 2 * 13.0},
              Case{local(2026, 10, 25, 13, 0), local(2026, 10, 25, 1, 0), local(2026, 10, 25, 7, 0),
                   30.0, 13 + 6.0}}) {
            DayGraphLayout probe;
            probe.refresh(emptyBuckets(), now);
            DayGraphLayout layout;
            layout.refresh(bucketsWithEvents(probe.windowStart(), {eventOf("e", start, end)}), now);
            QCOMPARE(layout.eventBars().size(), 1);
            const QRectF bar = layout.eventBars().constFirst().rect;
            QCOMPARE(bar.left(), x);
            QCOMPARE(bar.width(), width);
            // One row: the bar in the top five points of a 15-point strip above the labels.
            QCOMPARE(layout.eventsRect(), QRectF(30, layout.height() - 20 - 15, 325, 15));
            QCOMPARE(bar.top(), layout.eventsRect().top());
        }

        // Overlapping events stack downwards, each drawn once on the row of its deepest position;
        // from the sixth row on one is not drawn at all.
        QList<store::EventPtr> events;
        for (int i = 0; i < 6; ++i)
            events.append(
                eventOf(QString::number(i), local(2026, 12, 9, 9, 0), local(2026, 12, 9, 11)));
        DayGraphLayout layout;
        layout.refresh(bucketsWithEvents(local(2026, 12, 9), events), local(2026, 12, 9, 10, 0));
        QCOMPARE(layout.eventBars().size(), 5);
        QCOMPARE(layout.eventsRect().height(), 55.0);
        for (int row = 0; row < 5; ++row) {
            QCOMPARE(layout.eventBars().at(row).event, events.at(row));
            QCOMPARE(layout.eventBars().at(row).rect.top(), layout.eventsRect().top() + 10 * row);
        }
    }

    // Each month as "first cell, offset of day 1, days, rows and their height". February 2027
    // begins on a Monday (exactly four weeks), February 2026, November 2026 (30 days) and March
    // 2026 (31) on a Sunday, May 2026 on a Friday (six rows from Sunday, five from Monday).
    void monthGridRowsOffsetAndHiddenCells()
    {
        QStringList grids;
        for (const auto& [month, sundayFirst] :
             {std::pair{QDate(2027, 2, 17), false}, std::pair{QDate(2027, 2, 1), true},
              std::pair{QDate(2026, 2, 10), false}, std::pair{QDate(2026, 11, 30), false},
              std::pair{QDate(2026, 3, 1), false}, std::pair{QDate(2026, 5, 31), true},
              std::pair{QDate(2028, 2, 29), false}}) {
            const MonthGrid grid(month.startOfDay().addSecs(15 * 3600), sundayFirst);
            QCOMPARE(grid.firstDay(), QDate(month.year(), month.month(), 1).startOfDay());
            QCOMPARE(grid.gridStart().time(), QTime(0, 0));
            grids << QString("%1 %2 %3 %4 %5")
                         .arg(grid.gridStart().toString(u"yyyy-MM-dd"))
                         .arg(grid.offset())
                         .arg(grid.dayCount())
                         .arg(grid.weekRows())
                         .arg(grid.rowHeight());
            int visible = 0;
            for (int index = 0; index < MonthGrid::kCellCount; ++index) {
                const bool inMonth = grid.cellDate(index).date().month() == month.month();
                QCOMPARE(grid.isCellVisible(index), inMonth);
                QCOMPARE(grid.dayForCell(index), inMonth ? grid.cellDate(index).date().day() : 0);
                visible += inMonth;
            }
            QCOMPARE(visible, grid.dayCount());
        }
        QCOMPARE(grids, (QStringList{"2027-02-01 0 28 4 40", "2027-01-31 1 28 5 34",
                                     "2026-01-26 6 28 5 34", "2026-10-26 6 30 6 28",
                                     "2026-02-23 6 31 6 28", "2026-04-26 5 31 6 28",
                                     "2028-01-31 1 29 5 34"}));
    }

    void monthGridCellDatesAreMidnightsAcrossDaylightSavingChanges()
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
        // The header's seven days from the week's start.
        const QList<QDateTime> days = MonthGrid::headerDates(local(2026, 10, 25));
        QCOMPARE(days.size(), 7);
        QCOMPARE(days.at(1), local(2026, 10, 26)); // the day after the 25-hour Sunday
        QCOMPARE(days.last(), local(2026, 10, 31));
    }

    // --- The hours over a store ------------------------------------------------------------
    // The tray panel's 25 hours over a real store: overdue tasks at the head of the first hour,
    // each task in the hour its due date falls in (hours of elapsed time, across a change of the
    // clocks too), events in every hour they overlap, and the three rows.

    // Each open task lands in the hour its due date falls in, counted in elapsed hours from the
    // window's start, so across a change of the clocks too; the first hour holds every open
    // task due before the window, the oldest first, ahead of its own. A task due exactly at the
    // end of an hour belongs to the next.
    void tasksFallInTheHourOfTheirDueDate_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QStringList>("tasks");    // "due title"; "-" for undated
        QTest::addColumn<QStringList>("expected"); // "hour:title" in bucket order
        // At 03:00 the window starts at 18:00 the evening before.
        QTest::newRow("overdue lead the first hour")
            << local(2026, 12, 9, 3, 0)
            << QStringList{"20261208T183000 At six",    "20261101T090000 Long overdue",
                           "20261202T120000 Last week", "20261208T175900 Just before",
                           "20261101T090000 Done",      "- Undated"}
            << QStringList{"0:Long overdue", "0:Last week", "0:Just before", "0:At six"};
        // The afternoon block starts at 06:00.
        QTest::newRow("hour boundaries")
            << local(2026, 12, 9, 12, 5)
            << QStringList{"20261208T090000 Overdue", "20261209T064000 At 6:40",
                           "20261209T061000 At 6:10", "20261209T063000 At 6:30",
                           "20261209T060000 At 6:00", "20261209T070000 At 7:00"}
            << QStringList{"0:Overdue", "0:At 6:00", "0:At 6:10",
                           "0:At 6:30", "0:At 6:40", "1:At 7:00"};
        // 29 March 2026 skips 02:00 to 03:00: from 18:00 the evening before, 01:00 is hour 7
        // and 03:00 hour 8.
        QTest::newRow("short day")
            << local(2026, 3, 29, 3, 30)
            << QStringList{"20260329T013000 Half past one", "20260329T031500 Quarter past three",
                           "20260329T040000 Four"}
            << QStringList{"7:Half past one", "8:Quarter past three", "9:Four"};
        // 25 October 2026 has 02:00 to 03:00 twice: the morning block's 25 hours end at 00:00.
        QTest::newRow("long day") << local(2026, 10, 25, 9, 0)
                                  << QStringList{"20261025T040000 Four",
                                                 "20261025T233000 Late evening"}
                                  << QStringList{"5:Four", "24:Late evening"};
    }

    void tasksFallInTheHourOfTheirDueDate()
    {
        QFETCH(QDateTime, now);
        QFETCH(QStringList, tasks);
        QFETCH(QStringList, expected);
        for (const QString& task : tasks) {
            const QByteArray when = task.section(' ', 0, 0).toLatin1();
            const QByteArray title = task.section(' ', 1).toUtf8();
            const QByteArray lines =
                (when == "-" ? QByteArray()
                             : QByteArray("DUE;TZID=Europe/Berlin:" + when + "\r\n")) +
                (title == "Done" ? "STATUS:COMPLETED\r\n" : "");
            writeFile(root() + "/home/" + title + ".ics", todo(title, title, lines));
        }
        const HourBuckets buckets = fetchAt(now);
        QStringList placed;
        for (int hour = 0; hour < buckets.reminders.size(); ++hour)
            for (const QString& title : titles(buckets.reminders.at(hour)))
                placed << QString::number(hour) + ':' + title;
        QCOMPARE(placed, expected);
        QStringList firstThree;
        for (const QString& entry : expected.mid(0, 3))
            firstThree << entry.section(':', 1);
        QCOMPARE(titles(buckets.firstReminders(3)), firstThree);
    }

    // An event crossing midnight is in every hour it overlaps, and not in the hour it ends at.
    void eventsFillEveryHourTheyOverlap()
    {
        writeFile(root() + "/calendar/late.ics",
                  eventFile("late", "Night shift", "20261209T230000", "20261210T020000"));
        writeFile(root() + "/calendar/lunch.ics",
                  eventFile("lunch", "Lunch", "20261209T130000", "20261209T133000"));
        const HourBuckets buckets = fetchAt(local(2026, 12, 9, 20, 0));
        // From 12:00.
        QCOMPARE(titles(buckets.events.at(1)), QStringList{"Lunch"});
        for (int hour = 11; hour <= 13; ++hour)
            QCOMPARE(titles(buckets.events.at(hour)), QStringList{"Night shift"});
        QVERIFY(buckets.events.at(14).isEmpty());
        // The same event object in each hour, so the graph draws it once.
        QCOMPARE(buckets.events.at(11).constFirst(), buckets.events.at(13).constFirst());

        panelStore().defaults->setBool(false, PrefKey::viewEvents);
        for (const QList<store::EventPtr>& hour : fetchAt(local(2026, 12, 9, 20, 0)).events)
            QVERIFY(hour.isEmpty());
    }

    // Before the first refresh there is no snapshot: the tasks' side stays empty, so the panel
    // asks again.
    void nothingBeforeTheFirstRefresh()
    {
        panelStore().clock.setNow(local(2026, 12, 9, 10, 0));
        DataManager manager(*panelStore().defaults, panelStore().clock, [this] {
            return std::make_unique<store::EventStore>(QStringList{root()}, panelStore().clock);
        });
        const HourBuckets buckets =
            HourBuckets::fetch(manager.queries(), manager.events(), local(2026, 12, 9), true);
        QVERIFY(!buckets.hasReminders());
        QVERIFY(!buckets.hasEvents());
        QVERIFY(buckets.firstReminders(3).isEmpty());
    }

private:
    // The panel's store, made on first use: a list and a calendar.
    LoadedStore& panelStore()
    {
        if (!m_store) {
            m_store = std::make_unique<LoadedStore>();
            writeFile(m_store->root() + "/home/displayname", "Home");
            writeFile(m_store->root() + "/calendar/displayname", "Calendar");
        }
        return *m_store;
    }
    QString root() { return panelStore().root(); }

    HourBuckets fetchAt(const QDateTime& now)
    {
        panelStore().clock.setNow(now);
        panelStore().load();
        if (!panelStore().manager)
            return {};
        const QDateTime windowStart = DayGraphLayout::windowStartFor(
            DayGraphLayout::startingDayOf(now), DayGraphLayout::timeFrameTypeOn(now));
        return HourBuckets::fetch(panelStore().manager->queries(), panelStore().manager->events(),
                                  windowStart,
                                  panelStore().defaults->boolForKey(PrefKey::viewEvents));
    }

    std::unique_ptr<LoadedStore> m_store;
};

VELMORAN_TEST_MAIN(TestDayGraphLayout)
#include "tst_daygraphlayout.moc"
