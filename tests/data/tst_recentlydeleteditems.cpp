#include "StoreQueries.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/RecentlyDeletedItems.h"
#include "data/StoreSession.h"
#include "platform/trash/RecentlyDeleted.h"
#include "text/DateFormatters.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>

using namespace TestFiles;
using TestEnvironment::local;

// The rows of Recently Deleted over a real trash and a real store: what each kind of entry
// shows, and what restoring and deleting for good do to the files and say to the user.
class TestRecentlyDeletedItems : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        trash::RecentlyDeleted().empty();
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/home/a.ics", todo("a", "Buy milk"));
        writeFile(root() + "/home/b.ics", todo("b", "Pay rent"));
        writeFile(root() + "/errands/displayname", "Errands");
        writeFile(root() + "/errands/e.ics", todo("e", "Call Sam"));
        writeFile(root() + "/work/displayname", "Work");
        writeFile(root() + "/work/w1.ics", todo("w1", "Plan sprint"));
        writeFile(root() + "/work/w2.ics", todo("w2", "Review budget"));
        m_bytes["errands/e.ics"] = readFile(root() + "/errands/e.ics");

        // Deleted before the store opens, so that it never sees the files go.
        trash::RecentlyDeleted trash;
        QString error;
        using By = trash::DeletedBy;
        const QList<std::tuple<QString, trash::RecentlyDeleted::TaskInfo, By>> tasks{
            {"home/a.ics", {"Buy milk", "Home", "a", {}, {}}, By::Velmoran},
            {"home/b.ics", {"Pay rent", "Home", "b", {}, {}}, By::OtherProgram},
            {"errands/e.ics", {"Call Sam", "Errands", "e", {}, {}}, By::Sync}};
        for (int day = 1; const auto& [name, record, by] : tasks) {
            QVERIFY2(trash.moveTask(root() + "/" + name, record, by, local(2026, 12, day++, 9, 0),
                                    nullptr, &error),
                     qPrintable(error));
        }
        QVERIFY(QDir(root() + "/errands").removeRecursively());
        QVERIFY2(trash.moveList({"Work", root() + "/work", {"w1.ics", "w2.ics"}},
                                trash::DeletedBy::Velmoran, local(2026, 12, 4, 9, 0), nullptr,
                                &error),
                 qPrintable(error));
        QVERIFY(QDir(root() + "/work").removeRecursively());

        m_clock.setNow(local(2026, 12, 9, 10, 30));
        m_session = std::make_unique<StoreSession>(
            [this] { return std::make_unique<store::EventStore>(QStringList{root()}, m_clock); });
        QVERIFY(m_session->eventStore()->accessToEntityType(store::EntityType::Reminder));
        m_items = std::make_unique<RecentlyDeletedItems>(*m_session, m_formatters);
        m_tester = std::make_unique<QAbstractItemModelTester>(
            m_items.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_items->reload();
    }

    void cleanup()
    {
        m_tester.reset();
        m_items.reset();
        m_session.reset();
        trash::RecentlyDeleted().empty();
    }

    void rowsShowEachKindNewestFirst()
    {
        QCOMPARE(m_items->rowCount(), 4);
        QCOMPARE(rowTexts(0),
                 QStringList({"Work", "List with 2 tasks", "04.12.2026, 09:00", "Velmoran"}));
        QCOMPARE(rowTexts(1), QStringList({"Call Sam", "Errands", "03.12.2026, 09:00", "Sync"}));
        QCOMPARE(rowTexts(2),
                 QStringList({"Pay rent", "Home", "02.12.2026, 09:00", "Another program"}));
        QCOMPARE(rowTexts(3), QStringList({"Buy milk", "Home", "01.12.2026, 09:00", "Velmoran"}));
    }

    // A task comes back into its list and a list with its tasks, the very files; a task whose
    // list is gone goes into another list and the user is told.
    void restorePutsTheFilesBack()
    {
        // Home is the only list left for the task whose list is gone.
        const RecentlyDeletedItems::Outcome outcome =
            m_items->restore({row("Buy milk"), row("Call Sam")});
        QCOMPARE(outcome.done, 2);
        QVERIFY(outcome.failures.isEmpty());
        QCOMPARE(outcome.message, QString("\"Call Sam\" went into \"Home\": its own list no longer "
                                          "exists."));
        QCOMPARE(m_items->restore({row("Work")}).done, 1);
        QCOMPARE(readFile(root() + "/home/e.ics"), m_bytes["errands/e.ics"]);
        QCOMPARE(readFile(root() + "/work/displayname"), QByteArray("Work"));
        QCOMPARE(m_items->rowCount(), 1);
        QCOMPARE(StoreQueries::allReminders(*m_session->eventStore()).size(), 4);
    }

    // One refusal does not hold the others up, and each is told by name in one message.
    void aRefusedRestoreIsToldByName()
    {
        // Another program wrote a task with the same UID in the meantime.
        writeFile(root() + "/home/copy-of-b.ics", todo("b", "Pay rent"));
        const RecentlyDeletedItems::Outcome outcome =
            m_items->restore({row("Pay rent"), row("Buy milk")});
        QCOMPARE(outcome.done, 1);
        const QStringList lines = outcome.message.split('\n');
        QCOMPARE(lines.at(0), QString("1 item could not be restored:"));
        QVERIFY2(lines.at(1).startsWith("\"Pay rent\" cannot be restored: the task is in the "
                                        "store already"),
                 qPrintable(lines.at(1)));
        QVERIFY(row("Pay rent") >= 0);
        QVERIFY(QFile::exists(root() + "/home/a.ics"));
        QVERIFY(!QFile::exists(root() + "/home/b.ics"));
    }

    void deleteNowLetsGoForGood()
    {
        const QString trashFolder = m_session->eventStore()->recentlyDeleted().folder();
        const int before =
            int(QDir(trashFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
        const RecentlyDeletedItems::Outcome outcome =
            m_items->deleteNow({row("Work"), row("Pay rent")});
        QCOMPARE(outcome.done, 2);
        QVERIFY(outcome.message.isEmpty());
        QCOMPARE(QDir(trashFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), before - 2);
        QCOMPARE(m_items->rowCount(), 2);
        QVERIFY(!QFile::exists(root() + "/work"));
        QVERIFY(!QFile::exists(root() + "/home/b.ics"));
        // Rows that went already (another window, another program) are told, not skipped.
        const QString milk = m_items->entry(row("Buy milk")).id;
        QVERIFY(m_session->eventStore()->recentlyDeleted().remove(milk, nullptr));
        const RecentlyDeletedItems::Outcome late = m_items->deleteNow({row("Buy milk")});
        QCOMPARE(late.done, 0);
        QVERIFY(late.message.startsWith("1 item could not be deleted:\n"));
        QCOMPARE(m_items->rowCount(), 1);
    }

private:
    QStringList rowTexts(int row) const
    {
        QStringList texts;
        for (int column = 0; column < m_items->columnCount(); ++column)
            texts << m_items->index(row, column).data().toString();
        return texts;
    }

    int row(const QString& title) const
    {
        for (int row = 0; row < m_items->rowCount(); ++row) {
            if (m_items->index(row, RecentlyDeletedItems::TitleColumn).data().toString() == title)
                return row;
        }
        return -1;
    }

    QString root() const { return m_dir->filePath("store"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    Clock m_clock;
    DateFormatters m_formatters{QLocale(QLocale::German, QLocale::Germany)};
    std::unique_ptr<StoreSession> m_session;
    std::unique_ptr<RecentlyDeletedItems> m_items;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
    QMap<QString, QByteArray> m_bytes;
};

VELMORAN_TEST_MAIN(TestRecentlyDeletedItems)
#include "tst_recentlydeleteditems.moc"
