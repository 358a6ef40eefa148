#include "CalendarFiles.h"
#include "LoadedStore.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"

#include "data/CalendarEvents.h"
#include "data/views/DayGraphLayout.h"
#include "data/views/HourBuckets.h"

using namespace TestFiles;
using CalendarFiles::eventFile;
using TestEnvironment::local;

namespace {

using StoreQueries::titles;

} // namespace

// The tray panel's 25 hours over a real store: overdue tasks at the head of the first hour, each
// task in the hour its due date falls in (hours of elapsed time, across a change of the clocks
// too), events in every hour they overlap, and the three rows.
class TestHourBuckets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<LoadedStore>();
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/calendar/displayname", "Calendar");
    }

    void cleanup() { m_store.reset(); }

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

        m_store->defaults->setBool(false, PrefKey::viewEvents);
        for (const QList<store::EventPtr>& hour : fetchAt(local(2026, 12, 9, 20, 0)).events)
            QVERIFY(hour.isEmpty());
    }

    // Before the first refresh there is no snapshot: the tasks' side stays empty, so the panel
    // asks again.
    void nothingBeforeTheFirstRefresh()
    {
        m_store->clock.setNow(local(2026, 12, 9, 10, 0));
        DataManager manager(*m_store->defaults, m_store->clock, [this] {
            return std::make_unique<store::EventStore>(QStringList{root()}, m_store->clock);
        });
        const HourBuckets buckets =
            HourBuckets::fetch(manager.queries(), manager.events(), local(2026, 12, 9), true);
        QVERIFY(!buckets.hasReminders());
        QVERIFY(!buckets.hasEvents());
        QVERIFY(buckets.firstReminders(3).isEmpty());
    }

private:
    QString root() const { return m_store->root(); }

    HourBuckets fetchAt(const QDateTime& now)
    {
        m_store->clock.setNow(now);
        m_store->load();
        if (!m_store->manager)
            return {};
        const QDateTime windowStart = DayGraphLayout::windowStartFor(
            DayGraphLayout::startingDayOf(now), DayGraphLayout::timeFrameTypeOn(now));
        return HourBuckets::fetch(m_store->manager->queries(), m_store->manager->events(),
                                  windowStart, m_store->defaults->boolForKey(PrefKey::viewEvents));
    }

    std::unique_ptr<LoadedStore> m_store;
};

VELMORAN_TEST_MAIN(TestHourBuckets)
#include "tst_hourbuckets.moc"
