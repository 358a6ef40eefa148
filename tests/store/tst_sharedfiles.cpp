// Files that hold several tasks (an export, a calendar file dropped into a list folder): every
// task is listed on its own, an edit, completion, move or deletion of one leaves every other
// component of the file as it was, and files of one task behave as they always did.

#include "IcsLines.h"
#include "StoreLookups.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/store/EventStore.h"
#include "platform/store/IcsItem.h"

#include <QGuiApplication>
#include <QTemporaryDir>

using namespace store;
using namespace TestFiles;
using StoreQueries::allReminders;
using namespace StoreLookups;

namespace {

const QByteArray kHeader = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Export//Tasks//EN\r\n";
const QByteArray kBerlin =
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\n"
    "TZOFFSETTO:+0200\r\nTZNAME:CEST\r\nDTSTART:19700329T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\n"
    "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\nDTSTART:19701025T030000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
const QByteArray kTokyo = "BEGIN:VTIMEZONE\r\nTZID:Asia/Tokyo\r\nBEGIN:STANDARD\r\n"
                          "TZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\nTZNAME:JST\r\n"
                          "DTSTART:19700101T000000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
const QByteArray kFirst = "BEGIN:VTODO\r\nUID:first\r\nDTSTAMP:20261201T080000Z\r\n"
                          "SUMMARY:First\r\nX-EXPORT-ORDER:1\r\nEND:VTODO\r\n";
// The lines of the second task as a file of its own has them: libical's parser note is left
// behind.
const QByteArray kSecondKept =
    "BEGIN:VTODO\r\nUID:second\r\nDTSTAMP:20261201T080000Z\r\nSUMMARY:Second\r\n"
    "DESCRIPTION:A description long enough to be folded by the program that exported th\r\n"
    " is file\\, kept as it was\r\nDUE;TZID=Europe/Berlin:20261210T090000\r\n"
    "X-EXPORT-ORDER;X-NOTE=kept:2\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Second\r\nTRIGGER:-PT15M\r\n"
    "X-ALARM-SOUND:chime\r\nEND:VALARM\r\nEND:VTODO\r\n";
const QByteArray kParserNote = "X-LIC-ERROR;X-LIC-ERRORTYPE=VALUE-PARSE-ERROR:bad\r\n";
const QByteArray kSecond =
    QByteArray(kSecondKept).insert(kSecondKept.indexOf("X-EXPORT"), kParserNote);
const QByteArray kThird = "BEGIN:VTODO\r\nUID:third\r\nDTSTAMP:20261201T080000Z\r\n"
                          "SUMMARY:Third\r\nPRIORITY:1\r\nDUE;VALUE=DATE:20261207\r\n"
                          "RRULE:FREQ=WEEKLY\r\nEND:VTODO\r\n";
const QByteArray kFooter = "END:VCALENDAR\r\n";

QByteArray exportFile()
{
    return kHeader + kBerlin + kTokyo + kFirst + kSecond + kThird + kFooter;
}

// The VTODO with that UID, as the file has it.
QByteArray todoOf(const QByteArray& file, const QByteArray& uid)
{
    for (qsizetype at = file.indexOf("BEGIN:VTODO"); at >= 0;
         at = file.indexOf("BEGIN:VTODO", at + 1)) {
        const qsizetype end = file.indexOf("END:VTODO\r\n", at) + 11;
        const QByteArray todo = file.mid(at, end - at);
        if (todo.contains("\r\nUID:" + uid + "\r\n"))
            return todo;
    }
    return {};
}

} // namespace

class TestSharedFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_clock.setNow(TestEnvironment::local(2026, 12, 6, 10, 0)); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        writeFile(folder("tasks") + "/displayname", "Tasks");
        writeFile(folder("other") + "/displayname", "Other");
    }

    void cleanup() { m_store.reset(); }

    void tasksReadFromOneFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("tasks"); // identifier=title
        QTest::newRow("three tasks")
            << exportFile() << QStringList{"first=First", "second=Second", "third=Third"};
        QTest::newRow("a recurring task and its override")
            << kHeader +
                   "BEGIN:VTODO\r\nUID:weekly\r\nSUMMARY:Weekly\r\n"
                   "DUE;VALUE=DATE:20261207\r\nRRULE:FREQ=WEEKLY\r\nEND:VTODO\r\n"
                   "BEGIN:VTODO\r\nUID:weekly\r\nRECURRENCE-ID;VALUE=DATE:20261214\r\n"
                   "SUMMARY:Weekly, moved\r\nDUE;VALUE=DATE:20261215\r\nEND:VTODO\r\n" +
                   kFooter
            << QStringList{"weekly=Weekly"};
        QTest::newRow("a repeated UID")
            << kHeader + kFirst + kFirst + kFooter << QStringList{"first=First"};
        QTest::newRow("a task without UID")
            << kHeader + kFirst + "BEGIN:VTODO\r\nSUMMARY:Nameless\r\nEND:VTODO\r\n" + kFooter
            << QStringList{"first=First"};
    }

    void tasksReadFromOneFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, tasks);
        writeFile(exportPath(), file);
        EventStore store({root()}, m_clock);
        QStringList read;
        for (const ReminderPtr& task : allReminders(store)) {
            read << task->calendarItemIdentifier + "=" + task->title;
            QCOMPARE(task->origin->path(), exportPath());
            QCOMPARE(task->calendar->title, QString("Tasks"));
        }
        read.sort();
        QCOMPARE(read, tasks);
    }

    void anEditRewritesOnlyThatTask_data()
    {
        QTest::addColumn<QByteArray>("uid");
        QTest::addColumn<QByteArray>("component");
        QTest::addColumn<bool>("completing");
        QTest::addColumn<QStringList>("changed");
        QTest::newRow("renaming the second")
            << QByteArray("second") << kSecond << false << QStringList{"PRIORITY", "SUMMARY"};
        QTest::newRow("completing the first")
            << QByteArray("first") << kFirst << true
            << QStringList{"COMPLETED", "PERCENT-COMPLETE", "STATUS"};
    }

    void anEditRewritesOnlyThatTask()
    {
        QFETCH(QByteArray, uid);
        QFETCH(QByteArray, component);
        QFETCH(bool, completing);
        QFETCH(QStringList, changed);
        EventStore& store = storeOverExport();
        // Saving what was read changes nothing (a file of one task: tst_icsitem), whatever the
        // edit after it then changes.
        for (const ReminderPtr& unchanged : allReminders(store))
            QVERIFY(store.saveReminder(unchanged, false));
        QString error;
        QVERIFY2(store.commit(&error), qPrintable(error));
        QCOMPARE(readFile(exportPath()), exportFile());
        const ReminderPtr task = taskWithIdentifier(store, uid);
        if (completing) {
            task->setCompleted(true, m_clock.now());
        } else {
            task->title = task->title.toString() + ", renamed";
            task->priority = 5;
        }
        QVERIFY2(store.saveReminder(task, true, &error), qPrintable(error));

        const QByteArray after = readFile(exportPath());
        QCOMPARE(IcsLines::changedProperties(component, todoOf(after, uid)), changed);
        QCOMPARE(after, QByteArray(exportFile()).replace(component, todoOf(after, uid)));
        QCOMPARE(taskWithIdentifier(store, uid)->title, task->title);
        QCOMPARE(QDir(folder("tasks")).entryList({"*.ics"}), QStringList{"export.ics"});
    }

    // The completed occurrence of a recurring task is a file of its own; the series moves on
    // in the shared file.
    void completingARecurringTaskOfASharedFile()
    {
        EventStore& store = storeOverExport();
        const ReminderPtr third = taskWithIdentifier(store, "third");
        third->setCompleted(true, m_clock.now());
        QString error;
        QVERIFY2(store.saveReminder(third, true, &error), qPrintable(error));

        const QByteArray after = readFile(exportPath());
        QCOMPARE(after, QByteArray(exportFile()).replace(kThird, todoOf(after, "third")));
        QCOMPARE(IcsLines::value(todoOf(after, "third"), "DUE"), QByteArray("20261214"));

        const QStringList files = QDir(folder("tasks")).entryList({"*.ics"});
        QCOMPARE(files.size(), 2);
        const QString copyName = files.at(files.at(0) == "export.ics" ? 1 : 0);
        const QByteArray copy = readFile(folder("tasks") + "/" + copyName);
        QVERIFY(copy.startsWith(kHeader + "BEGIN:VTODO"));
        const Reminder done = IcsItem::parse(copy)->toReminder();
        QVERIFY(done.completed && !done.hasRecurrenceRules());
        QCOMPARE(allReminders(store).size(), 4);
    }

    // A recurring task leaves with the overrides of its occurrences, in the file's own line
    // endings; the event stays.
    void aRecurringTaskLeavesWithItsOverrides()
    {
        const QByteArray header = "BEGIN:VCALENDAR\nPRODID:-//Other//EN\nVERSION:2.0\n";
        const QByteArray master = "BEGIN:VTODO\nUID:weekly\nSUMMARY:Weekly\n"
                                  "DUE;VALUE=DATE:20261207\nRRULE:FREQ=WEEKLY\nEND:VTODO\n";
        const QByteArray moved = "BEGIN:VTODO\nUID:weekly\nRECURRENCE-ID;VALUE=DATE:20261214\n"
                                 "SUMMARY:Weekly, moved\nEND:VTODO\n";
        const QByteArray event = "BEGIN:VEVENT\nUID:meeting\nDTSTART:20261207T100000Z\n"
                                 "SUMMARY:Meeting\nEND:VEVENT\n";
        std::optional<IcsItem> item =
            IcsItem::parse(header + master + event + moved + "END:VCALENDAR\n");
        QVERIFY(item);
        QCOMPARE(item->todoUids(), QStringList{"weekly"});
        const std::optional<IcsItem> alone = item->takeTodo("weekly");
        QVERIFY(alone);
        QCOMPARE(alone->serialize(), "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Other//EN\n" +
                                         master + moved + "END:VCALENDAR\n");
        QCOMPARE(item->serialize(), header + event + "END:VCALENDAR\n");
        QVERIFY(!item->hasTodo());
    }

    void deletingTheMiddleTask()
    {
        EventStore& store = storeOverExport();
        QString error;
        QVERIFY2(store.removeReminder(taskWithIdentifier(store, "second"), true, &error),
                 qPrintable(error));
        QCOMPARE(readFile(exportPath()), QByteArray(exportFile()).replace(kSecond, ""));
        QCOMPARE(identifiers(store), (QStringList{"first", "third"}));

        // The last task of the file but one, then the last: the file goes with it.
        QVERIFY2(store.removeReminder(taskWithIdentifier(store, "first"), true, &error),
                 qPrintable(error));
        QCOMPARE(readFile(exportPath()), kHeader + kBerlin + kTokyo + kThird + kFooter);
        QVERIFY2(store.removeReminder(taskWithIdentifier(store, "third"), true, &error),
                 qPrintable(error));
        QVERIFY(!QFile::exists(exportPath()));
        QVERIFY(allReminders(store).isEmpty());
    }

    // Deleting the completed tasks of a list, or any batch: each change of the commit finds the
    // file as the one before it left it, and a task already taken out stays out.
    void severalChangesToOneFileInOneCommit()
    {
        EventStore& store = storeOverExport();
        const ReminderPtr first = taskWithIdentifier(store, "first");
        const ReminderPtr firstElsewhere = taskWithIdentifier(store, "first");
        const ReminderPtr third = taskWithIdentifier(store, "third");
        first->title = "First, renamed";
        QVERIFY(store.saveReminder(first, false));
        QVERIFY(store.removeReminder(third, false));
        QVERIFY(store.removeReminder(taskWithIdentifier(store, "second"), false));
        third->title = "Third, renamed after its deletion";
        QVERIFY(store.saveReminder(third, false));
        firstElsewhere->priority = 9; // read before the rename: it must not undo it
        QVERIFY(store.saveReminder(firstElsewhere, false));
        QString error;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("changed by another program"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("changed by another program"));
        QVERIFY(!store.commit(&error));
        QVERIFY2(error.contains("Third, renamed"), qPrintable(error));
        QVERIFY2(error.contains("First"), qPrintable(error));

        const QByteArray after = readFile(exportPath());
        QCOMPARE(after, kHeader + kBerlin + kTokyo + todoOf(after, "first") + kFooter);
        QCOMPARE(IcsLines::changedProperties(kFirst, todoOf(after, "first")),
                 QStringList{"SUMMARY"});
        QCOMPARE(identifiers(store), QStringList{"first"});
    }

    // A second program's change since the read wins: nothing is cut out of the file.
    void aSharedFileChangedSinceTheReadIsLeftAlone()
    {
        EventStore& store = storeOverExport();
        const ReminderPtr second = taskWithIdentifier(store, "second");
        const QByteArray changed = QByteArray(exportFile()).replace("SUMMARY:First", "SUMMARY:1st");
        replaceFile(exportPath(), changed);
        QString error;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("changed by another program"));
        QVERIFY(!store.removeReminder(second, true, &error));
        QCOMPARE(readFile(exportPath()), changed);
        QCOMPARE(allReminders(store).size(), 3);
    }

    void deletingTheTaskOfAFileWithAnEventKeepsTheEvent()
    {
        const QByteArray chore = "BEGIN:VTODO\r\nUID:chore\r\nSUMMARY:Chore\r\nEND:VTODO\r\n";
        const QByteArray mixed = kHeader + chore +
                                 "BEGIN:VEVENT\r\nUID:meeting\r\nDTSTAMP:20261201T080000Z\r\n"
                                 "DTSTART:20261207T100000Z\r\nDTEND:20261207T110000Z\r\n"
                                 "SUMMARY:Meeting\r\nEND:VEVENT\r\n" +
                                 kFooter;
        writeFile(exportPath(), mixed);
        EventStore store({root()}, m_clock);
        QString error;
        QVERIFY2(store.removeReminder(taskWithIdentifier(store, "chore"), true, &error),
                 qPrintable(error));
        QCOMPARE(readFile(exportPath()), QByteArray(mixed).replace(chore, ""));
        QVERIFY(allReminders(store).isEmpty());
        QCOMPARE(eventTitles(store), QStringList{"Meeting"});
    }

    void movingOneTaskToAnotherList()
    {
        EventStore& store = storeOverExport();
        const ReminderPtr second = taskWithIdentifier(store, "second");
        second->calendar = listTitled(store, "Other");
        QString error;
        QVERIFY2(store.saveReminder(second, true, &error), qPrintable(error));

        QCOMPARE(readFile(exportPath()), QByteArray(exportFile()).replace(kSecond, ""));
        const QString moved = folder("other") + "/second.ics";
        QCOMPARE(second->origin->path(), moved);
        QCOMPARE(readFile(moved), kHeader + kBerlin + kSecondKept + kFooter);
        QCOMPARE(taskWithIdentifier(store, "second")->calendar->title, QString("Other"));
        QCOMPARE(identifiers(store), (QStringList{"first", "second", "third"}));
    }

private:
    QString root() const { return m_dir->filePath("store"); }

    // A store whose list holds the export of three tasks.
    EventStore& storeOverExport()
    {
        writeFile(exportPath(), exportFile());
        return m_store.emplace(QStringList{root()}, m_clock);
    }
    QString folder(const QString& name) const { return root() + "/" + name; }
    QString exportPath() const { return folder("tasks") + "/export.ics"; }

    static QStringList identifiers(EventStore& store)
    {
        QStringList result;
        for (const ReminderPtr& reminder : allReminders(store))
            result << reminder->calendarItemIdentifier;
        result.sort();
        return result;
    }

    static QStringList eventTitles(EventStore& store)
    {
        QStringList titles;
        const QDateTime from = TestEnvironment::local(2026, 12, 1, 0, 0);
        for (const EventPtr& event : store.eventsMatchingPredicate(
                 store::predicateForEventsWithStartDate(from, from.addDays(30), {})))
            titles << event->title;
        return titles;
    }

    Clock m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::optional<EventStore> m_store;
};

VELMORAN_TEST_MAIN(TestSharedFiles)
#include "tst_sharedfiles.moc"
