#include "ReminderBuilder.h"
#include "SeededStore.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"

#include "data/QuickActionPerformer.h"
#include "data/TaskOperations.h"
#include "data/UndoHistory.h"

using namespace store;
using namespace TestFiles;
using TestEnvironment::local;

namespace {

// Records what it was asked to do in a shared log; refuses while `fails` is set.
class LoggedStep : public UndoStep
{
public:
    LoggedStep(QString name, QStringList& log, const bool& fails = kNever)
        : UndoStep(std::move(name))
        , m_log(log)
        , m_fails(fails)
    {}

    void undo() override { act(QStringLiteral("undo ")); }
    void redo() override { act(QStringLiteral("redo ")); }

private:
    void act(const QString& what)
    {
        if (m_fails)
            setObsolete(true);
        else
            m_log << what + text();
    }

    static constexpr bool kNever = false;
    QStringList& m_log;
    const bool& m_fails;
};

} // namespace

class TestTaskOperations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<SeededStore>();
        m_store->clock.setNow(local(2026, 12, 9, 10, 30)); // a Wednesday
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/work/displayname", "Work");
        // Recently Deleted is one folder for the whole run; each case starts with it empty.
        trash::RecentlyDeleted().empty();
    }

    void cleanup() { m_store.reset(); }

    void completingCanBeUndoneAndRedone()
    {
        m_store->seed("home", [](Reminder& r) {
            r.title = "Laundry";
            r.dueDateComponents = DateComponents::fromDate(QDate(2026, 12, 10));
        });
        DataManager& manager = createLoaded();
        QVERIFY(!inSnapshot("Laundry")->startDateComponents);
        QVERIFY(m_store->afterRefresh(
            [&] { manager.tasks().checkReminder(inSnapshot("Laundry"), true); }));
        QCOMPARE(diskTask("Laundry")->startDateComponents, diskTask("Laundry")->dueDateComponents);

        for (const bool redo : {false, true, false, true}) {
            m_store->clock.advanceSeconds(60);
            QVERIFY(m_store->afterRefresh([&] { redo ? history().redo() : history().undo(); }));
            const ReminderPtr onDisk = diskTask("Laundry");
            QCOMPARE(onDisk->completed, redo);
            QCOMPARE(onDisk->completionDate, redo ? m_store->clock.now() : QDateTime());
        }
        // Undo and redo registered nothing more.
        QCOMPARE(history().count(), 1);
    }

    void aRecurringTaskMovesOnWithoutUndoUntilItsCountIsUsed()
    {
        m_store->seed("home", [](Reminder& r) {
            r.title = "Water plants";
            r.dueDateComponents = DateComponents::fromDateTime(local(2026, 12, 9, 9, 0));
            RecurrenceRule daily;
            daily.recurrenceEnd = RecurrenceEnd::withOccurrenceCount(3);
            r.addRecurrenceRule(daily);
        });
        DataManager& manager = createLoaded();
        const QString identifier = inSnapshot("Water plants")->calendarItemIdentifier;

        // The count ends the series: the third completion leaves three completed tasks.
        for (int occurrence = 1; occurrence <= 3; ++occurrence) {
            QVERIFY(m_store->afterRefresh([&] {
                manager.tasks().checkReminder(manager.tasks().reminderWithIdentifier(identifier),
                                              true);
            }));
            QCOMPARE(history().count(), 0);
            if (occurrence == 1)
                QCOMPARE(described(),
                         (QStringList{"Water plants|2026-12-09 09:00|0|done||",
                                      "Water plants|2026-12-10 09:00|0|open||repeats"}));
        }
        QCOMPARE(described().join(' ').count("|done|"), 3);
        QCOMPARE(described().size(), 3);
    }

    void aStaleCopyCompletesAndAMissingTaskIsLeftAlone()
    {
        m_store->seed("home", [](Reminder& r) { r.title = "Laundry"; });
        const ReminderPtr report = m_store->seed("work", [](Reminder& r) { r.title = "Report"; });
        m_store->defaults->setObject(QStringList{"home"}, PrefKey::visibleLists);
        m_store->defaults->setObject(QStringList{"work"}, PrefKey::invisibleLists);
        DataManager& manager = createLoaded();
        QCOMPARE(manager.session().countForAllReminders(), 1u);

        // A pane's copy from before the last refresh.
        auto stale = std::make_shared<Reminder>(*inSnapshot("Laundry"));
        stale->title = "Laundry (old)";
        QVERIFY(m_store->afterRefresh([&] { manager.tasks().checkReminder(stale, true); }));
        QVERIFY(!stale->completed);
        const ReminderPtr laundry = diskTask("Laundry");
        QVERIFY(laundry && laundry->completed);

        // A task of a hidden list is not in the snapshot: nothing is written or registered.
        const QByteArray before = readFile(report->origin->path());
        manager.tasks().checkReminder(report, true);
        manager.tasks().checkReminder(nullptr, true);
        QCOMPARE(readFile(report->origin->path()), before);
        QCOMPARE(history().count(), 1);
        QVERIFY(!manager.tasks().reminderWithIdentifier(report->calendarItemIdentifier));
    }

    void aDeletedCompletedTaskComesBackOpenAndDueToday()
    {
        m_store->defaults->setString("07:15", PrefKey::alarmTime);
        m_store->seed("home", [this](Reminder& r) {
            r.title = "Timed";
            r.notes = "Bring the receipt";
            r.priority = 5;
            r.URL = QUrl("https://example.org/receipt");
            r.dueDateComponents = DateComponents::fromDateTime(local(2026, 12, 1, 9, 30));
            r.addAlarm(Alarm::withRelativeOffset(-600));
            r.addAlarm(Alarm::withLocation(station(), Alarm::Proximity::Leave));
            r.addRecurrenceRule(RecurrenceRule());
            r.setCompleted(true, local(2026, 12, 1, 10, 0));
        });
        m_store->seed("home", [](Reminder& r) {
            r.title = "Undated";
            r.addAlarm(Alarm::withAbsoluteDate(local(2026, 11, 30, 18, 0)));
            r.setCompleted(true, local(2026, 12, 1, 10, 0));
        });
        m_store->seed("home", [](Reminder& r) {
            r.title = "Date only";
            r.dueDateComponents = DateComponents::fromDate(QDate(2026, 1, 5));
            r.setCompleted(true, local(2026, 1, 5, 12, 0));
        });
        DataManager& manager = createLoaded();
        const ReminderPtr timed = inSnapshot("Timed");
        QVERIFY(m_store->afterRefresh([&] {
            for (const char* title : {"Timed", "Undated", "Date only"})
                manager.tasks().deleteReminder(inSnapshot(title));
        }));
        QVERIFY(m_store->tasksOnDisk().isEmpty());

        QVERIFY(m_store->afterRefresh([&] {
            for (int step = 0; step < 3; ++step)
                history().undo();
        }));
        QCOMPARE(described(), (QStringList{"Date only|2026-12-09|0|open||",
                                           "Timed|2026-12-09 09:30|5|open|2026-12-09 09:30,place|",
                                           "Undated|2026-12-09 07:15|0|open|2026-12-09 07:15|"}));
        const ReminderPtr back = diskTask("Timed");
        QCOMPARE(back->startDateComponents, back->dueDateComponents);
        QCOMPARE(back->notes, QString("Bring the receipt"));
        QCOMPARE(back->alarms[back->alarms[0].isLocationAlarm() ? 0 : 1].proximity,
                 Alarm::Proximity::Leave);
        // The same task, not a stranger: other programs and servers keep knowing it.
        QCOMPARE(back->uid, timed->uid);
        QCOMPARE(back->origin->path(), timed->origin->path());
    }

    void anUndoneDeleteWhoseListIsGoneLandsInTheDefaultList()
    {
        m_store->seed("work", [](Reminder& r) { r.title = "Report"; });
        DataManager& manager = createLoaded();
        m_store->defaults->setString("home", PrefKey::defaultList);
        QVERIFY(
            m_store->afterRefresh([&] { manager.tasks().deleteReminder(inSnapshot("Report")); }));
        QVERIFY(m_store->afterRefresh([&] { manager.tasks().deleteListWithUUID("work"); }));
        QVERIFY(!QFileInfo::exists(root() + "/work"));
        QVERIFY(m_store->afterRefresh([&] { history().undo(); }));
        QCOMPARE(diskTask("Report")->calendar->calendarIdentifier, QString("home"));
    }

    // Another program rewrote the file after our read, to the same size: whatever the store
    // then refuses is reported with its reason, leaves nothing to undo, and the task stays as
    // it is on disk, in the snapshot too; a recurring task neither moves on nor leaves a copy.
    void aChangeTheStoreRefusesIsReportedAndTakenBack_data()
    {
        QTest::addColumn<bool>("deleting");
        QTest::addColumn<bool>("recurring");
        QTest::newRow("delete") << true << false;
        QTest::newRow("complete one-off") << false << false;
        QTest::newRow("complete recurring") << false << true;
    }

    void aChangeTheStoreRefusesIsReportedAndTakenBack()
    {
        QFETCH(bool, deleting);
        QFETCH(bool, recurring);
        const ReminderPtr laundry = m_store->seed("home", [recurring](Reminder& r) {
            r.title = "Laundry";
            r.dueDateComponents = DateComponents::fromDateTime(local(2026, 12, 9, 9, 0));
            if (recurring)
                r.addRecurrenceRule(RecurrenceRule());
        });
        DataManager& manager = createLoaded();
        const ReminderPtr task = inSnapshot("Laundry");
        QVERIFY(task && task->hasRecurrenceRules() == recurring);
        const QDateTime due = task->dueDateComponents->toDateTime();
        writeFile(laundry->origin->path(),
                  readFile(laundry->origin->path()).replace("SUMMARY:Laundry", "SUMMARY:Washing"));

        QString error;
        QVERIFY(deleting ? !manager.tasks().deleteReminder(task, &error)
                         : !manager.tasks().checkReminder(task, true, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!task->completed && !task->completionDate.isValid());
        QCOMPARE(task->dueDateComponents->toDateTime(), due);
        QCOMPARE(history().count(), 0);
        QCOMPARE(described(), QStringList{"Washing|2026-12-09 09:00|0|open||" +
                                          QString(recurring ? "repeats" : "")});
    }

    // Both forms of adding, the short one of the quick entry first: it follows alarmOn unless
    // told, and opens the details when asked to.
    void addingMapsTheArgumentsOntoTheTask()
    {
        DataManager& manager = createLoaded();
        const CalendarPtr home = manager.lists().calendarByUUID("home");
        RecurrenceRule weekly;
        weekly.frequency = RecurrenceRule::Frequency::Weekly;
        QSignalSpy intoDetail(&manager.tasks(), &TaskOperations::intoDetailFromAdd);
        manager.tasks().addReminderWithTitle("Dated", home, local(2026, 12, 11, 10, 0), 2);
        m_store->defaults->setBool(false, PrefKey::alarmOn);
        manager.tasks().addReminderWithTitle("Quiet", home, local(2026, 12, 11, 10, 0), 4);
        manager.tasks().addReminderWithTitle("Asked", home, local(2026, 12, 11, 11, 0), 0, true);
        QCOMPARE(intoDetail.count(), 0);
        const ReminderPtr detailed = manager.tasks().addReminderWithTitle(
            "Detailed", home, local(2026, 12, 12), 3, false, "Notes here", true);
        QCOMPARE(intoDetail.count(), 1);
        QCOMPARE(manager.tasks().tempReminder(), detailed);

        bool called = false;
        manager.tasks().addReminderWithTitle(
            "Full", home, 2, local(2026, 12, 11, 14, 45, 30), weekly, "https://example.org/a b",
            "Some notes", false, Alarm::withLocation(station(), Alarm::Proximity::Enter),
            [&](bool saved, ReminderPtr reminder) {
                called = saved && !reminder->calendarItemIdentifier.isEmpty();
            });
        QVERIFY(called); // before the call returned
        add(manager, "Undated rule", home, 1, {}, weekly, false);
        add(manager, "Class 4", home, 4, {}, {}, false);
        // A midnight due date rings at the alarm time only when tasks have no due time.
        m_store->defaults->setString("08:00", PrefKey::alarmTime);
        add(manager, "Plumber", home, {}, local(2026, 12, 10), {}, true);
        m_store->defaults->setBool(true, PrefKey::noDueTime);
        add(manager, "Dentist", home, {}, local(2026, 12, 10), {}, true);

        // The place only on "Full": no alarm was asked for.
        QCOMPARE(described(),
                 (QStringList{
                     "Asked|2026-12-11 11:00|0|open|2026-12-11 11:00|", "Class 4|-|0|open||",
                     "Dated|2026-12-11 10:00|5|open|2026-12-11 10:00|",
                     "Dentist|2026-12-10|0|open|2026-12-10 08:00|", "Detailed|2026-12-12|9|open||",
                     "Full|2026-12-11 14:45|5|open|place|repeats",
                     "Plumber|2026-12-10|0|open|2026-12-10 00:00|",
                     "Quiet|2026-12-11 10:00|0|open||", "Undated rule|-|1|open||"}));
        QCOMPARE(diskTask("Full")->URL, QUrl("https://example.org/a%20b"));
        QCOMPARE(diskTask("Dentist")->startDateComponents->date(), QDate(2026, 12, 10));
        QCOMPARE(diskTask("Detailed")->notes, QString("Notes here"));

        // A task that cannot be saved still reports back, with the flag down.
        bool failed = false;
        manager.tasks().addReminderWithTitle("Nowhere", nullptr, {}, {}, {}, {}, {}, false, {},
                                             [&](bool saved, ReminderPtr) { failed = !saved; });
        QVERIFY(failed);
        UserDefaults reread(m_store->dir.filePath("prefs.json"));
        QCOMPARE(reread.integerForKey(PrefKey::addCount), 10);
    }

    // Nothing to delete is not a refusal: another program may have deleted it already. A list
    // the store may not change (read-only, as the store marks it) is not renamed, the caller
    // learns why, and the window keeps showing it as it is on disk (the sidebar's suite refuses
    // its deletion).
    void listsAreAddedChangedAndDeletedUnlessTheStoreRefuses()
    {
        DataManager& manager = createLoaded();
        // A slash in the title names no folder below; the colour file keeps its leading zeros.
        const QString identifier = manager.tasks().addListWithTitle(
            "Work / Errands", store::CollectionColor::fromRgb(10, 20, 30));
        const auto stored = [this](const QString& id) {
            return EventStore({root()}, m_store->clock).calendarWithIdentifier(id);
        };
        QVERIFY(stored(identifier) && stored(identifier)->title == "Work / Errands");
        QCOMPARE(readFile(stored(identifier)->folderPath + "/color"), QByteArray("#0a141e"));
        QCOMPARE(QFileInfo(stored(identifier)->folderPath).absolutePath(), root());
        QVERIFY(manager.tasks().modifyList(manager.lists().calendarByUUID(identifier), "Shopping",
                                           store::CollectionColor::fromText(u"#3366cc")));
        QVERIFY(stored(identifier)->title == "Shopping" &&
                stored(identifier)->color.name() == "#3366cc");
        QVERIFY(manager.tasks().deleteListWithUUID("no-such-list"));
        QVERIFY(manager.tasks().deleteListWithUUID(identifier));
        QVERIFY(!stored(identifier));

        const CalendarPtr home = manager.lists().calendarByUUID("home");
        const QString title = home->title;
        const store::CollectionColor color = home->color;
        home->immutable = true;
        QString error;
        QVERIFY(!manager.tasks().modifyList(home, "Renamed",
                                            store::CollectionColor::fromText(u"green"), &error));
        QVERIFY2(error.contains(title), qPrintable(error));
        QVERIFY(home->title == title && home->color == color);
        QVERIFY(stored("home") && stored("home")->title == title);
    }

    void clearingCompletedTasksTouchesOnlyThatList()
    {
        m_store->seed("home", [](Reminder& r) { r.title = "Open at home"; });
        for (const auto& [list, title, due] : {std::tuple{"home", "Done at home", QDate()},
                                               {"home", "Also done at home", QDate(2026, 11, 2)},
                                               {"work", "Done at work", QDate()}})
            m_store->seed(list, [title = title, due = due](Reminder& r) {
                r.title = title;
                if (due.isValid())
                    r.dueDateComponents = DateComponents::fromDate(due);
                r.setCompleted(true, local(2026, 12, 1, 9, 0));
            });
        DataManager& manager = createLoaded();
        m_store->settle();

        QSignalSpy changed(manager.eventStore(), &EventStore::changed);
        manager.tasks().deleteCompletedTasksOnListWithUUID("home");
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 5000);
        QCOMPARE(m_store->titlesOnDisk(), (QStringList{"Done at work", "Open at home"}));
        // One announcement for the whole clearing, however many files it removed: the next
        // one is the other list's.
        manager.tasks().deleteCompletedTasksOnListWithUUID("work");
        QVERIFY(changed.wait(5000));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(m_store->titlesOnDisk(), QStringList{"Open at home"});
        // Each cleared task is in Recently Deleted.
        QStringList cleared;
        for (const trash::DeletedEntry& entry : manager.eventStore()->recentlyDeleted().entries())
            cleared << entry.title;
        cleared.sort();
        QCOMPARE(cleared, (QStringList{"Also done at home", "Done at home", "Done at work"}));
    }

    // Delete, undo, redo, undo: each undo gives back the very file, with every line another
    // program wrote, under its old name; the task leaves the snapshot before the store's
    // notice of the deletion comes.
    void undoingADeleteGivesBackTheIdenticalFile()
    {
        const QByteArray bytes =
            todo("shared-42", "Call the plumber",
                 "LOCATION:Hauptstraße 5\\, Berlin\r\nDUE:20261210T090000Z\r\n"
                 "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;WKST=MO;COUNT=6\r\n"
                 "X-PHONE-FLAG;X-PARAM=1:yes\r\nBEGIN:VALARM\r\nACTION:AUDIO\r\n"
                 "TRIGGER;VALUE=DATE-TIME:20261210T080000Z\r\nEND:VALARM\r\n");
        const QString path = root() + "/home/shared-42.ics";
        writeFile(path, bytes);
        m_store->seed("home", [](Reminder& r) { r.title = "Other"; });
        DataManager& manager = createLoaded();
        QSignalSpy deleting(&manager.tasks(), &TaskOperations::deletingTask);
        QVERIFY(m_store->afterRefresh([&] {
            QVERIFY(manager.tasks().deleteReminder(inSnapshot("Call the plumber")));
            QCOMPARE(manager.session().countForAllReminders(), 1u);
        }));
        QCOMPARE(deleting.count(), 1);
        QVERIFY(!QFileInfo::exists(path));
        for (int round = 0; round < 2; ++round) {
            QVERIFY(m_store->afterRefresh([&] { history().undo(); }));
            QCOMPARE(readFile(path), bytes);
            QVERIFY(inSnapshot("Call the plumber"));
            QVERIFY(m_store->afterRefresh([&] { history().redo(); }));
            QVERIFY(!QFileInfo::exists(path));
            QCOMPARE(manager.eventStore()->recentlyDeleted().entries().size(), 1);
        }
        QCOMPARE(deleting.count(), 3);
        QVERIFY(m_store->afterRefresh([&] { history().undo(); }));
        QCOMPARE(readFile(path), bytes);
        QCOMPARE(history().count(), 1);

        // The task came back another way meanwhile (a sync): undo refuses rather than doubling it.
        QVERIFY(m_store->afterRefresh([&] { history().redo(); }));
        writeFile(root() + "/work/other-name.ics", bytes);
        QString error;
        QVERIFY(!manager.tasks().undoDeleteReminder(
            manager.eventStore()->recentlyDeleted().entries().first().id, &error));
        QVERIFY2(error.contains("already"), qPrintable(error));
        QVERIFY(!QFileInfo::exists(path));
    }

    // The details pane and the list keep records read before our own later saves: editing one
    // goes on from what we saved, and only another program's change is refused.
    void anEditAfterOwnSavesIsNotTakenForAnotherProgramsChange()
    {
        m_store->seed("home", [](Reminder& r) { r.title = "Laundry"; });
        DataManager& manager = createLoaded();
        const ReminderPtr laundry = inSnapshot("Laundry");
        QVERIFY(laundry);
        const auto heldByEditor = std::make_shared<Reminder>(*laundry);

        QVERIFY(m_store->afterRefresh([&] { manager.tasks().checkReminder(laundry, true); }));
        QVERIFY(manager.tasks().isOwnVersion(*inSnapshot("Laundry")));
        QVERIFY(!manager.tasks().isOwnVersion(*heldByEditor));

        const ReminderPtr working = manager.tasks().recordToEdit(heldByEditor);
        working->notes = "Dark colours first";
        QString error;
        QVERIFY2(manager.tasks().saveEditedReminder(working, &error), qPrintable(error));

        // Right after that save, the editor's record again (the refresh has not come yet).
        const ReminderPtr again = manager.tasks().recordToEdit(heldByEditor);
        again->priority = 1;
        QVERIFY2(manager.tasks().saveEditedReminder(again, &error), qPrintable(error));
        QCOMPARE(describe(diskTask("Laundry")), "Laundry|-|1|done||");
        QCOMPARE(diskTask("Laundry")->notes, QString("Dark colours first"));

        // Another program's change after ours is theirs: the editor's record is refused.
        const QString path = again->origin->path();
        QByteArray theirs = readFile(path);
        theirs.replace("Dark colours first", "Light colours first");
        writeFile(path, theirs);
        const ReminderPtr stale = manager.tasks().recordToEdit(heldByEditor);
        stale->title = "Laundry today";
        QVERIFY(!manager.tasks().saveEditedReminder(stale, &error));
        QVERIFY2(error.contains("another program"), qPrintable(error));
        QCOMPARE(diskTask("Laundry")->notes, QString("Light colours first"));
    }

    // --- The undo history itself -----------------------------------------------------------
    // A pushed step is made once, undo and redo walk it, a step that can no longer be taken
    // back leaves, a new step drops what was undone, and steps gathered in a macro come back
    // as one, newest first.

    void walksBackAndForthAndLetsFailedStepsGo()
    {
        QStringList log;
        bool fails = false;
        UndoHistory history;
        QSignalSpy undoTexts(&history, &UndoHistory::undoTextChanged);
        QSignalSpy canRedo(&history, &UndoHistory::canRedoChanged);
        history.push(new LoggedStep("a", log));
        history.push(new LoggedStep("b", log));
        QCOMPARE(log, (QStringList{"redo a", "redo b"}));
        QCOMPARE(history.undoText(), "b");
        history.undo();
        QCOMPARE(history.redoText(), "b");
        QCOMPARE(canRedo.count(), 1);
        history.redo();
        history.undo();
        // A new step drops the undone one.
        history.push(new LoggedStep("c", log));
        QCOMPARE(history.count(), 2);
        QVERIFY(!history.canRedo());
        QCOMPARE(log.mid(2), (QStringList{"undo b", "redo b", "undo b", "redo c"}));
        QCOMPARE(undoTexts.last().first().toString(), "c");
        history.clear();
        QVERIFY(!history.canUndo());
        QCOMPARE(undoTexts.last().first().toString(), QString());

        // A step that can no longer be taken back leaves.
        history.push(new LoggedStep("a", log));
        history.push(new LoggedStep("b", log, fails));
        fails = true;
        history.undo();
        QCOMPARE(history.count(), 1);
        QCOMPARE(history.undoText(), "a");
        QVERIFY(!history.canRedo());
        // One that cannot even be made is never kept.
        history.push(new LoggedStep("c", log, fails));
        QCOMPARE(history.count(), 1);
    }

    void aMacroIsOneStep()
    {
        QStringList log;
        UndoHistory history;
        history.beginMacro("both");
        history.push(new LoggedStep("a", log));
        QVERIFY(!history.canUndo());
        history.push(new LoggedStep("b", log));
        history.endMacro();
        QCOMPARE(history.count(), 1);
        QCOMPARE(history.undoText(), "both");
        history.undo();
        history.redo();
        QCOMPARE(log, (QStringList{"redo a", "redo b", "undo b", "undo a", "redo a", "redo b"}));
    }

    // --- Records shared with the store --------------------------------------------------------
    // The window holds the store's own records rather than a copy of each: an edit goes to a
    // copy until the store has it, and a record handed out is never changed behind its
    // holder's back.

    void anEditIsSeenByNobodyBeforeItIsSaved()
    {
        loadedWithLaundry();
        const ReminderPtr shown = m_store->inSnapshot("Laundry");
        QVERIFY(shown);
        QCOMPARE(fetch("Laundry").get(), shown.get());

        const ReminderPtr working = m_store->manager->tasks().recordToEdit(shown);
        working->title = "Ironing";
        working->priority = 1;
        QCOMPARE(shown->title, "Laundry");
        QCOMPARE(fetch("Laundry").get(), shown.get());
        QVERIFY(!fetch("Ironing"));

        QString error;
        QVERIFY2(m_store->manager->tasks().saveEditedReminder(working, &error), qPrintable(error));
        // Saved: the store reads the file again, and hands out what it now holds.
        const ReminderPtr saved = fetch("Ironing");
        QVERIFY(saved);
        QCOMPARE(saved->priority, 1);
        QVERIFY(!fetch("Laundry"));
    }

    void theShownTaskTakesAChangeOnlyWhenTheStoreTookIt()
    {
        loadedWithLaundry();
        const ReminderPtr shown = m_store->inSnapshot("Laundry");
        QuickActionPerformer actions(*m_store->manager);
        QVERIFY(actions.menuSetPriority(shown, 3));
        const int high = shown->priority;
        QCOMPARE(high, 1);
        QCOMPARE(m_store->taskOnDisk("Laundry")->priority, high);

        // Another program rewrites the file: the store refuses the stale record, and neither
        // the task shown nor the store's next answer says what is not on disk.
        const QString path = shown->origin->path();
        QByteArray bytes = TestFiles::readFile(path);
        bytes.replace("SUMMARY:Laundry", "SUMMARY:Laundry!");
        TestFiles::writeFile(path, bytes);
        QVERIFY(!actions.menuSetPriority(shown, 1));
        QCOMPARE(shown->priority, high);
        const ReminderPtr afresh = fetch("Laundry!");
        QVERIFY(afresh);
        QCOMPARE(afresh->priority, high);
    }

    void aRenamedListReachesNewAnswersNotTheRecordsHandedOut()
    {
        loadedWithLaundry();
        const ReminderPtr shown = fetch("Laundry");
        const CalendarPtr before = shown->calendar;
        m_store->addList("home", "House");
        QTRY_COMPARE(fetch("Laundry")->calendar->title, "House");
        QVERIFY(fetch("Laundry") != shown);
        QCOMPARE(shown->calendar, before);
        QCOMPARE(before->title, "Home");
    }

