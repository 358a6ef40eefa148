#include "TestEnvironment.h"

#include "data/detail/RepeatChoices.h"
#include "platform/store/LibicalSetup.h"
#include "platform/store/Recurrence.h"

using RepeatChoices::CustomChoices;
using store::RecurrenceDayOfWeek;
using store::RecurrenceEnd;
using store::RecurrenceRule;
using TestEnvironment::local;

Q_DECLARE_METATYPE(CustomChoices)
Q_DECLARE_METATYPE(RecurrenceRule)
Q_DECLARE_METATYPE(RecurrenceDayOfWeek)

using Days = QList<RecurrenceDayOfWeek>;

namespace {

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

} // namespace

// The repeat editor's rules: which rule each preset and each set of custom choices builds, which
// item shows a rule, the number fields and the end, and the RRULE each rule becomes.
class TestRepeatChoices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { store::LibicalSetup::initialize(); }

    // A preset keeps the end of the rule it replaces, and reads back as itself.
    void presetsAndTheItemThatShowsARule()
    {
        const std::optional<RecurrenceEnd> five = RecurrenceEnd::withOccurrenceCount(5);
        QVERIFY(!RepeatChoices::presetRule(RepeatChoices::Never, five));
        QVERIFY(!RepeatChoices::presetRule(RepeatChoices::Custom, five));
        for (int preset = RepeatChoices::Weekdays; preset <= RepeatChoices::EveryYear; ++preset) {
            const std::optional<RecurrenceRule> rule = RepeatChoices::presetRule(preset, five);
            QVERIFY(rule);
            QCOMPARE(rule->recurrenceEnd, five);
            QCOMPARE(RepeatChoices::presetForRule(&*rule, QDate(2026, 3, 31)), preset);
        }
        QVERIFY(!RepeatChoices::presetRule(RepeatChoices::EveryDay, std::nullopt)->recurrenceEnd);
        QCOMPARE(RepeatChoices::presetRule(RepeatChoices::Weekdays, std::nullopt)->daysOfTheWeek,
                 (Days{{2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}}));
        QCOMPARE(RepeatChoices::presetRule(RepeatChoices::EveryTwoWeeks, std::nullopt)->interval,
                 2);

        // Which item shows a rule: one a preset does not make exactly is Custom.
        const QDate due(2026, 3, 31);
        RecurrenceRule rule = *RepeatChoices::presetRule(RepeatChoices::Weekdays, std::nullopt);
        rule.interval = 2;
        QCOMPARE(RepeatChoices::presetForRule(&rule, due), int(RepeatChoices::Custom));
        RecurrenceRule oneDay;
        oneDay.frequency = RecurrenceRule::Frequency::Weekly;
        oneDay.daysOfTheWeek = Days{{3, 0}};
        QCOMPARE(RepeatChoices::presetForRule(&oneDay, due), int(RepeatChoices::Custom));
        QCOMPARE(RepeatChoices::description(nullptr, due), QStringLiteral("Never"));

        // A yearly rule in the due date's month is "Every Year"; in other months it says so.
        RecurrenceRule march;
        march.frequency = RecurrenceRule::Frequency::Yearly;
        march.monthsOfTheYear = {3};
        QCOMPARE(RepeatChoices::presetForRule(&march, due), int(RepeatChoices::EveryYear));
        RecurrenceRule twice = march;
        twice.monthsOfTheYear = {1, 7};
        QCOMPARE(RepeatChoices::presetForRule(&twice, due), int(RepeatChoices::Custom));
        // Parts no description tells are never shown as a preset.
        RecurrenceRule positions = *RepeatChoices::presetRule(RepeatChoices::EveryMonth, {});
        positions.setPositions = {-1};
        QCOMPARE(RepeatChoices::presetForRule(&positions, due), int(RepeatChoices::Custom));
        RecurrenceRule dailyOnDays = *RepeatChoices::presetRule(RepeatChoices::EveryDay, {});
        dailyOnDays.daysOfTheWeek = Days{{2, 0}};
        QCOMPARE(RepeatChoices::presetForRule(&dailyOnDays, due), int(RepeatChoices::Custom));
    }

    void ends()
    {
        using RepeatChoices::EndChoice;
        RecurrenceRule rule;
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
        // The number fields: at least 1, at most the maximum.
        const auto number = [](const char* text) {
            return RepeatChoices::numberFromText(text, RepeatChoices::kMaximumInterval);
        };
        QVERIFY(number("12") == 12 && number("0") == 1 && number("often") == 1);
        QCOMPARE(number("123456789012"), 999);
    }

    // The RRULE each rule becomes, as the store writes it; what the store makes of such text
    // (week starts, missing fifth weeks, ends) its own suites check.
    void rulesAsWritten_data()
    {
        QTest::addColumn<RecurrenceRule>("rule");
        QTest::addColumn<QDateTime>("due");
        QTest::addColumn<QByteArray>("rrule");
        const auto row = [](const char* name, const RecurrenceRule& rule, const QDateTime& due,
                            const QByteArray& rrule) {
            QTest::newRow(name) << rule << due << rrule;
        };
        const auto preset = [](int index, std::optional<RecurrenceEnd> end = std::nullopt) {
            return *RepeatChoices::presetRule(index, end);
        };
        const auto custom = [](const CustomChoices& choices,
                               std::optional<RecurrenceEnd> end = std::nullopt) {
            return RepeatChoices::customRule(choices, end);
        };
        const QDateTime mar31 = local(2026, 3, 31, 9);
        CustomChoices intervalZero = yearly({3});
        intervalZero.interval = 0;

        row("every day, 3 times",
            preset(RepeatChoices::EveryDay, RecurrenceEnd::withOccurrenceCount(3)),
            local(2026, 3, 28, 9), "FREQ=DAILY;COUNT=3");
        row("week ends on a date",
            preset(RepeatChoices::EveryWeek, RecurrenceEnd::withEndDate(local(2026, 4, 14, 10))),
            mar31, "FREQ=WEEKLY;UNTIL=20260414T080000Z");
        row("weekly with nothing chosen takes the first day", custom(weekly({}, false)), mar31,
            "FREQ=WEEKLY;BYDAY=MO");
        row("monthly on 2 and 8: by column", custom(monthlyOnDays({2, 8})), mar31,
            "FREQ=MONTHLY;BYMONTHDAY=8,2");
        row("the last day of each month", custom(monthlyOnDays({-1})), local(2026, 1, 31, 9),
            "FREQ=MONTHLY;BYMONTHDAY=-1");
        row("the last Friday", custom(monthlyOnWeek(5, 5)), local(2026, 1, 30, 9),
            "FREQ=MONTHLY;BYDAY=-1FR");
        row("the fifth Monday", custom(monthlyOnWeek(4, 1)), local(2026, 3, 30, 9),
            "FREQ=MONTHLY;BYDAY=5MO");
        row("after 2 times, all day",
            custom(monthlyOnDays({15}), RecurrenceEnd::withOccurrenceCount(2)), local(2026, 3, 15),
            "FREQ=MONTHLY;BYMONTHDAY=15;COUNT=2");
        // Whether Sunday ends or starts a week decides which Monday belongs to its week.
        row("every 2 weeks, weeks from Monday", custom(weekly({0, 6}, false, 2)),
            local(2026, 3, 1, 9), "FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,MO;WKST=MO");
        row("every 2 weeks, weeks from Sunday", custom(weekly({0, 1}, true, 2)),
            local(2026, 3, 1, 9), "FREQ=WEEKLY;INTERVAL=2;BYDAY=SU,MO;WKST=SU");
        row("yearly in July and January", custom(yearly({7, 1})), local(2026, 1, 15, 9),
            "FREQ=YEARLY;BYMONTH=1,7");
        row("interval 0 is 1", custom(intervalZero), mar31, "FREQ=YEARLY;BYMONTH=3");
    }

    void rulesAsWritten()
    {
        QFETCH(RecurrenceRule, rule);
        QFETCH(QDateTime, due);
        QFETCH(QByteArray, rrule);
        QCOMPARE(store::Recurrence::formatRule(rule, due, due.time() == QTime(0, 0)).toUtf8(),
                 rrule);
    }
};

VELMORAN_TEST_MAIN(TestRepeatChoices)
#include "tst_repeatchoices.moc"
