#include "NeverMatchingRules.h"
#include "SignalBursts.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"
#include "platform/store/IcsItem.h"
#include "platform/store/StoreFolders.h"
#include "platform/store/VdirCollections.h"

#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace store;
using namespace TestFiles;

namespace {

ReminderPtr only(const QList<ReminderPtr>& reminders, const QString& title)
{
    ReminderPtr found;
    for (const ReminderPtr& reminder : reminders) {
        if (reminder->title == title) {
            if (found)
                return nullptr; // not unique
            found = reminder;
        }
    }
    return found;
}

} // namespace

class TestEventStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_clock.setNow(TestEnvironment::local(2026, 12, 6, 10, 0)); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void firstRunCreatesAListAndACalendar()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        QCOMPARE(titles(store.calendarsForEntityType(EntityType::Reminder)),
                 QStringList{"Reminders"});
        QCOMPARE(titles(store.calendarsForEntityType(EntityType::Event)), QStringList{"Calendar"});
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        QVERIFY(list);
        QCOMPARE(readFile(list->folderPath + "/displayname"), QByteArray("Reminders"));
        QCOMPARE(store.sources().size(), 1);
        QCOMPARE(int(store.sources().first()->sourceType), 0);

        EventStore again({root()}, m_clock);
        QVERIFY(requestAccess(again));
        QCOMPARE(again.calendarsForEntityType(EntityType::Reminder).size(), 1);
        QCOMPARE(again.calendarWithIdentifier(list->calendarIdentifier)->title,
                 QString("Reminders"));
    }

    // Lists are made only in a folder of the store's own: not in one holding other files, nor
    // in "/" (whose folders once all counted as outside it, so that every start made new
    // ones there).
    void firstRunLeavesAFolderOfOtherFilesAlone()
    {
        writeFile(root() + "/letter.txt", "Dear Sam");
        EventStore store({root()}, m_clock);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no lists are created"));
        QVERIFY(requestAccess(store));
        QCOMPARE(QDir(root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"letter.txt"});

        QStringList scanned;
        for (const CollectionFolder& folder : VdirCollections::scan({"/"}))
            scanned << folder.identifier;
        QVERIFY(scanned.contains("tmp"));
    }

    void accessIsRefusedForAFolderThatCannotBeCreated()
    {
        writeFile(m_dir->filePath("file"), "not a folder");
        EventStore store({m_dir->filePath("file/store")}, m_clock);
        QString error;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot be created"));
        QVERIFY(!requestAccess(store, &error));
        QVERIFY(error.contains("cannot be created"));
    }

    // A store closed at once after asking for access waits for the answer: the check runs on
    // the store's folders and must not outlive it.
    void closingTheStoreWaitsForItsAccessCheck()
    {
        std::atomic<bool> answered = false;
        {
            EventStore store({root()}, m_clock);
            store.requestAccessToEntityType(EntityType::Reminder, [&](bool, const QString&) {
                QThread::msleep(200);
                answered = true;
            });
        }
        const bool answeredBeforeClosing = answered;
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(answeredBeforeClosing);
    }

    void savedTasksComeBackFromAFetchOffTheMainThread()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        ReminderPtr reminder = store.reminderWithEventStore();
        reminder->title = "Buy milk";
        reminder->calendar = store.defaultCalendarForNewReminders();
        reminder->priority = 5;
        reminder->notes = "two litres";
        reminder->URL = QUrl("https://example.org/milk");
        DateComponents due = DateComponents::fromDate(QDate(2026, 12, 24));
        reminder->dueDateComponents = due;
        QString error;
        QVERIFY2(store.saveReminder(reminder, true, &error), qPrintable(error));
        QVERIFY(!reminder->calendarItemIdentifier.isEmpty());
        QVERIFY(QFile::exists(reminder->calendar->folderPath + "/" + reminder->uid + ".ics"));

        QThread* deliveredOn = nullptr;
        QList<ReminderPtr> fetched;
        std::atomic<bool> done = false;
        store.fetchRemindersMatchingPredicate(
            store::predicateForRemindersInCalendars({reminder->calendar}),
            [&](const QList<ReminderPtr>& reminders) {
                deliveredOn = QThread::currentThread();
                fetched = reminders;
                done = true;
            });
        QTRY_VERIFY(done.load());
        QVERIFY(deliveredOn != QThread::currentThread());
        QCOMPARE(fetched.size(), 1);
        const ReminderPtr read = fetched.first();
        QCOMPARE(read->calendarItemIdentifier, reminder->calendarItemIdentifier);
        QCOMPARE(read->priority, 5);
        QCOMPARE(read->notes, QString("two litres"));
        QCOMPARE(read->URL, QUrl("https://example.org/milk"));
        QVERIFY(read->dueDateComponents);
        QCOMPARE(read->dueDateComponents->date(), QDate(2026, 12, 24));
        QVERIFY(!read->dueDateComponents->hasTimeOfDay());
        QVERIFY(readFile(read->origin->filePath).contains("DUE;VALUE=DATE:20261224"));
    }

    void uncommittedChangesWaitForCommit()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        ReminderPtr reminder = newTask(store, "Later");
        QVERIFY(store.saveReminder(reminder, false));
        QCOMPARE(all(store).size(), 0);
        QVERIFY(store.commit());
        QCOMPARE(all(store).size(), 1);

        QVERIFY(store.removeReminder(all(store).first(), false));
        QCOMPARE(all(store).size(), 1);
        store.reset();
        QVERIFY(store.commit());
        QCOMPARE(all(store).size(), 1);
    }

    void predicatesSelectCompletedAndOpenTasks()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        ReminderPtr open = newTask(store, "Open");
        ReminderPtr done = newTask(store, "Done");
        done->setCompleted(true, m_clock.now());
        QVERIFY(store.saveReminder(open, true));
        QVERIFY(store.saveReminder(done, true));
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        const QList<ReminderPtr> completed = store.remindersMatchingPredicate(
            store::predicateForCompletedRemindersWithCompletionDateStarting({}, {}, {list}));
        QCOMPARE(titles(completed), QStringList{"Done"});
        QCOMPARE(completed.first()->completionDate, m_clock.now());
        const QList<ReminderPtr> incomplete = store.remindersMatchingPredicate(
            store::predicateForIncompleteRemindersWithDueDateStarting({}, {}, {list}));
        QCOMPARE(titles(incomplete), QStringList{"Open"});
    }

    void everyBurstOfChangesIsAnnouncedOnce()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        QSignalSpy spy(&store, &EventStore::changed);
        QVERIFY(waitForQuiet(spy, 400)); // the first run's folder events
        spy.clear();

        QVERIFY(store.saveReminder(newTask(store, "One"), true));
        QVERIFY(store.saveReminder(newTask(store, "Two"), true));
        QVERIFY(spy.wait(2000));
        QVERIFY(!spy.wait(600));
        QCOMPARE(spy.count(), 1);

        // Another program drops a file in.
        spy.clear();
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        writeFile(list->folderPath + "/outside.ics", todo("outside", "From elsewhere"));
        QVERIFY(spy.wait(3000));
        QVERIFY(only(all(store), "From elsewhere"));
    }

    void aFileChangedElsewhereIsNeverOverwritten()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        QVERIFY(store.saveReminder(newTask(store, "Shared"), true));
        ReminderPtr mine = all(store).first();
        const QByteArray theirs =
            todo(mine->uid.toUtf8(), "Changed by todoman", "X-THEIRS:kept\r\n");
        writeFile(mine->origin->filePath, theirs); // another size: no clock needs to move

        mine->title = "Changed by me";
        QString error;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("changed by another program"));
        QVERIFY(!store.saveReminder(mine, true, &error));
        QVERIFY(error.contains("changed by another program"));
        QCOMPARE(readFile(mine->origin->filePath), theirs);
        QCOMPARE(all(store).first()->title, QString("Changed by todoman"));

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("was not deleted"));
        QVERIFY(!store.removeReminder(mine, true));
        QVERIFY(QFile::exists(mine->origin->filePath));
    }

    void aSameSizeChangeElsewhereIsNeverOverwritten_data()
    {
        QTest::addColumn<bool>("sameModificationTime");
        QTest::addColumn<bool>("sameContent");
        QTest::newRow("same size") << false << false;
        // An editor that writes in place and puts the old time back leaves size, time and
        // inode as they were; only the content tells.
        QTest::newRow("same size and modification time") << true << false;
        // A program that wrote the same bytes again: only the time tells, and what it meant
        // by writing is not ours to guess.
        QTest::newRow("same content, written again") << false << true;
    }

    void aSameSizeChangeElsewhereIsNeverOverwritten()
    {
        QFETCH(bool, sameModificationTime);
        QFETCH(bool, sameContent);
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        QVERIFY(store.saveReminder(newTask(store, "Shared"), true));
        ReminderPtr mine = all(store).first();
        const QString path = mine->origin->filePath;
        QByteArray theirs = readFile(path);
        QVERIFY(theirs.contains("SUMMARY:Shared"));
        if (!sameContent)
            theirs.replace("SUMMARY:Shared", "SUMMARY:Shaved");
        struct stat before;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
        writeFile(path, theirs); // in place: same inode
        // The old time put back, or one a second later whatever the file system's resolution.
        struct timespec times[2] = {before.st_atim, before.st_mtim};
        if (!sameModificationTime)
            times[1].tv_sec += 1;
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        struct stat after;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QCOMPARE(after.st_size, before.st_size);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mtim.tv_sec == before.st_mtim.tv_sec &&
                     after.st_mtim.tv_nsec == before.st_mtim.tv_nsec,
                 sameModificationTime);

        mine->title = "Changed by me";
        QString error;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("changed by another program"));
        QVERIFY(!store.saveReminder(mine, true, &error));
        QVERIFY(error.contains("changed by another program"));
        QCOMPARE(readFile(path), theirs);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("was not deleted"));
        QVERIFY(!store.removeReminder(mine, true));
        QCOMPARE(readFile(path), theirs);
        // The refusal made the store read the file again.
        QCOMPARE(all(store).first()->title, QString(sameContent ? "Shared" : "Shaved"));
    }

    void relativeAlarmsOfAnyLengthRoundTrip_data()
    {
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<QByteArray>("trigger");
        QTest::newRow("90 minutes before") << qint64(-5400) << QByteArray("-PT1H30M");
        QTest::newRow("1 day 1 hour 1 minute 1 second before")
            << qint64(-90061) << QByteArray("-P1DT1H1M1S");
        QTest::newRow("1 minute 30 seconds after") << qint64(90) << QByteArray("PT1M30S");
        QTest::newRow("2 days after") << qint64(172800) << QByteArray("P2D");
    }

    void relativeAlarmsOfAnyLengthRoundTrip()
    {
        QFETCH(qint64, offset);
        QFETCH(QByteArray, trigger);
        {
            EventStore store({root()}, m_clock);
            QVERIFY(requestAccess(store));
            ReminderPtr task = newTask(store, "Ring");
            DateComponents due = DateComponents::fromDate(QDate(2026, 12, 8));
            due.hour = 9;
            due.minute = 30;
            due.timeZone = QTimeZone("Europe/Berlin");
            task->dueDateComponents = due;
            task->addAlarm(Alarm::withRelativeOffset(double(offset)));
            QString error;
            QVERIFY2(store.saveReminder(task, true, &error), qPrintable(error));
            QVERIFY(readFile(task->origin->filePath)
                        .contains("TRIGGER;RELATED=END:" + trigger + "\r\n"));
        }
        EventStore reader({root()}, m_clock);
        const ReminderPtr back = only(all(reader), "Ring");
        QVERIFY(back);
        QCOMPARE(back->alarms.size(), 1);
        QVERIFY(back->alarms.first().hasRelativeOffset);
        QCOMPARE(qint64(back->alarms.first().relativeOffset), offset);
    }

    void badFilesAreSkippedAndNeverRewritten()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        const QByteArray garbage("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:\xff\xfe broken");
        writeFile(list->folderPath + "/broken.ics", garbage);
        writeFile(list->folderPath + "/empty.ics", "");
        writeFile(list->folderPath + "/good.ics", todo("good", "Good"));
        writeFile(list->folderPath + "/notes.txt", "not an item");
        writeFile(list->folderPath + "/.hidden.ics", todo("hidden", "Hidden"));
        writeFile(list->folderPath + "/x.ics.tmp", todo("tmp", "Temporary"));

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Skipping .*broken.ics"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Skipping .*empty.ics"));
        QCOMPARE(titles(all(store)), QStringList{"Good"});
        QVERIFY(store.saveReminder(newTask(store, "Another"), true));
        QVERIFY(store.removeCalendar(store.defaultCalendarForNewReminders(), true));
        // The list's tasks went; what could not be read stays, and so does its folder.
        QCOMPARE(readFile(list->folderPath + "/broken.ics"), garbage);
        QVERIFY(!QFile::exists(list->folderPath + "/good.ics"));
    }

    // What the user is told of: each file that is no item with the reason in words, until it
    // is fixed; a second run (answered by the parse cache) gives the same reasons.
    void filesThatCannotBeReadAreListedUntilFixed()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        const QString broken = list->folderPath + "/broken.ics";
        const QString huge = list->folderPath + "/huge.ics";
        const QString locked = list->folderPath + "/locked.ics";
        writeFile(broken, "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:Cut short\r\n");
        writeFile(huge, todo("huge", "Huge"));
        QVERIFY(QFile::resize(huge, kMaxItemSize + 1));
        writeFile(locked, todo("locked", "Locked"));
        // Root reads anything: the unreadable file is a case for an ordinary user only.
        const bool canLock = geteuid() != 0;
        if (canLock)
            QVERIFY(QFile::setPermissions(locked, {}));
        QSignalSpy spy(&store, &EventStore::unreadableFilesChanged);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Skipping .*"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Skipping .*"));
        if (canLock)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Skipping .*"));
        QCOMPARE(titles(all(store)), canLock ? QStringList() : QStringList{"Locked"});

        QStringList expected{"broken.ics Reminders not an iCalendar file: BEGIN:VTODO is never "
                             "closed",
                             "huge.ics Reminders larger than 16 MB"};
        if (canLock)
            expected << "locked.ics Reminders cannot be read: Permission denied";
        QCOMPARE(described(store.unreadableFiles()), expected);
        QVERIFY(spy.wait(2000));
        store.waitForParseCache();
        {
            EventStore again({root()}, m_clock);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Skipping .*"));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Skipping .*"));
            if (canLock)
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Skipping .*"));
            all(again);
            QCOMPARE(described(again.unreadableFiles()), expected);
        }

        spy.clear();
        writeFile(broken, todo("broken", "Mended"));
        writeFile(huge, todo("huge", "Trimmed"));
        if (canLock)
            QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner));
        QTRY_VERIFY_WITH_TIMEOUT((all(store), store.unreadableFiles().isEmpty()), 3000);
        QStringList mended = titles(all(store));
        mended.sort();
        QCOMPARE(mended, (QStringList{"Locked", "Mended", "Trimmed"}));
        QVERIFY(spy.wait(2000));
    }

    void identifiersAndFileNamesAreSafe()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        writeFile(list->folderPath + "/a.ics", todo("same", "First copy"));
        writeFile(list->folderPath + "/b.ics", todo("same", "Second copy"));
        writeFile(list->folderPath + "/c.ics", todo("", "No UID").replace("UID:\r\n", ""));
        const QList<ReminderPtr> reminders = all(store);
        QCOMPARE(reminders.size(), 3);
        QSet<QString> identifiers;
        for (const ReminderPtr& reminder : reminders)
            identifiers.insert(reminder->calendarItemIdentifier);
        QCOMPARE(identifiers.size(), 3);
        QVERIFY(identifiers.contains("same"));

        ReminderPtr evil = newTask(store, "Evil");
        evil->uid = "../../../escape";
        QVERIFY(store.saveReminder(evil, true));
        QCOMPARE(QFileInfo(evil->origin->filePath).absolutePath(), list->folderPath);
        QVERIFY(!QFile::exists(m_dir->filePath("escape.ics")));
    }

    void linksOutOfTheStoreAreNotFollowed()
    {
        writeFile(m_dir->filePath("secret/secret.ics"), todo("secret", "Secret"));
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        QVERIFY(QFile::link(m_dir->filePath("secret/secret.ics"), list->folderPath + "/link.ics"));
        QVERIFY(QFile::link(m_dir->filePath("secret"), root() + "/linked-list"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("links outside"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("points outside"));
        QVERIFY(all(store).isEmpty());
    }

    void listsAreCreatedRenamedAndRemoved()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        CalendarPtr list = store.calendarForEntityType(EntityType::Reminder);
        list->title = "Work / Home";
        list->color = QColor(10, 20, 30);
        QString error;
        QVERIFY2(store.saveCalendar(list, true, &error), qPrintable(error));
        QVERIFY(QFileInfo(list->folderPath).isDir());
        QCOMPARE(QFileInfo(list->folderPath).dir().absolutePath(), root());
        QCOMPARE(readFile(list->folderPath + "/color"), QByteArray("#0a141e"));
        QVERIFY(store.calendarWithIdentifier(list->calendarIdentifier));
        QCOMPARE(titles(store.calendarsForEntityType(EntityType::Reminder)),
                 (QStringList{"Reminders", "Work / Home"}));

        list->title = "Work";
        QVERIFY(store.saveCalendar(list, true));
        QCOMPARE(store.calendarWithIdentifier(list->calendarIdentifier)->title, QString("Work"));

        ReminderPtr task = newTask(store, "Report");
        task->calendar = list;
        QVERIFY(store.saveReminder(task, true));
        QVERIFY(store.removeCalendar(store.calendarWithIdentifier(list->calendarIdentifier), true));
        QVERIFY(!QFileInfo::exists(list->folderPath));
        QVERIFY(!store.calendarWithIdentifier(list->calendarIdentifier));
    }

    void removingAListKeepsTheEventsOfASharedFolder()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        const QByteArray event = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\n"
                                 "UID:ev\r\nDTSTART:20261207T090000Z\r\nDTEND:20261207T100000Z\r\n"
                                 "SUMMARY:Meeting\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        writeFile(list->folderPath + "/ev.ics", event);
        QVERIFY(store.saveReminder(newTask(store, "Task"), true));
        QVERIFY(store.removeCalendar(store.calendarWithIdentifier(list->calendarIdentifier), true));
        QCOMPARE(readFile(list->folderPath + "/ev.ics"), event);
        QVERIFY(all(store).isEmpty());
    }

    void movingATaskToAnotherList()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        CalendarPtr work = store.calendarForEntityType(EntityType::Reminder);
        work->title = "Work";
        QVERIFY(store.saveCalendar(work, true));
        ReminderPtr task = newTask(store, "Move me");
        QVERIFY(store.saveReminder(task, true));
        const QString before = task->origin->filePath;
        const QString identifier = task->calendarItemIdentifier;
        task->calendar = work;
        QVERIFY(store.saveReminder(task, true));
        QVERIFY(!QFile::exists(before));
        const ReminderPtr moved = only(all(store), "Move me");
        QVERIFY(moved);
        QCOMPARE(moved->calendar->calendarIdentifier, work->calendarIdentifier);
        QCOMPARE(moved->calendarItemIdentifier, identifier);
    }

    // A move keeps the file as it was, in the other folder; across store folders (accounts)
    // and out of a read-only list it is refused and nothing changes.
    void aMoveKeepsEveryLineAndStaysInItsStoreFolder()
    {
        const QByteArray file =
            todo("moved@host", "Keep me", "CATEGORIES:A,B\r\nX-OTHER:1\r\nPRIORITY:5\r\n");
        writeFile(root() + "/work/displayname", "Work");
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/work/moved@host.ics", file);
        const QString other = m_dir->filePath("other");
        writeFile(other + "/shared/displayname", "Shared");
        EventStore store({root(), other}, m_clock);
        QVERIFY(requestAccess(store));
        CalendarPtr home;
        CalendarPtr shared;
        for (const CalendarPtr& list : store.calendarsForEntityType(EntityType::Reminder)) {
            if (list->title == "Home")
                home = list;
            if (list->title == "Shared")
                shared = list;
        }
        QVERIFY(home && shared);

        ReminderPtr task = only(all(store), "Keep me");
        task->calendar = shared;
        QString error;
        QVERIFY(!store.saveReminder(task, true, &error));
        QVERIFY2(error.contains("another store folder"), qPrintable(error));
        QCOMPARE(readFile(root() + "/work/moved@host.ics"), file);
        QVERIFY(QDir(other + "/shared").entryList({"*.ics"}).isEmpty());

        task = only(all(store), "Keep me");
        task->calendar = home;
        QVERIFY2(store.saveReminder(task, true, &error), qPrintable(error));
        QVERIFY(!QFile::exists(root() + "/work/moved@host.ics"));
        const QStringList moved = QDir(root() + "/home").entryList({"*.ics"});
        QCOMPARE(moved.size(), 1);
        QCOMPARE(readFile(root() + "/home/" + moved.first()), file);
        QCOMPARE(only(all(store), "Keep me")->calendarItemIdentifier, QString("moved@host"));
    }

    // A rule the store cannot read (COUNT=0) stays through other edits; a rule given to the
    // task that showed none replaces it, so that no program repeats the task by both.
    void aRuleGivenToATaskReplacesOneThatCouldNotBeRead()
    {
        writeFile(root() + "/work/displayname", "Work");
        writeFile(root() + "/work/r.ics", todo("r", "Repeats",
                                               "DUE;VALUE=DATE:20261207\r\n"
                                               "RRULE:FREQ=WEEKLY;COUNT=0\r\n"));
        EventStore store({root()}, m_clock);
        ReminderPtr task = only(all(store), "Repeats");
        QVERIFY(task->recurrenceRules.isEmpty());
        task->title = "Repeats weekly";
        QVERIFY(store.saveReminder(task, true));
        QVERIFY(readFile(root() + "/work/r.ics").contains("RRULE:FREQ=WEEKLY;COUNT=0"));

        task = only(all(store), "Repeats weekly");
        RecurrenceRule daily;
        task->addRecurrenceRule(daily);
        QVERIFY(store.saveReminder(task, true));
        const QByteArray file = readFile(root() + "/work/r.ics");
        QCOMPARE(file.count("RRULE:"), 1);
        QVERIFY(file.contains("RRULE:FREQ=DAILY"));
    }

    void completingARecurringTaskAdvancesItAndKeepsTheOccurrence()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        ReminderPtr task = newTask(store, "Water plants");
        DateComponents due = DateComponents::fromDate(QDate(2026, 12, 6));
        due.hour = 9;
        due.timeZone = QTimeZone("Europe/Berlin");
        task->dueDateComponents = due;
        task->startDateComponents = due;
        task->addAlarm(Alarm::withAbsoluteDate(due.toDateTime()));
        RecurrenceRule daily;
        daily.frequency = RecurrenceRule::Frequency::Daily;
        daily.recurrenceEnd = RecurrenceEnd::withOccurrenceCount(3);
        task->addRecurrenceRule(daily);
        QVERIFY(store.saveReminder(task, true));
        const QString identifier = task->calendarItemIdentifier;

        for (int day = 6; day <= 8; ++day) {
            ReminderPtr current = byIdentifier(store, identifier);
            QVERIFY(current);
            QVERIFY(!current->completed);
            QCOMPARE(current->dueDateComponents->date(), QDate(2026, 12, day));
            QCOMPARE(current->dueDateComponents->hour, 9);
            current->setCompleted(true, m_clock.now());
            QString error;
            QVERIFY2(store.saveReminder(current, true, &error), qPrintable(error));
        }
        // The third completion ends the series: the task itself is completed now.
        const ReminderPtr last = byIdentifier(store, identifier);
        QVERIFY(last->completed);
        QCOMPARE(last->dueDateComponents->date(), QDate(2026, 12, 8));
        const QList<ReminderPtr> reminders = all(store);
        QCOMPARE(reminders.size(), 3);
        QList<QDate> completedDays;
        for (const ReminderPtr& reminder : reminders) {
            QVERIFY(reminder->completed);
            if (reminder->calendarItemIdentifier != identifier) {
                QVERIFY(!reminder->hasRecurrenceRules());
                completedDays << reminder->dueDateComponents->date();
            }
        }
        std::sort(completedDays.begin(), completedDays.end());
        QCOMPARE(completedDays, (QList<QDate>{QDate(2026, 12, 6), QDate(2026, 12, 7)}));
    }

    void recurringTaskUntilADateEndsThere()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        ReminderPtr task = newTask(store, "Weekly review");
        task->dueDateComponents = DateComponents::fromDate(QDate(2026, 12, 4));
        RecurrenceRule weekly;
        weekly.frequency = RecurrenceRule::Frequency::Weekly;
        weekly.recurrenceEnd = RecurrenceEnd::withEndDate(QDateTime(QDate(2026, 12, 11), QTime()));
        task->addRecurrenceRule(weekly);
        QVERIFY(store.saveReminder(task, true));
        ReminderPtr current = byIdentifier(store, task->calendarItemIdentifier);
        current->setCompleted(true, m_clock.now());
        QVERIFY(store.saveReminder(current, true));
        current = byIdentifier(store, task->calendarItemIdentifier);
        QCOMPARE(current->dueDateComponents->date(), QDate(2026, 12, 11));
        QVERIFY(!current->completed);
        current->setCompleted(true, m_clock.now());
        QVERIFY(store.saveReminder(current, true));
        QVERIFY(byIdentifier(store, task->calendarItemIdentifier)->completed);
        QCOMPARE(all(store).size(), 2);
    }

    void eventsOfTheCalendarsAreQueriedByRange()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        const CalendarPtr calendar = store.calendarsForEntityType(EntityType::Event).first();
        writeFile(
            calendar->folderPath + "/standup.ics",
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:standup\r\n"
            "DTSTART;TZID=Europe/Berlin:20260323T093000\r\n"
            "DTEND;TZID=Europe/Berlin:20260323T094500\r\n"
            "RRULE:FREQ=WEEKLY;BYDAY=MO;COUNT=4\r\nEXDATE;TZID=Europe/Berlin:20260406T093000\r\n"
            "SUMMARY:Standup\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
        const QList<EventPtr> events =
            store.eventsMatchingPredicate(store::predicateForEventsWithStartDate(
                TestEnvironment::local(2026, 3, 1), TestEnvironment::local(2026, 5, 1), {}));
        QCOMPARE(events.size(), 3);
        QCOMPARE(events.at(0)->startDate, TestEnvironment::local(2026, 3, 23, 9, 30));
        QCOMPARE(events.at(1)->startDate, TestEnvironment::local(2026, 3, 30, 9, 30)); // after DST
        QCOMPARE(events.at(2)->startDate, TestEnvironment::local(2026, 4, 13, 9, 30));
        QCOMPARE(events.at(0)->calendar->calendarIdentifier, calendar->calendarIdentifier);
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        QVERIFY(
            store
                .eventsMatchingPredicate(store::predicateForEventsWithStartDate(
                    TestEnvironment::local(2026, 3, 1), TestEnvironment::local(2026, 5, 1), {list}))
                .isEmpty());
    }

    // Events whose rules never produce a date beyond their start show that start and nothing
    // else, through the store as the calendar views ask it (the time this takes is measured
    // by the store benchmark).
    void eventsWhoseRulesNeverMatchShowOnlyTheirStart()
    {
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        const CalendarPtr calendar = store.calendarsForEntityType(EntityType::Event).first();
        int written = 0;
        for (const NeverMatchingRules::Rule& rule : NeverMatchingRules::kRules) {
            const QByteArray uid = "never-" + QByteArray::number(++written);
            writeFile(calendar->folderPath + "/" + uid + ".ics",
                      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:" + uid +
                          "\r\nDTSTART;TZID=Europe/Berlin:20260131T090000\r\n"
                          "DURATION:PT1H\r\nRRULE:" +
                          rule.text + "\r\nSUMMARY:Never\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
        }
        QCOMPARE(written, 25);
        const auto query = [&store](const QDateTime& from, const QDateTime& to) {
            return store.eventsMatchingPredicate(
                store::predicateForEventsWithStartDate(from, to, {}));
        };
        const QList<EventPtr> year =
            query(TestEnvironment::local(2026, 1, 1), TestEnvironment::local(2027, 1, 1));
        QCOMPARE(year.size(), written);
        for (const EventPtr& event : year)
            QCOMPARE(event->startDate, TestEnvironment::local(2026, 1, 31, 9, 0));
        QVERIFY(query(TestEnvironment::local(2027, 1, 1), TestEnvironment::local(2028, 1, 1))
                    .isEmpty());
    }

    void storeFoldersComeFromTheEnvironmentFirst()
    {
        UserDefaults defaults(m_dir->filePath("prefs.json"));
        QCOMPARE(StoreFolders::configuredRoots(defaults), QStringList{StoreFolders::defaultRoot()});
        QVERIFY(StoreFolders::defaultRoot().startsWith(qEnvironmentVariable("HOME")));
        defaults.setObject(QStringList{"/a/b", "/c"}, "storeFolders");
        QCOMPARE(StoreFolders::configuredRoots(defaults), (QStringList{"/a/b", "/c"}));
        qputenv("VELMORAN_STORE", "/x/y/:/z::/x/y");
        QCOMPARE(StoreFolders::configuredRoots(defaults), (QStringList{"/x/y", "/z"}));
        qunsetenv("VELMORAN_STORE");
    }

    void aReadOnlyListIsImmutableAndAFailedWriteKeepsTheFile()
    {
        if (geteuid() == 0) {
            // Root ignores folder permissions; run this case as an unprivileged user.
            if (QStandardPaths::findExecutable("setpriv").isEmpty())
                QSKIP("needs setpriv to drop root");
            const QStringList nobody{"--reuid=65534", "--regid=65534", "--clear-groups"};
            // A checkout under a private home folder cannot be run by another user at all.
            if (QProcess::execute(
                    "setpriv", nobody + QStringList{"test", "-x",
                                                    QCoreApplication::applicationFilePath()}) != 0)
                QSKIP("the test binary cannot be run by an unprivileged user from this folder");
            QProcess child;
            child.setProcessChannelMode(QProcess::MergedChannels);
            child.start("setpriv",
                        nobody +
                            QStringList{QCoreApplication::applicationFilePath(),
                                        "aReadOnlyListIsImmutableAndAFailedWriteKeepsTheFile"});
            QVERIFY(child.waitForFinished(60000));
            const QByteArray output = child.readAll();
            QVERIFY2(child.exitCode() == 0, output.constData());
            QVERIFY2(!output.contains("SKIP"), output.constData());
            return;
        }
        EventStore store({root()}, m_clock);
        QVERIFY(requestAccess(store));
        QVERIFY(store.saveReminder(newTask(store, "Kept"), true));
        ReminderPtr task = all(store).first();
        const QString folder = task->calendar->folderPath;
        const QByteArray before = readFile(task->origin->filePath);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);

        const CalendarPtr list = store.calendarWithIdentifier(task->calendar->calendarIdentifier);
        QVERIFY(list->immutable);
        QVERIFY(!list->allowsContentModifications());
        task->title = "Changed";
        QString error;
        QVERIFY(!store.saveReminder(task, true, &error));
        QVERIFY(!error.isEmpty());

        // A stale object that still thinks the list is writable: the write itself fails.
        task->calendar = std::make_shared<Calendar>(*list);
        task->calendar->immutable = false;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(".*"));
        QVERIFY(!store.saveReminder(task, true, &error));
        QCOMPARE(readFile(task->origin->filePath), before);

        // Nor does it move out of the list.
        CalendarPtr writable = store.calendarForEntityType(EntityType::Reminder);
        writable->title = "Writable";
        QVERIFY(store.saveCalendar(writable, true, &error));
        task = all(store).first();
        task->calendar = store.calendarWithIdentifier(writable->calendarIdentifier);
        QVERIFY(task->calendar);
        QVERIFY(!store.saveReminder(task, true, &error));
        QVERIFY2(error.contains("read-only"), qPrintable(error));
        QCOMPARE(readFile(task->origin->filePath), before);
        QVERIFY(QDir(writable->folderPath).entryList({"*.ics"}).isEmpty());

        // Nor into one.
        ReminderPtr other = store.reminderWithEventStore();
        other->title = "Elsewhere";
        other->calendar = store.calendarWithIdentifier(writable->calendarIdentifier);
        QVERIFY(store.saveReminder(other, true, &error));
        const QByteArray otherBefore = readFile(other->origin->filePath);
        other->calendar = list;
        QVERIFY(!store.saveReminder(other, true, &error));
        QVERIFY2(error.contains("read-only"), qPrintable(error));
        QCOMPARE(readFile(other->origin->filePath), otherBefore);
        QCOMPARE(QDir(folder).entryList({"*.ics"}).size(), 1);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    }