private:
    QString root() const { return m_store->root(); }

    DataManager& createLoaded()
    {
        m_store->load();
        return *m_store->manager;
    }

    void add(DataManager& manager, const QString& title, const CalendarPtr& list,
             std::optional<int> priority, const QDateTime& due,
             const std::optional<RecurrenceRule>& rule, bool alarm)
    {
        manager.tasks().addReminderWithTitle(title, list, priority, due, rule, {}, {}, alarm, {},
                                             [](bool saved, ReminderPtr) { QVERIFY(saved); });
    }

    void loadedWithLaundry()
    {
        m_store->seed("home", [](Reminder& r) { r.title = "Laundry"; });
        createLoaded();
    }

    // What the store hands out now, by title.
    ReminderPtr fetch(const QString& title) const
    {
        for (const ReminderPtr& reminder :
             StoreQueries::allReminders(*m_store->manager->eventStore()))
            if (reminder->title == title)
                return reminder;
        return nullptr;
    }

    UndoHistory& history() const { return *m_store->manager->tasks().undoManager(); }
    ReminderPtr inSnapshot(const QString& title) const { return m_store->inSnapshot(title); }
    QStringList described() const
    {
        QStringList lines;
        for (const ReminderPtr& task : m_store->tasksOnDisk())
            lines << describe(task);
        lines.sort();
        return lines;
    }
    ReminderPtr diskTask(const QString& title) const { return m_store->taskOnDisk(title); }

    std::unique_ptr<SeededStore> m_store;
};

VELMORAN_TEST_MAIN(TestTaskOperations)
#include "tst_taskoperations.moc"
