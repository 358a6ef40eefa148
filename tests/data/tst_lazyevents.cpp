#include "CalendarFiles.h"
#include "LoadedStore.h"
#include "ReminderBuilder.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"

#include "data/CalendarEvents.h"

using namespace CalendarFiles;
using namespace TestFiles;
using StoreQueries::titles;
using TestEnvironment::local;

namespace {

// Series across both daylight-saving changes of 2026, an override and an exclusion, all-day
// events over several days and weeks, an event ending at midnight, a series with a count.
void writeCalendar(const QString& folder)
{
    writeFile(folder + "/displayname", "Calendar");
    writeFile(folder + "/standup.ics",
              calendar(vevent("standup", "Standup",
                              "DTSTART;TZID=Europe/Berlin:20260320T090000\r\n"
                              "DTEND;TZID=Europe/Berlin:20260320T091500\r\n"
                              "RRULE:FREQ=DAILY\r\n"
                              "EXDATE;TZID=Europe/Berlin:20260401T090000\r\n") +
                       vevent("standup", "Standup moved",
                              "RECURRENCE-ID;TZID=Europe/Berlin:20260403T090000\r\n"
                              "DTSTART;TZID=Europe/Berlin:20260403T150000\r\n"
                              "DTEND;TZID=Europe/Berlin:20260403T153000\r\n")));
    const QList<QByteArrayList> single{
        {"trip", "Trip", "DTSTART;VALUE=DATE:20260327\r\nDTEND;VALUE=DATE:20260402\r\n"},
        {"gym", "Gym",
         "DTSTART;VALUE=DATE:20260202\r\nDTEND;VALUE=DATE:20260203\r\n"
         "RRULE:FREQ=WEEKLY;BYDAY=MO,TH\r\n"},
        {"night", "Night shift",
         "DTSTART:20260301T223000\r\nDURATION:PT3H\r\nRRULE:FREQ=DAILY;INTERVAL=3\r\n"},
        {"call", "Call",
         "DTSTART:20260105T070000Z\r\nDTEND:20260105T073000Z\r\nRRULE:FREQ=WEEKLY;COUNT=30\r\n"},
        {"party", "Party", "DTSTART:20260328T220000\r\nDTEND:20260329T000000\r\n"},
        {"club", "Club",
         "DTSTART;TZID=Europe/Berlin:20260130T180000\r\nDURATION:PT2H\r\n"
         "RRULE:FREQ=MONTHLY;BYDAY=-1FR;UNTIL=20261231T000000Z\r\n"},
        {"early", "Early",
         "DTSTART;TZID=Europe/Berlin:20261020T023000\r\nDURATION:PT1H\r\n"
         "RRULE:FREQ=DAILY;COUNT=15\r\n"}};
    for (const QByteArrayList& event : single)
        writeFile(folder + '/' + QString::fromLatin1(event[0]) + ".ics",
                  calendar(vevent(event[0], event[1], event[2])));
}

// What tells one occurrence from another, in the order given.
QStringList keys(const QList<store::EventPtr>& events)
{
    QStringList keys;
    for (const store::EventPtr& event : events)
        keys << QStringLiteral("%1 %2 %3 %4")
                    .arg(event->eventIdentifier, event->title,
                         event->startDate.toString(Qt::ISODateWithMs),
                         event->endDate.toString(Qt::ISODateWithMs));
    return keys;
}

constexpr int kRange = -1; // a stretch outside any view, as the tray asks for

} // namespace

