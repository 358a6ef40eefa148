#include "ReminderBuilder.h"
#include "TestEnvironment.h"

#include "data/ReminderQueries.h"
#include "data/ReminderSort.h"

#include <QGuiApplication>
#include <QRandomGenerator>

#include <algorithm>
#include <functional>

using TestEnvironment::local;

Q_DECLARE_METATYPE(store::ReminderPtr)

namespace {

// Wednesday 26 March 2025, 10:00; the week starts on Sunday. The clocks go forward on Sunday
// 30 March and back on Sunday 26 October 2025 in Berlin.
QueryDates referenceDates()
{
    return {local(2025, 3, 26, 10), local(2025, 3, 26), local(2025, 3, 23), local(2025, 3, 1)};
}

ReminderQueries queriesOver(const QList<store::ReminderPtr>& reminders)
{
    return ReminderQueries(snapshotOf(reminders), referenceDates());
}

} // namespace

class TestReminderQueries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A period takes what falls on its first instant and leaves what falls on its end instant
    // to the next one; ends are calendar days and months, so DST days are 23 or 25 hours.
    void periodsAreHalfOpenCalendarSpans_data()
    {
        QTest::addColumn<QString>("period");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("at");
        QTest::addColumn<bool>("inside");
        const auto row = [](const char* name, const char* period, const QDateTime& start,
                            const QDateTime& at, bool inside) {
            QTest::newRow(name) << QString::fromLatin1(period) << start << at << inside;
        };
        const QDateTime day = local(2025, 3, 26);
        row("day: first instant", "day", day, day, true);
        row("day: end instant", "day", day, local(2025, 3, 27), false);
        const QDateTime springForward = local(2025, 3, 30);
        row("23-hour day: 23:30", "day", springForward, local(2025, 3, 30, 23, 30), true);
        row("23-hour day: next midnight", "day", springForward, local(2025, 3, 31), false);
        const QDateTime fallBack = local(2025, 10, 26);
        row("25-hour day: next midnight", "day", fallBack, local(2025, 10, 27), false);
        // A Monday-first week holding the spring change lasts 167 hours.
        const QDateTime dstWeek = local(2025, 3, 24);
        row("DST week: last Sunday evening", "week", dstWeek, local(2025, 3, 30, 23, 30), true);
        row("DST week: end instant", "week", dstWeek, local(2025, 3, 31), false);
        const QDateTime yearEnd = local(2024, 12, 29);
        row("year-end week: Saturday", "week", yearEnd, local(2025, 1, 4, 23, 59), true);
        row("year-end week: end instant", "week", yearEnd, local(2025, 1, 5), false);
        const QDateTime march = local(2025, 3, 1);
        row("March: last minute", "month", march, local(2025, 3, 31, 23, 59), true);
        row("March: end instant", "month", march, local(2025, 4, 1), false);
        row("October: 25-hour day at its end", "month", local(2025, 10, 1),
            local(2025, 10, 31, 23, 30), true);
        row("leap February: 29th", "month", local(2024, 2, 1), local(2024, 2, 29, 12), true);
    }

    void periodsAreHalfOpenCalendarSpans()
    {
        QFETCH(QString, period);
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, at);
        QFETCH(bool, inside);

        // The open task is judged by its due date, the completed one by its completion date
        // alone: its due date lies years away.
        const ReminderQueries queries =
            queriesOver({ReminderBuilder("open").dueAt(at),
                         ReminderBuilder("done").dueAt(local(2020, 1, 1, 9)).completedAt(at)});

        using Query = std::optional<ReminderList> (ReminderQueries::*)(const QDateTime&) const;
        struct Family
        {
            Query both, open, done;
        };
        const QHash<QString, Family> families{
            {"day",
             {&ReminderQueries::fetchRemindersOnDate,
              &ReminderQueries::fetchUncompletedRemindersOnDate,
              &ReminderQueries::fetchCompletedRemindersOnDate}},
            {"week",
             {&ReminderQueries::fetchRemindersFromStartingDate,
              &ReminderQueries::fetchUncompletedRemindersFromStartingDate,
              &ReminderQueries::fetchCompletedRemindersFromStartingDate}},
            {"month",
             {&ReminderQueries::fetchRemindersMonthlyFromStartingDate,
              &ReminderQueries::fetchUncompletedRemindersMonthlyFromStartingDate,
              &ReminderQueries::fetchCompletedRemindersMonthlyFromStartingDate}},
        };
        const Family family = families.value(period);
        const QStringList expectedBoth = inside ? QStringList{"open", "done"} : QStringList();
        QCOMPARE(titlesOf((queries.*family.both)(start)), expectedBoth);
        QCOMPARE(titlesOf((queries.*family.open)(start)),
                 inside ? QStringList{"open"} : QStringList());
        QCOMPARE(titlesOf((queries.*family.done)(start)),
                 inside ? QStringList{"done"} : QStringList());
    }

    void completionDateDecidesForCompletedTasks()
    {
        const ReminderQueries queries = queriesOver({
            ReminderBuilder("handed in")
                .dueAt(local(2025, 3, 30, 9))
                .completedAt(local(2025, 3, 26, 23, 59)),
            ReminderBuilder("done, no date").dueAt(local(2025, 3, 26, 9)).completedWithoutDate(),
        });
        const QDateTime day = local(2025, 3, 26);

        QCOMPARE(titlesOf(queries.fetchCompletedRemindersOnDate(day)), QStringList{"handed in"});
        QCOMPARE(titlesOf(queries.fetchRemindersOnDate(day)), QStringList{"handed in"});
        QCOMPARE(titlesOf(queries.fetchRemindersOnDate(local(2025, 3, 30))), QStringList());
        // Completed without a date: no completion test takes it, and no due-date test either.
        QCOMPARE(titlesOf(queries.fetchRemindersFromStartingDate(local(2025, 3, 23))),
                 QStringList{"handed in"});
        QCOMPARE(titlesOf(queries.fetchUncompletedRemindersUntilToday()), QStringList());
    }

    void untilQueriesTakeEveryEarlierOpenTask()
    {
        const ReminderQueries queries = queriesOver({
            ReminderBuilder("last year").dueAt(local(2024, 3, 10, 9)),
            ReminderBuilder("undated"),
            ReminderBuilder("tomorrow").dueOn(QDate(2025, 3, 27)),
            ReminderBuilder("tonight").dueAt(local(2025, 3, 26, 23, 59)),
            ReminderBuilder("done overdue")
                .dueAt(local(2025, 3, 1, 9))
                .completedAt(local(2025, 3, 2)),
            ReminderBuilder("next month").dueOn(QDate(2025, 4, 1)),
        });

        QCOMPARE(titlesOf(queries.fetchUncompletedRemindersUntilToday()),
                 (QStringList{"last year", "tonight"}));
        QCOMPARE(titlesOf(queries.fetchUncompletedRemindersUntilStartingDate(local(2025, 3, 23))),
                 (QStringList{"last year", "tomorrow", "tonight"}));
        QCOMPARE(
            titlesOf(queries.fetchUncompletedRemindersUntilCertainDate(local(2025, 3, 26, 10))),
            QStringList{"last year"});
        QCOMPARE(titlesOf(queries.fetchUncompletedRemindersFromDate(local(2025, 3, 26),
                                                                    local(2025, 3, 27))),
                 QStringList{"tonight"});
        QCOMPARE(titlesOf(queries.fetchUncompletedRemindersFromDate(local(2025, 3, 26),
                                                                    local(2025, 4, 2))),
                 (QStringList{"tomorrow", "tonight", "next month"}));
    }

    void undatedAndAlarmQueries()
    {
        const ReminderQueries queries = queriesOver({
            ReminderBuilder("undated"),
            ReminderBuilder("dated").dueOn(QDate(2025, 3, 27)).withAlarm(),
            ReminderBuilder("undated done").completedAt(local(2025, 3, 20)).withAlarm(),
            ReminderBuilder("undated done, no date").completedWithoutDate(),
            ReminderBuilder("undated with alarm").withAlarm(),
        });
        QCOMPARE(titlesOf(queries.fetchSimpleReminders()),
                 (QStringList{"undated", "undated with alarm"}));
        QCOMPARE(titlesOf(queries.fetchRemindersWithAlarm()),
                 (QStringList{"dated", "undated with alarm"}));
    }

    void noSnapshotAnswersNone()
    {
        const ReminderQueries queries(nullptr, referenceDates());
        const QDateTime day = local(2025, 3, 26);
        const QList<std::function<std::optional<ReminderList>()>> all = {
            [&] { return queries.fetchRemindersOnDate(day); },
            [&] { return queries.fetchUncompletedRemindersUntilToday(); },
            [&] { return queries.fetchUncompletedRemindersUntilCertainDate(day); },
            [&] { return queries.fetchUncompletedRemindersFromDate(day, day.addDays(2)); },
            [&] { return queries.fetchRemindersWithAlarm(); },
        };
        for (qsizetype i = 0; i < all.size(); ++i)
            QVERIFY2(!all.at(i)().has_value(), qPrintable(QString::number(i)));
        QVERIFY(queries.fetchSimpleReminders().isEmpty());
        QVERIFY(!queries.count(ReminderQueries::day(day, PeriodSelection::Which::Both)));

        // An empty snapshot is not an absent one.
        const ReminderQueries empty = queriesOver({});
        QVERIFY(empty.fetchRemindersOnDate(day) && empty.fetchRemindersOnDate(day)->isEmpty());
        // An invalid start selects nothing rather than everything.
        const ReminderQueries one =
            queriesOver({ReminderBuilder("a").dueAt(local(2025, 3, 26, 9))});
        QCOMPARE(titlesOf(one.fetchRemindersOnDate(QDateTime())), QStringList());
        QCOMPARE(titlesOf(one.fetchUncompletedRemindersUntilCertainDate(QDateTime())),
                 QStringList());
    }

    // Each pair differs in one key, the earlier keys tied: `first` sorts before `second`.
    void sortKeysDecideInTurn_data()
    {
        QTest::addColumn<store::ReminderPtr>("first");
        QTest::addColumn<store::ReminderPtr>("second");
        const store::CalendarPtr work = makeList("w", "Work");
        const store::CalendarPtr home = makeList("h", "Home");
        const store::CalendarPtr hidden = makeList("x", "Elsewhere");
        const auto task = [&](const char* title) { return ReminderBuilder(title).in(work); };

        QTest::newRow("open before completed")
            << task("open").dueOn(QDate(2025, 5, 1)).priority(9).build()
            << task("done")
                   .dueOn(QDate(2025, 1, 1))
                   .priority(1)
                   .completedAt(local(2025, 1, 1))
                   .build();
        QTest::newRow("earlier completion first")
            << task("a").dueOn(QDate(2025, 5, 1)).completedAt(local(2025, 3, 1)).build()
            << task("b").dueOn(QDate(2025, 1, 1)).completedAt(local(2025, 3, 2)).build();
        QTest::newRow("earlier due first")
            << task("a").dueAt(local(2025, 3, 26, 9)).priority(9).build()
            << task("b").dueAt(local(2025, 3, 26, 10)).priority(1).build();
        QTest::newRow("dated before undated")
            << task("a").dueOn(QDate(2030, 1, 1)).priority(9).build()
            << task("b").priority(1).build();
        // A due date that cannot be read (a day that does not exist) sorts with the undated.
        QTest::newRow("dated before an unreadable due date")
            << task("a").dueOn(QDate(2030, 1, 1)).priority(9).build()
            << task("b").dueOn(QDate(2025, 2, 30)).priority(1).build();
        QTest::newRow("due read in its zone")
            << task("a").dueAt(local(2025, 3, 27, 0, 30)).build()
            << task("b").dueIn("America/New_York", QDate(2025, 3, 26), QTime(20, 0)).build();
        QTest::newRow("priority 1 before 9")
            << task("a").priority(1).build() << task("b").priority(9).build();
        QTest::newRow("priority 9 before none")
            << task("a").priority(9).created(local(2025, 3, 2)).build()
            << task("b").created(local(2025, 3, 1)).build();
        QTest::newRow("list order")
            << ReminderBuilder("a").in(work).created(local(2025, 3, 2)).build()
            << ReminderBuilder("b").in(home).created(local(2025, 3, 1)).build();
        QTest::newRow("list not shown before shown ones")
            << ReminderBuilder("a").in(hidden).created(local(2025, 3, 2)).build()
            << ReminderBuilder("b").in(work).created(local(2025, 3, 1)).build();
        QTest::newRow("earlier creation first") << task("a").created(local(2025, 3, 1)).build()
                                                << task("b").created(local(2025, 3, 2)).build();
    }

    void sortKeysDecideInTurn()
    {
        QFETCH(store::ReminderPtr, first);
        QFETCH(store::ReminderPtr, second);
        const ReminderSort sort({"w", "h"});
        QVERIFY(sort.lessThan(*first, *second));
        QVERIFY(!sort.lessThan(*second, *first));
        ReminderList both{second, first};
        sort.sort(both);
        QCOMPARE(titlesOf(both), (QStringList{first->title, second->title}));
    }

    // Mixed dated, undated, completed and listless tasks: whatever order they arrive in, the
    // comparison is a strict weak ordering and the sorted result is the same.
    void sortIsConsistentForAnyArrivalOrder()
    {
        const store::CalendarPtr lists[] = {makeList("w", "Work"), makeList("h", "Home"),
                                            makeList("x", "Elsewhere"), nullptr};
        const int priorities[] = {0, 1, 5, 9};
        QRandomGenerator random(7);
        ReminderList tasks;
        for (int i = 0; i < 80; ++i) {
            ReminderBuilder task(QString::number(i));
            task.in(lists[random.bounded(4)]).priority(priorities[random.bounded(4)]);
            // Distinct creation dates make every pair comparable, so the order is unique.
            task.created(local(2024, 1, 1).addSecs(qint64(random.bounded(1000000)) * 60 + i));
            if (random.bounded(3) != 0)
                task.dueOn(QDate(2025, 3, 20).addDays(random.bounded(4)));
            const int completion = int(random.bounded(6));
            if (completion == 0)
                task.completedWithoutDate();
            else if (completion == 1)
                task.completedAt(local(2025, 3, 20 + int(random.bounded(3))));
            tasks.append(task.build());
        }

        const ReminderSort sort({"w", "h"});
        const auto less = [&](const store::ReminderPtr& a, const store::ReminderPtr& b) {
            return sort.lessThan(*a, *b);
        };
        for (const store::ReminderPtr& a : tasks) {
            QVERIFY(!less(a, a));
            for (const store::ReminderPtr& b : tasks) {
                QVERIFY(!(less(a, b) && less(b, a)));
                for (const store::ReminderPtr& c : tasks) {
                    if (less(a, b) && less(b, c))
                        QVERIFY(less(a, c));
                    // Ties must be transitive too, or sorting depends on arrival order.
                    if (!less(a, b) && !less(b, a) && !less(b, c) && !less(c, b))
                        QVERIFY(!less(a, c) && !less(c, a));
                }
            }
        }

        ReminderList reference = tasks;
        sort.sort(reference);
        QVERIFY(std::is_sorted(reference.cbegin(), reference.cend(), less));
        for (int round = 0; round < 5; ++round) {
            ReminderList shuffled = tasks;
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            sort.sort(shuffled);
            QCOMPARE(titlesOf(shuffled), titlesOf(reference));
        }
    }
};

VELMORAN_TEST_MAIN(TestReminderQueries)
#include "tst_reminderqueries.moc"
