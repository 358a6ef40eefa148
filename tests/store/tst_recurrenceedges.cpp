#include "NeverMatchingRules.h"
#include "RecurrenceSeries.h"
#include "TestEnvironment.h"

#include "platform/store/Recurrence.h"
#include "platform/store/recurrence/RuleExpander.h"
#include "platform/store/recurrence/RuleParts.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>

using namespace store;
using store::recurrence::Engine;
using namespace RecurrenceSeries;
using TestEnvironment::local;

// Where expansion meets its limits: daylight-saving changes, sub-daily rules whose dates lie far
// apart, and rules that never produce a date. (Intervals counted from the start and weeks that
// begin on WKST are compared with dateutil, rule by rule, in tst_recurrencevsdateutil.)
class TestRecurrenceEdges : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

VELMORAN_TEST_MAIN(TestRecurrenceEdges)
#include "tst_recurrenceedges.moc"
