#include "TestEnvironment.h"

#include "platform/store/IcsItem.h"
#include "platform/store/LibicalSetup.h"

#include <QGuiApplication>

using namespace store;
using TestEnvironment::local;

namespace {

QByteArray corpusFile(const QString& name)
{
    QFile file(TestEnvironment::corpusDir() + QStringLiteral("/khal/") + name);
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

} // namespace

class TestIcsEvents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LibicalSetup::initialize(); }

    void allDayEvents()
    {
        const QByteArray bytes = corpusFile(QStringLiteral("event_d.ics"));
        const QList<Event> events = eventsOf(bytes, local(2014, 4, 1), local(2014, 5, 1));
        QCOMPARE(events.size(), 1);
        const Event& event = events.first();
        QVERIFY(event.isAllDay);
        QCOMPARE(event.startDate, local(2014, 4, 9));
        QCOMPARE(event.endDate, local(2014, 4, 10));
        QCOMPARE(event.title, QStringLiteral("An Event"));
        QCOMPARE(event.eventIdentifier, QStringLiteral("V042MJ8B3SJNFXQOJL6P53OFMHJE8Z3VZWOU"));
        QCOMPARE(event.occurrenceDate, event.startDate);
        QVERIFY(!event.isDetached);

        // The range is half-open and an event counts when it overlaps it.
        QCOMPARE(eventsOf(bytes, local(2014, 4, 9, 12), local(2014, 4, 9, 13)).size(), 1);
        QCOMPARE(eventsOf(bytes, local(2014, 4, 10), local(2014, 4, 11)).size(), 0);
        QCOMPARE(eventsOf(bytes, local(2014, 4, 8), local(2014, 4, 9)).size(), 0);

        // Without an end an all-day event lasts its day; a daily one covers ten days.
        const QList<Event> daily = eventsOf(
            calendar("BEGIN:VEVENT\nUID:d\nDTSTART;VALUE=DATE:20260328\nRRULE:FREQ=DAILY;COUNT=3\n"
                     "END:VEVENT\n"),
            local(2026, 3, 1), local(2026, 4, 1));
        QCOMPARE(summary(daily), (QStringList{"2026-03-28 00:00 - 2026-03-29 00:00 ",
                                              "2026-03-29 00:00 - 2026-03-30 00:00 ",
                                              "2026-03-30 00:00 - 2026-03-31 00:00 "}));
        QCOMPARE(daily.at(1).eventIdentifier, QStringLiteral("d/2026-03-28T23:00:00Z"));
    }

    void timedEventsKeepTheirWallClockAcrossDst()
    {
        const QList<Event> events = eventsOf(
            calendar("BEGIN:VEVENT\nUID:weekly\nSUMMARY:Standup\n"
                     "DTSTART;TZID=Europe/Berlin:20260316T090000\n"
                     "DTEND;TZID=Europe/Berlin:20260316T103000\nRRULE:FREQ=WEEKLY;COUNT=4\n"
                     "LOCATION:Room 1\\, east\nDESCRIPTION:Notes\nURL:https://example.com/x\n"
                     "END:VEVENT\n"),
            local(2026, 3, 1), local(2026, 5, 1));
        QCOMPARE(summary(events), (QStringList{"2026-03-16 09:00 - 2026-03-16 10:30 Standup",
                                               "2026-03-23 09:00 - 2026-03-23 10:30 Standup",
                                               "2026-03-30 09:00 - 2026-03-30 10:30 Standup",
                                               "2026-04-06 09:00 - 2026-04-06 10:30 Standup"}));
        QCOMPARE(events.at(1).eventIdentifier, QStringLiteral("weekly/2026-03-23T08:00:00Z"));
        QCOMPARE(events.at(2).eventIdentifier, QStringLiteral("weekly/2026-03-30T07:00:00Z"));
        QCOMPARE(events.at(2).location, QStringLiteral("Room 1, east"));
        QCOMPARE(events.at(2).notes, QStringLiteral("Notes"));
        QCOMPARE(events.at(2).URL, QUrl(QStringLiteral("https://example.com/x")));
        QVERIFY(!events.at(2).isAllDay);
    }

    void exclusionsAndOverrides()
    {
        const QByteArray bytes = calendar(
            "BEGIN:VEVENT\nUID:series\nSUMMARY:Daily\nDTSTART;TZID=Europe/Berlin:20260504T100000\n"
            "DURATION:PT1H\nRRULE:FREQ=DAILY;COUNT=5\nEXDATE;TZID=Europe/Berlin:20260506T100000\n"
            "END:VEVENT\n"
            "BEGIN:VEVENT\nUID:series\nSUMMARY:Moved later\n"
            "RECURRENCE-ID;TZID=Europe/Berlin:20260507T100000\n"
            "DTSTART;TZID=Europe/Berlin:20260507T150000\nDTEND;TZID=Europe/Berlin:20260507T153000\n"
            "END:VEVENT\n"
            "BEGIN:VEVENT\nUID:series\nSUMMARY:Moved earlier\nRECURRENCE-ID:20260508T080000Z\n"
            "DTSTART:20260501T080000Z\nDTEND:20260501T090000Z\nEND:VEVENT\n");
        const QList<Event> events = eventsOf(bytes, local(2026, 5, 1), local(2026, 5, 10));
        QCOMPARE(summary(events),
                 (QStringList{"2026-05-01 10:00 - 2026-05-01 11:00 Moved earlier (moved)",
                              "2026-05-04 10:00 - 2026-05-04 11:00 Daily",
                              "2026-05-05 10:00 - 2026-05-05 11:00 Daily",
                              "2026-05-07 15:00 - 2026-05-07 15:30 Moved later (moved)"}));
        QCOMPARE(events.at(3).occurrenceDate, local(2026, 5, 7, 10));
        QCOMPARE(events.at(3).eventIdentifier, QStringLiteral("series/2026-05-07T08:00:00Z"));
        QCOMPARE(events.at(0).occurrenceDate, local(2026, 5, 8, 10));

        // A moved occurrence is found where it went, not where it was.
        QCOMPARE(summary(eventsOf(bytes, local(2026, 5, 7, 9), local(2026, 5, 7, 12))),
                 QStringList());
        QCOMPARE(summary(eventsOf(bytes, local(2026, 5, 8), local(2026, 5, 9))), QStringList());
    }

    void khalOverrides()
    {
        const QDateTime from = local(2014, 6, 29);
        const QDateTime to = local(2014, 8, 10);
        QStringList expected{"2014-06-30 07:00 - 2014-06-30 12:00 Arbeit",
                             "2014-07-07 09:00 - 2014-07-07 14:00 Arbeit (moved)",
                             "2014-07-14 07:00 - 2014-07-14 12:00 Arbeit",
                             "2014-07-21 07:00 - 2014-07-21 12:00 Arbeit",
                             "2014-07-28 07:00 - 2014-07-28 12:00 Arbeit",
                             "2014-08-04 07:00 - 2014-08-04 12:00 Arbeit"};
        QCOMPARE(summary(eventsOf(corpusFile(QStringLiteral("event_rrule_recuid.ics")), from, to)),
                 expected);
        // The same with the override written before its master.
        QStringList unordered = summary(
            eventsOf(corpusFile(QStringLiteral("mult_uids_and_recuid_no_order.ics")), from, to));
        QCOMPARE(unordered, expected);

        // A cancelled override removes its occurrence.
        expected.removeAt(2);
        QCOMPARE(summary(eventsOf(corpusFile(QStringLiteral("event_rrule_recuid_cancelled.ics")),
                                  from, to)),
                 expected);

        // Excluded in UTC while the series runs in Berlin time.
        QCOMPARE(summary(eventsOf(corpusFile(QStringLiteral("event_dtr_exdatez.ics")), from, to)),
                 (QStringList{"2014-06-30 07:30 - 2014-06-30 12:01 event_dtr_exdatez",
                              "2014-07-07 07:30 - 2014-07-07 12:01 event_dtr_exdatez",
                              "2014-07-14 07:30 - 2014-07-14 12:01 event_dtr_exdatez"}));

        // An override whose master is not in the file stands alone.
        const QList<Event> orphan =
            eventsOf(corpusFile(QStringLiteral("event_dt_recuid_no_master.ics")), local(2017, 3, 1),
                     local(2017, 4, 1));
        QCOMPARE(
            summary(orphan),
            QStringList{"2017-03-29 16:00 - 2017-03-29 16:25 Infrastructure Planning (moved)"});
        QCOMPARE(orphan.first().eventIdentifier, QStringLiteral("406336/2017-03-29T14:00:00Z"));
    }

    void endsFromDurationOrNothing()
    {
        QCOMPARE(summary(eventsOf(corpusFile(QStringLiteral("event_dt_duration.ics")),
                                  local(2014, 4, 9), local(2014, 4, 10))),
                 QStringList{"2014-04-09 09:30 - 2014-04-09 10:30 An Event"});
        // A timed event without an end takes no time, yet is found at its start.
        QCOMPARE(summary(eventsOf(corpusFile(QStringLiteral("event_dt_no_end.ics")),
                                  local(2016, 1, 16, 8), local(2016, 1, 16, 9))),
                 QStringList{"2016-01-16 08:00 - 2016-01-16 08:00 Test"});
        QCOMPARE(eventsOf(corpusFile(QStringLiteral("event_dt_no_end.ics")), local(2016, 1, 16, 9),
                          local(2016, 1, 17))
                     .size(),
                 0);
        // Extra dates.
        QCOMPARE(summary(eventsOf(corpusFile(QStringLiteral("event_dt_rd.ics")), local(2014, 4, 1),
                                  local(2014, 5, 1))),
                 (QStringList{"2014-04-09 09:30 - 2014-04-09 10:30 An Event",
                              "2014-04-10 09:30 - 2014-04-10 10:30 An Event"}));
    }

    void longOccurrencesThatBeganBeforeTheRange()
    {
        const QByteArray bytes = calendar(
            "BEGIN:VEVENT\nUID:trip\nSUMMARY:Trip\nDTSTART;VALUE=DATE:20260601\n"
            "DTEND;VALUE=DATE:20260605\nRRULE:FREQ=MONTHLY;COUNT=3\nEND:VEVENT\n"
            "BEGIN:VTODO\nUID:task\nSUMMARY:Not an event\nDUE:20260702T100000Z\nEND:VTODO\n");
        QCOMPARE(summary(eventsOf(bytes, local(2026, 7, 3), local(2026, 7, 4))),
                 QStringList{"2026-07-01 00:00 - 2026-07-05 00:00 Trip"});
    }
};

VELMORAN_TEST_MAIN(TestIcsEvents)
#include "tst_icsevents.moc"
