#include "NeverMatchingRules.h"
#include "RecurrenceSeries.h"
#include "TestEnvironment.h"

#include "platform/store/LibicalSetup.h"
#include "platform/store/Recurrence.h"
#include "platform/store/recurrence/RuleExpander.h"
#include "platform/store/recurrence/RuleParts.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimeZone>
#include <QtConcurrent>

#include <algorithm>

using namespace store;
using store::recurrence::Engine;

Q_DECLARE_METATYPE(store::RecurrenceRule)

namespace {

using namespace RecurrenceSeries;
using TestEnvironment::local;

// --- The shared corpus of rules with the instances a newer libical gives ---------------------

struct CorpusRecord
{
    int line = 0;
    QString title;
    QString rrule;
    QString dtstart;
    QString startAt;
    QString instances;
};

QList<CorpusRecord> readCorpus()
{
    QFile file(TestEnvironment::corpusDir() + QStringLiteral("/libical/icalrecur_test.txt"));
    QList<CorpusRecord> records;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return records;
    CorpusRecord current;
    QString title;
    for (int lineNumber = 1; !file.atEnd(); ++lineNumber) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'#')) {
            if (title.isEmpty())
                title = line.mid(1).trimmed();
            continue;
        }
        const QString key = line.section(u':', 0, 0);
        const QString value = line.section(u':', 1).trimmed();
        if (key == u"RRULE") {
            current = CorpusRecord{lineNumber, title, value, {}, {}, {}};
            title.clear();
        } else if (key == u"DTSTART") {
            current.dtstart = value;
        } else if (key == u"START-AT") {
            current.startAt = value;
        } else if (key == u"INSTANCES") {
            current.instances = value;
            records << current;
        }
    }
    return records;
}

// DATE values are all-day (local midnight), a trailing Z is UTC, anything else floating. The
// file compares a floating start with a UTC UNTIL as if the start were UTC too; such records
// are read in UTC (`asUtc`), which is what they mean.
QDateTime corpusTime(const QString& text, bool asUtc = false)
{
    const QDate date = QDate::fromString(text.left(8), QStringLiteral("yyyyMMdd"));
    if (text.size() == 8)
        return QDateTime(date, QTime(0, 0));
    const QTime time = QTime::fromString(text.mid(9, 6), QStringLiteral("HHmmss"));
    return QDateTime(date, time, text.endsWith(u'Z') || asUtc ? Qt::UTC : Qt::LocalTime);
}

bool floatingWithUtcUntil(const QString& rrule, const QString& dtstart)
{
    static const QRegularExpression utcUntil(QStringLiteral("UNTIL=\\d{8}T\\d{6}Z"));
    return dtstart.size() > 8 && !dtstart.endsWith(u'Z') && utcUntil.match(rrule).hasMatch();
}

RecurrenceRule makeRule(RecurrenceRule::Frequency frequency, int interval = 1,
                        const QList<RecurrenceDayOfWeek>& days = {},
                        const QList<int>& monthDays = {})
{
    RecurrenceRule rule;
    rule.frequency = frequency;
    rule.interval = interval;
    rule.daysOfTheWeek = days;
    rule.daysOfTheMonth = monthDays;
    return rule;
}

// A rule of each shape the repeat editor builds, without its end.
QList<RecurrenceRule> editorRules()
{
    using F = RecurrenceRule::Frequency;
    return {makeRule(F::Daily), makeRule(F::Daily, 10), makeRule(F::Yearly), makeRule(F::Yearly, 2),
            makeRule(F::Monthly), makeRule(F::Weekly, 3),
            makeRule(F::Weekly, 2, {{1, 0}, {2, 0}, {4, 0}, {7, 0}}),
            makeRule(F::Weekly, 1, {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}}),
            makeRule(F::Monthly, 4, {{6, -1}}), makeRule(F::Monthly, 4, {{2, 5}}),
            // The editor lists the days by column of its grid, then 29, 30, 31 and the last.
            makeRule(F::Monthly, 2, {}, {1, 22, 8, 2, 16, 29, 31, -1})};
}

} // namespace

