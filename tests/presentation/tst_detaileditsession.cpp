#include "DetailStore.h"

#include "data/CalendarEvents.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "data/location/ContactPlaces.h"
#include "presentation/detail/DetailEditSession.h"

using namespace TestFiles;
using TestEnvironment::local;
using Text = DetailEditSession::Text;

namespace {

const QByteArray kContact = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anna Schmidt\r\nN:Schmidt;Anna;;;\r\n"
                            "ADR;TYPE=home:;;Hauptstr. 5;Berlin;;10115;Germany\r\nEND:VCARD\r\n";

} // namespace

// The detail pane's session without a window over a real store: each edit changes only its
// lines of the file (todoman reads the result), typed texts are validated and saved when
// their field is left, and changes by other programs are told apart from our own, never lose
// what is being typed and never get overwritten unseen.
class TestDetailEditSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.emplace().setUp());
        m_f->defaults->setString(m_f->dir->filePath("contacts"), PrefKey::contactsFolder);
        writeFile(m_f->dir->filePath("contacts/anna.vcf"), kContact);
        startSession();
    }

    void cleanup()
    {
        m_session.reset();
        m_f.reset();
        m_opened.clear();
        m_asked.clear();
    }

    void eachEditChangesOnlyItsLines()
    {
        m_session->type(Text::Title, "Water the plants and the lawn");
        m_session->finish(Text::Title);
        m_f->store->expectChange({"SUMMARY"});
        // Leaving the field again without a change saves nothing.
        m_session->finish(Text::Title);
        QCOMPARE(readFile(taskPath()), m_f->store->before());
        m_session->setPriorityButton(3);
        m_f->store->expectChange({"PRIORITY"});
        QCOMPARE(IcsLines::value(m_f->store->before(), "PRIORITY"), QByteArray("1"));
        m_f->store->checkTodoman("Water the plants and the lawn", local(2026, 3, 28, 9), 1, "Work");

        // The alarm's own values are tst_detaileditor's; off, it leaves no alarm behind.
        m_session->setAlarmOn(true);
        QVERIFY(readFile(taskPath()).contains("BEGIN:VALARM"));
        m_session->setAlarmOn(false);
        QVERIFY(!readFile(taskPath()).contains("BEGIN:VALARM"));
        m_f->store->takeBefore();
        m_session->setDueDateOn(false);
        m_f->store->expectChange({"DUE"});
        QCOMPARE(m_session->rows().size(), 17);
        m_f->store->checkTodoman("Water the plants and the lawn", QDateTime(), 1, "Work");
        // On again at the next full hour, with the alarm the preference asks for.
        m_f->defaults->setBool(true, PrefKey::alarmOn);
        m_session->setDueDateOn(true);
        QVERIFY(readFile(taskPath()).contains("DUE;TZID=Europe/Berlin:20260327T150000"));
        QCOMPARE(onDisk("TRIGGER"), QByteArray("20260327T140000Z"));
        QCOMPARE(m_session->rows().size(), 22);
    }

    void movingToAnotherList()
    {
        m_session->moveToList(m_f->manager->lists().calendarByUUID("home"));
        const QString moved = root() + "/home/water-plants.ics";
        QTRY_VERIFY(QFile::exists(moved));
        QVERIFY(!QFile::exists(taskPath()));
        // The same file, with its UID and every line, in the other folder.
        QCOMPARE(readFile(moved), m_f->store->before());
        QCOMPARE(m_session->reminder()->calendar->title, "Home");
        m_f->store->checkTodoman("Water the plants", local(2026, 3, 28, 9), 5, "Home");
    }

    void aListInAnotherStoreFolderIsRefused()
    {
        // A second root, as a second account would be.
        const QString other = m_f->dir->filePath("other");
        writeFile(other + "/shared/displayname", "Shared");
        m_session.reset();
        m_f->manager = std::make_unique<DataManager>(*m_f->defaults, m_f->clock, [this, other] {
            return std::make_unique<store::EventStore>(QStringList{root(), other}, m_f->clock);
        });
        QSignalSpy refreshed(m_f->manager.get(), &DataManager::remindersRefreshed);
        m_f->manager->initStore();
        QVERIFY(refreshed.wait(5000));
        startSession();
        QSignalSpy redrawn(m_session.get(), &DetailEditSession::changed);
        m_session->moveToList(m_f->manager->lists().calendarByUUID("shared"));
        QVERIFY(m_session->notice().text.contains("another store folder"));
        QCOMPARE(readFile(taskPath()), m_f->store->before());
        QVERIFY(QDir(other + "/shared").entryList({"*.ics"}).isEmpty());
        // The selector is drawn again, on the task's own list.
        QVERIFY(!redrawn.isEmpty());
        QCOMPARE(m_session->reminder()->calendar->title, "Work");
    }

    // The pane's own walk (tst_detaileditor) types an address and opens it; here the texts
    // that are not one.
    void anAddressThatIsNoLink()
    {
        writeTaskWith("URL:http://example.org/later\r\n");
        // Text without a link empties the field and takes the URL away.
        m_session->type(Text::Url, "no link here");
        m_session->finish(Text::Url);
        QCOMPARE(m_session->text(Text::Url), QString());
        QVERIFY(!readFile(taskPath()).contains("URL"));

        // A mail link reads "Mail Link"; leaving its field untouched keeps it.
        writeTaskWith("URL:message:%3C1234@example.org%3E\r\n");
        QCOMPARE(m_session->text(Text::Url), "Mail Link");
        m_session->finish(Text::Url);
        QCOMPARE(readFile(taskPath()), m_f->store->before());
    }

    void linksThatAreNotOpened()
    {
        m_session->openLink(QUrl("javascript:alert(document.cookie)"));
        QVERIFY(m_opened.isEmpty() && m_asked.isEmpty());
        QVERIFY(m_session->notice().error);
        // A local file only after the user saw its path and agreed.
        const QUrl file("file:///home/anna/plan.pdf");
        m_session->openLink(file);
        QVERIFY(m_asked.size() == 1 && m_asked.first().contains("/home/anna/plan.pdf"));
        QVERIFY(m_opened.isEmpty());
        m_confirm = true;
        m_session->openLink(file);
        QCOMPARE(m_opened, QList<QUrl>{file});
    }

    void anEventIsReadOnly()
    {
        store::EventPtr concert;
        for (const store::EventPtr& event : m_f->manager->events().eventsArray())
            concert = event->title == QLatin1String("Concert") ? event : concert;
        QVERIFY(concert);
        m_session->showEvent(concert);
        QCOMPARE(m_session->rows().size(), 9);
        m_session->type(Text::Title, "Opera");
        QCOMPARE(m_session->text(Text::Title), "Concert");
        m_session->openCurrentUrl();
        QCOMPARE(m_opened, (QList<QUrl>{QUrl("https://example.org/tickets")}));
    }

    // Our own save read back makes no notice; another program's change shows as its new
    // version; when both changed the title, ours is kept and replaces theirs only when its
    // field is left.
    void changesElsewhere()
    {
        // Completed in the task list: written by us, not through the session.
        QSignalSpy refreshed(m_f->manager.get(), &DataManager::remindersRefreshed);
        QVERIFY(m_f->manager->tasks().checkReminder(m_session->reminder(), true, nullptr));
        QVERIFY(refreshed.wait(5000));
        QCOMPARE(m_session->notice(), DetailEditSession::Notice{});
        writeTaskWith({}, "PRIORITY:5", "PRIORITY:3");
        QCOMPARE(m_session->notice().text, "\"Water the plants\" was changed by another program; "
                                           "this is its new version.");
        QVERIFY(!m_session->notice().error);
        QCOMPARE(m_session->reminder()->priority, 3);

        m_session->type(Text::Title, "Ours");
        writeTaskWith({}, "SUMMARY:Water the plants", "SUMMARY:Theirs");
        QVERIFY(m_session->notice().text.contains("while you were"));
        QCOMPARE(m_session->text(Text::Title), "Ours");
        QCOMPARE(m_session->reminder()->title, "Theirs");
        m_session->finish(Text::Title);
        QCOMPARE(onDisk("SUMMARY"), QByteArray("Ours"));

        m_session->type(Text::Notes, "Our note");
        writeTaskWith("DESCRIPTION:Their note\r\n");
        QVERIFY(m_session->notice().text.contains("while you were"));
        QCOMPARE(m_session->text(Text::Notes), "Our note");
    }

    // The save comes before the refresh: the store refuses to overwrite the other program's
    // change, the text is kept, and it is saved into the task once it was read again.
    void aRefusedSaveIsTriedAgainOnTheNewVersion()
    {
        m_session->type(Text::Notes, "Only in the evening");
        QByteArray changed = readFile(taskPath());
        changed.replace("PRIORITY:5", "PRIORITY:1");
        replaceFile(taskPath(), changed);
        m_session->finish(Text::Notes);
        QVERIFY2(m_session->notice().text.contains("changed by another program"),
                 qPrintable(m_session->notice().text));
        QCOMPARE(readFile(taskPath()), changed);
        QCOMPARE(m_session->text(Text::Notes), "Only in the evening");
        QTRY_VERIFY_WITH_TIMEOUT(readFile(taskPath()).contains("DESCRIPTION:Only in the evening"),
                                 5000);
        QVERIFY(readFile(taskPath()).contains("PRIORITY:1"));
    }

    // What was typed into a task deleted elsewhere is dropped, and the notice says so.
    void aTaskDeletedElsewhere()
    {
        m_session->type(Text::Title, "Water the plants twice");
        QSignalSpy refreshed(m_f->manager.get(), &DataManager::remindersRefreshed);
        QFile::remove(taskPath());
        QVERIFY(refreshed.wait(5000));
        QVERIFY(!m_session->reminder() && m_session->rows().isEmpty());
        QCOMPARE(m_session->text(Text::Title), QString());
        QVERIFY(m_session->notice().text.contains("was not saved"));
    }

    // Weekdays, weekends, every 2 weeks, every year, one after the other on the same task; a
    // new due date keeps the rule.
    void repeatPresets()
    {
        DetailRepeatEdit& repeat = m_session->repeat();
        for (const auto& [preset, rrule] :
             {std::pair{1, QByteArray("FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR")},
              std::pair{2, QByteArray("FREQ=WEEKLY;BYDAY=SU,SA")},
              std::pair{5, QByteArray("FREQ=WEEKLY;INTERVAL=2")},
              std::pair{7, QByteArray("FREQ=YEARLY;BYMONTH=3")}}) {
            m_f->store->takeBefore();
            QVERIFY(repeat.choosePreset(preset));
            m_f->store->expectChange({"RRULE"});
            QCOMPARE(IcsLines::value(m_f->store->before(), "RRULE"), rrule);
            QCOMPARE(repeat.preset(), preset);
            QCOMPARE(m_session->rows().size(), 25);
            m_session->setDueDate(local(2026, 3, 31, 9));
            QCOMPARE(onDisk("RRULE"), rrule);
            repeat.choosePreset(RepeatChoices::Never);
            // (The time zone moved in with the new due date has rules of its own.)
            QVERIFY(!readFile(taskPath()).contains("RRULE:" + rrule + "\r\n"));
            QCOMPARE(m_session->rows().size(), 22);
        }
    }

    // An end stays with the series when the user picks another rule, a custom one too; after
    // "Never" there is no end to keep.
    void anEndOutlivesTheRule()
    {
        DetailRepeatEdit& repeat = m_session->repeat();
        repeat.choosePreset(RepeatChoices::EveryWeek);
        repeat.chooseEnd(RepeatChoices::EndChoice::AfterCount, {}, 5);
        QCOMPARE(repeat.endChoice(), RepeatChoices::EndChoice::AfterCount);
        repeat.choosePreset(RepeatChoices::EveryDay);
        QCOMPARE(onDisk("RRULE"), QByteArray("FREQ=DAILY;COUNT=5"));
        QVERIFY(!repeat.choosePreset(RepeatChoices::Custom));
        repeat.chooseCustom(RepeatChoices::CustomChoices{});
        QCOMPARE(onDisk("RRULE"), QByteArray("FREQ=DAILY;COUNT=5"));
        repeat.choosePreset(RepeatChoices::Never);
        QCOMPARE(repeat.endChoice(), RepeatChoices::EndChoice::Never);
        repeat.choosePreset(RepeatChoices::EveryDay);
        QCOMPARE(onDisk("RRULE"), QByteArray("FREQ=DAILY"));
    }

    // Rules written by other programs are shown truthfully and edited without loss.
    void rulesFromElsewhere()
    {
        DetailRepeatEdit& repeat = m_session->repeat();
        // COUNT=0 is no rule the store reads: the task shows as not repeating, and a rule
        // chosen for it replaces the one it could not show instead of joining it.
        writeTaskWith("RRULE:FREQ=WEEKLY;COUNT=0\r\n");
        QCOMPARE(repeat.preset(), RepeatChoices::Never);
        repeat.choosePreset(RepeatChoices::EveryWeek);
        QCOMPARE(readFile(taskPath()).count("\nRRULE:"), 1);
        QCOMPARE(onDisk("RRULE"), QByteArray("FREQ=WEEKLY"));
        // Weekdays every second week: not the preset.
        writeTaskWith("RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TU,WE,TH,FR\r\n");
        QCOMPARE(repeat.preset(), RepeatChoices::Custom);
        QCOMPARE(repeat.description(), "Every 2 Weeks on Weekdays");
        // Cancelling the custom sheet keeps a custom rule, and goes back to a preset.
        QVERIFY(!repeat.choosePreset(RepeatChoices::Custom));
        repeat.cancelCustom();
        QCOMPARE(repeat.preset(), RepeatChoices::Custom);
        writeTaskWith("RRULE:FREQ=DAILY;UNTIL=20260320T000000Z\r\n");
        QCOMPARE(repeat.endChoice(), RepeatChoices::EndChoice::OnDate);
        QVERIFY(repeat.endsBeforeDue());
        QVERIFY(!repeat.choosePreset(RepeatChoices::Custom));
        repeat.cancelCustom();
        QCOMPARE(repeat.preset(), RepeatChoices::EveryDay);
        QCOMPARE(readFile(taskPath()), m_f->store->before());
    }

    // The address book's places are offered; turned off, the time alarm leaves a location
    // alarm alone (tst_detaileditor makes one beside a time alarm and takes it away again).
    void aTimeAlarmTurnedOffLeavesTheLocationAlarm()
    {
        QCOMPARE(m_session->contactPlaces().size(), 1);
        QCOMPARE(m_session->contactPlaces().first().string, "Anna Schmidt (Home)");
        m_session->setAlarmOn(true);
        store::StructuredLocation garden{"Garden", 52.52, 13.405, 100, true};
        m_session->addLocationAlarm(
            store::Alarm::withLocation(garden, store::Alarm::Proximity::Leave));
        QCOMPARE(m_session->rows().size(), 23);
        QCOMPARE(readFile(taskPath()).count("BEGIN:VALARM"), 2);
        m_session->setAlarmOn(false);
        const QByteArray file = readFile(taskPath());
        QCOMPARE(file.count("BEGIN:VALARM"), 1);
        QVERIFY(file.contains("X-APPLE-PROXIMITY:DEPART"));
    }