private:
    QString root() const { return m_dir->filePath("store"); }

    bool requestAccess(EventStore& store, QString* error = nullptr)
    {
        std::atomic<bool> answered = false;
        std::atomic<bool> granted = false;
        QString why;
        store.requestAccessToEntityType(EntityType::Reminder, [&](bool ok, const QString& text) {
            why = text;
            granted = ok;
            answered = true;
        });
        const bool inTime = QTest::qWaitFor([&answered] { return answered.load(); }, 5000);
        if (error)
            *error = why;
        return inTime && granted;
    }

    ReminderPtr newTask(EventStore& store, const QString& title)
    {
        ReminderPtr reminder = store.reminderWithEventStore();
        reminder->title = title;
        reminder->calendar = store.defaultCalendarForNewReminders();
        return reminder;
    }

    QList<ReminderPtr> all(EventStore& store)
    {
        return store.remindersMatchingPredicate(store::predicateForRemindersInCalendars({}));
    }

    ReminderPtr byIdentifier(EventStore& store, const QString& identifier)
    {
        for (const ReminderPtr& reminder : all(store)) {
            if (reminder->calendarItemIdentifier == identifier)
                return reminder;
        }
        return nullptr;
    }

    template <typename List> static QStringList titles(const List& items)
    {
        QStringList result;
        for (const auto& item : items)
            result << item->title;
        return result;
    }

    // "file list reason", one a file.
    static QStringList described(const QList<UnreadableFile>& files)
    {
        QStringList result;
        for (const UnreadableFile& file : files)
            result << QFileInfo(file.path).fileName() + u' ' + file.listTitle + u' ' +
                          file.reason();
        return result;
    }

    Clock m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
};

VELMORAN_TEST_MAIN(TestEventStore)
#include "tst_eventstore.moc"
