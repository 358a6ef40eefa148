#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/Clock.h"
#include "platform/store/EventStore.h"
#include "platform/store/IcsItem.h"
#include "platform/store/LibicalSetup.h"

#include <QGuiApplication>
#include <QTemporaryDir>

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

enum class Bound { Exact, Wider, Always };

struct Case
{
    const char* name;
    const char* events;
    QDateTime around;
    Bound bound;
};

QList<Case> cases()
{
    return {
        {"timed in UTC", "DTSTART:20260610T080000Z\nDTEND:20260610T084500Z\n",
         local(2026, 6, 10, 10), Bound::Exact},
        {"zoned, across the autumn change",
         "DTSTART;TZID=Europe/Berlin:20261025T013000\nDURATION:PT2H\n", local(2026, 10, 25, 2),
         Bound::Exact},
        {"zoned elsewhere",
         "DTSTART;TZID=America/New_York:20260308T013000\n"
         "DTEND;TZID=America/New_York:20260308T033000\n",
         local(2026, 3, 8, 8), Bound::Exact},
        {"zone only the file defines",
         "DTSTART;TZID=Office:20260610T090000\nDTEND;TZID=Office:20260610T100000\n",
         local(2026, 6, 10, 6), Bound::Exact},
        {"floating, across the spring change", "DTSTART:20260329T013000\nDTEND:20260329T040000\n",
         local(2026, 3, 29, 2), Bound::Exact},
        {"all-day without an end", "DTSTART;VALUE=DATE:20260329\n", local(2026, 3, 29),
         Bound::Exact},
        {"all-day over days", "DTSTART;VALUE=DATE:20261024\nDTEND;VALUE=DATE:20261027\n",
         local(2026, 10, 25), Bound::Exact},
        {"days of duration across a change",
         "DTSTART;TZID=Europe/Berlin:20260328T120000\nDURATION:P2D\n", local(2026, 3, 29),
         Bound::Exact},
        {"no length", "DTSTART:20260610T080000Z\n", local(2026, 6, 10, 10), Bound::Exact},
        {"an end before its start", "DTSTART:20260610T100000Z\nDTEND:20260610T090000Z\n",
         local(2026, 6, 10, 12), Bound::Exact},
        {"no start", "X-NOTE:nothing placed\n", local(2026, 6, 10), Bound::Exact},
        {"override without its series",
         "RECURRENCE-ID:20260610T080000Z\nDTSTART:20260611T150000Z\nDTEND:20260611T160000Z\n",
         local(2026, 6, 11), Bound::Exact},
        {"override without a start of its own",
         "RECURRENCE-ID;TZID=Europe/Berlin:20260610T090000\nDURATION:PT1H\n", local(2026, 6, 10, 9),
         Bound::Exact},
        {"one-off moved by an override",
         "DTSTART:20260610T080000Z\nDTEND:20260610T090000Z\nEND:VEVENT\nBEGIN:VEVENT\nUID:e\n"
         "RECURRENCE-ID:20260610T080000Z\nDTSTART:20260612T080000Z\nDTEND:20260612T090000Z\n",
         local(2026, 6, 11), Bound::Wider},
        {"cancelled override", "RECURRENCE-ID:20260610T080000Z\nSTATUS:CANCELLED\n",
         local(2026, 6, 10, 10), Bound::Wider},
        {"two events days apart",
         "DTSTART:20260608T080000Z\nDURATION:PT1H\nEND:VEVENT\nBEGIN:VEVENT\nUID:f\n"
         "DTSTART:20260611T080000Z\nDURATION:PT1H\n",
         local(2026, 6, 10), Bound::Wider},
        {"weekly series", "DTSTART:20260101T080000Z\nDURATION:PT1H\nRRULE:FREQ=WEEKLY;COUNT=3\n",
         local(2026, 1, 8), Bound::Always},
        {"dates of their own", "DTSTART:20260610T080000Z\nDURATION:PT1H\nRDATE:20260101T080000Z\n",
         local(2026, 6, 10), Bound::Always},
    };
}

QByteArray fileOf(const Case& c)
{
    const QByteArray body = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Test//Test//EN\n"
                            "BEGIN:VTIMEZONE\nTZID:Office\nBEGIN:STANDARD\n"
                            "DTSTART:19700101T000000\nTZOFFSETFROM:+0530\nTZOFFSETTO:+0530\n"
                            "END:STANDARD\nEND:VTIMEZONE\n"
                            "BEGIN:VEVENT\nUID:e\nDTSTAMP:20260101T000000Z\nSUMMARY:" +
                            QByteArray(c.name) + "\n" + c.events + "END:VEVENT\nEND:VCALENDAR\n";
    return QByteArray(body).replace("\n", "\r\n");
}

QStringList keys(const QList<Event>& events)
{
    QStringList keys;
    for (const Event& event : events)
        keys << QStringLiteral("%1 %2 %3 %4")
                    .arg(event.eventIdentifier, event.title,
                         event.startDate.toString(Qt::ISODateWithMs),
                         event.endDate.toString(Qt::ISODateWithMs));
    return keys;
}

