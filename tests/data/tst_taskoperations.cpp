#include "LoadedStore.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/DataManager.h"
#include "data/ReminderCopy.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"
#include "text/Global.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>

using namespace store;
using namespace TestFiles;
using TestEnvironment::local;

namespace {

DateComponents berlin(int year, int month, int day, int hour, int minute)
{
    DateComponents components = DateComponents::fromDate(QDate(year, month, day));
    components.hour = hour;
    components.minute = minute;
    components.timeZone = QTimeZone("Europe/Berlin");
    return components;
}

StructuredLocation station()
{
    StructuredLocation place;
    place.title = QStringLiteral("Station");
    place.latitude = 52.525;
    place.longitude = 13.369;
    place.radius = 150;
    place.hasGeoLocation = true;
    return place;
}

} // namespace

class TestTaskOperations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<LoadedStore>();
        m_store->clock.setNow(local(2026, 12, 9, 10, 30)); // a Wednesday
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/work/displayname", "Work");
        // Recently Deleted is one folder for the whole run; each case starts with it empty.
        trash::RecentlyDeleted().empty();
    }

    void cleanup() { m_store.reset(); }

    void completingCanBeUndoneAndRedone()
    {
        seed("home", [](Reminder& r) {
            r.title = "Laundry";
            r.dueDateComponents = DateComponents::fromDate(QDate(2026, 12, 10));
        });
        DataManager& manager = createLoaded();
        const ReminderPtr laundry = inSnapshot(manager, "Laundry");
        QVERIFY(laundry && !laundry->startDateComponents);

        QVERIFY(afterRefresh(manager, [&] { manager.tasks().checkReminder(laundry, true); }));
        QCOMPARE(manager.tasks().undoManager()->count(), 1);
        QCOMPARE(manager.tasks().undoManager()->undoText(), QString("Completion Change"));
        ReminderPtr onDisk = diskTask("Laundry");
        QVERIFY(onDisk && onDisk->completed);
        QCOMPARE(onDisk->completionDate, m_store->clock.now());
        QCOMPARE(onDisk->startDateComponents, onDisk->dueDateComponents); // filled in on the way

        m_store->clock.advanceSeconds(60);
        QVERIFY(afterRefresh(manager, [&] { manager.tasks().undoManager()->undo(); }));
        onDisk = diskTask("Laundry");
        QVERIFY(onDisk && !onDisk->completed);
        QVERIFY(!onDisk->completionDate.isValid());
        QCOMPARE(onDisk->calendarItemIdentifier, laundry->calendarItemIdentifier);

        QVERIFY(afterRefresh(manager, [&] { manager.tasks().undoManager()->redo(); }));
        onDisk = diskTask("Laundry");
        QVERIFY(onDisk && onDisk->completed);
        QCOMPARE(onDisk->completionDate, m_store->clock.now());
        QCOMPARE(manager.tasks().undoManager()->count(),
                 1); // undo and redo registered nothing more
    }

    void aRecurringTaskMovesOnWithoutUndoUntilItsCountIsUsed()
    {
        seed("home", [](Reminder& r) {
            r.title = "Water plants";
            r.dueDateComponents = berlin(2026, 12, 9, 9, 0);
            r.addAlarm(Alarm::withRelativeOffset(-900));
            r.addAlarm(Alarm::withAbsoluteDate(local(2026, 12, 9, 8, 30)));
            r.addAlarm(Alarm::withLocation(station(), Alarm::Proximity::Enter));
            RecurrenceRule daily;
            daily.recurrenceEnd = RecurrenceEnd::withOccurrenceCount(3);
            r.addRecurrenceRule(daily);
        });
        DataManager& manager = createLoaded();
        const QString identifier = inSnapshot(manager, "Water plants")->calendarItemIdentifier;

        QVERIFY(afterRefresh(manager, [&] {
            manager.tasks().checkReminder(manager.tasks().reminderWithIdentifier(identifier), true);
        }));
        QCOMPARE(manager.tasks().undoManager()->count(), 0);
        ReminderPtr series = diskTaskWithIdentifier(identifier);
        QVERIFY(series && !series->completed);
        QCOMPARE(series->dueDateComponents->toDateTime(), local(2026, 12, 10, 9, 0));
        QCOMPARE(series->recurrenceRules.first().recurrenceEnd->occurrenceCount, 2);
        // The offset alarm stays an offset, which follows the due date; the one at a date
        // moved as far as the due date did; the place alarm stays as it was.
        QCOMPARE(series->alarms.size(), 3);
        QVERIFY(series->alarms[0].hasRelativeOffset);
        QCOMPARE(series->alarms[0].relativeOffset, -900.0);
        QCOMPARE(series->alarms[1].absoluteDate, local(2026, 12, 10, 8, 30));
        QVERIFY(series->alarms[2].isLocationAlarm());
        QList<ReminderPtr> all = diskTasks("Water plants");
        QCOMPARE(all.size(), 2);
        const ReminderPtr done =
            all.first()->calendarItemIdentifier == identifier ? all.last() : all.first();
        QVERIFY(done->completed && done->recurrenceRules.isEmpty());
        QCOMPARE(done->dueDateComponents->toDateTime(), local(2026, 12, 9, 9, 0));

        for (int occurrence = 2; occurrence <= 3; ++occurrence) {
            QVERIFY(afterRefresh(manager, [&] {
                manager.tasks().checkReminder(manager.tasks().reminderWithIdentifier(identifier),
                                              true);
            }));
        }
        QCOMPARE(manager.tasks().undoManager()->count(), 0);
        all = diskTasks("Water plants");
        QCOMPARE(all.size(), 3);
        QVERIFY(std::all_of(all.cbegin(), all.cend(), [](auto& r) { return r->completed; }));
        series = diskTaskWithIdentifier(identifier);
        QVERIFY(series && series->completed);
        QCOMPARE(series->dueDateComponents->toDateTime(), local(2026, 12, 11, 9, 0));
    }

    void aStaleCopyCompletesAndAMissingTaskIsLeftAlone()
    {
        seed("home", [](Reminder& r) { r.title = "Laundry"; });
        const ReminderPtr report = seed("work", [](Reminder& r) { r.title = "Report"; });
        m_store->defaults->setObject(QStringList{"home"}, PrefKey::visibleLists);
        m_store->defaults->setObject(QStringList{"work"}, PrefKey::invisibleLists);
        DataManager& manager = createLoaded();
        QCOMPARE(manager.session().countForAllReminders(), 1u);

        // A pane's copy from before the last refresh.
        auto stale = std::make_shared<Reminder>(*inSnapshot(manager, "Laundry"));
        stale->title = "Laundry (old)";
        QVERIFY(afterRefresh(manager, [&] { manager.tasks().checkReminder(stale, true); }));
        QVERIFY(!stale->completed);
        const ReminderPtr laundry = diskTask("Laundry");
        QVERIFY(laundry && laundry->completed);

        // A task of a hidden list is not in the snapshot: nothing is written or registered.
        const QByteArray before = readFile(report->origin->filePath);
        manager.tasks().checkReminder(report, true);
        manager.tasks().checkReminder(nullptr, true);
        QCOMPARE(readFile(report->origin->filePath), before);
        QCOMPARE(manager.tasks().undoManager()->count(), 1);
        QVERIFY(!manager.tasks().reminderWithIdentifier(report->calendarItemIdentifier));
    }

    void aDeletedCompletedTaskComesBackOpenAndDueToday()
    {
        m_store->defaults->setString("07:15", PrefKey::alarmTime);
        seed("home", [this](Reminder& r) {
            r.title = "Timed";
            r.notes = "Bring the receipt";
            r.priority = 5;
            r.URL = QUrl("https://example.org/receipt");
            r.dueDateComponents = berlin(2026, 12, 1, 9, 30);
            r.addAlarm(Alarm::withRelativeOffset(-600));
            r.addAlarm(Alarm::withLocation(station(), Alarm::Proximity::Leave));
            r.addRecurrenceRule(RecurrenceRule());
            r.setCompleted(true, local(2026, 12, 1, 10, 0));
        });
        seed("home", [](Reminder& r) {
            r.title = "Undated";
            r.addAlarm(Alarm::withAbsoluteDate(local(2026, 11, 30, 18, 0)));
            r.setCompleted(true, local(2026, 12, 1, 10, 0));
        });
        DataManager& manager = createLoaded();
        const ReminderPtr timed = inSnapshot(manager, "Timed");
        const ReminderPtr undated = inSnapshot(manager, "Undated");
        QVERIFY(afterRefresh(manager, [&] {
            manager.tasks().deleteReminder(timed);
            manager.tasks().deleteReminder(undated);
        }));
        QVERIFY(diskTasks("Timed").isEmpty());
        QVERIFY(diskTasks("Undated").isEmpty());
        QCOMPARE(manager.tasks().undoManager()->undoText(), QString("Delete Task"));

        QVERIFY(afterRefresh(manager, [&] {
            manager.tasks().undoManager()->undo();
            manager.tasks().undoManager()->undo();
        }));
        const ReminderPtr back = diskTask("Timed");
        QVERIFY(back && !back->completed);
        QCOMPARE(back->dueDateComponents->toDateTime(), local(2026, 12, 9, 9, 30));
        QCOMPARE(back->startDateComponents, back->dueDateComponents);
        QCOMPARE(back->notes, QString("Bring the receipt"));
        QCOMPARE(back->priority, 5);
        QCOMPARE(back->URL, QUrl("https://example.org/receipt"));
        QVERIFY(back->recurrenceRules.isEmpty());
        QCOMPARE(back->alarms.size(), 2);
        for (const Alarm& alarm : back->alarms) {
            if (alarm.isLocationAlarm()) {
                QCOMPARE(alarm.structuredLocation->title, QString("Station"));
                QCOMPARE(alarm.proximity, Alarm::Proximity::Leave);
            } else {
                QCOMPARE(alarm.absoluteDate, local(2026, 12, 9, 9, 30));
            }
        }
        // The same task, not a stranger: other programs and servers keep knowing it.
        QCOMPARE(back->uid, timed->uid);
        QCOMPARE(back->origin->filePath, timed->origin->filePath);

        const ReminderPtr undatedBack = diskTask("Undated");
        QVERIFY(undatedBack && !undatedBack->completed);
        QCOMPARE(undatedBack->dueDateComponents->toDateTime(), local(2026, 12, 9, 7, 15));
        QCOMPARE(undatedBack->alarms.size(), 1);
        QCOMPARE(undatedBack->alarms.first().absoluteDate, local(2026, 12, 9, 7, 15));
    }

    void deleteUndoRedoDeletesTheRestoredTaskAgain()
    {
        m_store->defaults->setBool(true, PrefKey::soundOn);
        RecurrenceRule rule;
        rule.frequency = RecurrenceRule::Frequency::Weekly;
        rule.interval = 2;
        rule.firstDayOfTheWeek = 1;
        rule.daysOfTheWeek = {{1, 0}, {3, 0}};
        rule.recurrenceEnd = RecurrenceEnd::withOccurrenceCount(6);
        seed("home", [&](Reminder& r) {
            r.title = "Team call";
            r.notes = "Dial in";
            r.dueDateComponents = berlin(2026, 12, 13, 16, 0);
            r.startDateComponents = berlin(2026, 12, 13, 15, 0);
            r.addAlarm(Alarm::withAbsoluteDate(local(2026, 12, 13, 12, 0)));
            r.addAlarm(Alarm::withRelativeOffset(-1800));
            r.addAlarm(Alarm::withRelativeOffset(0));
            r.addAlarm(Alarm::withLocation(station(), Alarm::Proximity::Enter));
            r.addRecurrenceRule(rule);
        });
        seed("home", [](Reminder& r) { r.title = "Other"; });
        DataManager& manager = createLoaded();
        const ReminderPtr original = diskTask("Team call");
        QVERIFY(original);
        const ReminderPtr call = inSnapshot(manager, "Team call");

        const int sounds = Sound::playRequestCount();
        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        manager.tasks().deleteReminder(call);
        // Gone from the snapshot before the store's notification arrives.
        QCOMPARE(manager.session().countForAllReminders(), 1u);
        QVERIFY(!manager.tasks().reminderWithIdentifier(call->calendarItemIdentifier));
        QCOMPARE(Sound::playRequestCount(), sounds + 1);
        QVERIFY(refreshed.wait(5000));
        m_store->settle();
        QVERIFY(diskTasks("Team call").isEmpty());

        QVERIFY(afterRefresh(manager, [&] { manager.tasks().undoManager()->undo(); }));
        const ReminderPtr restored = diskTask("Team call");
        QVERIFY(restored);
        QCOMPARE(restored->notes, original->notes);
        QCOMPARE(restored->dueDateComponents, original->dueDateComponents);
        QCOMPARE(restored->startDateComponents, original->startDateComponents);
        QCOMPARE(restored->recurrenceRules, original->recurrenceRules);
        QCOMPARE(restored->recurrenceRules.first().firstDayOfTheWeek, 1);
        QCOMPARE(restored->alarms.size(), 4); // the alarm at the due time included
        for (int i = 0; i < 4; ++i)
            QVERIFY(restored->alarms.at(i).sameContent(original->alarms.at(i)));
        QCOMPARE(manager.session().countForAllReminders(), 2u);

        QVERIFY(afterRefresh(manager, [&] { manager.tasks().undoManager()->redo(); }));
        QVERIFY(diskTasks("Team call").isEmpty());
        QCOMPARE(Sound::playRequestCount(), sounds + 2);
        QVERIFY(afterRefresh(manager, [&] { manager.tasks().undoManager()->undo(); }));
        QCOMPARE(diskTasks("Team call").size(), 1);
        const ReminderPtr again = diskTask("Team call");
        QVERIFY(again);
        QCOMPARE(again->recurrenceRules, original->recurrenceRules);
        QCOMPARE(manager.tasks().undoManager()->count(), 1);
    }

    void anUndoneDeleteWhoseListIsGoneLandsInTheDefaultList()
    {
        seed("work", [](Reminder& r) { r.title = "Report"; });
        DataManager& manager = createLoaded();
        m_store->defaults->setString("home", PrefKey::defaultList);
        QVERIFY(afterRefresh(
            manager, [&] { manager.tasks().deleteReminder(inSnapshot(manager, "Report")); }));
        QVERIFY(afterRefresh(manager, [&] { manager.tasks().deleteListWithUUID("work"); }));
        QVERIFY(!QFileInfo::exists(root() + "/work"));
        QVERIFY(afterRefresh(manager, [&] { manager.tasks().undoManager()->undo(); }));
        const ReminderPtr restored = diskTask("Report");
        QVERIFY(restored);
        QCOMPARE(restored->calendar->calendarIdentifier, QString("home"));
    }

    void aDeleteTheStoreRefusesLeavesNothingToUndo()
    {
        const ReminderPtr laundry = seed("home", [](Reminder& r) { r.title = "Laundry"; });
        DataManager& manager = createLoaded();
        const ReminderPtr task = inSnapshot(manager, "Laundry");
        // Another program rewrites the file after our read: the store keeps it.
        writeFile(
            laundry->origin->filePath,
            readFile(laundry->origin->filePath).replace("SUMMARY:Laundry", "SUMMARY:Washing"));
        QString error;
        QVERIFY(!manager.tasks().deleteReminder(task, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(manager.tasks().undoManager()->count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(diskTasks("Washing").size(), 1, 5000);
    }

    // Whatever the store refuses is reported with its reason, and the task stays as it is on
    // disk, in the snapshot too; a recurring task neither moves on nor leaves a completed copy.
    void aCompletionTheStoreRefusesIsReportedAndTakenBack_data()
    {
        QTest::addColumn<bool>("recurring");
        QTest::newRow("one-off") << false;
        QTest::newRow("recurring") << true;
    }

    void aCompletionTheStoreRefusesIsReportedAndTakenBack()
    {
        QFETCH(bool, recurring);
        const ReminderPtr laundry = seed("home", [recurring](Reminder& r) {
            r.title = "Laundry";
            r.dueDateComponents = berlin(2026, 12, 9, 9, 0);
            if (recurring)
                r.addRecurrenceRule(RecurrenceRule());
        });
        DataManager& manager = createLoaded();
        const ReminderPtr task = inSnapshot(manager, "Laundry");
        QVERIFY(task && task->hasRecurrenceRules() == recurring);
        const QDateTime due = task->dueDateComponents->toDateTime();
        // Another program rewrites the file after our read, to the same size.
        writeFile(
            laundry->origin->filePath,
            readFile(laundry->origin->filePath).replace("SUMMARY:Laundry", "SUMMARY:Washing"));

        QString error;
        QVERIFY(!manager.tasks().checkReminder(task, true, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!task->completed);
        QVERIFY(!task->completionDate.isValid());
        QCOMPARE(task->dueDateComponents->toDateTime(), due);
        QCOMPARE(manager.tasks().undoManager()->count(), 0);
        const QList<ReminderPtr> stored = diskTasks("Washing");
        QCOMPARE(stored.size(), 1);
        QVERIFY(!stored.first()->completed);
        QCOMPARE(stored.first()->dueDateComponents->toDateTime(), due);
        QCOMPARE(onDisk().size(), 1);
    }

    void aMidnightDueDateRingsAtTheAlarmTimeOnlyWithNoDueTime()
    {
        DataManager& manager = createLoaded();
        const CalendarPtr home = manager.lists().calendarByUUID("home");
        m_store->defaults->setBool(true, PrefKey::noDueTime);
        m_store->defaults->setString("08:00", PrefKey::alarmTime);
        add(manager, "Dentist", home, {}, local(2026, 12, 10), {}, true);
        m_store->defaults->setBool(false, PrefKey::noDueTime);
        add(manager, "Plumber", home, {}, local(2026, 12, 10), {}, true);

        const ReminderPtr dentist = diskTask("Dentist");
        QVERIFY(dentist && !dentist->dueDateComponents->hasTimeOfDay());
        QCOMPARE(dentist->dueDateComponents->date(), QDate(2026, 12, 10));
        QCOMPARE(dentist->startDateComponents->date(), QDate(2026, 12, 10));
        QCOMPARE(dentist->alarms.size(), 1);
        QCOMPARE(dentist->alarms.first().absoluteDate, local(2026, 12, 10, 8, 0));
        const ReminderPtr plumber = diskTask("Plumber");
        QVERIFY(plumber && plumber->alarms.size() == 1);
        QCOMPARE(plumber->alarms.first().absoluteDate, local(2026, 12, 10));
    }

    void addingMapsTheArgumentsOntoTheTask()
    {
        m_store->defaults->setBool(true, PrefKey::soundOn);
        DataManager& manager = createLoaded();
        const CalendarPtr home = manager.lists().calendarByUUID("home");
        RecurrenceRule weekly;
        weekly.frequency = RecurrenceRule::Frequency::Weekly;
        const int sounds = Sound::playRequestCount();

        bool called = false;
        manager.tasks().addReminderWithTitle(
            "Full", home, 2, local(2026, 12, 11, 14, 45, 30), weekly, "https://example.org/a b",
            "Some notes", false, Alarm::withLocation(station(), Alarm::Proximity::Enter),
            [&](bool saved, ReminderPtr reminder) {
                called = true;
                QVERIFY(saved);
                QVERIFY(!reminder->calendarItemIdentifier.isEmpty());
            });
        QVERIFY(called); // before the call returned
        QCOMPARE(Sound::playRequestCount(), sounds + 1);
        add(manager, "Undated rule", home, 1, {}, weekly, false);
        add(manager, "Class 3", home, 3, {}, {}, false);
        add(manager, "Class 4", home, 4, {}, {}, false);
        add(manager, "No class", home, {}, {}, {}, false);

        const ReminderPtr full = diskTask("Full");
        QVERIFY(full);
        QCOMPARE(full->priority, 5);
        QCOMPARE(full->notes, QString("Some notes"));
        QCOMPARE(full->URL, QUrl("https://example.org/a%20b"));
        QCOMPARE(full->dueDateComponents->hour, 14);
        QCOMPARE(full->dueDateComponents->minute, 45);
        QCOMPARE(full->dueDateComponents->second, 0);
        QCOMPARE(full->recurrenceRules.size(), 1);
        QCOMPARE(full->alarms.size(), 1); // the place only: no alarm was asked for
        QVERIFY(full->alarms.first().isLocationAlarm());
        QCOMPARE(full->alarms.first().structuredLocation->title, QString("Station"));

        const ReminderPtr undatedRule = diskTask("Undated rule");
        QVERIFY(undatedRule);
        QCOMPARE(undatedRule->priority, 1);
        QVERIFY(undatedRule->recurrenceRules.isEmpty());
        QVERIFY(!undatedRule->dueDateComponents);
        QVERIFY(undatedRule->URL.isEmpty());
        QVERIFY(undatedRule->notes.isEmpty());
        QCOMPARE(priorityOnDisk("Class 3"), 9);
        QCOMPARE(priorityOnDisk("Class 4"), 0);
        QCOMPARE(priorityOnDisk("No class"), 0);
        QCOMPARE(m_store->defaults->integerForKey(PrefKey::addCount), 5);

        // A task that cannot be saved still reports back, with the flag down.
        bool failed = false;
        manager.tasks().addReminderWithTitle("Nowhere", nullptr, {}, {}, {}, {}, {}, false, {},
                                             [&](bool saved, ReminderPtr) { failed = !saved; });
        QVERIFY(failed);
        QVERIFY(diskTasks("Nowhere").isEmpty());
        QCOMPARE(m_store->defaults->integerForKey(PrefKey::addCount), 6);
        UserDefaults reread(m_store->dir.filePath("prefs.json"));
        QCOMPARE(reread.integerForKey(PrefKey::addCount), 6);
    }

    void theShortFormFollowsAlarmOnAndOpensTheDetail()
    {
        DataManager& manager = createLoaded();
        const CalendarPtr home = manager.lists().calendarByUUID("home");
        QSignalSpy intoDetail(&manager.tasks(), &TaskOperations::intoDetailFromAdd);

        const ReminderPtr quick = manager.tasks().addReminderWithTitle("Quick", home);
        QVERIFY(!quick->calendarItemIdentifier.isEmpty());
        QCOMPARE(intoDetail.count(), 0);
        manager.tasks().addReminderWithTitle("Dated", home, local(2026, 12, 11, 10, 0), 2);
        m_store->defaults->setBool(false, PrefKey::alarmOn);
        manager.tasks().addReminderWithTitle("Quiet", home, local(2026, 12, 11, 10, 0), 4);
        manager.tasks().addReminderWithTitle("Asked", home, local(2026, 12, 11, 11, 0), 0, true);
        const ReminderPtr detailed = manager.tasks().addReminderWithTitle(
            "Detailed", home, local(2026, 12, 12), 3, false, "Notes here", true);

        QCOMPARE(intoDetail.count(), 1);
        QCOMPARE(manager.tasks().tempReminder(), detailed);
        QCOMPARE(alarmsOnDisk("Quick"), 0);
        const ReminderPtr dated = diskTask("Dated");
        QVERIFY(dated);
        QCOMPARE(dated->priority, 5);
        QCOMPARE(dated->alarms.size(), 1);
        QCOMPARE(dated->alarms.first().absoluteDate, local(2026, 12, 11, 10, 0));
        QCOMPARE(dated->startDateComponents, dated->dueDateComponents);
        QCOMPARE(alarmsOnDisk("Quiet"), 0);
        QCOMPARE(priorityOnDisk("Quiet"), 0);
        QCOMPARE(alarmsOnDisk("Asked"), 1);
        const ReminderPtr detailedOnDisk = diskTask("Detailed");
        QVERIFY(detailedOnDisk);
        QCOMPARE(detailedOnDisk->notes, QString("Notes here"));
        QCOMPARE(detailedOnDisk->priority, 9);
        QVERIFY(detailedOnDisk->alarms.isEmpty());
        QCOMPARE(m_store->defaults->integerForKey(PrefKey::addCount), 5);
    }

    void savingAnEditedTaskFillsItsStartDate()
    {
        seed("home", [](Reminder& r) { r.title = "Laundry"; });
        DataManager& manager = createLoaded();
        QVERIFY(!manager.tasks().reminderWithIdentifier("no-such-task"));
        const ReminderPtr laundry = inSnapshot(manager, "Laundry");
        laundry->title = "Laundry and ironing";
        laundry->dueDateComponents = berlin(2026, 12, 12, 17, 0);
        QVERIFY(manager.tasks().saveReminder(laundry));
        const ReminderPtr onDisk = diskTask("Laundry and ironing");
        QVERIFY(onDisk);
        QCOMPARE(onDisk->startDateComponents->toDateTime(), local(2026, 12, 12, 17, 0));

        auto orphan = std::make_shared<Reminder>();
        orphan->title = "No list";
        QVERIFY(!manager.tasks().saveReminder(orphan));
    }

    void listsAreAddedChangedAndDeleted()
    {
        DataManager& manager = createLoaded();
        const QString identifier = manager.tasks().addListWithTitle("Errands", QColor("#ff8800"));
        QVERIFY(!identifier.isEmpty());
        {
            EventStore reader({root()}, m_store->clock);
            const CalendarPtr errands = reader.calendarWithIdentifier(identifier);
            QVERIFY(errands);
            QCOMPARE(errands->title, QString("Errands"));
            QCOMPARE(errands->color, QColor("#ff8800"));
            QCOMPARE(QFileInfo(errands->folderPath).absolutePath(), root());
        }

        QVERIFY(manager.tasks().modifyList(manager.lists().calendarByUUID(identifier), "Shopping",
                                           QColor("#3366cc")));
        {
            EventStore reader({root()}, m_store->clock);
            const CalendarPtr shopping = reader.calendarWithIdentifier(identifier);
            QCOMPARE(shopping->title, QString("Shopping"));
            QCOMPARE(shopping->color, QColor("#3366cc"));
        }

        // Nothing to delete is not a refusal: another program may have deleted it already.
        QVERIFY(manager.tasks().deleteListWithUUID("no-such-list"));
        QVERIFY(manager.tasks().deleteListWithUUID(QString()));
        QVERIFY(!manager.lists().calendarByUUID(QString()));
        QCOMPARE(manager.lists().allCalendars().size(), 3);
        QVERIFY(manager.tasks().deleteListWithUUID(identifier));
        EventStore reader({root()}, m_store->clock);
        QVERIFY(!reader.calendarWithIdentifier(identifier));
        QCOMPARE(reader.calendarsForEntityType(EntityType::Reminder).size(), 2);
    }

    void aListThatCannotBeCreatedAnswersEmpty()
    {
        DataManager& manager = createLoaded();
        // The store folder went away (an unmounted disk) and a file took its name.
        QVERIFY(QDir(root()).removeRecursively());
        writeFile(root(), "not a folder");
        QString error;
        QCOMPARE(manager.tasks().addListWithTitle("Errands", Qt::red, &error), QString());
        QVERIFY(!error.isEmpty());
        QVERIFY(manager.lists().allCalendars().isEmpty());
    }

    // A list in a folder the store may not change (read-only, as the store marks it) is
    // neither renamed nor deleted, the caller learns why, and the window keeps showing the
    // list as it is on disk.
    void listChangesTheStoreRefusesAreReported()
    {
        seed("home", [](Reminder& r) { r.title = "Stays"; });
        DataManager& manager = createLoaded();
        const CalendarPtr home = manager.lists().calendarByUUID("home");
        QVERIFY(home);
        const QString title = home->title;
        const QColor color = home->color;
        home->immutable = true;

        QString error;
        QVERIFY(!manager.tasks().modifyList(home, "Renamed", Qt::green, &error));
        QVERIFY2(error.contains(title), qPrintable(error));
        QCOMPARE(home->title, title);
        QCOMPARE(home->color, color);
        error.clear();
        QVERIFY(!manager.tasks().deleteListWithUUID("home", &error));
        QVERIFY(!error.isEmpty());
        EventStore reader({root()}, m_store->clock);
        const CalendarPtr onDisk = reader.calendarWithIdentifier("home");
        QVERIFY(onDisk);
        QCOMPARE(onDisk->title, title);
        QCOMPARE(diskTasks("Stays").size(), 1);
    }

    void clearingCompletedTasksTouchesOnlyThatList()
    {
        const QDateTime done = local(2026, 12, 1, 9, 0);
        seed("home", [](Reminder& r) { r.title = "Open at home"; });
        seed("home", [&](Reminder& r) {
            r.title = "Done at home";
            r.setCompleted(true, done);
        });
        seed("home", [&](Reminder& r) {
            r.title = "Also done at home";
            r.dueDateComponents = DateComponents::fromDate(QDate(2026, 11, 2));
            r.setCompleted(true, done);
        });
        seed("work", [&](Reminder& r) {
            r.title = "Done at work";
            r.setCompleted(true, done);
        });
        seed("work", [](Reminder& r) { r.title = "Open at work"; });
        DataManager& manager = createLoaded();
        m_store->settle();

        manager.tasks().deleteCompletedTasksOnListWithUUID("no-such-list");
        manager.tasks().deleteCompletedTasksOnListWithUUID(QString());
        manager.eventStore()->waitForFetches();
        QCOMPARE(diskTitles().size(), 5);

        QSignalSpy changed(manager.eventStore(), &EventStore::changed);
        manager.tasks().deleteCompletedTasksOnListWithUUID("home");
        QTRY_COMPARE_WITH_TIMEOUT(
            diskTitles(), (QStringList{"Done at work", "Open at home", "Open at work"}), 5000);
        // One announcement for the whole clearing, however many files it removed.
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 5000);
        QVERIFY(!changed.wait(600));
        // Each cleared task is in Recently Deleted, and comes back from there.
        QStringList cleared;
        for (const trash::DeletedEntry& entry : manager.eventStore()->recentlyDeleted().entries()) {
            cleared << entry.title;
            QString error;
            QVERIFY2(manager.eventStore()->restoreDeleted(entry.id, nullptr, &error),
                     qPrintable(error));
        }
        cleared.sort();
        QCOMPARE(cleared, (QStringList{"Also done at home", "Done at home"}));
        QCOMPARE(diskTitles().size(), 5);
        QSignalSpy clearedAgain(manager.eventStore(), &EventStore::changed);
        manager.tasks().deleteCompletedTasksOnListWithUUID("home");
        QTRY_COMPARE_WITH_TIMEOUT(diskTitles().size(), 3, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!clearedAgain.isEmpty(), 5000);

        // A list without completed tasks: nothing is written.
        changed.clear();
        manager.tasks().deleteCompletedTasksOnListWithUUID("home");
        manager.eventStore()->waitForFetches();
        QVERIFY(!changed.wait(400));
    }

    void aReopenedDateOnlyTaskStaysDateOnly()
    {
        Reminder deleted;
        deleted.dueDateComponents = DateComponents::fromDate(QDate(2026, 1, 5));
        deleted.setCompleted(true, local(2026, 1, 5, 12, 0));
        ReminderCopy::reopenCompleted(deleted, QDate(2026, 12, 9), QTime(7, 15));
        QVERIFY(!deleted.completed && !deleted.completionDate.isValid());
        QCOMPARE(deleted.dueDateComponents->date(), QDate(2026, 12, 9));
        QVERIFY(!deleted.dueDateComponents->hasTimeOfDay());
    }

    // Delete, undo, redo, undo: each undo gives back the very file, with every line another
    // program wrote, under its old name.
    void undoingADeleteGivesBackTheIdenticalFile()
    {
        const QByteArray bytes = todo("shared-42", "Call the plumber",
                                      "LOCATION:Hauptstraße 5\\, Berlin\r\n"
                                      "CATEGORIES:Home,Repairs\r\n"
                                      "RELATED-TO;RELTYPE=PARENT:house-1\r\n"
                                      "PRIORITY:1\r\n"
                                      "DUE:20261210T090000Z\r\n"
                                      "X-TODOMAN-NOTE:from todoman\r\n"
                                      "X-PHONE-FLAG;X-PARAM=1:yes\r\n"
                                      "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Plumber\r\n"
                                      "TRIGGER:-PT15M\r\nX-WR-ALARMUID:A-1\r\nEND:VALARM\r\n"
                                      "BEGIN:VALARM\r\nACTION:AUDIO\r\n"
                                      "TRIGGER;VALUE=DATE-TIME:20261210T080000Z\r\nEND:VALARM\r\n");
        const QString path = root() + "/home/shared-42.ics";
        writeFile(path, bytes);
        DataManager& manager = createLoaded();
        QVERIFY(afterRefresh(manager, [&] {
            QVERIFY(manager.tasks().deleteReminder(inSnapshot(manager, "Call the plumber")));
        }));
        QVERIFY(!QFileInfo::exists(path));
        for (int round = 0; round < 2; ++round) {
            QVERIFY(afterRefresh(manager, [&] { manager.tasks().undoManager()->undo(); }));
            QCOMPARE(readFile(path), bytes);
            QVERIFY(inSnapshot(manager, "Call the plumber"));
            QCOMPARE(manager.eventStore()->recentlyDeleted().entries().size(), 0);
            QVERIFY(afterRefresh(manager, [&] { manager.tasks().undoManager()->redo(); }));
            QVERIFY(!QFileInfo::exists(path));
            QCOMPARE(manager.eventStore()->recentlyDeleted().entries().size(), 1);
        }
        QVERIFY(afterRefresh(manager, [&] { manager.tasks().undoManager()->undo(); }));
        QCOMPARE(readFile(path), bytes);
    }

    // The task came back another way meanwhile (a sync): undo refuses rather than doubling it.
    void anUndoWhoseTaskIsBackAlreadyIsRefused()
    {
        const QByteArray bytes = todo("dup-1", "Pay rent");
        const QString path = root() + "/home/dup-1.ics";
        writeFile(path, bytes);
        DataManager& manager = createLoaded();
        QVERIFY(afterRefresh(manager, [&] {
            QVERIFY(manager.tasks().deleteReminder(inSnapshot(manager, "Pay rent")));
        }));
        const QString entry = manager.eventStore()->recentlyDeleted().entries().first().id;
        writeFile(root() + "/work/other-name.ics", bytes);
        QString error;
        QVERIFY(!manager.tasks().undoDeleteReminder(entry, &error));
        QVERIFY2(error.contains("already"), qPrintable(error));
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(manager.eventStore()->recentlyDeleted().entries().size(), 1);
    }

    // The details pane and the list keep records read before our own later saves: editing one
    // goes on from what we saved, and only another program's change is refused.
    void anEditAfterOwnSavesIsNotTakenForAnotherProgramsChange()
    {
        seed("home", [](Reminder& r) { r.title = "Laundry"; });
        DataManager& manager = createLoaded();
        const ReminderPtr laundry = inSnapshot(manager, "Laundry");
        QVERIFY(laundry);
        const auto heldByEditor = std::make_shared<Reminder>(*laundry);

        QVERIFY(afterRefresh(manager, [&] { manager.tasks().checkReminder(laundry, true); }));
        QVERIFY(manager.tasks().isOwnVersion(*inSnapshot(manager, "Laundry")));
        QVERIFY(!manager.tasks().isOwnVersion(*heldByEditor));

        const ReminderPtr working = manager.tasks().recordToEdit(heldByEditor);
        working->notes = "Dark colours first";
        QString error;
        QVERIFY2(manager.tasks().saveEditedReminder(working, &error), qPrintable(error));
        ReminderPtr onDisk = diskTask("Laundry");
        QVERIFY(onDisk && onDisk->completed);
        QCOMPARE(onDisk->notes, QString("Dark colours first"));

        // Right after that save, the editor's record again (the refresh has not come yet).
        const ReminderPtr again = manager.tasks().recordToEdit(heldByEditor);
        again->priority = 1;
        QVERIFY2(manager.tasks().saveEditedReminder(again, &error), qPrintable(error));
        onDisk = diskTask("Laundry");
        QVERIFY(onDisk && onDisk->completed && onDisk->priority == 1);
        QCOMPARE(onDisk->notes, QString("Dark colours first"));

        // Another program's change after ours is theirs: the editor's record is refused.
        const QString path = again->origin->filePath;
        QByteArray theirs = readFile(path);
        theirs.replace("Dark colours first", "Light colours first");
        writeFile(path, theirs);
        const ReminderPtr stale = manager.tasks().recordToEdit(heldByEditor);
        stale->title = "Laundry today";
        QVERIFY(!manager.tasks().saveEditedReminder(stale, &error));
        QVERIFY2(error.contains("another program"), qPrintable(error));
        QCOMPARE(diskTask("Laundry")->notes, QString("Light colours first"));
    }

private:
    QString root() const { return m_store->root(); }

    DataManager& createLoaded()
    {
        m_store->load();
        return *m_store->manager;
    }

    // Runs a change and waits for the refresh that the store's notification of it starts.
    bool afterRefresh(DataManager& manager, const std::function<void()>& change)
    {
        QSignalSpy refreshed(&manager, &DataManager::remindersRefreshed);
        change();
        if (!refreshed.wait(5000))
            return false;
        m_store->settle();
        return !QTest::currentTestFailed();
    }

    ReminderPtr seed(const QString& list, const std::function<void(Reminder&)>& fill)
    {
        EventStore seeder({root()}, m_store->clock);
        ReminderPtr reminder = seeder.reminderWithEventStore();
        reminder->calendar = seeder.calendarWithIdentifier(list);
        fill(*reminder);
        QString error;
        if (!seeder.saveReminder(reminder, true, &error))
            qWarning() << "seeding failed:" << error;
        return reminder;
    }

    void add(DataManager& manager, const QString& title, const CalendarPtr& list,
             std::optional<int> priority, const QDateTime& due,
             const std::optional<RecurrenceRule>& rule, bool alarm)
    {
        manager.tasks().addReminderWithTitle(title, list, priority, due, rule, {}, {}, alarm, {},
                                             [](bool saved, ReminderPtr) { QVERIFY(saved); });
    }

    static ReminderPtr inSnapshot(DataManager& manager, const QString& title)
    {
        const SnapshotPtr snapshot = manager.remindersArray();
        if (!snapshot)
            return nullptr;
        for (const ReminderPtr& reminder : snapshot->reminders()) {
            if (reminder->title == title)
                return reminder;
        }
        return nullptr;
    }

    // What the files hold, read by a store of its own.
    QList<ReminderPtr> onDisk() const { return m_store->tasksOnDisk(); }

    QList<ReminderPtr> diskTasks(const QString& title) const
    {
        QList<ReminderPtr> found;
        for (const ReminderPtr& reminder : onDisk()) {
            if (reminder->title == title)
                found << reminder;
        }
        return found;
    }

    ReminderPtr diskTask(const QString& title) const { return m_store->taskOnDisk(title); }

    // -1 when the task is not on disk exactly once.
    int priorityOnDisk(const QString& title) const
    {
        const ReminderPtr reminder = diskTask(title);
        return reminder ? reminder->priority : -1;
    }

    int alarmsOnDisk(const QString& title) const
    {
        const ReminderPtr reminder = diskTask(title);
        return reminder ? int(reminder->alarms.size()) : -1;
    }

    ReminderPtr diskTaskWithIdentifier(const QString& identifier) const
    {
        for (const ReminderPtr& reminder : onDisk()) {
            if (reminder->calendarItemIdentifier == identifier)
                return reminder;
        }
        return nullptr;
    }

    QStringList diskTitles() const
    {
        QStringList titles;
        for (const ReminderPtr& reminder : onDisk())
            titles << reminder->title;
        titles.sort();
        return titles;
    }

    std::unique_ptr<LoadedStore> m_store;
};

VELMORAN_TEST_MAIN(TestTaskOperations)
#include "tst_taskoperations.moc"
