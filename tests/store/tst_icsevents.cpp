#include "TestEnvironment.h"

#include "platform/store/IcsItem.h"
#include "platform/store/LibicalSetup.h"

#include <QGuiApplication>

using namespace store;
using TestEnvironment::local;

namespace {

QByteArray corpusFile(const QByteArray& name)
{
    QFile file(TestEnvironment::corpusDir() + QStringLiteral("/khal/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<Event> eventsOf(const QByteArray& bytes, const QDateTime& from, const QDateTime& to)
{
    std::optional<IcsItem> item = IcsItem::parse(bytes);
    if (!item)
        qFatal("refused: %s", bytes.constData());
    return item->events(from, to);
}

QByteArray calendar(const QByteArray& events)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + QByteArray(events).replace("\n", "\r\n") +
           "END:VCALENDAR\r\n";
}

// "start - end title" in local time, one line per event, for compact comparisons.
QStringList summary(const QList<Event>& events)
{
    QStringList lines;
    for (const Event& event : events) {
        lines << QStringLiteral("%1 - %2 %3%4")
                     .arg(event.startDate.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                          event.endDate.toString(QStringLiteral("yyyy-MM-dd HH:mm")), event.title,
                          event.isDetached ? QStringLiteral(" (moved)") : QString());
    }
    return lines;
}

const QByteArray kDailyAllDay = calendar(
    "BEGIN:VEVENT\nUID:d\nDTSTART;VALUE=DATE:20260328\nRRULE:FREQ=DAILY;COUNT=3\nEND:VEVENT\n");
const QByteArray kWeekly = calendar(
    "BEGIN:VEVENT\nUID:weekly\nSUMMARY:Standup\nDTSTART;TZID=Europe/Berlin:20260316T090000\n"
    "DTEND;TZID=Europe/Berlin:20260316T103000\nRRULE:FREQ=WEEKLY;COUNT=4\n"
    "LOCATION:Room 1\\, east\nDESCRIPTION:Notes\nURL:https://example.com/x\nEND:VEVENT\n");
const QByteArray kMoved = calendar(
    "BEGIN:VEVENT\nUID:series\nSUMMARY:Daily\nDTSTART;TZID=Europe/Berlin:20260504T100000\n"
    "DURATION:PT1H\nRRULE:FREQ=DAILY;COUNT=5\nEXDATE;TZID=Europe/Berlin:20260506T100000\n"
    "END:VEVENT\nBEGIN:VEVENT\nUID:series\nSUMMARY:Moved later\n"
    "RECURRENCE-ID;TZID=Europe/Berlin:20260507T100000\n"
    "DTSTART;TZID=Europe/Berlin:20260507T150000\nDTEND;TZID=Europe/Berlin:20260507T153000\n"
    "END:VEVENT\nBEGIN:VEVENT\nUID:series\nSUMMARY:Moved earlier\n"
    "RECURRENCE-ID:20260508T080000Z\nDTSTART:20260501T080000Z\nDTEND:20260501T090000Z\n"
    "END:VEVENT\n");

} // namespace

class TestIcsEvents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LibicalSetup::initialize(); }

