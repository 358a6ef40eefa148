#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/detail/RepeatChoices.h"
#include "platform/store/EventStore.h"
#include "platform/store/LibicalSetup.h"
#include "platform/store/Recurrence.h"

#include <QTemporaryDir>
#include <QtTest>

using RepeatChoices::CustomChoices;
using store::RecurrenceDayOfWeek;
using store::RecurrenceEnd;
using store::RecurrenceRule;
using TestEnvironment::local;

Q_DECLARE_METATYPE(CustomChoices)
Q_DECLARE_METATYPE(RecurrenceRule)
Q_DECLARE_METATYPE(RecurrenceDayOfWeek)

namespace {

QList<RecurrenceDayOfWeek> days(std::initializer_list<std::pair<int, int>> list)
{
    QList<RecurrenceDayOfWeek> result;
    for (const auto& [day, week] : list)
        result << RecurrenceDayOfWeek{day, week};
    return result;
}

CustomChoices weekly(QList<int> segments, bool sundayFirst, int interval = 1)
{
    CustomChoices choices;
    choices.frequency = 1;
    choices.interval = interval;
    choices.weekdaySegments = segments;
    choices.sundayFirst = sundayFirst;
    return choices;
}

CustomChoices monthlyOnDays(QList<int> monthDays)
{
    CustomChoices choices;
    choices.frequency = 2;
    choices.monthDays = monthDays;
    return choices;
}

CustomChoices monthlyOnWeek(int weekIndex, int weekdayIndex)
{
    CustomChoices choices;
    choices.frequency = 2;
    choices.onWeek = true;
    choices.weekNumberIndex = weekIndex;
    choices.weekdayIndex = weekdayIndex;
    return choices;
}

CustomChoices yearly(QList<int> months, int interval = 1)
{
    CustomChoices choices;
    choices.frequency = 3;
    choices.interval = interval;
    choices.months = months;
    return choices;
}

// The task's own line, not one of its time zone's rules.
QByteArray propertyLine(const QByteArray& file, const QByteArray& name)
{
    for (const QByteArray& line : file.mid(file.indexOf("BEGIN:VTODO")).split('\n')) {
        if (line.startsWith(name + ':') || line.startsWith(name + ';'))
            return line.trimmed();
    }
    return {};
}

} // namespace

