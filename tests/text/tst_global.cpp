#include "TestContext.h"
#include "TestEnvironment.h"

#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "text/ClockReferenceDates.h"
#include "text/Global.h"

#include <QTranslator>

using TestEnvironment::local;

class TestGlobal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
        m_defaults = std::make_unique<UserDefaults>(m_tmp->filePath("defaults.json"));
        m_defaults->setBool(false, "sundayFirst");
        m_context.emplace(m_defaults.get(), &m_dates);
    }

    void cleanup()
    {
        m_context.reset();
        Clock::system().reset();
    }

    // Weeks and months start at local midnight, across the clock changes.
    void weekAndMonthStarts()
    {
        for (const auto& [date, sundayFirst, expected] :
             {std::tuple{local(2026, 2, 15, 18), false, QDate(2026, 2, 9)},
              {local(2026, 2, 14), true, QDate(2026, 2, 8)},
              {local(2026, 2, 15, 10), true, QDate(2026, 2, 15)},
              // A UTC instant on the next local day.
              {QDateTime(QDate(2026, 2, 15), QTime(23, 30), Qt::UTC), false, QDate(2026, 2, 16)},
              {local(2026, 3, 29, 12), false, QDate(2026, 3, 23)},
              {local(2026, 3, 29, 12), true, QDate(2026, 3, 29)},
              {local(2026, 10, 25, 12), false, QDate(2026, 10, 19)}}) {
            m_defaults->setBool(sundayFirst, "sundayFirst");
            const QDateTime start = Global::calculateStartingDayOfTheWeekOnDate(date);
            QCOMPARE(start, expected.startOfDay());
            QCOMPARE(Global::calculateStartingDayOfTheWeekOnDate(date, sundayFirst), start);
        }
        for (const auto& [date, start, offset] :
             {std::tuple{local(2026, 3, 31, 23), local(2026, 3, 1), 3600},
              {local(2026, 10, 31), local(2026, 10, 1), 7200}}) {
            const QDateTime month = Global::calculateStartingDayOfTheMonthOnDate(date);
            QCOMPARE(month, start);
            QCOMPARE(month.offsetFromUtc(), offset);
        }
    }

    void dayCountsAndOverlaps()
    {
        // Calendar days against whole elapsed days.
        QCOMPARE(Global::daysBetweenDate(local(2026, 2, 10, 0, 1), local(2026, 2, 9, 23, 59)), -1);
        QCOMPARE(Global::daysBetween(local(2026, 2, 10, 0, 1), local(2026, 2, 9, 23, 59)), 0);
        QCOMPARE(Global::daysBetween(local(2026, 2, 10), local(2026, 2, 11, 10)), 1);
        QCOMPARE(Global::daysBetween(local(2026, 2, 10, 10), local(2026, 2, 12, 9, 59)), 1);
        QCOMPARE(Global::daysBetween(local(2026, 2, 12, 10), local(2026, 2, 10, 10, 1)), -1);

        // A 23-hour and a 25-hour day are each one whole day.
        QCOMPARE(Global::daysBetween(local(2026, 3, 28, 12), local(2026, 3, 29, 12)), 1);
        QCOMPARE(Global::daysBetween(local(2026, 10, 24, 12), local(2026, 10, 25, 11, 30)), 0);
        QCOMPARE(Global::daysBetween(local(2026, 2, 10), local(2026, 3, 31)), 49);

        QCOMPARE(Global::weeksBetween(local(2026, 3, 23), local(2026, 3, 30)), 1);
        QCOMPARE(Global::weeksBetween(local(2026, 2, 9), local(2026, 3, 8, 23, 59)), 3);
        QCOMPARE(Global::weeksBetween(local(2026, 2, 22), local(2026, 2, 9)), -1);

        QCOMPARE(Global::monthsBetween(local(2026, 3, 1), local(2026, 4, 1)), 1);
        QCOMPARE(Global::monthsBetween(local(2026, 12, 1), local(2028, 1, 1)), 13);
        QCOMPARE(Global::monthsBetween(local(2026, 1, 15, 10), local(2026, 2, 15, 9, 59)), 0);
        QCOMPARE(Global::monthsBetween(local(2026, 2, 15, 10), local(2026, 1, 15, 10, 1)), 0);
        QCOMPARE(Global::monthsBetween(local(2026, 1, 31), local(2026, 2, 28)), 1);

        QCOMPARE(Global::monthsAbsoluteBetween(local(2025, 12, 31), local(2026, 1, 1)), -11);
        QCOMPARE(Global::yearsAbsoluteBetween(local(2025, 12, 31), local(2026, 1, 1)), 1);

        // An event that ends at the day's start is on the day; one that starts at the next day's
        // start is not.
        const QDate day(2026, 2, 10);
        for (const auto& [name, on, start, end, expected] :
             {std::tuple{"ends at the day start", day, local(2026, 2, 9, 10), local(2026, 2, 10),
                         true},
              {"same event on the day before", day.addDays(-1), local(2026, 2, 9, 10),
               local(2026, 2, 10), true},
              {"ends 23:59 the day before", day, local(2026, 2, 9, 10), local(2026, 2, 9, 23, 59),
               false},
              {"starts at the next day start", day, local(2026, 2, 11), local(2026, 2, 11, 1),
               false},
              {"covers the day", day, local(2026, 2, 8), local(2026, 2, 12), true},
              {"late on the short dst day", QDate(2026, 3, 29), local(2026, 3, 29, 23),
               local(2026, 3, 29, 23, 30), true}})
            QVERIFY2(Global::isDate(on.startOfDay(), on.addDays(1).startOfDay(), start, end) ==
                         expected,
                     name);
    }

    void descriptions_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, Description kind, const QDateTime& now,
                            const QDateTime& date, const char* expected) {
            QTest::newRow(name) << int(kind) << now << date << QString(expected);
        };
        const QDateTime feb10 = local(2026, 2, 10, 9);
        row("day: yesterday", Day, feb10, local(2026, 2, 9), "Yesterday");
        row("day: today", Day, feb10, local(2026, 2, 10, 18), "Today");
        row("day: 49 later over dst", Day, feb10, local(2026, 3, 31), "49 Days later");
        row("day: 50 later", Day, feb10, local(2026, 4, 1), "2 Months later");
        row("day: 49 ago", Day, feb10, local(2025, 12, 23), "49 Days ago");
        row("day: 50 ago", Day, feb10, local(2025, 12, 22), "Last Year");
        row("day: last month", Day, local(2026, 6, 30), local(2026, 5, 1), "Last Month");
        row("day: next month before new year", Day, local(2026, 11, 1), local(2026, 12, 21),
            "Next Month");
        row("day: next year two months away", Day, local(2026, 11, 1), local(2027, 1, 5),
            "Next Year");
        row("day: 25-hour day", Day, local(2026, 10, 25, 1), local(2026, 10, 25, 23, 30), "Today");
        row("day: 23:30 yesterday at 00:10", Day, local(2026, 2, 11, 0, 10),
            local(2026, 2, 10, 23, 30), "Today");
        row("overdue: 23:30 yesterday at 00:10", Overdue, local(2026, 2, 11, 0, 10),
            local(2026, 2, 10, 23, 30), "Yesterday");

        // Week rows: Monday-first; 10 February 2026 is a Tuesday in the week of the 9th.
        row("week: sunday of this week", Week, feb10, local(2026, 2, 15), "This Week");
        row("week: last sunday", Week, feb10, local(2026, 2, 8), "Last Week");
        row("week: next monday", Week, feb10, local(2026, 2, 16), "Next Week");
        row("week: 4 later", Week, feb10, local(2026, 3, 9), "4 Weeks later");
        row("week: 5 later", Week, feb10, local(2026, 3, 16), "Next Month");
        row("week: 5 later, two months on", Week, local(2026, 1, 27), local(2026, 3, 2),
            "2 Months later");
        row("week: 4 later into next year", Week, local(2026, 12, 1), local(2027, 1, 1),
            "4 Weeks later");
        row("week: 5 later into next year", Week, local(2026, 12, 1), local(2027, 1, 4),
            "Next Year");
        row("week: after spring dst", Week, local(2026, 3, 23), local(2026, 3, 30), "Next Week");

        const QDateTime jan15 = local(2026, 1, 15);
        row("month: last", Month, jan15, local(2025, 12, 31), "Last Month");
        row("month: next over dst", Month, local(2026, 3, 15), local(2026, 4, 5), "Next Month");
        row("month: 11 later", Month, jan15, local(2026, 12, 10), "11 Months later");
        row("month: 12 later", Month, jan15, local(2027, 1, 3), "Next Year");
        row("month: 12 ago", Month, jan15, local(2025, 1, 31), "Last Year");
        row("month: 13 later from december", Month, local(2026, 12, 5), local(2028, 1, 1),
            "2 Years later");
    }

    void descriptions()
    {
        QFETCH(int, kind);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, date);
        QFETCH(QString, expected);
        m_clock.setNow(now);
        // In the order of Description.
        static QString (*const describe[])(const QDateTime&) = {
            &Global::dayDescriptionForDate, &Global::overdueDayDescriptionForDate,
            &Global::weekDescriptionForDate, &Global::monthDescriptionForDate};
        QCOMPARE(describe[kind](date), expected);
    }

    void referencesPreferenceAndLanguageAreReadAtEachCall()
    {
        m_clock.setNow(local(2026, 2, 10, 23, 59));
        const QDateTime date = local(2026, 2, 11, 8);
        QCOMPARE(Global::dayDescriptionForDate(date), "Tomorrow");
        m_clock.advanceSeconds(60);
        QCOMPARE(Global::dayDescriptionForDate(date), "Today");

        // Tuesday 10 February: with Sunday-first weeks Sunday the 15th opens the next week.
        m_clock.setNow(local(2026, 2, 10, 9));
        QCOMPARE(Global::weekDescriptionForDate(local(2026, 2, 15)), "This Week");
        m_defaults->setBool(true, "sundayFirst");
        QCOMPARE(m_dates.thisWeekDate(), local(2026, 2, 8));
        QCOMPARE(Global::weekDescriptionForDate(local(2026, 2, 15)), "Next Week");
        QCOMPARE(Global::weekDescriptionForDate(local(2026, 2, 14)), "This Week");

        // Without installed reference dates the system clock answers.
        m_context.reset();
        m_context.emplace(m_defaults.get());
        Clock::system().setNow(local(2030, 6, 1, 12));
        QCOMPARE(Global::referenceDates().thisMonthDate(), local(2030, 6, 1));
        QCOMPARE(Global::dayDescriptionForDate(local(2030, 6, 2)), "Tomorrow");
        QCOMPARE(Global::dayDescriptionForDate(QDateTime()), QString());

        // The German catalogue puts the number inside the text and chooses its plural by it.
        QTranslator german;
        QVERIFY(german.load(":/velmoran/i18n/velmoran_de"));
        QCoreApplication::installTranslator(&german);
        QCOMPARE(Global::dayDescriptionForDate(local(2030, 5, 29)), "Vor 3 Tagen");
        QCOMPARE(Global::dayDescriptionForDate(local(2030, 6, 1)), "Heute");
        QCoreApplication::removeTranslator(&german);
        QCOMPARE(Global::dayDescriptionForDate(local(2030, 5, 29)), "3 Days ago");
    }

private:
    enum Description { Day, Overdue, Week, Month };

    std::unique_ptr<QTemporaryDir> m_tmp;
    std::unique_ptr<UserDefaults> m_defaults;
    std::optional<TestContext> m_context;
    Clock m_clock;
    ClockReferenceDates m_dates{m_clock};
};

VELMORAN_TEST_MAIN(TestGlobal)
#include "tst_global.moc"
