#include "TestEnvironment.h"

#include "text/DateFormatter.h"
#include "text/DateFormatters.h"

#include <QtConcurrent>

#include <functional>

using TestEnvironment::local;

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

// ICU decides which day is "today" from the real clock, not from the program's settable
// clock, so the expectation has to come from the real current day too. `check` receives that
// day; a run that straddles midnight is repeated so the day cannot change underneath it.
void onCurrentDay(const std::function<void(const QDate&)>& check)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QDate before = QDate::currentDate();
        check(before);
        if (QDate::currentDate() == before)
            return;
    }
}

} // namespace

class TestDateFormatters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(kEnglish); }

    void formatsFixedDateInTheLocaleOfItsCreation()
    {
        const DateFormatters english(kEnglish);
        const DateFormatters german(kGerman);
        const QDateTime sunday = local(2026, 12, 6, 20, 30);
        // Friday 1 January 2027: week 1 where weeks start on Sunday and any day counts, but
        // still ISO week 53 of 2026 in Germany. The year is the calendar year either way.
        const QDateTime newYear = local(2027, 1, 1, 9, 5);
        // The day number comes from en_US_POSIX whatever the locale: no German "6.".
        QCOMPARE(QStringList({english.weeknumberFormatter().stringFromDate(newYear),
                              english.yearFormatter().stringFromDate(newYear),
                              german.dayNumberFormatter().stringFromDate(sunday),
                              german.hourTimeAMPMFormatter().stringFromDate(sunday),
                              german.weeknumberFormatter().stringFromDate(newYear)}),
                 QStringList({"1", "2027", "6", "20:30", "53"}));

        // Without a locale, formatters take the default one of the moment they are created.
        QLocale::setDefault(kGerman);
        const DateFormatters formatters;
        QCOMPARE(formatters.weekdayFormatter().stringFromDate(sunday), "So");

        QLocale::setDefault(kEnglish);
        // Kept: the existing formatter stays German ...
        QCOMPARE(formatters.weekdayFormatter().stringFromDate(sunday), "So");
        // ... while one created now uses the new locale.
        QCOMPARE(formatters.monthFormatter().stringFromDate(sunday), "December 2026");
    }

    void hourTimeParsesAlarmTime()
    {
        const DateFormatters formatters(kGerman); // the alarm time never follows the locale
        const DateFormatter& formatter = formatters.hourTimeFormatter();
        // A null time: the text is rejected.
        for (const auto& [text, expected] : {std::pair{"08:00", QTime(8, 0)},
                                             {"00:00", QTime(0, 0)},
                                             {" 07:15\n", QTime(7, 15)},
                                             {"24:00", QTime()},
                                             {"23:60", QTime()},
                                             {"08:00 tomorrow", QTime()},
                                             {"8:00 PM", QTime()}}) {
            const QDateTime parsed = formatter.dateFromString(text);
            QVERIFY2(
                parsed.isValid() == expected.isValid(),
                qPrintable(
                    QStringLiteral("\"%1\" read as %2").arg(text, parsed.toString(Qt::ISODate))));
            if (expected.isValid()) {
                QCOMPARE(parsed.time(), expected);
                QCOMPARE(formatter.stringFromDate(parsed), expected.toString("HH:mm"));
            }
        }
    }

    void relativeDayNamesAndTheAskedClock()
    {
        const DateFormatters formatters(kEnglish);
        const DateFormatter& dateTime = formatters.dateTimeFormatter();
        const DateFormatter& dateOnly = formatters.dateOnlyFormatter();
        const DateFormatter plainShort = DateFormatter::fromStyles(
            DateFormatter::Style::Short, DateFormatter::Style::None, false, "en_US");

        onCurrentDay([&](const QDate& today) {
            for (const auto& [days, word] :
                 {std::pair{0, QString("Today")}, {1, "Tomorrow"}, {-1, "Yesterday"}}) {
                const QDateTime noon(today.addDays(days), QTime(12, 0));
                QCOMPARE(dateOnly.stringFromDate(noon), word);
                const QString withTime = dateTime.stringFromDate(noon);
                QVERIFY2(withTime.startsWith(word) && withTime.contains("12:00"),
                         qPrintable(withTime));
                // A date-only text stands for the start of that day.
                QCOMPARE(dateOnly.dateFromString(word), noon.date().startOfDay());
                QCOMPARE(dateTime.dateFromString(withTime), noon);
            }

            const QDateTime farAway(today.addDays(400), QTime(9, 15));
            const QString plain = plainShort.stringFromDate(farAway);
            QVERIFY(!plain.isEmpty());
            QCOMPARE(dateOnly.stringFromDate(farAway), plain);
            QVERIFY(dateTime.stringFromDate(farAway).startsWith(plain));
            QCOMPARE(dateOnly.dateFromString(plain), farAway.date().startOfDay());

            // The medium formatter has no relative names.
            const QString medium =
                formatters.dateTimeMediumFormatter().stringFromDate(QDateTime(today, QTime(12, 0)));
            QVERIFY2(!medium.contains("Today", Qt::CaseInsensitive), qPrintable(medium));
        });

        // A 24-hour clock asked of an English format (LC_TIME=en_GB under an en_US language, say),
        // and a 12-hour one of a German format: the time follows the clock, relative day names
        // and parsing included.
        using Cycle = DateFormatter::HourCycle;
        QCOMPARE(DateFormatter::hourCycleOf(kEnglish), Cycle::TwelveHours);
        QCOMPARE(DateFormatter::hourCycleOf(kGerman), Cycle::TwentyFourHours);

        using S = DateFormatter::Style;
        const auto english24 = [](S date, bool relative) {
            return DateFormatter::fromStyles(date, S::Short, relative, "en_US",
                                             Cycle::TwentyFourHours);
        };
        const DateFormatter time = english24(S::None, false);
        const DateFormatter medium = english24(S::Medium, false);
        const DateFormatter relative = english24(S::Short, true);
        const DateFormatter german =
            DateFormatter::fromStyles(S::Medium, S::Short, false, "de_DE", Cycle::TwelveHours);
        const QDateTime evening = local(2026, 12, 6, 20, 30);
        QCOMPARE(time.stringFromDate(evening), "20:30");
        QCOMPARE(medium.stringFromDate(evening), "Dec 6, 2026, 20:30");
        QCOMPARE(medium.dateFromString("Dec 6, 2026, 20:30"), evening);
        const QString germanText = german.stringFromDate(evening);
        QVERIFY2(germanText.contains("8:30") && germanText.endsWith("PM"), qPrintable(germanText));
        QCOMPARE(german.dateFromString(germanText), evening);
        onCurrentDay([&](const QDate& today) {
            const QDateTime tonight(today, QTime(20, 30));
            QCOMPARE(relative.stringFromDate(tonight), "Today, 20:30");
            QCOMPARE(relative.dateFromString("Today, 20:30"), tonight);
        });
    }

    void daylightSavingChangesAndInvalidInput()
    {
        const DateFormatter withOffset =
            DateFormatter::fromPattern("yyyy-MM-dd HH:mm xxx", "en_US_POSIX");
        const DateFormatter wallClock =
            DateFormatter::fromPattern("yyyy-MM-dd HH:mm", "en_US_POSIX");
        QVERIFY(withOffset.isValid());
        QCOMPARE(withOffset.timeZoneId(), "Europe/Berlin");

        // 29 March 2026: Berlin jumps from 02:00 to 03:00, so an hour after 01:30 is 03:30.
        const QDateTime beforeJump = local(2026, 3, 29, 1, 30);
        const QDateTime afterJump = beforeJump.addSecs(3600);
        QCOMPARE(withOffset.stringFromDate(beforeJump), "2026-03-29 01:30 +01:00");
        QCOMPARE(withOffset.stringFromDate(afterJump), "2026-03-29 03:30 +02:00");
        const QString shortTime =
            DateFormatters(kEnglish).hourTimeAMPMFormatter().stringFromDate(afterJump);
        QVERIFY2(shortTime.startsWith("3:30") && shortTime.endsWith("AM"), qPrintable(shortTime));

        // 02:30 does not exist that day: it is never written or read as if it did.
        const QDateTime inGap(QDate(2026, 3, 29), QTime(2, 30));
        QCOMPARE(wallClock.stringFromDate(inGap),
                 inGap.isValid() ? inGap.toString("yyyy-MM-dd HH:mm") : QString());
        QVERIFY(!wallClock.dateFromString("2026-03-29 02:30").isValid());
        QCOMPARE(wallClock.dateFromString("2026-03-29 03:30"), afterJump);

        // 25 October 2026: 02:30 happens twice, first in summer time.
        const QDateTime midnight = local(2026, 10, 25);
        QCOMPARE(withOffset.stringFromDate(midnight.addSecs(2 * 3600 + 1800)),
                 "2026-10-25 02:30 +02:00");
        QCOMPARE(withOffset.stringFromDate(midnight.addSecs(3 * 3600 + 1800)),
                 "2026-10-25 02:30 +01:00");

        // A 23-hour day still starts at midnight.
        const DateFormatter dateOnly = DateFormatter::fromStyles(
            DateFormatter::Style::Short, DateFormatter::Style::None, false, "en_US");
        QCOMPARE(dateOnly.dateFromString("3/29/26"), local(2026, 3, 29));

        const DateFormatter nothing = DateFormatter::fromStyles(
            DateFormatter::Style::None, DateFormatter::Style::None, true, "en_US");
        QVERIFY(!nothing.isValid());
        QCOMPARE(nothing.stringFromDate(local(2026, 1, 1)), QString());
        QVERIFY(!nothing.dateFromString("1/1/26").isValid());

        const DateFormatters formatters(kEnglish);
        // The short time takes a plain space where ICU writes a narrow one.
        QCOMPARE(formatters.hourTimeAMPMFormatter().dateFromString("8:30 PM").time(),
                 QTime(20, 30));
        QVERIFY(!formatters.hourTimeAMPMFormatter().dateFromString("13:30 PM").isValid());
        QVERIFY(!formatters.fullDayFormatterMid().dateFromString("Dec 32, 2026").isValid());
        QCOMPARE(formatters.fullDayFormatterMid().dateFromString("Dec 31, 2026"),
                 local(2026, 12, 31));
    }

    void oneFormatterFromManyThreads()
    {
        const DateFormatters formatters(kEnglish);
        QThreadPool pool;
        pool.setMaxThreadCount(8);
        // Its first use from many threads at once creates one.
        const QList<const DateFormatter*> seen = QtConcurrent::blockingMapped(
            &pool, QList<int>(64, 0), [&](int) { return &formatters.monthFormatter(); });
        QCOMPARE(QSet<const DateFormatter*>(seen.cbegin(), seen.cend()).size(), 1);
        QCOMPARE(seen.first()->stringFromDate(local(2026, 12, 6)), "December 2026");

        const DateFormatter& mid = formatters.fullDayFormatterMid();
        const DateFormatter& relative = formatters.dateTimeFormatter();
        const DateFormatter& alarm = formatters.hourTimeFormatter();

        // Relative names switch the date pattern inside ICU for every call, so mixing days
        // next to today with days far away is what exposes unsynchronised use.
        onCurrentDay([&](const QDate& today) {
            QList<QDateTime> dates;
            for (int i = 0; i < 20000; ++i) {
                const int days = (i % 2 == 0) ? (i / 2) % 5 - 2 : 30 + i % 700;
                dates.append(QDateTime(today.addDays(days), QTime((i * 7) % 24, (i * 13) % 60)));
            }
            const auto format = [&](const QDateTime& date) {
                return QStringList{
                    mid.stringFromDate(date), relative.stringFromDate(date),
                    alarm.dateFromString(date.time().toString("HH:mm")).time().toString("HH:mm")};
            };
            QList<QStringList> serial;
            for (const QDateTime& date : dates)
                serial.append(format(date));
            QVERIFY2(serial[2][1].startsWith("Yesterday"), qPrintable(serial[2][1]));

            const QList<QStringList> parallel = QtConcurrent::blockingMapped(&pool, dates, format);
            QCOMPARE(parallel, serial);
            for (qsizetype i = 0; i < dates.size(); ++i)
                QCOMPARE(serial[i][2], dates[i].time().toString("HH:mm"));
        });
    }
};

VELMORAN_TEST_MAIN(TestDateFormatters)
#include "tst_dateformatters.moc"
