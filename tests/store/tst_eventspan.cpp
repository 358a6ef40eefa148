// When a file's events can happen, as the parse cache keeps it so that a query of a few days
// reads only the files that may answer: no occurrence may fall outside it, for a file of one
// event it is that event, and a store answering from the cache answers as the files do.

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

class TestEventSpan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LibicalSetup::initialize(); }

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

VELMORAN_TEST_MAIN(TestEventSpan)
#include "tst_eventspan.moc"
