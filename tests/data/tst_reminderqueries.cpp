#include "ReminderBuilder.h"
#include "TestEnvironment.h"

#include "data/ReminderQueries.h"
#include "data/ReminderSort.h"

#include <QRandomGenerator>

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
    // to the next one; ends are calendar days and months, so DST days are 23 or 25 hours. Each
    // case: the period, its start, the instant of the open task's due date and of the other's
    // completion, and whether that falls inside.
    void periodsAreHalfOpenCalendarSpans()
    {
        using Query = std::optional<ReminderList> (ReminderQueries::*)(const QDateTime&) const;
        using Q = ReminderQueries;
        // Both, open only, completed only.
        const QHash<QString, std::array<Query, 3>> families{
            {"day",
             {&Q::fetchRemindersOnDate, &Q::fetchUncompletedRemindersOnDate,
              &Q::fetchCompletedRemindersOnDate}},
            {"week",
             {&Q::fetchRemindersFromStartingDate, &Q::fetchUncompletedRemindersFromStartingDate,
              &Q::fetchCompletedRemindersFromStartingDate}},
            {"month",
             {&Q::fetchRemindersMonthlyFromStartingDate,
              &Q::fetchUncompletedRemindersMonthlyFromStartingDate,
              &Q::fetchCompletedRemindersMonthlyFromStartingDate}}};
        using Case = std::tuple<const char*, QDateTime, QDateTime, bool>;
        const QDateTime day = local(2025, 3, 26), spring = local(2025, 3, 30),
                        dstWeek = local(2025, 3, 24), yearEnd = local(2024, 12, 29),
                        march = local(2025, 3, 1);
        for (const auto& [period, start, at, inside] :
             {Case{"day", day, day, true}, Case{"day", day, local(2025, 3, 27), false},
              Case{"day", spring, local(2025, 3, 30, 23, 30), true},
              Case{"day", spring, local(2025, 3, 31), false},
              Case{"day", local(2025, 10, 26), local(2025, 10, 27), false},
              // A Monday-first week holding the spring change lasts 167 hours.
              Case{"week", dstWeek, local(2025, 3, 30, 23, 30), true},
              Case{"week", dstWeek, local(2025, 3, 31), false},
              Case{"week", yearEnd, local(2025, 1, 4, 23, 59), true},
              Case{"week", yearEnd, local(2025, 1, 5), false},
              Case{"month", march, local(2025, 3, 31, 23, 59), true},
              Case{"month", march, local(2025, 4, 1), false},
              Case{"month", local(2025, 10, 1), local(2025, 10, 31, 23, 30), true},
              Case{"month", local(2024, 2, 1), local(2024, 2, 29, 12), true}}) {
            // The completed task is judged by its completion date alone: its due date lies
            // years away. One completed without a date is taken by no test, due date or not.
            const ReminderQueries queries =
                queriesOver({ReminderBuilder("open").dueAt(at),
                             ReminderBuilder("done").dueAt(local(2020, 1, 1, 9)).completedAt(at),
                             ReminderBuilder("no date").dueAt(at).completedWithoutDate()});
            const auto& [both, open, done] = families.value(period);
            // The period and instant go into the comparison, to tell a failing case.
            const QString where = " | " + QString(period) + ' ' + at.toString(Qt::ISODate);
            QCOMPARE(titlesOf((queries.*both)(start)).join(' ') + where,
                     (inside ? "open done" : "") + where);
            QCOMPARE(titlesOf((queries.*open)(start)),
                     inside ? QStringList{"open"} : QStringList());
            QCOMPARE(titlesOf((queries.*done)(start)),
                     inside ? QStringList{"done"} : QStringList());
        }
    }

    void untilQueriesTakeEveryEarlierOpenTaskAndNoUndatedOne()
    {
        const ReminderQueries queries = queriesOver({
            ReminderBuilder("last year").dueAt(local(2024, 3, 10, 9)),
            ReminderBuilder("undated"),
            ReminderBuilder("tomorrow").dueOn(QDate(2025, 3, 27)).withAlarm(),
            ReminderBuilder("tonight").dueAt(local(2025, 3, 26, 23, 59)),
            ReminderBuilder("done overdue")
                .dueAt(local(2025, 3, 1, 9))
                .completedAt(local(2025, 3, 2)),
            ReminderBuilder("done, no date").dueAt(local(2025, 3, 1, 9)).completedWithoutDate(),
            ReminderBuilder("next month").dueOn(QDate(2025, 4, 1)),
            ReminderBuilder("undated done").completedAt(local(2025, 3, 20)).withAlarm(),
            ReminderBuilder("undated done, no date").completedWithoutDate(),
            ReminderBuilder("undated with alarm").withAlarm(),
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
        // The open undated tasks, and the open tasks with an alarm.
        QCOMPARE(titlesOf(queries.fetchSimpleReminders()),
                 (QStringList{"undated", "undated with alarm"}));
        QCOMPARE(titlesOf(queries.fetchRemindersWithAlarm()),
                 (QStringList{"tomorrow", "undated with alarm"}));
    }

    void noSnapshotAnswersNone()
    {
        const ReminderQueries queries(nullptr, referenceDates());
        const QDateTime day = local(2025, 3, 26);
        QVERIFY(!queries.fetchRemindersOnDate(day));
        QVERIFY(!queries.fetchUncompletedRemindersUntilToday());
        QVERIFY(!queries.fetchUncompletedRemindersUntilCertainDate(day));
        QVERIFY(!queries.fetchUncompletedRemindersFromDate(day, day.addDays(2)));
        QVERIFY(!queries.fetchRemindersWithAlarm());
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
        const auto a = [&] { return ReminderBuilder("a").in(work); };
        const auto b = [&] { return ReminderBuilder("b").in(work); };
        const auto row = [](const char* name, const ReminderBuilder& first,
                            const ReminderBuilder& second) {
            QTest::newRow(name) << first.build() << second.build();
        };
        const QDate may1(2025, 5, 1), jan1(2025, 1, 1);
        row("open before completed", a().dueOn(may1).priority(9),
            b().dueOn(jan1).priority(1).completedAt(local(2025, 1, 1)));
        row("earlier completion first", a().dueOn(may1).completedAt(local(2025, 3, 1)),
            b().dueOn(jan1).completedAt(local(2025, 3, 2)));
        row("earlier due first", a().dueAt(local(2025, 3, 26, 9)).priority(9),
            b().dueAt(local(2025, 3, 26, 10)).priority(1));
        row("dated before undated", a().dueOn(QDate(2030, 1, 1)).priority(9), b().priority(1));
        // A due date that cannot be read (a day that does not exist) sorts with the undated.
        row("dated before an unreadable due date", a().dueOn(QDate(2030, 1, 1)).priority(9),
            b().dueOn(QDate(2025, 2, 30)).priority(1));
        row("due read in its zone", a().dueAt(local(2025, 3, 27, 0, 30)),
            b().dueIn("America/New_York", QDate(2025, 3, 26), QTime(20, 0)));
        row("priority 1 before 9", a().priority(1), b().priority(9));
        row("priority 9 before none", a().priority(9).created(local(2025, 3, 2)),
            b().created(local(2025, 3, 1)));
        row("list order", a().created(local(2025, 3, 2)),
            ReminderBuilder("b").in(home).created(local(2025, 3, 1)));
        row("list not shown before shown ones",
            ReminderBuilder("a").in(hidden).created(local(2025, 3, 2)),
            b().created(local(2025, 3, 1)));
        row("earlier creation first", a().created(local(2025, 3, 1)),
            b().created(local(2025, 3, 2)));
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