private:
    QString root() const { return m_f->store->root(); }
    QString taskPath() const { return m_f->store->taskPath(); }
    // The value of the task's property of this name in its file now.
    QByteArray onDisk(const char* name) const
    {
        return IcsLines::value(readFile(taskPath()), name);
    }

    // As the window does: after every refresh the session is told the task afresh, or none
    // when it is gone.
    void startSession()
    {
        DetailServices services = m_f->services->services();
        services.openUrl = [this](const QUrl& url) {
            m_opened << url;
            return true;
        };
        m_session = std::make_unique<DetailEditSession>(*m_f->manager, services);
        m_session->setConfirmation([this](const QString& text) {
            m_asked << text;
            return m_confirm;
        });
        connect(m_f->manager.get(), &DataManager::remindersRefreshed, m_session.get(), [this] {
            m_session->showReminder(m_f->manager->tasks().reminderWithIdentifier("water-plants"));
        });
        m_session->showReminder(m_f->manager->tasks().reminderWithIdentifier("water-plants"));
        QVERIFY(m_session->reminder());
        m_f->store->takeBefore();
    }

    void writeTaskWith(const QByteArray& extra, const QByteArray& replace = {},
                       const QByteArray& by = {})
    {
        m_f->store->rewrite(*m_f->manager, extra, replace, by);
        m_opened.clear();
    }

    std::optional<DetailFixture> m_f;
    std::unique_ptr<DetailEditSession> m_session;
    QList<QUrl> m_opened;
    QStringList m_asked;
    bool m_confirm = false;
};

VELMORAN_TEST_MAIN(TestDetailEditSession)
#include "tst_detaileditsession.moc"