class TestRecurrence : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LibicalSetup::initialize(); }

    void corpus_data()
    {
        QTest::addColumn<QString>("rrule");
        QTest::addColumn<QString>("dtstart");
        QTest::addColumn<QString>("startAt");
        QTest::addColumn<QString>("instances");
        int rows = 0;
        for (const CorpusRecord& record : readCorpus()) {
            const auto parts = recurrence::parseRuleParts(record.rrule);
            QVERIFY2(parts, qPrintable(record.rrule));
            if (record.instances.contains(u"UNIMPLEMENTED"))
                continue;
            QTest::addRow("line %d: %s", record.line, qPrintable(record.title))
                << record.rrule << record.dtstart << record.startAt << record.instances;
            ++rows;
        }
        QVERIFY2(rows > 100, "the corpus was not read");
    }

    // The store's occurrences equal the file's instances, sub-daily rules included. The file
    // lists what the rule produces; our series also starts with DTSTART when the rule would not
    // produce it, and that start counts towards COUNT, so such records are checked with a COUNT one
    // higher.
    void corpus()
    {
        QFETCH(QString, rrule);
        QFETCH(QString, dtstart);
        QFETCH(QString, startAt);
        QFETCH(QString, instances);
        const bool asUtc = floatingWithUtcUntil(rrule, dtstart);
        const QDateTime start = corpusTime(dtstart, asUtc);
        QList<QDateTime> expected;
        for (const QString& instance : instances.split(u','))
            expected << corpusTime(instance, asUtc);
        if (!expected.contains(start)) {
            expected.prepend(start);
            const QRegularExpressionMatch count =
                QRegularExpression(QStringLiteral("COUNT=(\\d+)")).match(rrule);
            if (count.hasMatch())
                rrule.replace(count.capturedStart(1), count.capturedLength(1),
                              QString::number(count.captured(1).toInt() + 1));
        }
        const bool finite = rrule.contains(u"COUNT=") || rrule.contains(u"UNTIL=");
        const int maxCount = int(expected.size()) + (finite ? 50 : 0);
        const RecurrenceSet set = series(start, {rrule}, dtstart.size() == 8);
        QCOMPARE(Recurrence::occurrences(set, start, start.addYears(200), maxCount), expected);

        if (!startAt.isEmpty()) {
            const QDateTime from = corpusTime(startAt, asUtc);
            QList<QDateTime> tail = expected;
            tail.removeIf([&from](const QDateTime& time) { return time < from; });
            QCOMPARE(Recurrence::occurrences(set, from, start.addYears(200), maxCount), tail);
        }
    }

    void parseRule_data()
    {
        using F = RecurrenceRule::Frequency;
        QTest::addColumn<QString>("text");
        QTest::addColumn<RecurrenceRule>("expected");

        QTest::newRow("weekdays") << "FREQ=WEEKLY;BYDAY=MO,WE"
                                  << makeRule(F::Weekly, 1, {{2, 0}, {4, 0}});
        QTest::newRow("numbered weekdays") << "FREQ=MONTHLY;BYDAY=2MO,-1FR;INTERVAL=3"
                                           << makeRule(F::Monthly, 3, {{2, 2}, {6, -1}});
        QTest::newRow("lower case, order kept")
            << "freq=monthly;bymonthday=8,2,-1" << makeRule(F::Monthly, 1, {}, {8, 2, -1});
        RecurrenceRule yearly = makeRule(F::Yearly);
        yearly.monthsOfTheYear = {2, 1};
        yearly.weeksOfTheYear = {-1, 20};
        yearly.daysOfTheYear = {-1, 100};
        yearly.setPositions = {-1};
        yearly.firstDayOfTheWeek = 1;
        yearly.recurrenceEnd = RecurrenceEnd::withOccurrenceCount(5);
        QTest::newRow("yearly parts")
            << "FREQ=YEARLY;BYMONTH=2,1;BYWEEKNO=-1,20;BYYEARDAY=-1,100;BYSETPOS=-1;WKST=SU;COUNT=5"
            << yearly;
        RecurrenceRule byDate = makeRule(F::Daily);
        byDate.recurrenceEnd = RecurrenceEnd::withEndDate(local(2026, 12, 31));
        byDate.recurrenceEnd->endDateIsAllDay = true;
        QTest::newRow("end as a date") << "FREQ=DAILY;UNTIL=20261231" << byDate;
        RecurrenceRule byInstant = makeRule(F::Daily);
        byInstant.recurrenceEnd =
            RecurrenceEnd::withEndDate(QDateTime({2026, 12, 31}, {22, 59, 59}, Qt::UTC));
        QTest::newRow("end in UTC") << "FREQ=DAILY;UNTIL=20261231T225959Z" << byInstant;
        RecurrenceRule floating = makeRule(F::Daily);
        floating.recurrenceEnd = RecurrenceEnd::withEndDate(local(2026, 12, 31, 23, 59, 59));
        QTest::newRow("floating end") << "FREQ=DAILY;UNTIL=20261231T235959" << floating;
        QTest::newRow("trailing semicolon, vendor part")
            << "FREQ=WEEKLY;X-EVOLUTION-ENDDATE=20261231T000000Z;INTERVAL=2;"
            << makeRule(F::Weekly, 2);
        QTest::newRow("Gregorian scale")
            << "RSCALE=GREGORIAN;FREQ=MONTHLY;SKIP=OMIT" << makeRule(F::Monthly);
    }

    void parseRule()
    {
        QFETCH(QString, text);
        QFETCH(RecurrenceRule, expected);
        QString error;
        const std::optional<RecurrenceRule> rule = Recurrence::parseRule(text, &error);
        QVERIFY2(rule, qPrintable(error));
        QCOMPARE(*rule, expected);
    }

    void parseRuleRefuses_data()
    {
        QTest::addColumn<QString>("text");
        // One refusal per piece, separated by "|" (the first is the empty rule).
        const QString texts = QString::fromUtf8(
            "|;|BYDAY=MO|=DAILY|FREQ|FREQ=|FREQ=FORTNIGHTLY|FREQ=HOURLY|FREQ=MINUTELY;INTERVAL=15|"
            "FREQ=SECONDLY|FREQ=DAILY;BYHOUR=9|FREQ=DAILY;FREQ=WEEKLY|FREQ=DAILY;FOO=1|"
            "FREQ=DAILY;INTERVAL|FREQ=DAILY;INTERVAL=0|FREQ=DAILY;INTERVAL=-1|"
            "FREQ=DAILY;INTERVAL=99999999999|FREQ=DAILY;COUNT=0|FREQ=DAILY;COUNT=abc|"
            "FREQ=DAILY;COUNT=3;UNTIL=20260101|FREQ=DAILY;UNTIL=20260230|"
            "FREQ=DAILY;UNTIL=2026-01-01|FREQ=DAILY;UNTIL=20260101T250000Z|FREQ=WEEKLY;BYDAY=XX|"
            "FREQ=WEEKLY;BYDAY=1MO|FREQ=MONTHLY;BYDAY=0MO|FREQ=MONTHLY;BYDAY=54MO|"
            "FREQ=MONTHLY;BYDAY=MO,|FREQ=MONTHLY;BYMONTHDAY=0|FREQ=MONTHLY;BYMONTHDAY=32|"
            "FREQ=MONTHLY;BYMONTHDAY=-32|FREQ=MONTHLY;BYMONTHDAY=1,,2|FREQ=MONTHLY;BYMONTHDAY=a|"
            "FREQ=DAILY;BYMONTHDAY=\u0661|FREQ=YEARLY;BYMONTH=13|FREQ=YEARLY;BYMONTH=-1|"
            "FREQ=YEARLY;BYMONTH=|FREQ=MONTHLY;BYWEEKNO=1|FREQ=DAILY;BYYEARDAY=1|"
            "FREQ=WEEKLY;BYMONTHDAY=1|FREQ=DAILY;BYSETPOS=0|FREQ=YEARLY;BYWEEKNO=1;BYDAY=1MO|"
            "FREQ=DAILY;WKST=XY|FREQ=DAILY;RSCALE=HEBREW|FREQ=MONTHLY;RSCALE=GREGORIAN;SKIP="
            "FORWARD");
        for (const QString& text : texts.split(u'|'))
            QTest::newRow(qPrintable(text)) << text;
    }

    void parseRuleRefuses()
    {
        QFETCH(QString, text);
        QString error;
        QVERIFY(!Recurrence::parseRule(text, &error));
        QVERIFY(!error.isEmpty());
    }

    // Random rules from valid and broken pieces never crash the parser or hang an expansion,
    // and whatever the parser accepts reads back from its own text unchanged.
    void randomRules()
    {
        const QStringList pieces =
            QString::fromUtf8("FREQ=DAILY|FREQ=WEEKLY|FREQ=MONTHLY|FREQ=YEARLY|FREQ=HOURLY|"
                              "FREQ=|INTERVAL=2|INTERVAL=0|COUNT=3|UNTIL=20271231|"
                              "UNTIL=20261231T120000Z|UNTIL=2026|BYDAY=MO,-1FR|BYDAY=2TU|"
                              "BYDAY=SU,SA|BYDAY=XX|BYMONTHDAY=31,-1|BYMONTHDAY=0|"
                              "BYMONTH=2|BYMONTH=13|BYWEEKNO=53|BYWEEKNO=-1|"
                              "BYYEARDAY=-366,60|BYSETPOS=-1,2|BYHOUR=9,17|WKST=SU|"
                              "X-FOO=1||=|BYDAY=|ü| ")
                .split(u'|');
        QRandomGenerator random(20260329);
        const QDateTime start = local(2026, 1, 31, 9);
        QElapsedTimer timer;
        timer.start();
        int accepted = 0;
        for (int i = 0; i < 6000; ++i) {
            QStringList parts;
            for (int j = random.bounded(1, 7); j > 0; --j)
                parts << pieces.at(random.bounded(int(pieces.size())));
            const QString text = parts.join(u';');
            const auto parsed = recurrence::parseRuleParts(text);
            if (!parsed)
                continue;
            ++accepted;
            QCOMPARE(recurrence::parseRuleParts(recurrence::formatRuleParts(*parsed)), parsed);
            const QList<QDateTime> got =
                Recurrence::occurrences(series(start, {text}), start, start.addYears(3), 50);
            QVERIFY(!got.isEmpty() && got.first() == start);
            QVERIFY(std::is_sorted(got.cbegin(), got.cend()));
        }
        QVERIFY(accepted > 300);
        QVERIFY2(timer.elapsed() < 20000, "random rules took too long");
    }

    // Every rule the repeat editor builds reads back from its text as it was built. A yearly
    // rule also names its month (taken from the start), and an end date of an all-day series
    // is a whole day.
    void formatRoundTripsEditorRules()
    {
        const QList<std::optional<RecurrenceEnd>> ends = {
            std::nullopt, RecurrenceEnd::withOccurrenceCount(7),
            RecurrenceEnd::withEndDate(local(2027, 6, 30, 18, 45))};
        const QList<QPair<QDateTime, bool>> starts = {
            {inZone("Europe/Berlin", 2026, 3, 10, 9), false},
            {local(2026, 3, 10, 9), false},
            {local(2026, 3, 10), true}};
        for (const RecurrenceRule& base : editorRules()) {
            for (const auto& end : ends) {
                for (const auto& [start, allDay] : starts) {
                    RecurrenceRule built = base;
                    built.recurrenceEnd = end;
                    const QString text = Recurrence::formatRule(built, start, allDay);
                    RecurrenceRule expected = built;
                    if (built.frequency == RecurrenceRule::Frequency::Yearly)
                        expected.monthsOfTheYear = {3};
                    if (end && end->endDate.isValid() && allDay) {
                        expected.recurrenceEnd = RecurrenceEnd::withEndDate(local(2027, 6, 30));
                        expected.recurrenceEnd->endDateIsAllDay = true;
                    }
                    const std::optional<RecurrenceRule> read = Recurrence::parseRule(text);
                    QVERIFY2(read, qPrintable(text));
                    QVERIFY2(*read == expected, qPrintable(text));
                    QCOMPARE(Recurrence::formatRule(*read, start, allDay), text);
                }
            }
        }
    }

    void formatRule_data()
    {
        using F = RecurrenceRule::Frequency;
        QTest::addColumn<RecurrenceRule>("rule");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QString>("expected");
        // The editor's rules read back as built (formatRoundTripsEditorRules), and are written in
        // their part order with a timed end in UTC (tst_taskdetailedits); these are others.
        QTest::newRow("yearly on a weekday of the year keeps its scope")
            << makeRule(F::Yearly, 1, {{2, 20}}) << false << "FREQ=YEARLY;BYDAY=20MO";
        RecurrenceRule wholeDay = makeRule(F::Daily);
        wholeDay.recurrenceEnd = RecurrenceEnd::withEndDate(local(2026, 7, 31));
        wholeDay.recurrenceEnd->endDateIsAllDay = true;
        QTest::newRow("a whole-day end keeps its day")
            << wholeDay << false << "FREQ=DAILY;UNTIL=20260731T215959Z";
        QTest::newRow("no numbered weekdays in weekly rules")
            << makeRule(F::Weekly, 1, {{3, 2}}) << false << "FREQ=WEEKLY;BYDAY=TU";
        QTest::newRow("values out of range dropped")
            << makeRule(F::Monthly, 0, {{9, 0}}, {0, 32, 15}) << false
            << "FREQ=MONTHLY;BYMONTHDAY=15";
    }

    void formatRule()
    {
        QFETCH(RecurrenceRule, rule);
        QFETCH(bool, allDay);
        QFETCH(QString, expected);
        const QDateTime start =
            allDay ? local(2026, 3, 10) : inZone("Europe/Berlin", 2026, 3, 10, 9);
        QCOMPARE(Recurrence::formatRule(rule, start, allDay), expected);
    }

    void countAndUntilEndTheSeries()
    {
        const QDateTime start = inZone("Europe/Berlin", 2026, 3, 16, 9);
        const RecurrenceSet counted = series(start, {"FREQ=DAILY;COUNT=3"});
        QCOMPARE(expand(counted), (QList<QDateTime>{start, start.addDays(1), start.addDays(2)}));
        QCOMPARE(Recurrence::nextOccurrence(counted, start.addDays(1)).value(), start.addDays(2));
        QVERIFY(!Recurrence::nextOccurrence(counted, start.addDays(2)));
        QVERIFY(!Recurrence::nextOccurrence(series(start, {"FREQ=DAILY;COUNT=1"}), start));

        // UTC is an instant and inclusive: 08:00 UTC is 09:00 in Berlin in March.
        const RecurrenceSet until = series(start, {"FREQ=WEEKLY;UNTIL=20260323T080000Z"});
        QCOMPARE(expand(until), (QList<QDateTime>{start, start.addDays(7)}));
        QVERIFY(!Recurrence::nextOccurrence(until, start.addDays(7)));
        QCOMPARE(expand(series(start, {"FREQ=WEEKLY;UNTIL=20260323T075959Z"})), {start});

        // An all-day series ends on its UNTIL day, however the day was written.
        for (const char* rule : {"FREQ=DAILY;UNTIL=20260318", "FREQ=DAILY;UNTIL=20260318T000000Z",
                                 "FREQ=DAILY;UNTIL=20260318T235959Z"}) {
            const RecurrenceSet allDay = series(local(2026, 3, 16), {rule}, true);
            QCOMPARE(datesOf(expand(allDay)),
                     (QList<QDate>{{2026, 3, 16}, {2026, 3, 17}, {2026, 3, 18}}));
        }
    }

    void wallClockTimeSurvivesDst()
    {
        const QTimeZone berlin("Europe/Berlin");
        const RecurrenceSet weekly =
            series(inZone("Europe/Berlin", 2026, 3, 23, 9), {"FREQ=WEEKLY"});
        const QList<QDateTime> year =
            Recurrence::occurrences(weekly, weekly.start, local(2026, 11, 3));
        QCOMPARE(year.size(), 33);
        for (const QDateTime& time : year)
            QVERIFY(time.timeZone() == berlin && time.time() == QTime(9, 0));
        // 23 March in CET, 30 March in CEST, 19 October in CEST, 26 October in CET.
        QCOMPARE(QList({year.at(0).toUTC().time(), year.at(1).toUTC().time(),
                        year.at(30).toUTC().time(), year.at(31).toUTC().time()}),
                 QList({QTime(8, 0), QTime(7, 0), QTime(7, 0), QTime(8, 0)}));

        // Another zone keeps its own clock: New York moves on 8 March.
        const QList<QDateTime> newYork =
            expand(series(inZone("America/New_York", 2026, 3, 2, 9), {"FREQ=WEEKLY;COUNT=2"}));
        QCOMPARE(newYork, (QList<QDateTime>{QDateTime({2026, 3, 2}, {14, 0}, Qt::UTC),
                                            QDateTime({2026, 3, 9}, {13, 0}, Qt::UTC)}));

        // Floating times follow the local clock (a week and an hour in October); UTC times keep
        // their UTC time (10:00 local after the spring change, as 09:00 was before).
        QCOMPARE(expand(series(local(2026, 10, 19, 9), {"FREQ=WEEKLY;COUNT=2"})),
                 (QList<QDateTime>{local(2026, 10, 19, 9), local(2026, 10, 26, 9)}));
        QCOMPARE(expand(series(QDateTime({2026, 3, 23}, {8, 0}, Qt::UTC), {"FREQ=WEEKLY;COUNT=2"}))
                     .at(1),
                 QDateTime({2026, 3, 30}, {8, 0}, Qt::UTC));

        // A time the spring change skips is no occurrence and does not count; the autumn
        // repeat of an hour takes its first pass.
        const QList<QDateTime> spring =
            expand(series(inZone("Europe/Berlin", 2026, 3, 28, 2, 30), {"FREQ=DAILY;COUNT=2"}));
        QCOMPARE(spring.at(1).toUTC(), QDateTime({2026, 3, 30}, {0, 30}, Qt::UTC));
        const QList<QDateTime> autumn =
            expand(series(inZone("Europe/Berlin", 2026, 10, 24, 2, 30), {"FREQ=DAILY;COUNT=2"}));
        QCOMPARE(autumn.at(1).toUTC(), QDateTime({2026, 10, 25}, {0, 30}, Qt::UTC));
    }

    void exdatesAndRdatesMerge()
    {
        const QDateTime start = inZone("Europe/Berlin", 2026, 3, 2, 9); // a Monday
        RecurrenceSet set = series(start, {"FREQ=WEEKLY;COUNT=4"});
        set.exdates << QDateTime({2026, 3, 9}, {8, 0}, Qt::UTC)   // 9 March, 09:00 in Berlin
                    << inZone("Europe/Berlin", 2026, 3, 16, 10);  // no occurrence: no effect
        set.rdates << inZone("America/New_York", 2026, 3, 11, 12) // 17:00 in Berlin
                   << inZone("Europe/Berlin", 2026, 3, 16, 9);    // repeats an occurrence
        const QList<QDateTime> got = expand(set);
        QCOMPARE(got, (QList<QDateTime>{start, inZone("Europe/Berlin", 2026, 3, 11, 17),
                                        start.addDays(14), start.addDays(21)}));
        QCOMPARE(got.at(1).timeZone(), QTimeZone("Europe/Berlin"));
        QCOMPARE(Recurrence::occurrences(set, start.addSecs(1), start.addDays(21)), got.mid(1, 2));
        QCOMPARE(Recurrence::occurrences(set, start, start.addDays(30), 2), got.mid(0, 2));
        // A window opens on its first instant: an added date there is in it.
        QCOMPARE(Recurrence::occurrences(set, got.at(1), got.at(1).addSecs(1)), got.mid(1, 1));
        set.exdates << start;
        QCOMPARE(Recurrence::nextOccurrence(set, start.addDays(-1)).value(), got.at(1));

        // Several rules are united.
        const RecurrenceSet two =
            series(start, {"FREQ=WEEKLY;BYDAY=MO;COUNT=3", "FREQ=WEEKLY;BYDAY=MO,WE;COUNT=3"});
        QCOMPARE(datesOf(expand(two)),
                 (QList<QDate>{{2026, 3, 2}, {2026, 3, 4}, {2026, 3, 9}, {2026, 3, 16}}));

        // In an all-day series dates match by day, whatever time they carry.
        RecurrenceSet allDay = series(local(2026, 3, 2), {"FREQ=DAILY;COUNT=4"}, true);
        allDay.exdates << QDateTime({2026, 3, 3}, {12, 0}, Qt::UTC);
        allDay.rdates << local(2026, 3, 10, 15) << local(2026, 3, 5, 18);
        QCOMPARE(expand(allDay), (QList<QDateTime>{local(2026, 3, 2), local(2026, 3, 4),
                                                   local(2026, 3, 5), local(2026, 3, 10)}));
    }

    // A window years after the start is expanded without walking there (rules without COUNT
    // resume near the window), and must give what a walk from the start gives.
    void laterWindowsMatchAWalkFromTheStart_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDateTime>("start");
        const QDateTime monday = local(1997, 9, 1, 9);
        for (const char* rule :
             {"FREQ=DAILY;INTERVAL=5;BYHOUR=8,20", "FREQ=DAILY;BYMONTHDAY=-1,15",
              "FREQ=WEEKLY;INTERVAL=3;BYDAY=SU,TU;WKST=SU", "FREQ=WEEKLY;INTERVAL=2",
              "FREQ=MONTHLY", "FREQ=MONTHLY;BYDAY=-1FR",
              "FREQ=MONTHLY;INTERVAL=18;BYMONTHDAY=10,-1",
              "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-2", "FREQ=YEARLY;BYDAY=20MO",
              "FREQ=YEARLY;INTERVAL=2;BYMONTH=2;BYDAY=WE", "FREQ=YEARLY;BYWEEKNO=1,-1;INTERVAL=3"})
            QTest::newRow(rule) << QString::fromLatin1(rule) << monday;
        QTest::newRow("yearly on 31 January") << "FREQ=YEARLY" << local(1997, 1, 31, 9);
        QTest::newRow("monthly on the 31st") << "FREQ=MONTHLY;INTERVAL=5" << local(1997, 1, 31, 9);
        QTest::newRow("leap day") << "FREQ=YEARLY" << local(1996, 2, 29);
    }

    void laterWindowsMatchAWalkFromTheStart()
    {
        QFETCH(QString, rule);
        QFETCH(QDateTime, start);
        const RecurrenceSet set = series(start, {rule}, start.time() == QTime(0, 0));
        const QDateTime from = local(2026, 3, 20, 12);
        const QDateTime to = local(2028, 3, 20);
        QList<QDateTime> walked = Recurrence::occurrences(set, start, to);
        walked.removeIf([&from](const QDateTime& time) { return time < from; });
        QVERIFY(!walked.isEmpty());
        QCOMPARE(Recurrence::occurrences(set, from, to), walked);
        QCOMPARE(Recurrence::nextOccurrence(set, from.addMSecs(-1)).value(), walked.first());
    }

    void expandsOnSeveralThreadsAtOnce()
    {
        const QList<RecurrenceSet> sets = {
            series(inZone("Europe/Berlin", 2026, 3, 23, 9), {"FREQ=WEEKLY;BYDAY=MO,TH"}),
            series(local(2026, 1, 31, 9), {"FREQ=DAILY;BYMONTHDAY=-1"}),
            series(local(2026, 12, 28, 9), {"FREQ=YEARLY;BYWEEKNO=-1,1"}),
            series(local(2024, 2, 29), {"FREQ=YEARLY;BYMONTH=2"}, true),
            series(local(2026, 1, 13, 9), {"FREQ=MONTHLY;BYDAY=TU;BYSETPOS=2"}),
            series(local(2026, 3, 1, 8), {"FREQ=HOURLY;INTERVAL=5;COUNT=400"}),
            series(local(2026, 1, 1, 9), {"FREQ=MINUTELY;BYMONTH=2;BYMONTHDAY=30"}),
        };
        QList<QList<QDateTime>> expected;
        for (const RecurrenceSet& set : sets)
            expected << expand(set, 500);
        QList<int> jobs;
        for (int i = 0; i < 70; ++i)
            jobs << i % int(sets.size());
        QThreadPool pool;
        pool.setMaxThreadCount(8);
        const QList<QList<QDateTime>> got = QtConcurrent::blockingMapped<QList<QList<QDateTime>>>(
            &pool, jobs, [&sets](int index) { return expand(sets.at(index), 500); });
        for (qsizetype i = 0; i < jobs.size(); ++i)
            QCOMPARE(got.at(i), expected.at(jobs.at(i)));
    }

    // --- Where expansion meets its limits (dateutil checks intervals and WKST weeks) ---------

    // Sub-daily rules across the changes give distinct instants, ascending, and no occurrence at
    // a time the clock skips. Negative days of the month and of the year count from the end, and
    // days that no part allows are jumped over instead of being walked minute by minute.
    void subDailyRules_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<QDateTime>>("tail"); // the last occurrences
        const auto utc = [](int year, int month, int day, int hour, int minute = 0) {
            return QDateTime({year, month, day}, {hour, minute}, Qt::UTC);
        };
        // 00:30, 01:30, (02:30 does not exist), 03:30, 04:30, 05:30.
        QTest::newRow("hourly over the spring gap")
            << inZone("Europe/Berlin", 2026, 3, 29, 0, 30) << "FREQ=HOURLY;COUNT=5" << 5
            << QList<QDateTime>{utc(2026, 3, 28, 23, 30), utc(2026, 3, 29, 0, 30),
                                utc(2026, 3, 29, 1, 30), utc(2026, 3, 29, 2, 30),
                                utc(2026, 3, 29, 3, 30)};
        // Starting in the second pass of the repeated hour (02:30 CET), the series stays there.
        QTest::newRow("every 15 minutes from the repeated hour")
            << QDateTime::fromMSecsSinceEpoch(utc(2026, 10, 25, 1, 30).toMSecsSinceEpoch(),
                                              QTimeZone("Europe/Berlin"))
            << "FREQ=MINUTELY;INTERVAL=15;COUNT=4" << 4
            << QList<QDateTime>{utc(2026, 10, 25, 1, 30), utc(2026, 10, 25, 1, 45),
                                utc(2026, 10, 25, 2, 0), utc(2026, 10, 25, 2, 15)};
        // From the first pass on, wall-clock steps leave the second pass out.
        QTest::newRow("every 30 minutes into the repeated hour")
            << inZone("Europe/Berlin", 2026, 10, 25, 1, 30) << "FREQ=MINUTELY;INTERVAL=30;COUNT=5"
            << 5
            << QList<QDateTime>{utc(2026, 10, 24, 23, 30), utc(2026, 10, 25, 0, 0),
                                utc(2026, 10, 25, 0, 30), utc(2026, 10, 25, 2, 0),
                                utc(2026, 10, 25, 2, 30)};
        const QDateTime march(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC);
        QTest::newRow("hourly on the 31st from the end")
            << march << "FREQ=HOURLY;BYMONTHDAY=-31;COUNT=30" << 30
            << QList<QDateTime>{utc(2026, 5, 1, 4), utc(2026, 5, 1, 5)};
        QTest::newRow("minutely on the last day of the year")
            << march << "FREQ=MINUTELY;INTERVAL=7;BYYEARDAY=-1;BYHOUR=23;COUNT=4" << 4
            << QList<QDateTime>{utc(2026, 12, 31, 23, 7), utc(2026, 12, 31, 23, 14)};
        QTest::newRow("minutely, months apart")
            << utc(2026, 1, 31, 23, 58) << "FREQ=MINUTELY;BYMONTH=1,5;COUNT=5" << 5
            << QList<QDateTime>{utc(2026, 5, 1, 0, 0), utc(2026, 5, 1, 0, 1),
                                utc(2026, 5, 1, 0, 2)};
        QTest::newRow("hourly on the eve of 1970")
            << QDateTime({1969, 12, 31}, {22, 0}, Qt::UTC) << "FREQ=HOURLY;BYMONTHDAY=31,1;COUNT=3"
            << 3 << QList<QDateTime>{utc(1969, 12, 31, 23), utc(1970, 1, 1, 0)};
        QTest::newRow("secondly on leap days")
            << march << "FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=29;BYHOUR=12;BYMINUTE=30;COUNT=3" << 3
            << QList<QDateTime>{QDateTime({2028, 2, 29}, {12, 30, 0}, Qt::UTC),
                                QDateTime({2028, 2, 29}, {12, 30, 1}, Qt::UTC)};
    }

    void subDailyRules()
    {
        QFETCH(QDateTime, start);
        QFETCH(QString, rule);
        QFETCH(int, count);
        QFETCH(QList<QDateTime>, tail);
        const RecurrenceSet set = series(start, {rule});
        const QList<QDateTime> got = expand(set);
        QCOMPARE(got.size(), count);
        QCOMPARE(got.mid(count - tail.size()), tail);
        QList<qint64> instants;
        for (const QDateTime& time : got)
            instants << time.toMSecsSinceEpoch();
        QVERIFY(std::is_sorted(instants.cbegin(), instants.cend()));
        QVERIFY(std::adjacent_find(instants.cbegin(), instants.cend()) == instants.cend());
        QCOMPARE(Recurrence::occurrenceInstants(set, start, start.addYears(100)), instants);
    }

    void neverMatchingRulesProduceOnlyTheirStart_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<bool>("exhaustsBudget");
        const QDateTime start = local(2026, 1, 31, 9);
        for (const NeverMatchingRules::Rule& rule : NeverMatchingRules::kRules)
            QTest::newRow(rule.text) << rule.text << start << rule.endsAtWorkLimit;
        QTest::newRow("minutely, 30 February")
            << "FREQ=MINUTELY;BYMONTH=2;BYMONTHDAY=30" << start << false;
        QTest::newRow("monthly in April on the start's 31st")
            << "FREQ=MONTHLY;BYMONTH=4" << start << false;
        QTest::newRow("sixth Monday") << "FREQ=MONTHLY;BYDAY=6MO" << start << false;
        QTest::newRow("every other month from January, in April")
            << "FREQ=MONTHLY;INTERVAL=2;BYMONTH=4" << start << false;
        QTest::newRow("every seventh day from a Saturday, on Mondays")
            << "FREQ=DAILY;INTERVAL=7;BYDAY=MO" << start << false;
        QTest::newRow("leap day every four years from 2025")
            << "FREQ=YEARLY;INTERVAL=4;BYMONTH=2;BYMONTHDAY=29" << local(2025, 2, 1, 9) << false;
        // Every fourth year from 2101 is never a leap year.
        QTest::newRow("leap day every four years from 2101")
            << "FREQ=YEARLY;INTERVAL=4;BYWEEKNO=9;BYMONTH=2;BYMONTHDAY=29" << local(2101, 3, 1, 9)
            << true;
    }

    // Whatever the query, such a rule gives its start alone. Either the rule's parts tell that
    // no date comes, and no iterator runs at all, or the work limit ends the search.
    void neverMatchingRulesProduceOnlyTheirStart()
    {
        QFETCH(QString, rule);
        QFETCH(QDateTime, start);
        QFETCH(bool, exhaustsBudget);
        const auto parts = recurrence::parseRuleParts(rule);
        QVERIFY(parts);
        const recurrence::SeriesFrame frame(start, false);
        const Engine engine =
            recurrence::engineFor(recurrence::expansionForm(*parts, frame), frame);
        QCOMPARE(engine == Engine::None, !exhaustsBudget);
        if (exhaustsBudget)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("work limit")));
        recurrence::ExpansionBudget budget;
        QCOMPARE(recurrence::expandRule(*parts, frame, start, QDateTime(), 100, budget), {start});
        QCOMPARE(budget.exhausted(), exhaustsBudget);
        // A window ends the walk at its end, without the work limit.
        const RecurrenceSet set = series(start, {rule});
        QCOMPARE(Recurrence::occurrences(set, start, start.addYears(1)), {start});
        QVERIFY(Recurrence::occurrences(set, start.addYears(1), start.addYears(2)).isEmpty());
    }

    // A sub-daily rule that rarely matches reaches its dates years ahead, from the start as
    // from a later window.
    void sparseSubDailyRulesReachTheirDates()
    {
        const QDateTime start = local(2026, 3, 1, 9);
        const RecurrenceSet set = series(start, {"FREQ=MINUTELY;BYMONTH=2;BYMONTHDAY=29"});
        const QList<QDateTime> fiveYears = Recurrence::occurrences(set, start, start.addYears(5));
        QCOMPARE(fiveYears.size(), 1 + 24 * 60);
        QCOMPARE(fiveYears.at(1), local(2028, 2, 29));
        QCOMPARE(fiveYears.last(), local(2028, 2, 29, 23, 59));
        QCOMPARE(Recurrence::occurrences(set, local(2028, 2, 28), local(2028, 3, 1), 3),
                 (QList<QDateTime>{local(2028, 2, 29), local(2028, 2, 29, 0, 1),
                                   local(2028, 2, 29, 0, 2)}));
        QCOMPARE(Recurrence::nextOccurrence(set, start).value(), local(2028, 2, 29));
    }
};

VELMORAN_TEST_MAIN(TestRecurrence)
#include "tst_recurrence.moc"
