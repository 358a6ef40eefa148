// A store opened only to read, as the command line's listings open it: it hands out the records
// it holds rather than copies, and those must read exactly as a copying store's records do
// (list and identifier included, however the identifiers were settled), while every change is
// refused and leaves the files as they were.

#include "StoreLookups.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/store/EventStore.h"

#include <QGuiApplication>
#include <QTemporaryDir>

using namespace store;
using namespace TestFiles;

namespace {

QString describe(const Reminder& task)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
        .arg(task.calendarItemIdentifier, task.title,
             task.calendar ? task.calendar->calendarIdentifier : QString(), task.uid,
             task.parentUid, task.origin ? task.origin->path() : QString())
        .arg(task.alarms.size())
        .arg(task.dueDateComponents ? task.dueDateComponents->toDateTime().toString(Qt::ISODate)
                                    : QString());
}

QStringList everyTask(EventStore& store)
{
    QStringList lines;
    for (const ReminderPtr& task : store.remindersMatchingPredicate(ReminderPredicate()))
        lines << describe(*task);
    return lines;
}

} // namespace

class TestReadingStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_cacheStem = m_dir->filePath("cache/store");
        for (const QString list : {"home", "work"}) {
            writeFile(folder(list) + "/displayname", list.toUtf8());
            for (int i = 0; i < 5; ++i)
                writeFile(folder(list) + QStringLiteral("/t%1.ics").arg(i),
                          todo(list.toUtf8() + QByteArray::number(i),
                               list.toUtf8() + " task " + QByteArray::number(i),
                               "DUE:2026031" + QByteArray::number(i) + "T090000Z\r\n"));
        }
        // The second file with a UID takes an identifier by its path.
        writeFile(folder("work") + "/copy.ics", todo("home1", "Copy of home 1"));
        // A subtask, with an alarm.
        writeFile(folder("home") + "/sub.ics",
                  todo("sub", "Subtask",
                       "RELATED-TO:home0\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                       "TRIGGER:-PT15M\r\nEND:VALARM\r\n"));
        // One file holding two tasks, each under its own UID.
        writeFile(folder("work") + "/export.ics",
                  "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VTODO\r\nUID:ex1\r\n"
                  "SUMMARY:First exported\r\nEND:VTODO\r\nBEGIN:VTODO\r\nUID:ex2\r\n"
                  "SUMMARY:Second exported\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
        ageTree(m_dir->filePath("store"));
    }

    void readsAsACopyingStoreReads_data()
    {
        QTest::addColumn<bool>("fromCache");
        QTest::newRow("files parsed") << false;
        QTest::newRow("parse cache") << true;
    }

    void readsAsACopyingStoreReads()
    {
        QFETCH(bool, fromCache);
        EventStore copying({root()}, m_clock);
        copying.setParseCacheFile(m_cacheStem);
        const QStringList expected = everyTask(copying);
        copying.waitForParseCache();
        QCOMPARE(expected.size(), 14);
        QVERIFY(expected.contains("home1@work/copy.ics|Copy of home 1|work|home1||" +
                                  folder("work") + "/copy.ics|0|"));

        EventStore reading({root()}, m_clock);
        reading.setParseCacheFile(fromCache ? m_cacheStem : QString());
        reading.setRecordSharing(EventStore::RecordSharing::ReadingOnly);
        QCOMPARE(everyTask(reading), expected);
        QCOMPARE(reading.parsedFileCount(), fromCache ? 0u : 13u);
        // Asked again, for one list: the same records, still with their own list each.
        const QList<ReminderPtr> all = reading.remindersMatchingPredicate(ReminderPredicate());
        const QList<ReminderPtr> work = reading.remindersMatchingPredicate(
            predicateForRemindersInCalendars({reading.calendarWithIdentifier("work")}));
        QCOMPARE(work.size(), 8);
        for (const ReminderPtr& task : work) {
            QVERIFY(all.contains(task));
            QCOMPARE(task->calendar->calendarIdentifier, QStringLiteral("work"));
        }
        QCOMPARE(everyTask(reading), expected);
    }

    void refusesEveryChange_data()
    {
        QTest::addColumn<QString>("change");
        for (const char* change :
             {"edit a task", "add a task", "remove a task", "rename a list", "remove a list"})
            QTest::newRow(change) << QString::fromLatin1(change);
    }

    void refusesEveryChange()
    {
        QFETCH(QString, change);
        const QByteArray before = readFile(folder("home") + "/t2.ics");
        EventStore reading({root()}, m_clock);
        reading.setParseCacheFile({});
        reading.setRecordSharing(EventStore::RecordSharing::ReadingOnly);
        const CalendarPtr home = reading.calendarWithIdentifier("home");
        ReminderPtr task = StoreLookups::taskWithIdentifier(reading, "home2");
        QVERIFY(task);
        QString error;
        bool done = true;
        if (change == "edit a task") {
            task->title = QStringLiteral("Edited");
            done = reading.saveReminder(task, true, &error);
        } else if (change == "add a task") {
            ReminderPtr added = reading.reminderWithEventStore();
            added->title = QStringLiteral("Added");
            added->calendar = home;
            done = reading.saveReminder(added, true, &error);
        } else if (change == "remove a task") {
            done = reading.removeReminder(task, true, &error);
        } else if (change == "rename a list") {
            auto renamed = std::make_shared<Calendar>(*home);
            renamed->title = QStringLiteral("Renamed");
            done = reading.saveCalendar(renamed, true, &error);
        } else {
            done = reading.removeCalendar(home, true, &error);
        }
        QVERIFY(!done);
        QVERIFY(!error.isEmpty());

        QCOMPARE(readFile(folder("home") + "/t2.ics"), before);
        QCOMPARE(readFile(folder("home") + "/displayname"), QByteArray("home"));
        QCOMPARE(QDir(folder("home")).entryList(QDir::Files).size(), 7);
    }

private:
    QString root() const { return m_dir->filePath("store"); }
    QString folder(const QString& name) const { return root() + '/' + name; }

    Clock m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_cacheStem;
};

VELMORAN_TEST_MAIN(TestReadingStore)
#include "tst_readingstore.moc"
