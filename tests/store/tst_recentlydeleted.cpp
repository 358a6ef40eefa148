// Recently Deleted over real folders: what leaves the store, whoever takes it out, is kept
// with where it came from and comes back unchanged. (That a failed write deletes nothing is
// tst_faultinjection's: it fails each call of a deletion in turn.)

#include "StoreLookups.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/Clock.h"
#include "platform/ReplaceFileContents.h"
#include "platform/store/EventStore.h"
#include "platform/trash/FolderSnapshot.h"
#include "platform/trash/RecentlyDeleted.h"

#include <QDir>
#include <QTemporaryDir>

using namespace store;
using StoreLookups::taskTitled;
using namespace TestFiles;
using trash::DeletedBy;
using trash::EntryKind;
using trash::RecentlyDeleted;

class TestRecentlyDeleted : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_clock.setNow(TestEnvironment::local(2026, 12, 9, 10, 30));
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/home/color", "#ff2968");
        writeFile(root() + "/work/displayname", "Work");
        RecentlyDeleted().empty();
    }

    // A trash on another file system gets a copy, made durable before the original goes.
    void aMovedTaskComesBackByteForByteAndOnlyOnce_data()
    {
        QTest::addColumn<bool>("elsewhere");
        QTest::newRow("beside the store") << false;
        QTest::newRow("on another file system") << true;
    }

    void aMovedTaskComesBackByteForByteAndOnlyOnce()
    {
        QFETCH(bool, elsewhere);
        QTemporaryDir shm(QStringLiteral("/dev/shm/velmoran-trash-XXXXXX"));
        if (elsewhere && !shm.isValid())
            QSKIP("no second file system here");
        const QString folder = elsewhere ? shm.path() : trashFolder();
        RecentlyDeleted trash(folder);
        const QString id = moved(trash, "t-1", "Water plants", "X-OTHER:kept\r\n");
        QVERIFY(!QFileInfo::exists(root() + "/home/t-1.ics"));
        QCOMPARE(trash.entries().size(), 1);
        QCOMPARE(trash.entries().first().deletedAt, m_clock.now().toUTC());

        // Two programs restore the same item: one wins, the other is told.
        RecentlyDeleted other(folder);
        QString restored;
        QVERIFY(trash.restoreTask(id, root() + "/home", &restored, nullptr));
        QCOMPARE(readFile(restored), todo("t-1", "Water plants", "X-OTHER:kept\r\n"));
        QString error;
        QVERIFY(!other.restoreTask(id, root() + "/home", &restored, &error));
        QVERIFY2(error.contains("no deleted task"), qPrintable(error));
        QVERIFY(trash.entries().isEmpty());
    }

    void aRestoreOverATakenNameChangesNothing()
    {
        const QString path = root() + "/home/t-2.ics";
        RecentlyDeleted trash(trashFolder());
        const QString id = moved(trash, "t-2", "First");
        writeFile(path, todo("t-2b", "Newcomer"));
        QString error;
        QVERIFY(!trash.restoreTask(id, root() + "/home", nullptr, &error));
        QVERIFY2(error.contains("already in its list"), qPrintable(error));
        QCOMPARE(readFile(path), todo("t-2b", "Newcomer"));
        QCOMPARE(trash.entries().size(), 1);
    }

    // A record lost or cut short: the item is still listed, from its own content.
    void aDamagedRecordStillListsTheItem()
    {
        RecentlyDeleted trash(trashFolder());
        const QString id = moved(trash, "t-5", "Without record", {}, DeletedBy::Sync);
        writeFile(trashFolder() + "/" + id + "/record.json", "{\"title\": ");
        const std::optional<trash::DeletedEntry> entry = trash.entry(id);
        QVERIFY(entry && entry->recordDamaged && entry->kind == EntryKind::Task);
        QCOMPARE(entry->title + " " + entry->uid, QString("Without record t-5"));
    }

    void oldAndOversizedItemsArePurged()
    {
        RecentlyDeleted trash(trashFolder());
        const QList<int> ages = {40, 20, 10, 1};
        for (int age : ages) {
            QString path = root() + QStringLiteral("/home/age-%1.ics").arg(age);
            writeFile(path, todo("age-" + QByteArray::number(age), QByteArray(2000, 'x')));
            QVERIFY(trash.moveTask(path, {QString::number(age), "Home", {}, {}, {}},
                                   DeletedBy::Velmoran, m_clock.now().addDays(-age), nullptr,
                                   nullptr));
        }
        QCOMPARE(trash.purge(m_clock.now(), 30, -1), 1);
        QCOMPARE(trash.entries().size(), 3);
        // The size limit lets the oldest go first.
        const qint64 one = trash.entries().first().size;
        QCOMPARE(trash.purge(m_clock.now(), 30, one + one / 2), 2);
        QCOMPARE(trash.entries().size(), 1);
        QCOMPARE(trash.entries().first().title, QString("1"));
    }

    // Files another program removes are kept, while the program runs and between runs; a task
    // another program only moved to another list is not.
    void removalsByOthersAreKept()
    {
        const QByteArray first = todo("o-1", "Removed while running", "X-KEEP:1\r\n");
        const QByteArray second = todo("o-2", "Removed between runs");
        writeFile(root() + "/home/o-1.ics", first);
        writeFile(root() + "/home/o-2.ics", second);
        writeFile(root() + "/home/o-3.ics", todo("o-3", "Moved"));
        {
            EventStore store({root()}, m_clock);
            QCOMPARE(StoreQueries::allReminders(store).size(), 3);
            QVERIFY(QFile::remove(root() + "/home/o-1.ics"));
            QVERIFY(QFile::rename(root() + "/home/o-3.ics", root() + "/work/o-3.ics"));
            QCOMPARE(StoreQueries::allReminders(store).size(), 2);
            const QList<trash::DeletedEntry> entries = store.recentlyDeleted().entries();
            QCOMPARE(entries.size(), 1);
            QCOMPARE(entries.first().deletedBy, DeletedBy::OtherProgram);
        }
        QVERIFY(QFile::remove(root() + "/home/o-2.ics"));
        EventStore store({root()}, m_clock);
        QCOMPARE(StoreQueries::allReminders(store).size(), 1);
        QCOMPARE(store.recentlyDeleted().entries().size(), 2);
        for (const trash::DeletedEntry& entry : store.recentlyDeleted().entries()) {
            EventStore::RestoreOutcome outcome;
            QString error;
            QVERIFY2(store.restoreDeleted(entry.id, &outcome, &error), qPrintable(error));
            QCOMPARE(outcome.listTitle, QString("Home"));
        }
        QCOMPARE(readFile(root() + "/home/o-1.ics"), first);
        QCOMPARE(readFile(root() + "/home/o-2.ics"), second);
        QCOMPARE(StoreQueries::allReminders(store).size(), 3);
    }

    // A list goes with its name, colour and tasks, and comes back whole.
    void aDeletedListComesBackWhole()
    {
        const QByteArray one = todo("l-1", "One");
        const QByteArray two = todo("l-2", "Two", "STATUS:COMPLETED\r\n");
        writeFile(root() + "/home/l-1.ics", one);
        writeFile(root() + "/home/l-2.ics", two);
        EventStore store({root()}, m_clock);
        const CalendarPtr home = store.calendarWithIdentifier("home");
        QVERIFY(home);
        QString id;
        QVERIFY(store.removeCalendar(home, true, nullptr, &id));
        QVERIFY(!QFileInfo::exists(root() + "/home"));
        QCOMPARE(store.recentlyDeleted().entry(id)->taskCount, 2);

        EventStore::RestoreOutcome outcome;
        QString error;
        QVERIFY2(store.restoreDeleted(id, &outcome, &error), qPrintable(error));
        QCOMPARE(readFile(root() + "/home/l-1.ics"), one);
        QCOMPARE(readFile(root() + "/home/l-2.ics"), two);
        const CalendarPtr back = store.calendarWithIdentifier("home");
        QVERIFY(back && back->title == "Home" && back->color.name() == "#ff2968");
        QCOMPARE(StoreQueries::allReminders(store).size(), 2);
    }

    // A task deleted out of a file it shares with others is kept as a file of its own, and
    // comes back as one; the others never left.
    void aTaskCutOutOfASharedFileComesBackAsAFileOfItsOwn()
    {
        const QByteArray header = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Export//EN\r\n";
        const QByteArray one = "BEGIN:VTODO\r\nUID:s-1\r\nSUMMARY:One\r\nEND:VTODO\r\n";
        const QByteArray two =
            "BEGIN:VTODO\r\nUID:s-2\r\nSUMMARY:Two\r\nX-MINE:kept\r\nEND:VTODO\r\n";
        const QByteArray footer = "END:VCALENDAR\r\n";
        writeFile(root() + "/home/export.ics", header + one + two + footer);
        EventStore store({root()}, m_clock);
        QString id;
        QVERIFY(store.removeReminder(taskTitled(store, "Two"), true, nullptr, &id));
        QCOMPARE(readFile(root() + "/home/export.ics"), header + one + footer);
        const std::optional<trash::DeletedEntry> entry = store.recentlyDeleted().entry(id);
        QCOMPARE(readFile(store.recentlyDeleted().keptTaskFile(*entry)), header + two + footer);
        QString error;
        QVERIFY2(store.restoreDeleted(id, nullptr, &error), qPrintable(error));
        QCOMPARE(readFile(root() + "/home/s-2.ics"), header + two + footer);
        QCOMPARE(StoreQueries::titles(StoreQueries::allReminders(store)).size(), 2);
    }

    // A snapshot whose folders did not change since its last walk is not walked again; any
    // change on either side, even one the clock has since made look old, walks it again.
    void aSnapshotInLineIsWalkedAgainOnAnyChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("a link lost") << "unlink";
        QTest::newRow("a file added") << "add";
        QTest::newRow("a file replaced") << "replace";
        QTest::newRow("a file removed") << "remove";
    }
    void aSnapshotInLineIsWalkedAgainOnAnyChange()
    {
        QFETCH(QString, change);
        const QString folder = root() + "/home";
        writeFile(folder + "/a.ics", todo("a", "First"));
        writeFile(folder + "/b.ics", todo("b", "Second"));
        trash::FolderSnapshot snapshot(m_dir->filePath("snapshot"));
        const QString linkA = snapshot.keptPath(folder, "a.ics");
        const QString snapshotFolder = QFileInfo(linkA).path();
        CollectionFolder home;
        home.folderPath = folder;
        const auto update = [&] {
            DirectoryStamp stamp;
            const QList<ItemFile> listing = VdirCollections::itemFiles(home, &stamp);
            m_gone = snapshot.update(folder, listing, stamp);
        };
        setModified(folder, ::time(nullptr) - 120);
        update(); // links every file
        setModified(snapshotFolder, ::time(nullptr) - 60);
        update(); // finds them in line, and says so
        QVERIFY(QFileInfo::exists(m_dir->filePath("snapshot-in-line/") +
                                  QFileInfo(snapshotFolder).fileName()));
        QVERIFY(m_gone.isEmpty());

        if (change == "unlink")
            QVERIFY(QFile::remove(linkA));
        else if (change == "add")
            writeFile(folder + "/c.ics", todo("c", "Third"));
        else if (change == "replace")
            QVERIFY(replaceFileContents(folder + "/a.ics", todo("a", "First, again")));
        else
            QVERIFY(QFile::remove(folder + "/b.ics"));
        if (change != "unlink")
            setModified(folder, ::time(nullptr) - 90);
        update();

        QCOMPARE(m_gone, change == "remove" ? QStringList{"b.ics"} : QStringList{});
        QCOMPARE(readFile(linkA), readFile(folder + "/a.ics"));
        QCOMPARE(QFileInfo::exists(snapshot.keptPath(folder, "c.ics")), change == "add");
    }

private:
    // Moves a task, written in a file of its own in Home, to `trash`; the entry's identifier.
    QString moved(RecentlyDeleted& trash, const QByteArray& uid, const QByteArray& title,
                  const QByteArray& extra = {}, DeletedBy by = DeletedBy::Velmoran)
    {
        const QString path = root() + "/home/" + uid + ".ics";
        writeFile(path, todo(uid, title, extra));
        QString id;
        QString error;
        if (!trash.moveTask(path,
                            {QString::fromUtf8(title), "Home", QString::fromUtf8(uid), {}, {}}, by,
                            m_clock.now(), &id, &error))
            QTest::qFail(qPrintable(error), __FILE__, __LINE__);
        return id;
    }

    QString root() const { return m_dir->filePath("store"); }
    QString trashFolder() const { return m_dir->filePath("trash"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    Clock m_clock;
    QStringList m_gone;
};

VELMORAN_TEST_MAIN(TestRecentlyDeleted)
#include "tst_recentlydeleted.moc"
