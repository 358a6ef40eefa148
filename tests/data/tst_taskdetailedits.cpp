#include "ReminderBuilder.h"
#include "TestEnvironment.h"

#include "data/detail/DetailLinks.h"
#include "data/detail/DetailRowLayout.h"
#include "data/detail/EventInfoText.h"
#include "data/detail/TaskDetailEdits.h"
#include "text/DateFormatters.h"

using TestEnvironment::local;
using namespace TaskDetailEdits;

// The detail editor's rules without widgets: which rows a task gets, what each row's edit does
// to the task, the URL field and the links of the notes, and the texts of an event.
class TestTaskDetailEdits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
};

VELMORAN_TEST_MAIN(TestTaskDetailEdits)
#include "tst_taskdetailedits.moc"
