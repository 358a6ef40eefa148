#include "LoadedStore.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/CalendarEvents.h"
#include "data/DataManager.h"
#include "data/views/DayGraphLayout.h"
#include "data/views/HourBuckets.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"

#include <QTemporaryDir>

using namespace TestFiles;
using TestEnvironment::local;

namespace {

using StoreQueries::titles;

QByteArray due(const QByteArray& when)
{
    return "DUE;TZID=Europe/Berlin:" + when + "\r\n";
}

QByteArray eventFile(const QByteArray& uid, const QByteArray& summary, const QByteArray& start,
                     const QByteArray& end)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VEVENT\r\nUID:" +
           uid + "\r\nSUMMARY:" + summary + "\r\nDTSTART;TZID=Europe/Berlin:" + start +
           "\r\nDTEND;TZID=Europe/Berlin:" + end + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

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

    // At 03:00 the window starts at 18:00 the evening before; the first hour holds every open
    // task due before then, the oldest first, ahead of its own.
    void overdueTasksLeadTheFirstHour()
    {
        writeFile(root() + "/home/1.ics", todo("1", "At six", due("20261208T183000")));
        writeFile(root() + "/home/2.ics", todo("2", "Long overdue", due("20261101T090000")));
        writeFile(root() + "/home/3.ics", todo("3", "Last week", due("20261202T120000")));
        writeFile(root() + "/home/4.ics", todo("4", "Just before", due("20261208T175900")));
        writeFile(root() + "/home/5.ics",
                  todo("5", "Done", due("20261101T090000") + "STATUS:COMPLETED\r\n"));
        writeFile(root() + "/home/6.ics", todo("6", "Undated"));
        const HourBuckets buckets = fetchAt(local(2026, 12, 9, 3, 0));
        QCOMPARE(titles(buckets.reminders.at(0)),
                 (QStringList{"Long overdue", "Last week", "Just before", "At six"}));
    }

    // Four tasks in the first hour and one overdue: the overdue one and the first two of the
    // hour. A task due exactly at the end of an hour belongs to the next.
    void rowsAndHourBoundaries()
    {
        writeFile(root() + "/home/a.ics", todo("a", "Overdue", due("20261208T090000")));
        writeFile(root() + "/home/b.ics", todo("b", "At 6:40", due("20261209T064000")));
        writeFile(root() + "/home/c.ics", todo("c", "At 6:10", due("20261209T061000")));
        writeFile(root() + "/home/d.ics", todo("d", "At 6:30", due("20261209T063000")));
        writeFile(root() + "/home/e.ics", todo("e", "At 6:00", due("20261209T060000")));
        writeFile(root() + "/home/f.ics", todo("f", "At 7:00", due("20261209T070000")));
        const HourBuckets buckets = fetchAt(local(2026, 12, 9, 12, 5));
        // The afternoon block starts at 06:00.
        QCOMPARE(titles(buckets.reminders.at(0)),
                 (QStringList{"Overdue", "At 6:00", "At 6:10", "At 6:30", "At 6:40"}));
        QCOMPARE(titles(buckets.reminders.at(1)), QStringList{"At 7:00"});
        QCOMPARE(titles(buckets.firstReminders(3)), (QStringList{"Overdue", "At 6:00", "At 6:10"}));
    }

    // 29 March 2026 skips 02:00 to 03:00: the hour after 01:00 is 03:00.
    void hoursAreElapsedHoursOnTheShortDay()
    {
        writeFile(root() + "/home/a.ics", todo("a", "Half past one", due("20260329T013000")));
        writeFile(root() + "/home/b.ics", todo("b", "Quarter past three", due("20260329T031500")));
        writeFile(root() + "/home/c.ics", todo("c", "Four", due("20260329T040000")));
        const HourBuckets buckets = fetchAt(local(2026, 3, 29, 3, 30));
        // From 18:00 the evening before: 01:00 is hour 7, 03:00 hour 8, 04:00 hour 9.
        QCOMPARE(titles(buckets.reminders.at(7)), QStringList{"Half past one"});
        QCOMPARE(titles(buckets.reminders.at(8)), QStringList{"Quarter past three"});
        QCOMPARE(titles(buckets.reminders.at(9)), QStringList{"Four"});
    }

    // 25 October 2026 has 02:00 to 03:00 twice: the morning block's 25 hours end at 00:00.
    void hoursAreElapsedHoursOnTheLongDay()
    {
        writeFile(root() + "/home/a.ics", todo("a", "Four", due("20261025T040000")));
        writeFile(root() + "/home/b.ics", todo("b", "Late evening", due("20261025T233000")));
        const HourBuckets buckets = fetchAt(local(2026, 10, 25, 9, 0));
        // From midnight: 04:00 is five hours on, 23:30 twenty-four.
        QCOMPARE(titles(buckets.reminders.at(5)), QStringList{"Four"});
        QCOMPARE(titles(buckets.reminders.at(24)), QStringList{"Late evening"});
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
        const HourBuckets without = HourBuckets::fetch(
            m_store->manager->queries(), m_store->manager->events(), local(2026, 12, 9, 12, 0),
            m_store->defaults->boolForKey(PrefKey::viewEvents));
        for (const QList<store::EventPtr>& hour : without.events)
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
