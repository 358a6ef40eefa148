#include "ReminderBuilder.h"
#include "TestEnvironment.h"

#include "data/detail/DetailLinks.h"
#include "data/detail/DetailRowLayout.h"
#include "data/detail/EventInfoText.h"
#include "data/detail/RepeatChoices.h"
#include "data/detail/TaskDetailEdits.h"
#include "platform/store/LibicalSetup.h"
#include "platform/store/Recurrence.h"
#include "text/DateFormatters.h"

using TestEnvironment::local;
using namespace TaskDetailEdits;
using RepeatChoices::CustomChoices;
using store::RecurrenceDayOfWeek;
using store::RecurrenceEnd;
using store::RecurrenceRule;
using Days = QList<RecurrenceDayOfWeek>;

Q_DECLARE_METATYPE(CustomChoices)
Q_DECLARE_METATYPE(RecurrenceRule)
Q_DECLARE_METATYPE(RecurrenceDayOfWeek)

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

// The detail editor's rules without widgets: which rows a task gets, what each row's edit does
// to the task, the URL field and the links of the notes, the texts of an event, and repeats.
class TestTaskDetailEdits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { store::LibicalSetup::initialize(); }

    // A task without due date, with a rule and a place alarm, with a rule but no due date (the
    // repeat rows need a date to repeat from), completed.
    void rowsFollowTheTask()
    {
        const QDate may3(2026, 5, 3);
        for (const store::ReminderPtr& reminder :
             {ReminderBuilder("a").build(),
              ReminderBuilder("e").dueOn(may3).recurring().withLocationAlarm().build(),
              ReminderBuilder("f").recurring().build(),
              ReminderBuilder("g").dueOn(may3).completedAt(local(2026, 5, 3, 8)).build()}) {
            QList<DetailRowKind> shown;
            for (const DetailRow& row : DetailRowLayout::rowsForReminder(reminder.get()))
                shown << row.kind;
            const bool dated = reminder->dueDateComponents && !reminder->completed;
            QCOMPARE(shown.contains(DetailRowKind::Alarm), dated);
            QCOMPARE(shown.contains(DetailRowKind::Repeat), dated);
            QCOMPARE(shown.contains(DetailRowKind::EndRepeat),
                     dated && reminder->hasRecurrenceRules());
            QCOMPARE(shown.contains(DetailRowKind::Map),
                     !reminder->completed && DetailRowLayout::hasLocationAlarm(*reminder));
        }
    }

    void turningTheDueDateOnAndOff()
    {
        // With a time: the next full hour, and the alarm at it.
        store::ReminderPtr timed = ReminderBuilder("t").build();
        DuePreferences prefs{false, true, QTime(9, 0)};
        QVERIFY(turnDueDateOn(*timed, local(2026, 5, 3, 9, 59, 30), prefs, std::nullopt));
        QCOMPARE(dueDate(*timed), local(2026, 5, 3, 10));
        QVERIFY(timed->dueDateComponents->timeZone.isValid());
        QCOMPARE(timed->alarms.size(), 1);
        QCOMPARE(timed->alarms.first().absoluteDate, local(2026, 5, 3, 10));

        // Without a time: today, and the alarm at the alarm time, which the save keeps.
        store::ReminderPtr dateOnly = ReminderBuilder("d").build();
        prefs.noDueTime = true;
        QVERIFY(turnDueDateOn(*dateOnly, local(2026, 5, 3, 14, 10), prefs, std::nullopt));
        QVERIFY(!dateOnly->dueDateComponents->hasTimeOfDay());
        QVERIFY(!dateOnly->dueDateComponents->timeZone.isValid());
        QVERIFY(!saveDueDate(*dateOnly, {}, std::nullopt));
        QCOMPARE(dateOnly->alarms.first().absoluteDate, local(2026, 5, 3, 9));

        // Without "alarmOn" no alarm.
        store::ReminderPtr quiet = ReminderBuilder("q").build();
        QVERIFY(turnDueDateOn(*quiet, local(2026, 5, 3, 14, 10), {}, std::nullopt));
        QVERIFY(quiet->alarms.isEmpty());

        QCOMPARE(nextFullHour(local(2026, 5, 3, 23, 40)), local(2026, 5, 4, 0));
        // 02:00 does not exist on the day the clocks go forward: the next hour is 03:00.
        QCOMPARE(nextFullHour(local(2026, 3, 29, 1, 30)), local(2026, 3, 29, 3));

        // Off, it keeps the location alarms only.
        store::ReminderPtr reminder =
            ReminderBuilder("r").dueAt(local(2026, 5, 3, 9)).recurring().withAlarm();
        reminder->addAlarm(ReminderBuilder("p").withLocationAlarm().build()->alarms.first());
        reminder->startDateComponents = reminder->dueDateComponents;
        QVERIFY(turnDueDateOff(*reminder));
        QVERIFY(!reminder->dueDateComponents && !reminder->startDateComponents);
        QVERIFY(reminder->recurrenceRules.isEmpty() && reminder->alarms.size() == 1);
        QVERIFY(reminder->alarms.first().isLocationAlarm());
        QVERIFY(!turnDueDateOff(*reminder));
    }

    void movingTheDueDateTakesTheAlarmAlong()
    {
        store::ReminderPtr reminder =
            ReminderBuilder("m").dueAt(local(2026, 5, 3, 9)).withLocationAlarm().build();
        reminder->addAlarm(store::Alarm::withAbsoluteDate(local(2026, 5, 3, 8)));
        reminder->addAlarm(store::Alarm::withAbsoluteDate(local(2026, 5, 3, 8, 30)));
        // The last time alarm is the one shown.
        QCOMPARE(shownTimeAlarm(*reminder)->absoluteDate, local(2026, 5, 3, 8, 30));
        QVERIFY(saveDueDate(*reminder, local(2026, 5, 4, 16, 30), std::nullopt));
        QCOMPARE(timeAlarmCount(*reminder), 1);
        QCOMPARE(shownTimeAlarm(*reminder)->absoluteDate, local(2026, 5, 4, 16, 30));
        QVERIFY(DetailRowLayout::hasLocationAlarm(*reminder));

        // An offset keeps its offset and so goes with the due date by itself.
        store::ReminderPtr offset =
            ReminderBuilder("o").dueAt(local(2026, 3, 28, 9)).withAlarm().build();
        QVERIFY(saveDueDate(*offset, local(2026, 3, 30, 9), std::nullopt));
        QCOMPARE(alarmFireDate(*offset, offset->alarms.first()), local(2026, 3, 30, 8, 50));

        // A due date without time is moved across the change of the clocks as a day.
        store::ReminderPtr day = ReminderBuilder("d").dueOn(QDate(2026, 3, 28)).build();
        QVERIFY(saveDueDate(*day, QDate(2026, 3, 30).startOfDay(), std::nullopt));
        QCOMPARE(*day->dueDateComponents, store::DateComponents::fromDate(QDate(2026, 3, 30)));
        QCOMPARE(dueDate(*day), local(2026, 3, 30));
    }

    void theAlarmRow()
    {
        store::ReminderPtr reminder = ReminderBuilder("a").dueAt(local(2026, 5, 3, 9)).build();
        QVERIFY(!shownTimeAlarm(*reminder));
        QVERIFY(setTimeAlarm(*reminder, store::Alarm::withRelativeOffset(-900)));
        QVERIFY(!setTimeAlarm(*reminder, store::Alarm::withRelativeOffset(-900)));
        QCOMPARE(alarmFireDate(*reminder, *shownTimeAlarm(*reminder)), local(2026, 5, 3, 8, 45));
        reminder->addAlarm(ReminderBuilder("p").withLocationAlarm().build()->alarms.first());
        QVERIFY(setTimeAlarm(*reminder, store::Alarm::withAbsoluteDate(local(2026, 5, 3, 7))));
        QCOMPARE(timeAlarmCount(*reminder), 1);
        QVERIFY(removeTimeAlarms(*reminder));
        QCOMPARE(reminder->alarms.size(), 1);
        QVERIFY(!removeTimeAlarms(*reminder));
    }

    void priorities()
    {
        for (const auto& [priority, button] :
             QList<std::pair<int, int>>{{0, 0}, {1, 3}, {4, 3}, {5, 2}, {6, 1}, {9, 1}}) {
            QCOMPARE(priorityButtonForPriority(priority), button);
            store::ReminderPtr reminder = ReminderBuilder("p").priority(priority).build();
            // "!" on priority 7 makes it 9; the button that is lit for 9 changes nothing.
            QCOMPARE(setPriorityButton(*reminder, 1), priority != 9);
            QCOMPARE(reminder->priority, 9);
            QVERIFY(setPriorityButton(*reminder, 3));
            QCOMPARE(reminder->priority, 1);
            QVERIFY(setPriorityButton(*reminder, 0));
            QCOMPARE(reminder->priority, 0);
        }
    }

    // An address in a sentence, a bare host, an e-mail, balanced brackets, no link, a script,
    // our own scheme, the first of two.
    void urlFieldAndLinks()
    {
        QStringList kept;
        for (const char* typed :
             {"see https://example.org/a.", "example.com/path", "write to anna@example.de, please",
              "(https://en.wikipedia.org/wiki/Foo_(bar))", "buy milk", "javascript:alert(1)",
              "velmoran://open?id=1", "a.org and https://b.org"})
            kept << DetailLinks::validatedUrlText(typed);
        QCOMPARE(kept,
                 (QStringList{"https://example.org/a", "http://example.com/path",
                              "mailto:anna@example.de", "https://en.wikipedia.org/wiki/Foo_(bar)",
                              "", "", "velmoran://open?id=1", "http://a.org"}));

        // What the field shows of a URL: a mail link by name.
        using DetailLinks::urlFieldText;
        QCOMPARE(urlFieldText(QUrl(QStringLiteral("https://example.org/x"))),
                 QStringLiteral("https://example.org/x"));
        for (const char* mail :
             {"message:<abc@example.org>", "message:%3Cabc@example.org%3E", "message:/abc"})
            QCOMPARE(urlFieldText(QUrl(QString::fromLatin1(mail), QUrl::TolerantMode)),
                     QStringLiteral("Mail Link"));
        // The slashes a mail link needs, whatever the case of its scheme.
        QCOMPARE(DetailLinks::withMailSlashes(QStringLiteral("Message:<a@b>"), Qt::CaseInsensitive),
                 QStringLiteral("Message://<a@b>"));
        QCOMPARE(DetailLinks::openableUrl(QUrl(QStringLiteral("message:abc@example.org"))),
                 QUrl(QStringLiteral("message://abc@example.org")));
        // A message id in brackets cannot follow the slashes in a URL; it opens as it is.
        const QUrl bracketed(QStringLiteral("message:%3Ca@b%3E"));
        QCOMPARE(DetailLinks::openableUrl(bracketed), bracketed);

        // Which links open at once, after asking, or never.
        using enum DetailLinks::OpenPolicy;
        QList<DetailLinks::OpenPolicy> policies;
        for (const char* url : {"https://example.org", "velmoran://open?id=1", "message:%3Ca@b%3E",
                                "file:///home/anna/plan.pdf", "ftp://example.org/f",
                                "JavaScript:alert(1)", "https:relative", "example.org"})
            policies << DetailLinks::openPolicy(QUrl(url, QUrl::TolerantMode));
        QCOMPARE(policies, (QList<DetailLinks::OpenPolicy>{Open, Open, Open, Confirm, Confirm,
                                                           Refuse, Refuse, Refuse}));
    }

    void notesDecoration()
    {
        // Mail notes: slashes added, read-only, the message link reads "Show in Mail", and the
        // link after it is found at its own place in the shown text.
        const DetailLinks::NotesDecoration mail =
            DetailLinks::decorateNotes(QStringLiteral("message:<a@b.org> and https://x.org"), true);
        QVERIFY(mail.readOnly && mail.links.size() == 2);
        QCOMPARE(mail.text, QStringLiteral("Show in Mail and https://x.org"));
        QCOMPARE(mail.text.mid(mail.links.at(1).start, mail.links.at(1).length),
                 QStringLiteral("https://x.org"));

        // Editable notes keep every link's own text.
        const QString text = QStringLiteral("call back, see message://<q@r> or www.y.org");
        const DetailLinks::NotesDecoration editable = DetailLinks::decorateNotes(text, true);
        QVERIFY(!editable.readOnly && editable.links.size() == 2);
        QCOMPARE(editable.text, text);
        QCOMPARE(editable.links.at(1).url.toString(), QStringLiteral("http://www.y.org"));

        // The same notes of an event read-only, with the caption.
        QVERIFY(
            DetailLinks::decorateNotes(text, false).text.contains(QStringLiteral("Show in Mail")));

        // A long note is decorated without trouble.
        const QString longNote =
            QString(100000, QLatin1Char('x')) + QStringLiteral(" https://z.org");
        QCOMPARE(DetailLinks::decorateNotes(longNote, true).links.size(), 1);
    }

    void eventTexts()
    {
        const DateFormatters formatters(QLocale(QLocale::English, QLocale::UnitedStates));
        const DateFormatter& date = formatters.dateOnlyFormatter();
        store::Event event;
        event.isAllDay = true;
        event.startDate = local(2026, 5, 3);
        event.endDate = local(2026, 5, 4);
        event.location = QStringLiteral("Main Street 1\nBerlin\r\nGermany");
        QCOMPARE(EventInfoText::dateText(event, formatters),
                 date.stringFromDate(local(2026, 5, 3)) + QStringLiteral("  "));
        // An all-day event ends on the day before its end instant.
        event.endDate = local(2026, 5, 6);
        QVERIFY(EventInfoText::dateText(event, formatters)
                    .contains(" ~ " + date.stringFromDate(local(2026, 5, 5))));
        QCOMPARE(EventInfoText::locationText(event),
                 QStringLiteral("Main Street 1 Berlin Germany"));
    }

    // --- Repeats --------------------------------------------------------------------------------
    // The repeat editor's rules: which rule each preset and each set of custom choices builds,
    // which item shows a rule, the number fields and the end, and the RRULE each rule becomes.

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

VELMORAN_TEST_MAIN(TestTaskDetailEdits)
#include "tst_taskdetailedits.moc"
