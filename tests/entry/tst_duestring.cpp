#include "TestEnvironment.h"

#include "entry/DueString.h"

using TestEnvironment::local;

// The due texts of the "add" command (--due and --due-after), read against an explicit "now"
// and preset time.
class TestDueString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dueForms_data()
    {
        QTest::addColumn<bool>("minutesAfter");
        QTest::addColumn<QString>("due");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QTime>("preset");
        QTest::addColumn<QDateTime>("expected");
        const auto row = [](const char* name, const QString& due, const QDateTime& now,
                            const QDateTime& expected, const QTime& preset = QTime(8, 0)) {
            QTest::newRow(name) << false << due << now << preset << expected;
        };
        const auto after = [](const char* name, const QString& minutes, const QDateTime& now,
                              const QDateTime& expected) {
            QTest::addRow("after %s", name) << true << minutes << now << QTime() << expected;
        };
        const QTime midnight(0, 0);
        const QDateTime none;
        const QDateTime wednesdayTen = local(2026, 12, 9, 10, 0);

        // "HH:mm": today, unless that moment is not later than now.
        row("time later today", "09:00", local(2026, 12, 9, 8, 0), local(2026, 12, 9, 9, 0));
        row("time passed goes to tomorrow", "09:00", wednesdayTen, local(2026, 12, 10, 9, 0));
        row("time equal to now goes to tomorrow", "10:00", wednesdayTen,
            local(2026, 12, 10, 10, 0));
        row("time over the year's end", "07:15", local(2026, 12, 31, 22, 0),
            local(2027, 1, 1, 7, 15));
        row("one-digit hour", "9:05", local(2026, 12, 9, 8, 0), local(2026, 12, 9, 9, 5));
        row("one-digit minute", "9:5", wednesdayTen, none);
        row("hour 24", "24:00", wednesdayTen, none);
        row("seconds", "12:30:45", wednesdayTen, none);
        row("other digits", QString::fromUtf8("٠٩:٠٠"), wednesdayTen, none);
        row("no separator", "0900", wednesdayTen, none);

        // "MM-dd": this year at the preset time; today stays today even after the preset time.
        row("12-24 on 24 December", "12-24", local(2026, 12, 24, 10, 0), local(2026, 12, 24, 8, 0));
        row("12-24 on 24 December, no due time", "12-24", local(2026, 12, 24, 10, 0),
            local(2026, 12, 24), midnight);
        row("12-24 on 26 December", "12-24", local(2026, 12, 26, 10, 0), local(2027, 12, 24, 8, 0));
        row("early next year", "01-05", wednesdayTen, local(2027, 1, 5, 8, 0));
        row("13-45", "13-45", wednesdayTen, none);
        row("29 February outside a leap year", "02-29", wednesdayTen, none);
        row("31 April", "04-31", wednesdayTen, none);

        // "MM-dd HH:mm": this year's moment unless it is not later than now.
        row("day and time later", "12-24 09:00", local(2026, 12, 24, 8, 0),
            local(2026, 12, 24, 9, 0));
        row("day and time passed", "12-24 09:00", local(2026, 12, 24, 10, 0),
            local(2027, 12, 24, 9, 0));
        row("day and bad time", "12-24 25:00", wednesdayTen, none);
        row("time first", "09:00 12-24", wednesdayTen, none);

        // "yyyy-MM-dd" and "yyyy-MM-dd HH:mm": exactly that day or moment, past or not.
        row("full date", "2030-01-15", wednesdayTen, local(2030, 1, 15, 8, 0));
        row("full date and time", "2030-01-15 18:30", wednesdayTen, local(2030, 1, 15, 18, 30));
        row("past moment stays", "2026-12-09 09:00", wednesdayTen, local(2026, 12, 9, 9, 0));
        row("short fields", "2030-1-5 7:30", wednesdayTen, local(2030, 1, 5, 7, 30));
        row("surrounding blanks", "  2030-01-15  ", wednesdayTen, local(2030, 1, 15, 8, 0));
        row("2026-02-30 25:99", "2026-02-30 25:99", wednesdayTen, none);
        row("30 February", "2026-02-30", wednesdayTen, none);
        row("ISO T", "2030-01-15T18:30", wednesdayTen, none);
        // A time the spring change skips is the first time after it that the clock shows.
        row("skipped hour of spring", "2026-03-29 02:30", wednesdayTen, local(2026, 3, 29, 3, 0));
        row("skipped hour, month and day", "03-29 02:59", local(2026, 3, 1, 12, 0),
            local(2026, 3, 29, 3, 0));
        row("skipped hour, time only", "02:30", local(2026, 3, 29, 1, 0), local(2026, 3, 29, 3, 0));
        // The first pass, in summer time, however the process reached the local clock before.
        row("repeated hour of autumn", "2026-10-25 02:30", wednesdayTen,
            QDateTime(QDate(2026, 10, 25), QTime(0, 30), Qt::UTC).toLocalTime());
        row("empty", "", wednesdayTen, none);

        // "--due-after": whole minutes from now.
        after("90 minutes", "90", wednesdayTen, local(2026, 12, 9, 11, 30));
        after("whole minutes", "90", local(2026, 12, 9, 10, 0, 42), local(2026, 12, 9, 11, 30));
        after("plus sign", "+15", wednesdayTen, local(2026, 12, 9, 10, 15));
        after("over midnight", "150", local(2026, 12, 31, 23, 0), local(2027, 1, 1, 1, 30));
        // One hour after 01:30 on the night the clocks go back is 02:30 summer time.
        after("across the autumn change", "60", local(2026, 10, 25, 1, 30),
              QDateTime::fromMSecsSinceEpoch(local(2026, 10, 25, 1, 30).toMSecsSinceEpoch() +
                                             3600 * 1000));
        after("negative", "-5", wednesdayTen, none);
        after("exponent", "1e3", wednesdayTen, none);
        after("decimal", "1.5", wednesdayTen, none);
        after("empty", "", wednesdayTen, none);
        after("too long", "99999999999", wednesdayTen, none);
        after("more than a century", "60000000", wednesdayTen, none);
    }

    void dueForms()
    {
        QFETCH(bool, minutesAfter);
        QFETCH(QString, due);
        QFETCH(QDateTime, now);
        QFETCH(QTime, preset);
        QFETCH(QDateTime, expected);
        QCOMPARE(minutesAfter ? DueString::calculateDueDateFromDueAfterString(due, now)
                              : DueString::calculateDueDateFromDueString(due, now, preset),
                 expected);
    }
};

VELMORAN_TEST_MAIN(TestDueString)
#include "tst_duestring.moc"
