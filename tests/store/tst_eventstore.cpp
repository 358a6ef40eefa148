#include "SignalBursts.h"
#include "StoreLookups.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"
#include "platform/store/IcsItem.h"
#include "platform/store/StoreFolders.h"
#include "platform/store/VdirCollections.h"

#include <QColor>
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
using StoreLookups::taskTitled;
using StoreQueries::allReminders;
using StoreQueries::titles;

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

    void cleanup() { m_store.reset(); }

    void firstRunCreatesAListAndACalendar()
    {
        EventStore& store = opened();
        QCOMPARE(titles(store.calendarsForEntityType(EntityType::Reminder)),
                 QStringList{"Reminders"});
        QCOMPARE(titles(store.calendarsForEntityType(EntityType::Event)), QStringList{"Calendar"});
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        EventStore again({root()}, m_clock);
        QVERIFY(again.accessToEntityType(EntityType::Reminder));
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
        QVERIFY(store.accessToEntityType(EntityType::Reminder));
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
        QVERIFY(!store.accessToEntityType(EntityType::Reminder, &error));
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

    // A fetch answers off the main thread, so that reading a large store never holds up the
    // window (what it answers is every data suite's).
    void fetchesAnswerOffTheMainThread()
    {
        EventStore& store = opened();
        QVERIFY(store.saveReminder(newTask(store, "Buy milk"), true));
        std::atomic<QThread*> deliveredOn = nullptr;
        std::atomic<qsizetype> fetched = -1;
        store.fetchRemindersMatchingPredicate(store::predicateForRemindersInCalendars({}),
                                              [&](const QList<ReminderPtr>& reminders) {
                                                  deliveredOn = QThread::currentThread();
                                                  fetched = reminders.size();
                                              });
        QTRY_COMPARE(fetched.load(), 1);
        QVERIFY(deliveredOn != QThread::currentThread());
    }

    void everyBurstOfChangesIsAnnouncedOnce()
    {
        EventStore& store = opened();
        QSignalSpy spy(&store, &EventStore::changed);
        QVERIFY(waitForQuiet(spy, 400)); // the first run's folder events
        spy.clear();

        QVERIFY(store.saveReminder(newTask(store, "One"), true));
        QVERIFY(store.saveReminder(newTask(store, "Two"), true));
        QVERIFY(spy.wait(2000));
        QVERIFY(!spy.wait(600));
        QCOMPARE(spy.count(), 1);
    }

    void aSameSizeChangeElsewhereIsNeverOverwritten_data()
    {
        QTest::addColumn<bool>("sameModificationTime");
        QTest::addColumn<bool>("sameContent");
        // Content and time changed together is every conflict suite's case; these are harder.
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
        EventStore& store = opened();
        QVERIFY(store.saveReminder(newTask(store, "Shared"), true));
        ReminderPtr mine = allReminders(store).first();
        const QString path = mine->origin->path();
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
        QCOMPARE(allReminders(store).first()->title, QString(sameContent ? "Shared" : "Shaved"));
    }

    // What the user is told of: each file that is no item with the reason in words, until it
    // is fixed; a second run (answered by the parse cache) gives the same reasons. It is never
    // rewritten: removing the list leaves it, and the events of a folder it shares with a
    // calendar. Files of other names, hidden or temporary, are no tasks at all.
    void filesThatCannotBeReadAreListedUntilFixed()
    {
        EventStore& store = opened();
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        const QString broken = list->folderPath + "/broken.ics";
        const QString huge = list->folderPath + "/huge.ics";
        const QString locked = list->folderPath + "/locked.ics";
        const QByteArray garbage(
            "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:\xff\xfe Cut short\r\n");
        writeFile(broken, garbage);
        writeFile(list->folderPath + "/empty.ics", "");
        writeFile(huge, todo("huge", "Huge"));
        QVERIFY(QFile::resize(huge, kMaxItemSize + 1));
        writeFile(locked, todo("locked", "Locked"));
        for (const QString name : {"notes.txt", ".hidden.ics", "x.ics.tmp"})
            writeFile(list->folderPath + '/' + name, todo(name.toUtf8(), "No task"));
        const QByteArray event = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\n"
                                 "UID:ev\r\nDTSTART:20261207T090000Z\r\nSUMMARY:Meeting\r\n"
                                 "END:VEVENT\r\nEND:VCALENDAR\r\n";
        writeFile(list->folderPath + "/ev.ics", event);
        // Root reads anything: the unreadable file is a case for an ordinary user only.
        const bool canLock = geteuid() != 0;
        if (canLock)
            QVERIFY(QFile::setPermissions(locked, {}));
        QSignalSpy spy(&store, &EventStore::unreadableFilesChanged);
        const auto expectSkips = [canLock] {
            for (int file = canLock ? 0 : 1; file < 4; ++file)
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Skipping .*"));
        };
        expectSkips();
        QCOMPARE(titles(allReminders(store)), canLock ? QStringList() : QStringList{"Locked"});

        QStringList expected{"broken.ics Reminders not an iCalendar file: BEGIN:VTODO is never "
                             "closed",
                             "empty.ics Reminders not an iCalendar file: The file is empty",
                             "huge.ics Reminders larger than 16 MB"};
        if (canLock)
            expected << "locked.ics Reminders cannot be read: Permission denied";
        QCOMPARE(described(store.unreadableFiles()), expected);
        QVERIFY(spy.wait(2000));
        store.waitForParseCache();
        {
            EventStore again({root()}, m_clock);
            expectSkips();
            allReminders(again);
            QCOMPARE(described(again.unreadableFiles()), expected);
        }

        spy.clear();
        writeFile(huge, todo("huge", "Trimmed"));
        if (canLock)
            QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner));
        QTRY_COMPARE_WITH_TIMEOUT((allReminders(store), described(store.unreadableFiles())),
                                  expected.mid(0, 2), 3000);
        QStringList mended = titles(allReminders(store));
        mended.sort();
        QCOMPARE(mended, (QStringList{"Locked", "Trimmed"}));
        QVERIFY(spy.wait(2000));

        QVERIFY(store.removeCalendar(list, true));
        QCOMPARE(readFile(broken), garbage);
        QCOMPARE(readFile(list->folderPath + "/ev.ics"), event);
        QVERIFY(!QFile::exists(huge) && !QFile::exists(locked));
    }

    void identifiersFileNamesAndLinksAreSafe()
    {
        EventStore& store = opened();
        const CalendarPtr list = store.defaultCalendarForNewReminders();
        // Two files of one UID are tst_readingstore's; a file without one still names its task.
        writeFile(list->folderPath + "/c.ics", todo("", "No UID").replace("UID:\r\n", ""));
        QVERIFY(!taskTitled(store, "No UID")->calendarItemIdentifier.isEmpty());

        ReminderPtr evil = newTask(store, "Evil");
        evil->uid = "../../../escape";
        QVERIFY(store.saveReminder(evil, true));
        QCOMPARE(QFileInfo(evil->origin->path()).absolutePath(), list->folderPath);
        QVERIFY(!QFile::exists(m_dir->filePath("escape.ics")));

        writeFile(m_dir->filePath("secret/secret.ics"), todo("secret", "Secret"));
        QVERIFY(QFile::link(m_dir->filePath("secret/secret.ics"), list->folderPath + "/link.ics"));
        QVERIFY(QFile::link(m_dir->filePath("secret"), root() + "/linked-list"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("links outside"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("points outside"));
        QCOMPARE(allReminders(store).size(), 2);
    }

    // A folder's "color" file reads as it did when the store kept a QColor: every form and name
    // QColor takes gives the same red, green and blue (tst_taskoperations sees one written back).
    void readsWhatQColorReads_data()
    {
        QTest::addColumn<QString>("text");
        // One text a piece, separated by "|" (the empty text among them).
        const QString texts = QString::fromUtf8(
            "#1badf8|#1BADF8|#fa0|#801badf8|#123456789|#123412341234|red|Light "
            "Blue|DarkSlateGray|transparent| yellowgreen|#12345|#1badf||#|#ggg|1badf8|#1badf8 "
            "|notacolour|rebeccapurple|#\u00e9ab");
        for (const QString& text : texts.split(u'|'))
            QTest::newRow(qPrintable(text)) << text;
        for (const QString& name : QColor::colorNames())
            QTest::newRow(qPrintable(name)) << name;
    }

    void readsWhatQColorReads()
    {
        QFETCH(QString, text);
        const CollectionColor read = CollectionColor::fromText(text);
        QCOMPARE(read.isValid(), QColor::isValidColorName(text));
        if (read.isValid())
            QCOMPARE(read.name(), QColor::fromString(text).name(QColor::HexRgb));
        else
            QVERIFY(read.name().isEmpty());
    }

    void storeFoldersComeFromTheEnvironmentFirst()
    {
        UserDefaults defaults(m_dir->filePath("prefs.json"));
        QCOMPARE(StoreFolders::configuredRoots(defaults), QStringList{StoreFolders::defaultRoot()});
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
        EventStore& store = opened();
        QVERIFY(store.saveReminder(newTask(store, "Kept"), true));
        ReminderPtr task = allReminders(store).first();
        const QString folder = task->calendar->folderPath;
        const QByteArray before = readFile(task->origin->path());
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);

        const CalendarPtr list = store.calendarWithIdentifier(task->calendar->calendarIdentifier);
        QVERIFY(list->immutable && !list->allowsContentModifications());
        // (That the store then refuses a change is tst_cli's.) A stale object that still thinks
        // the list is writable: the write itself fails.
        task->title = "Changed";
        QString error;
        task->calendar = std::make_shared<Calendar>(*list);
        task->calendar->immutable = false;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(".*"));
        QVERIFY(!store.saveReminder(task, true, &error));
        QCOMPARE(readFile(task->origin->path()), before);

        // Nor does it move out of the list.
        CalendarPtr writable = store.calendarForEntityType(EntityType::Reminder);
        writable->title = "Writable";
        QVERIFY(store.saveCalendar(writable, true, &error));
        task = allReminders(store).first();
        task->calendar = store.calendarWithIdentifier(writable->calendarIdentifier);
        QVERIFY(task->calendar);
        QVERIFY(!store.saveReminder(task, true, &error));
        QVERIFY2(error.contains("read-only"), qPrintable(error));
        QCOMPARE(readFile(task->origin->path()), before);
        QVERIFY(QDir(writable->folderPath).entryList({"*.ics"}).isEmpty());

        // Nor into one.
        ReminderPtr other = newTask(store, "Elsewhere");
        other->calendar = store.calendarWithIdentifier(writable->calendarIdentifier);
        QVERIFY(store.saveReminder(other, true, &error));
        const QByteArray otherBefore = readFile(other->origin->path());
        other->calendar = list;
        QVERIFY(!store.saveReminder(other, true, &error));
        QVERIFY2(error.contains("read-only"), qPrintable(error));
        QCOMPARE(readFile(other->origin->path()), otherBefore);
        QCOMPARE(QDir(folder).entryList({"*.ics"}).size(), 1);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    }

private:
    QString root() const { return m_dir->filePath("store"); }

    // A store over the test's folder, with access asked for (and the first run made).
    EventStore& opened()
    {
        m_store.emplace(QStringList{root()}, m_clock);
        if (!m_store->accessToEntityType(EntityType::Reminder))
            QTest::qFail("no access to the store", __FILE__, __LINE__);
        return *m_store;
    }

    ReminderPtr newTask(EventStore& store, const QString& title)
    {
        ReminderPtr reminder = store.reminderWithEventStore();
        reminder->title = title;
        reminder->calendar = store.defaultCalendarForNewReminders();
        return reminder;
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
    std::optional<EventStore> m_store;
};

VELMORAN_TEST_MAIN(TestEventStore)
#include "tst_eventstore.moc"