    // The events of a file (of the corpus when its name is given) that overlap a half-open
    // range, as "start - end title", in local time.
    void eventsInARange_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, const QByteArray& source, const QDateTime& from,
                            const QDateTime& to, const QStringList& expected) {
            QTest::newRow(name) << (source.endsWith(".ics") ? corpusFile(source) : source) << from
                                << to << expected;
        };
        const QStringList anEvent{"2014-04-09 00:00 - 2014-04-10 00:00 An Event"};
        row("all-day", "event_d.ics", local(2014, 4, 1), local(2014, 5, 1), anEvent);
        row("all-day, an hour of its day", "event_d.ics", local(2014, 4, 9, 12),
            local(2014, 4, 9, 13), anEvent);
        row("all-day, the day after", "event_d.ics", local(2014, 4, 10), local(2014, 4, 11), {});
        row("all-day, the day before", "event_d.ics", local(2014, 4, 8), local(2014, 4, 9), {});
        // Without an end an all-day event lasts its day.
        row("all-day without an end, daily", kDailyAllDay, local(2026, 3, 1), local(2026, 4, 1),
            {"2026-03-28 00:00 - 2026-03-29 00:00 ", "2026-03-29 00:00 - 2026-03-30 00:00 ",
             "2026-03-30 00:00 - 2026-03-31 00:00 "});
        row("timed, same wall clock across the change", kWeekly, local(2026, 3, 1),
            local(2026, 5, 1),
            {"2026-03-16 09:00 - 2026-03-16 10:30 Standup",
             "2026-03-23 09:00 - 2026-03-23 10:30 Standup",
             "2026-03-30 09:00 - 2026-03-30 10:30 Standup",
             "2026-04-06 09:00 - 2026-04-06 10:30 Standup"});
        row("excluded and moved", kMoved, local(2026, 5, 1), local(2026, 5, 10),
            {"2026-05-01 10:00 - 2026-05-01 11:00 Moved earlier (moved)",
             "2026-05-04 10:00 - 2026-05-04 11:00 Daily",
             "2026-05-05 10:00 - 2026-05-05 11:00 Daily",
             "2026-05-07 15:00 - 2026-05-07 15:30 Moved later (moved)"});
        // A moved occurrence is found where it went, not where it was.
        row("moved later, where it was", kMoved, local(2026, 5, 7, 9), local(2026, 5, 7, 12), {});
        row("moved earlier, where it was", kMoved, local(2026, 5, 8), local(2026, 5, 9), {});
        QStringList arbeit{"2014-06-30 07:00 - 2014-06-30 12:00 Arbeit",
                           "2014-07-07 09:00 - 2014-07-07 14:00 Arbeit (moved)",
                           "2014-07-14 07:00 - 2014-07-14 12:00 Arbeit",
                           "2014-07-21 07:00 - 2014-07-21 12:00 Arbeit",
                           "2014-07-28 07:00 - 2014-07-28 12:00 Arbeit",
                           "2014-08-04 07:00 - 2014-08-04 12:00 Arbeit"};
        const QDateTime july = local(2014, 6, 29);
        const QDateTime august = local(2014, 8, 10);
        row("khal override", "event_rrule_recuid.ics", july, august, arbeit);
        row("override before its master", "mult_uids_and_recuid_no_order.ics", july, august,
            arbeit);
        arbeit.removeAt(2);
        row("cancelled override", "event_rrule_recuid_cancelled.ics", july, august, arbeit);
        row("excluded in UTC, series in Berlin time", "event_dtr_exdatez.ics", july, august,
            {"2014-06-30 07:30 - 2014-06-30 12:01 event_dtr_exdatez",
             "2014-07-07 07:30 - 2014-07-07 12:01 event_dtr_exdatez",
             "2014-07-14 07:30 - 2014-07-14 12:01 event_dtr_exdatez"});
        row("override without its master", "event_dt_recuid_no_master.ics", local(2017, 3, 1),
            local(2017, 4, 1),
            {"2017-03-29 16:00 - 2017-03-29 16:25 Infrastructure Planning (moved)"});
        row("end from a duration", "event_dt_duration.ics", local(2014, 4, 9), local(2014, 4, 10),
            {"2014-04-09 09:30 - 2014-04-09 10:30 An Event"});
        // A timed event without an end takes no time, yet is found at its start.
        row("no end", "event_dt_no_end.ics", local(2016, 1, 16, 8), local(2016, 1, 16, 9),
            {"2016-01-16 08:00 - 2016-01-16 08:00 Test"});
        row("no end, after its start", "event_dt_no_end.ics", local(2016, 1, 16, 9),
            local(2016, 1, 17), {});
        row("extra dates", "event_dt_rd.ics", local(2014, 4, 1), local(2014, 5, 1),
            {"2014-04-09 09:30 - 2014-04-09 10:30 An Event",
             "2014-04-10 09:30 - 2014-04-10 10:30 An Event"});
        row("long occurrence that began before the range",
            calendar("BEGIN:VEVENT\nUID:trip\nSUMMARY:Trip\nDTSTART;VALUE=DATE:20260601\n"
                     "DTEND;VALUE=DATE:20260605\nRRULE:FREQ=MONTHLY;COUNT=3\nEND:VEVENT\n"
                     "BEGIN:VTODO\nUID:task\nSUMMARY:Not an event\nDUE:20260702T100000Z\n"
                     "END:VTODO\n"),
            local(2026, 7, 3), local(2026, 7, 4), {"2026-07-01 00:00 - 2026-07-05 00:00 Trip"});
    }
    void eventsInARange()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, to);
        QFETCH(QStringList, expected);
        QCOMPARE(summary(eventsOf(bytes, from, to)), expected);
    }

    // What an occurrence says of itself besides its times: its identifier (the series' UID and
    // the occurrence's start in UTC), where it was due when moved, and the event's fields.
    void occurrencesNameThemselves()
    {
        const QList<Event> allDay =
            eventsOf(corpusFile("event_d.ics"), local(2014, 4, 1), local(2014, 5, 1));
        QCOMPARE(allDay.first().eventIdentifier,
                 QStringLiteral("V042MJ8B3SJNFXQOJL6P53OFMHJE8Z3VZWOU"));
        QCOMPARE(allDay.first().occurrenceDate, allDay.first().startDate);
        QVERIFY(allDay.first().isAllDay && !allDay.first().isDetached);
        QCOMPARE(eventsOf(kDailyAllDay, local(2026, 3, 1), local(2026, 4, 1)).at(1).eventIdentifier,
                 QStringLiteral("d/2026-03-28T23:00:00Z"));

        const QList<Event> weekly = eventsOf(kWeekly, local(2026, 3, 1), local(2026, 5, 1));
        QCOMPARE(weekly.at(1).eventIdentifier, QStringLiteral("weekly/2026-03-23T08:00:00Z"));
        QCOMPARE(weekly.at(2).eventIdentifier, QStringLiteral("weekly/2026-03-30T07:00:00Z"));
        QCOMPARE(std::tuple(weekly.at(2).location, weekly.at(2).notes, weekly.at(2).URL,
                            weekly.at(2).isAllDay),
                 std::tuple(QStringLiteral("Room 1, east"), QStringLiteral("Notes"),
                            QUrl(QStringLiteral("https://example.com/x")), false));

        const QList<Event> moved = eventsOf(kMoved, local(2026, 5, 1), local(2026, 5, 10));
        QCOMPARE(moved.at(3).occurrenceDate, local(2026, 5, 7, 10));
        QCOMPARE(moved.at(3).eventIdentifier, QStringLiteral("series/2026-05-07T08:00:00Z"));
        QCOMPARE(moved.at(0).occurrenceDate, local(2026, 5, 8, 10));
        QCOMPARE(eventsOf(corpusFile("event_dt_recuid_no_master.ics"), local(2017, 3, 1),
                          local(2017, 4, 1))
                     .first()
                     .eventIdentifier,
                 QStringLiteral("406336/2017-03-29T14:00:00Z"));
    }
};

VELMORAN_TEST_MAIN(TestIcsEvents)
#include "tst_icsevents.moc"