// The events are fetched for the days the views show; every answer must be the one the views
// took from a window of twelve months around their date.
class TestLazyEvents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_store = std::make_unique<LoadedStore>();
        writeCalendar(m_store->root() + "/calendar");
        m_store->addList("home", "Home");
        m_store->clock.setNow(local(2026, 6, 15, 10, 0));
        QVERIFY(m_store->load());
        const qsizetype year = yearAround(local(2026, 6, 15)).size();
        QVERIFY(year > 400);
        // The first refresh fetched the weeks around today, not the year.
        QVERIFY(!events().eventsArray().isEmpty());
        QVERIFY(events().eventsArray().size() < year / 10);
    }

    // In this order: each step goes on from the windows the steps before left, so views move
    // across the edges of what was fetched, day by day, week by week and month by month; each
    // answer is the one the twelve months around the view's own date give.
    void answersAreThoseOfTheFullWindow()
    {
        QList<std::tuple<int, QDateTime, QDateTime>> asks; // type, start, end of a range
        for (QDate day(2026, 3, 25); day <= QDate(2026, 4, 6); day = day.addDays(1))
            asks.append({EventWindow::Day, day.startOfDay(), {}});
        for (QDate day(2026, 10, 28); day >= QDate(2026, 10, 21); day = day.addDays(-1))
            asks.append({EventWindow::Day, day.startOfDay(), {}});
        for (QDate monday(2026, 3, 9); monday <= QDate(2026, 4, 20); monday = monday.addDays(7))
            asks.append({EventWindow::Week, monday.startOfDay(), {}});
        // Weeks that start on Sunday.
        asks.append({EventWindow::Week, local(2026, 3, 29), {}});
        asks.append({EventWindow::Week, local(2026, 10, 25), {}});
        for (int month = 1; month <= 12; ++month)
            asks.append({EventWindow::Month, local(2026, month, 1), {}});
        asks.append({EventWindow::Month, local(2026, 2, 1), {}});
        asks.append({kRange, local(2026, 3, 28, 20, 0), local(2026, 3, 29, 21, 0)});
        asks.append({kRange, local(2026, 3, 28, 21, 0), local(2026, 3, 29, 22, 0)});
        asks.append({kRange, local(2026, 10, 24, 23, 0), local(2026, 10, 25, 23, 0)});

        for (const auto& [type, start, end] : std::as_const(asks)) {
            const std::optional<QList<store::EventPtr>> lazy = answer(type, start, end);
            QVERIFY(lazy);
            const QList<store::EventPtr> year = yearAround(start);
            const QList<store::EventPtr> expected =
                type == kRange ? EventWindow::eventsOfRange(year, start, end)
                               : EventWindow::eventsOfPeriod(year, type, start);
            const QString which = QString::number(type) + ' ' + start.toString(Qt::ISODate) + ": ";
            QCOMPARE(which + keys(*lazy).join('\n'), which + keys(expected).join('\n'));
        }
    }

    // A change in the store reaches the windows the views use at the next refresh.
    void aChangeReachesTheWindowsInUse()
    {
        QVERIFY(
            titles(answer(EventWindow::Week, local(2026, 3, 30)).value_or(QList<store::EventPtr>()))
                .contains("Gym"));
        QVERIFY(m_store->afterRefresh([this] {
            writeFile(m_store->root() + "/calendar/gym.ics",
                      calendar(vevent("gym", "Swim",
                                      "DTSTART;VALUE=DATE:20260202\r\n"
                                      "DTEND;VALUE=DATE:20260203\r\n"
                                      "RRULE:FREQ=WEEKLY;BYDAY=MO,TH\r\n")));
        }));
        const std::optional<QList<store::EventPtr>> week =
            events().fetchEventsByType(EventWindow::Week, local(2026, 3, 30));
        QVERIFY(week); // fetched again with the refresh, not asked for anew
        QCOMPARE(titles(*week).count("Swim"), 2);
        QVERIFY(!titles(*week).contains("Gym"));
    }

    // The periods' own rules, which the comparison above takes as given.
    void viewPeriodsTakeWhatOverlapsThem()
    {
        const QList<store::EventPtr> events = {
            eventOf("late", local(2026, 12, 9, 23, 0), local(2026, 12, 10, 1, 0)),
            eventOf("all day", local(2026, 12, 9), local(2026, 12, 10), true),
            eventOf("to midnight", local(2026, 12, 9, 22, 0), local(2026, 12, 10)),
            eventOf("long", local(2026, 12, 1), local(2026, 12, 31), true),
        };
        QCOMPARE(titles(EventWindow::eventsOfPeriod(events, EventWindow::Day, local(2026, 12, 9))),
                 (QStringList{"late", "all day", "to midnight", "long"}));
        // The all-day event stays on its own day; a timed event ending at 00:00 reaches the
        // next day in the views, as the late one does.
        QCOMPARE(titles(EventWindow::eventsOfPeriod(events, EventWindow::Day, local(2026, 12, 10))),
                 (QStringList{"late", "to midnight", "long"}));
        // The range query ends every event a second early, so 00:00 stays on its own day.
        QCOMPARE(
            titles(EventWindow::eventsOfRange(events, local(2026, 12, 10), local(2026, 12, 11))),
            (QStringList{"late", "long"}));

        // Weeks and months are calendar periods: the week of the spring change is 167 hours long
        // and still one week.
        const QDateTime sunday = local(2026, 3, 29);
        QCOMPARE(sunday.secsTo(EventWindow::periodEnd(EventWindow::Week, sunday)), 167 * 3600);
        QCOMPARE(EventWindow::periodEnd(EventWindow::Day, local(2026, 10, 25)),
                 local(2026, 10, 26));
        QCOMPARE(EventWindow::periodEnd(EventWindow::Month, local(2026, 1, 31)),
                 local(2026, 2, 28));

        const QList<store::EventPtr> springWeek = {
            eventOf("sunday 02:00-04:00", local(2026, 3, 29, 1, 30), local(2026, 3, 29, 4, 0)),
            eventOf("saturday after", local(2026, 4, 4, 23, 30), local(2026, 4, 5, 0, 30)),
            eventOf("next week", local(2026, 4, 5, 9, 0), local(2026, 4, 5, 10, 0)),
        };
        QCOMPARE(titles(EventWindow::eventsOfPeriod(springWeek, EventWindow::Week, sunday)),
                 (QStringList{"sunday 02:00-04:00", "saturday after"}));
    }

    void cleanupTestCase() { m_store.reset(); }

private:
    CalendarEvents& events() { return m_store->manager->events(); }

    QList<store::EventPtr> yearAround(const QDateTime& centre) const
    {
        return m_store->manager->eventStore()->eventsMatchingPredicate(
            store::predicateForEventsWithStartDate(centre.addMonths(-6), centre.addMonths(6), {}));
    }

    // The answer to a view's question, asked again when the window it needs had to be fetched.
    std::optional<QList<store::EventPtr>> answer(int type, const QDateTime& start,
                                                 const QDateTime& end = {})
    {
        const auto ask = [&] {
            return type == kRange ? events().fetchEventsFromDate(start, end)
                                  : events().fetchEventsByType(type, start);
        };
        if (std::optional<QList<store::EventPtr>> lazy = ask())
            return lazy;
        QSignalSpy fetched(&events(), &CalendarEvents::eventWindowRefreshed);
        return fetched.wait(5000) ? ask() : std::nullopt;
    }

    std::unique_ptr<LoadedStore> m_store;
};

VELMORAN_TEST_MAIN(TestLazyEvents)
#include "tst_lazyevents.moc"