// The repeat editor's rules: which rule each preset and each set of custom choices builds, which
// item shows a rule, the number fields and the end; and, through a real store, the RRULE each
// rule becomes on disk and the occurrences the store expands from that file.
class TestRepeatChoices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { store::LibicalSetup::initialize(); }

    void presetsKeepTheEndOfTheRuleTheyReplace()
    {
        const std::optional<RecurrenceEnd> five = RecurrenceEnd::withOccurrenceCount(5);
        QVERIFY(!RepeatChoices::presetRule(RepeatChoices::Never, five));
        QVERIFY(!RepeatChoices::presetRule(RepeatChoices::Custom, five));
        for (int preset = RepeatChoices::Weekdays; preset <= RepeatChoices::EveryYear; ++preset) {
            const std::optional<RecurrenceRule> rule = RepeatChoices::presetRule(preset, five);
            QVERIFY(rule);
            QCOMPARE(rule->recurrenceEnd, five);
            // Each preset reads back as itself.
            QCOMPARE(RepeatChoices::presetForRule(&*rule, QDate(2026, 3, 31)), preset);
        }
        QVERIFY(!RepeatChoices::presetRule(RepeatChoices::EveryDay, std::nullopt)->recurrenceEnd);
        QCOMPARE(RepeatChoices::presetRule(RepeatChoices::Weekdays, std::nullopt)->daysOfTheWeek,
                 days({{2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}}));
        QCOMPARE(RepeatChoices::presetRule(RepeatChoices::EveryTwoWeeks, std::nullopt)->interval,
                 2);
        QCOMPARE(RepeatChoices::presetTitles().size(), 9);
    }

    void theItemThatShowsARule()
    {
        const QDate due(2026, 3, 31);
        RecurrenceRule rule = *RepeatChoices::presetRule(RepeatChoices::Weekdays, std::nullopt);
        rule.interval = 2;
        QCOMPARE(RepeatChoices::presetForRule(&rule, due), int(RepeatChoices::Custom));
        QCOMPARE(RepeatChoices::description(&rule, due),
                 QStringLiteral("Every 2 Weeks on Weekdays"));
        RecurrenceRule oneDay;
        oneDay.frequency = RecurrenceRule::Frequency::Weekly;
        oneDay.daysOfTheWeek = days({{3, 0}});
        QCOMPARE(RepeatChoices::presetForRule(&oneDay, due), int(RepeatChoices::Custom));
        QCOMPARE(RepeatChoices::presetForRule(nullptr, due), int(RepeatChoices::Never));
        QCOMPARE(RepeatChoices::description(nullptr, due), QStringLiteral("Never"));

        // A yearly rule in the due date's month is "Every Year"; in other months it says so.
        RecurrenceRule march;
        march.frequency = RecurrenceRule::Frequency::Yearly;
        march.monthsOfTheYear = {3};
        QCOMPARE(RepeatChoices::presetForRule(&march, due), int(RepeatChoices::EveryYear));
        RecurrenceRule twice = march;
        twice.monthsOfTheYear = {1, 7};
        QCOMPARE(RepeatChoices::presetForRule(&twice, due), int(RepeatChoices::Custom));
        QCOMPARE(RepeatChoices::description(&twice, due),
                 QStringLiteral("Every Year in January and July"));
        // Parts no description tells are never shown as a preset.
        RecurrenceRule positions = *RepeatChoices::presetRule(RepeatChoices::EveryMonth, {});
        positions.setPositions = {-1};
        QCOMPARE(RepeatChoices::presetForRule(&positions, due), int(RepeatChoices::Custom));
        RecurrenceRule dailyOnDays = *RepeatChoices::presetRule(RepeatChoices::EveryDay, {});
        dailyOnDays.daysOfTheWeek = days({{2, 0}});
        QCOMPARE(RepeatChoices::presetForRule(&dailyOnDays, due), int(RepeatChoices::Custom));
    }

    void customRules_data()
    {
        QTest::addColumn<CustomChoices>("choices");
        QTest::addColumn<int>("frequency");
        QTest::addColumn<int>("interval");
        QTest::addColumn<QList<RecurrenceDayOfWeek>>("weekdays");
        QTest::addColumn<QList<int>>("monthDays");
        QTest::addColumn<QList<int>>("months");
        QTest::addColumn<int>("weekStart");

        QTest::newRow("daily every 3") <<
            [] {
                CustomChoices c;
                c.interval = 3;
                return c;
            }() << 0 << 3 << QList<RecurrenceDayOfWeek>{}
                                       << QList<int>{} << QList<int>{} << 0;
        QTest::newRow("weekly, Monday first: first and last segment")
            << weekly({0, 6}, false) << 1 << 1 << days({{1, 0}, {2, 0}}) << QList<int>{}
            << QList<int>{} << 0;
        QTest::newRow("weekly, Sunday first: first and last segment")
            << weekly({0, 6}, true) << 1 << 1 << days({{1, 0}, {7, 0}}) << QList<int>{}
            << QList<int>{} << 0;
        QTest::newRow("every 2 weeks names the week start")
            << weekly({1, 3}, false, 2) << 1 << 2 << days({{3, 0}, {5, 0}}) << QList<int>{}
            << QList<int>{} << 2;
        QTest::newRow("weekly with nothing chosen takes the first day")
            << weekly({}, false) << 1 << 1 << days({{2, 0}}) << QList<int>{} << QList<int>{} << 0;
        QTest::newRow("monthly on 1, 15 and last")
            << monthlyOnDays({-1, 15, 1}) << 2 << 1 << QList<RecurrenceDayOfWeek>{}
            << QList<int>{1, 15, -1} << QList<int>{} << 0;
        QTest::newRow("monthly on 2 and 8: by column")
            << monthlyOnDays({2, 8}) << 2 << 1 << QList<RecurrenceDayOfWeek>{} << QList<int>{8, 2}
            << QList<int>{} << 0;
        QTest::newRow("monthly on 31 and 3")
            << monthlyOnDays({31, 3}) << 2 << 1 << QList<RecurrenceDayOfWeek>{} << QList<int>{3, 31}
            << QList<int>{} << 0;
        QTest::newRow("monthly on the last Friday")
            << monthlyOnWeek(5, 5) << 2 << 1 << days({{6, -1}}) << QList<int>{} << QList<int>{}
            << 0;
        QTest::newRow("monthly on the second Tuesday")
            << monthlyOnWeek(1, 2) << 2 << 1 << days({{3, 2}}) << QList<int>{} << QList<int>{} << 0;
        QTest::newRow("yearly in July and January")
            << yearly({7, 1}) << 3 << 1 << QList<RecurrenceDayOfWeek>{} << QList<int>{}
            << QList<int>{1, 7} << 0;
        QTest::newRow("interval 0 is 1") <<
            [] {
                CustomChoices c = yearly({3});
                c.interval = 0;
                return c;
            }() << 3 << 1 << QList<RecurrenceDayOfWeek>{}
                                         << QList<int>{} << QList<int>{3} << 0;
    }

    void customRules()
    {
        QFETCH(CustomChoices, choices);
        QFETCH(int, frequency);
        QFETCH(int, interval);
        QFETCH(QList<RecurrenceDayOfWeek>, weekdays);
        QFETCH(QList<int>, monthDays);
        QFETCH(QList<int>, months);
        QFETCH(int, weekStart);
        const std::optional<RecurrenceEnd> end = RecurrenceEnd::withOccurrenceCount(4);
        const RecurrenceRule rule = RepeatChoices::customRule(choices, end);
        QCOMPARE(int(rule.frequency), frequency);
        QCOMPARE(rule.interval, interval);
        QCOMPARE(rule.daysOfTheWeek, weekdays);
        QCOMPARE(rule.daysOfTheMonth, monthDays);
        QCOMPARE(rule.monthsOfTheYear, months);
        QCOMPARE(rule.firstDayOfTheWeek, weekStart);
        QCOMPARE(rule.recurrenceEnd, end);
    }

    void numberFields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("number") << "12" << 12;
        QTest::newRow("spaces") << " 3 " << 3;
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("negative") << "-4" << 1;
        QTest::newRow("text") << "often" << 1;
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("too large") << "123456789012" << 999;
    }

    void numberFields()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(RepeatChoices::numberFromText(text, RepeatChoices::kMaximumInterval), number);
    }

    void ends()
    {
        using RepeatChoices::EndChoice;
        RecurrenceRule rule;
        QCOMPARE(RepeatChoices::endChoiceForRule(nullptr), EndChoice::Never);
        QCOMPARE(RepeatChoices::endChoiceForRule(&rule), EndChoice::Never);
        rule.recurrenceEnd = RecurrenceEnd::withOccurrenceCount(3);
        QCOMPARE(RepeatChoices::endChoiceForRule(&rule), EndChoice::AfterCount);
        // A count of 0 (COUNT=0 in a file) is no end.
        rule.recurrenceEnd = RecurrenceEnd::withOccurrenceCount(0);
        QCOMPARE(RepeatChoices::endChoiceForRule(&rule), EndChoice::Never);
        rule.recurrenceEnd = RecurrenceEnd::withEndDate(local(2026, 4, 14, 10));
        QCOMPARE(RepeatChoices::endChoiceForRule(&rule), EndChoice::OnDate);
        QVERIFY(RepeatChoices::endsBeforeDue(rule, local(2026, 4, 15, 9)));
        QVERIFY(!RepeatChoices::endsBeforeDue(rule, local(2026, 4, 14, 9)));
        QCOMPARE(RepeatChoices::endFor(EndChoice::AfterCount, {}, 0),
                 std::optional(RecurrenceEnd::withOccurrenceCount(1)));
        QCOMPARE(RepeatChoices::endFor(EndChoice::OnDate, local(2026, 4, 14, 10), 3),
                 std::optional(RecurrenceEnd::withEndDate(local(2026, 4, 14, 10))));
        QVERIFY(!RepeatChoices::endFor(EndChoice::Never, local(2026, 4, 14), 3));
    }

    // Each rule goes into a real task file; the RRULE written there and the occurrences the
    // store expands from the file's DUE and RRULE are what another program sees too.
    void rulesOnDisk_data()
    {
        QTest::addColumn<RecurrenceRule>("rule");
        QTest::addColumn<QDateTime>("due");
        QTest::addColumn<QByteArray>("rrule");
        QTest::addColumn<QList<QDateTime>>("occurrences");

        const auto preset = [](int index, std::optional<RecurrenceEnd> end = std::nullopt) {
            return *RepeatChoices::presetRule(index, end);
        };
        const std::optional<RecurrenceEnd> none;
        QTest::newRow("weekdays") << preset(RepeatChoices::Weekdays) << local(2026, 4, 2, 9)
                                  << QByteArray("FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR")
                                  << QList<QDateTime>{local(2026, 4, 2, 9), local(2026, 4, 3, 9),
                                                      local(2026, 4, 6, 9), local(2026, 4, 7, 9)};
        QTest::newRow("weekends") << preset(RepeatChoices::Weekends) << local(2026, 4, 4, 9)
                                  << QByteArray("FREQ=WEEKLY;BYDAY=SU,SA")
                                  << QList<QDateTime>{local(2026, 4, 4, 9), local(2026, 4, 5, 9),
                                                      local(2026, 4, 11, 9), local(2026, 4, 12, 9)};
        QTest::newRow("every day across the clock change, 3 times")
            << preset(RepeatChoices::EveryDay, RecurrenceEnd::withOccurrenceCount(3))
            << local(2026, 3, 28, 9) << QByteArray("FREQ=DAILY;COUNT=3")
            << QList<QDateTime>{local(2026, 3, 28, 9), local(2026, 3, 29, 9),
                                local(2026, 3, 30, 9)};
        QTest::newRow("every 2 weeks")
            << preset(RepeatChoices::EveryTwoWeeks) << local(2026, 3, 31, 9)
            << QByteArray("FREQ=WEEKLY;INTERVAL=2")
            << QList<QDateTime>{local(2026, 3, 31, 9), local(2026, 4, 14, 9), local(2026, 4, 28, 9),
                                local(2026, 5, 12, 9)};
        QTest::newRow("every month from the 31st")
            << preset(RepeatChoices::EveryMonth) << local(2026, 1, 31, 9)
            << QByteArray("FREQ=MONTHLY")
            << QList<QDateTime>{local(2026, 1, 31, 9), local(2026, 3, 31, 9), local(2026, 5, 31, 9),
                                local(2026, 7, 31, 9)};
        QTest::newRow("every year names the month")
            << preset(RepeatChoices::EveryYear) << local(2026, 2, 14, 9)
            << QByteArray("FREQ=YEARLY;BYMONTH=2")
            << QList<QDateTime>{local(2026, 2, 14, 9), local(2027, 2, 14, 9), local(2028, 2, 14, 9),
                                local(2029, 2, 14, 9)};
        QTest::newRow("week ends on a date")
            << preset(RepeatChoices::EveryWeek, RecurrenceEnd::withEndDate(local(2026, 4, 14, 10)))
            << local(2026, 3, 31, 9) << QByteArray("FREQ=WEEKLY;UNTIL=20260414T080000Z")
            << QList<QDateTime>{local(2026, 3, 31, 9), local(2026, 4, 7, 9), local(2026, 4, 14, 9)};
        QTest::newRow("the last day of each month")
            << RepeatChoices::customRule(monthlyOnDays({-1}), none) << local(2026, 1, 31, 9)
            << QByteArray("FREQ=MONTHLY;BYMONTHDAY=-1")
            << QList<QDateTime>{local(2026, 1, 31, 9), local(2026, 2, 28, 9), local(2026, 3, 31, 9),
                                local(2026, 4, 30, 9)};
        QTest::newRow("the 31st, where there is one")
            << RepeatChoices::customRule(monthlyOnDays({31}), none) << local(2026, 1, 31, 9)
            << QByteArray("FREQ=MONTHLY;BYMONTHDAY=31")
            << QList<QDateTime>{local(2026, 1, 31, 9), local(2026, 3, 31, 9), local(2026, 5, 31, 9),
                                local(2026, 7, 31, 9)};
        QTest::newRow("the last Friday")
            << RepeatChoices::customRule(monthlyOnWeek(5, 5), none) << local(2026, 1, 30, 9)
            << QByteArray("FREQ=MONTHLY;BYDAY=-1FR")
            << QList<QDateTime>{local(2026, 1, 30, 9), local(2026, 2, 27, 9), local(2026, 3, 27, 9),
                                local(2026, 4, 24, 9)};
        // Most months have no fifth Monday; they are skipped, not moved.
        QTest::newRow("the fifth Monday")
            << RepeatChoices::customRule(monthlyOnWeek(4, 1), none) << local(2026, 3, 30, 9)
            << QByteArray("FREQ=MONTHLY;BYDAY=5MO")
            << QList<QDateTime>{local(2026, 3, 30, 9), local(2026, 6, 29, 9), local(2026, 8, 31, 9),
                                local(2026, 11, 30, 9)};
        QTest::newRow("after 2 times, all day")
            << RepeatChoices::customRule(monthlyOnDays({15}), RecurrenceEnd::withOccurrenceCount(2))
            << local(2026, 3, 15) << QByteArray("FREQ=MONTHLY;BYMONTHDAY=15;COUNT=2")
            << QList<QDateTime>{local(2026, 3, 15), local(2026, 4, 15)};
        // Every other week on Sunday and Monday: whether Sunday ends or starts a week decides
        // which Monday belongs to the Sunday's week.
        QTest::newRow("every 2 weeks, weeks from Monday")
            << RepeatChoices::customRule(weekly({0, 6}, false, 2), none) << local(2026, 3, 1, 9)
            << QByteArray("FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,MO;WKST=MO")
            << QList<QDateTime>{local(2026, 3, 1, 9), local(2026, 3, 9, 9), local(2026, 3, 15, 9),
                                local(2026, 3, 23, 9)};
        QTest::newRow("every 2 weeks, weeks from Sunday")
            << RepeatChoices::customRule(weekly({0, 1}, true, 2), none) << local(2026, 3, 1, 9)
            << QByteArray("FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,MO;WKST=SU")
            << QList<QDateTime>{local(2026, 3, 1, 9), local(2026, 3, 2, 9), local(2026, 3, 15, 9),
                                local(2026, 3, 16, 9)};
        QTest::newRow("yearly in January and July")
            << RepeatChoices::customRule(yearly({1, 7}), none) << local(2026, 1, 15, 9)
            << QByteArray("FREQ=YEARLY;BYMONTH=1,7")
            << QList<QDateTime>{local(2026, 1, 15, 9), local(2026, 7, 15, 9), local(2027, 1, 15, 9),
                                local(2027, 7, 15, 9)};
    }

    void rulesOnDisk()
    {
        QFETCH(RecurrenceRule, rule);
        QFETCH(QDateTime, due);
        QFETCH(QByteArray, rrule);
        QFETCH(QList<QDateTime>, occurrences);

        QTemporaryDir dir;
        store::EventStore store({dir.path()});
        TestFiles::writeFile(dir.path() + "/tasks/displayname", "Tasks");
        const store::ReminderPtr task = store.reminderWithEventStore();
        task->title = QStringLiteral("Repeats");
        task->calendar = store.calendarsForEntityType(store::EntityType::Reminder).value(0);
        QVERIFY(task->calendar);
        const bool allDay = due.time() == QTime(0, 0);
        task->dueDateComponents = allDay ? store::DateComponents::fromDate(due.date())
                                         : store::DateComponents::fromDateTime(due);
        task->startDateComponents = task->dueDateComponents;
        task->addRecurrenceRule(rule);
        QString error;
        QVERIFY2(store.saveReminder(task, true, &error), qPrintable(error));

        const QByteArray file = TestFiles::readFile(task->origin->filePath);
        QCOMPARE(propertyLine(file, "RRULE"), "RRULE:" + rrule);
        // Read back as the rule it was.
        const store::ReminderPtr read =
            store.remindersMatchingPredicate(store::predicateForRemindersInCalendars({})).value(0);
        QVERIFY(read);
        QCOMPARE(read->recurrenceRules.size(), 1);
        QCOMPARE(read->recurrenceRules.first().daysOfTheWeek, rule.daysOfTheWeek);
        QCOMPARE(read->recurrenceRules.first().daysOfTheMonth, rule.daysOfTheMonth);

        store::RecurrenceSet set;
        set.start = due;
        set.allDay = allDay;
        set.rrules << QString::fromUtf8(rrule);
        QCOMPARE(store::Recurrence::occurrences(set, due, due.addYears(5), occurrences.size()),
                 occurrences);
        // An end stops the series at its last occurrence.
        if (rule.recurrenceEnd) {
            QCOMPARE(store::Recurrence::occurrences(set, due, due.addYears(5)).size(),
                     occurrences.size());
        }
    }
};

VELMORAN_TEST_MAIN(TestRepeatChoices)
#include "tst_repeatchoices.moc"