// Each hour of the two days around the case, and its month.
QList<std::pair<QDateTime, QDateTime>> rangesAround(const QDateTime& around)
{
    QList<std::pair<QDateTime, QDateTime>> ranges;
    for (QDateTime from = around.addDays(-1); from < around.addDays(1); from = from.addSecs(3600))
        ranges.append({from, from.addSecs(3600)});
    const QDate month(around.date().year(), around.date().month(), 1);
    ranges.append({month.startOfDay(), month.addMonths(1).startOfDay()});
    return ranges;
}

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

    // An occurrence carries its instants, which the views read rather than turning its local
    // times back: they are the ones its identifier names, in the hour the autumn change repeats
    // too, and its local times name the same.
    void occurrencesCarryTheirInstants()
    {
        const QByteArray night = calendar(
            "BEGIN:VEVENT\nUID:night\nSUMMARY:Night\nDTSTART;TZID=Europe/Berlin:20261023T023000\n"
            "DURATION:PT45M\nRRULE:FREQ=DAILY;COUNT=4\nEND:VEVENT\n");
        const QList<Event> events = eventsOf(night, local(2026, 10, 20), local(2026, 10, 30));
        QCOMPARE(events.size(), 4);
        QCOMPARE(events.at(2).eventIdentifier, QStringLiteral("night/2026-10-25T00:30:00Z"));
        for (const Event& event : events) {
            const QDateTime named =
                QDateTime::fromString(event.eventIdentifier.section(u'/', 1), Qt::ISODate);
            QCOMPARE(event.startInstant, named.toMSecsSinceEpoch());
            QCOMPARE(event.endInstant - event.startInstant, 45 * 60 * 1000);
            QCOMPARE(event.startMs(), event.startDate.toMSecsSinceEpoch());
            QCOMPARE(event.endMs(), event.endDate.toMSecsSinceEpoch());
        }
    }

    // --- Spans ------------------------------------------------------------------------------
    // When a file's events can happen, as the parse cache keeps it so that a query of a few days
    // reads only the files that may answer: no occurrence may fall outside it, for a file of one
    // event it is that event, and a store answering from the cache answers as the files do.

    void spanHoldsEveryOccurrence_data()
    {
        QTest::addColumn<int>("index");
        const QList<Case> all = cases();
        for (qsizetype i = 0; i < all.size(); ++i)
            QTest::newRow(all[i].name) << int(i);
    }

    // Every half hour of three days around the case, as an instant, a half hour and a day.
    void spanHoldsEveryOccurrence()
    {
        QFETCH(int, index);
        const Case c = cases().at(index);
        const std::optional<IcsItem> item = IcsItem::parse(fileOf(c));
        QVERIFY(item);
        const EventSpan span = item->eventSpan();
        if (c.bound == Bound::Always)
            QCOMPARE(span, EventSpan::always());
        else
            QVERIFY(span.first != EventSpan::always().first &&
                    span.last != EventSpan::always().last);
        const qint64 begin = c.around.addDays(-3).toMSecsSinceEpoch();
        int occurring = 0;
        for (qint64 from = begin; from < begin + 6 * 86'400'000; from += 1'800'000) {
            for (const qint64 length : {qint64(1), qint64(1'800'000), qint64(86'400'000)}) {
                const bool occurs = !item->events(QDateTime::fromMSecsSinceEpoch(from),
                                                  QDateTime::fromMSecsSinceEpoch(from + length))
                                         .isEmpty();
                const bool may = span.mayOverlap(from, from + length);
                const QByteArray where = QDateTime::fromMSecsSinceEpoch(from).toString().toUtf8() +
                                         " + " + QByteArray::number(length) + " ms";
                QVERIFY2(may || !occurs, where.constData());
                // One span cannot tell an event ending where the range begins (outside it)
                // from one of no length there (inside).
                if (c.bound == Bound::Exact)
                    QVERIFY2(may == (occurs || from == span.last), where.constData());
                occurring += occurs;
            }
        }
        // A case that never occurs in its days would prove nothing of the span.
        QCOMPARE(occurring == 0, QByteArrayView(c.name) == "no start" ||
                                     QByteArrayView(c.name) == "cancelled override");
    }

    // The spans a later run takes from the parse cache give the answers that reading every
    // file gives, in each hour around each case and in its month.
    void cachedSpansAnswerAsTheFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString root = dir.filePath("store");
        const QList<Case> all = cases();
        TestFiles::writeFile(root + "/calendar/displayname", "Calendar");
        for (qsizetype i = 0; i < all.size(); ++i)
            TestFiles::writeFile(root + QStringLiteral("/calendar/%1.ics").arg(i), fileOf(all[i]));
        // Settled, so that the cache may stand for them.
        TestFiles::ageTree(root);

        Clock clock;
        clock.setNow(local(2026, 6, 10, 12));
        QList<std::pair<QDateTime, QDateTime>> ranges;
        for (const Case& c : all)
            ranges << rangesAround(c.around);
        // Each range's events, sorted: those the files give, or a store.
        const auto answers = [&ranges, &all](EventStore* store) {
            QList<QStringList> given;
            for (const auto& [from, to] : std::as_const(ranges)) {
                QList<Event> events;
                if (store) {
                    for (const EventPtr& event : store->eventsMatchingPredicate(
                             predicateForEventsWithStartDate(from, to, {})))
                        events << *event;
                } else {
                    for (const Case& c : all)
                        events << IcsItem::parse(fileOf(c))->events(from, to);
                }
                given << keys(events);
                given.last().sort();
            }
            return given;
        };
        const QList<QStringList> files = answers(nullptr);

        {
            EventStore cold({root}, clock);
            QCOMPARE(answers(&cold), files);
            cold.waitForParseCache();
        }
        EventStore warm({root}, clock);
        QCOMPARE(answers(&warm), files);
        QCOMPARE(warm.parsedFileCount(), 0u);
    }
};

VELMORAN_TEST_MAIN(TestIcsEvents)
#include "tst_icsevents.moc"
