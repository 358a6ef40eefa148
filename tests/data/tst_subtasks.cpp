#include "IcsLines.h"
#include "SeededStore.h"
#include "TestEnvironment.h"

#include "data/TaskOperations.h"
#include "data/subtasks/SubtaskOperations.h"
#include "data/subtasks/SubtaskTree.h"

using namespace store;
using namespace TestFiles;

namespace {

// A task file as another program leaves it: list folder, UID, the lines after the SUMMARY.
struct Written
{
    QString list;
    QByteArray uid;
    QByteArray lines;
};

// "uid>parent@depth" for every task, sorted; "uid@0" for a task on its own.
QStringList shape(const SubtaskTree& tree)
{
    QStringList out;
    for (qsizetype i = 0; i < tree.size(); ++i) {
        const qsizetype parent = tree.parentIndex(i);
        out << tree.tasks().at(i)->uid +
                   (parent >= 0 ? '>' + tree.tasks().at(parent)->uid : QString()) + '@' +
                   QString::number(tree.depth(i));
    }
    out.sort();
    return out;
}

} // namespace

Q_DECLARE_METATYPE(QList<Written>)

// Subtasks below the window: the forms of the parent link other CalDAV programs write, read
// from real files; the changes to links, folding, and a task with its subtasks, on a real
// store, with undo.
class TestSubtasks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<SeededStore>();
        m_store->clock.setNow(TestEnvironment::local(2026, 12, 9, 10, 30));
        m_store->addList("home", "Home");
        m_store->addList("work", "Work");
        trash::RecentlyDeleted().empty();
    }
    void cleanup() { m_store.reset(); }

    void readsTheLinksOtherProgramsWrite_data()
    {
        QTest::addColumn<QList<Written>>("files");
        QTest::addColumn<QStringList>("expected");
        const QByteArray parentLink = "RELATED-TO;RELTYPE=PARENT:";
        QTest::newRow("RELTYPE=PARENT")
            << QList<Written>{{"home", "p", ""}, {"home", "c", parentLink + "p\r\n"}}
            << QStringList{"c>p@1", "p@0"};
        QTest::newRow("no RELTYPE means parent")
            << QList<Written>{{"home", "p", ""}, {"home", "c", "RELATED-TO:p\r\n"}}
            << QStringList{"c>p@1", "p@0"};
        QTest::newRow("case of the type, after a sibling link")
            << QList<Written>{{"home", "p", ""},
                              {"home", "s", ""},
                              {"home", "c",
                               "RELATED-TO;RELTYPE=SIBLING:s\r\n"
                               "related-to;reltype=parent:p\r\n"}}
            << QStringList{"c>p@1", "p@0", "s@0"};
        QTest::newRow("CHILD and SIBLING do not nest")
            << QList<Written>{{"home", "a", "RELATED-TO;RELTYPE=CHILD:b\r\n"},
                              {"home", "b", "RELATED-TO;RELTYPE=SIBLING:a\r\n"}}
            << QStringList{"a@0", "b@0"};
        // Tasks.org writes a tree as deep as the user makes it.
        QTest::newRow("three levels")
            << QList<Written>{{"home", "grandchild", parentLink + "child\r\n"},
                              {"home", "child", parentLink + "top\r\n"},
                              {"home", "top", ""}}
            << QStringList{"child>top@1", "grandchild>child@2", "top@0"};
        QTest::newRow("a loop stands flat, what hangs off it stays")
            << QList<Written>{{"home", "a", parentLink + "b\r\n"},
                              {"home", "b", parentLink + "a\r\n"},
                              {"home", "self", parentLink + "self\r\n"},
                              {"home", "d", parentLink + "a\r\n"}}
            << QStringList{"a@0", "b@0", "d>a@1", "self@0"};
        QTest::newRow("a parent not in the store")
            << QList<Written>{{"home", "orphan", parentLink + "gone\r\n"}}
            << QStringList{"orphan@0"};
        QTest::newRow("a parent in another list")
            << QList<Written>{{"home", "p", ""}, {"work", "c", parentLink + "p\r\n"}}
            << QStringList{"c@0", "p@0"};
    }

    void readsTheLinksOtherProgramsWrite()
    {
        QFETCH(QList<Written>, files);
        QFETCH(QStringList, expected);
        for (const Written& file : files)
            writeFile(root() + '/' + file.list + '/' + file.uid + ".ics",
                      todo(file.uid, "Task " + file.uid, file.lines));
        EventStore fresh({root()}, m_store->clock);
        const SubtaskTree tree(
            fresh.remindersMatchingPredicate(predicateForRemindersInCalendars({})));
        QCOMPARE(tree.size(), files.size()); // none lost
        QCOMPARE(shape(tree), expected);
        // Arranged for a view, every task shows exactly once, however the links loop.
        const QList<SubtaskTree::Row> rows = tree.arrange(tree.tasks());
        QCOMPARE(rows.size(), tree.size());
        QSet<qsizetype> seen;
        for (const SubtaskTree::Row& row : rows)
            seen.insert(row.shownIndex);
        QCOMPARE(seen.size(), tree.size());
    }

    void changingALinkKeepsEveryOtherLineAndUndoes()
    {
        writeFile(root() + "/home/new-parent.ics", todo("new-parent", "New parent"));
        writeFile(root() + "/home/old-parent.ics", todo("old-parent", "Old parent"));
        writeFile(root() + "/home/child.ics",
                  todo("child", "Child",
                       "RELATED-TO;RELTYPE=SIBLING:sister\r\nRELATED-TO:old-parent\r\n"
                       "X-TASKS-ORG-ORDER;X-PARAM=1:7\r\nRELATED-TO;RELTYPE=CHILD:kid\r\n"));
        DataManager& manager = load();
        SubtaskOperations& subtasks = manager.subtasks();
        const ReminderPtr child = task("Child");
        QCOMPARE(subtasks.parentOf(*child), task("Old parent"));

        QVERIFY(subtasks.setParent(child, task("New parent")));
        QCOMPARE(subtasks.parentOf(*child)->title, QString("New parent")); // at once
        QList<QByteArray> lines = IcsLines::unfolded(readFile(root() + "/home/child.ics"));
        // The new link takes the old one's place; nothing else of the file moves.
        const qsizetype sibling = lines.indexOf("RELATED-TO;RELTYPE=SIBLING:sister");
        QVERIFY(sibling > 0);
        QCOMPARE(lines.mid(sibling, 4), (QList<QByteArray>{"RELATED-TO;RELTYPE=SIBLING:sister",
                                                           "RELATED-TO;RELTYPE=PARENT:new-parent",
                                                           "X-TASKS-ORG-ORDER;X-PARAM=1:7",
                                                           "RELATED-TO;RELTYPE=CHILD:kid"}));

        // Undo writes back the link as it was, and the tree follows the next snapshot.
        QVERIFY(m_store->afterRefresh([&] { manager.tasks().undoManager()->undo(); }));
        lines = IcsLines::unfolded(readFile(root() + "/home/child.ics"));
        QVERIFY(lines.contains("RELATED-TO;RELTYPE=PARENT:old-parent"));
        QCOMPARE(subtasks.parentOf(*task("Child"))->title, QString("Old parent"));

        QVERIFY(subtasks.setParent(task("Child"), nullptr));
        lines = IcsLines::unfolded(readFile(root() + "/home/child.ics"));
        QVERIFY(!lines.join().contains("PARENT"));
        QCOMPARE(
            lines.mid(lines.indexOf("RELATED-TO;RELTYPE=SIBLING:sister"), 3),
            (QList<QByteArray>{"RELATED-TO;RELTYPE=SIBLING:sister", "X-TASKS-ORG-ORDER;X-PARAM=1:7",
                               "RELATED-TO;RELTYPE=CHILD:kid"}));
    }

    // A link that would make a loop, or reach into another list, is refused and writes nothing.
    void aTaskWithItsSubtasksIsOneStepAndLinksThatWouldNotHoldAreRefused()
    {
        const QByteArray link = "RELATED-TO;RELTYPE=PARENT:";
        writeFile(root() + "/home/top.ics", todo("top", "Top"));
        writeFile(root() + "/home/mid.ics", todo("mid", "Mid", link + "top\r\n"));
        writeFile(root() + "/home/low.ics", todo("low", "Low", link + "mid\r\n"));
        writeFile(root() + "/home/done.ics",
                  todo("done", "Done", link + "top\r\nSTATUS:COMPLETED\r\n"));
        writeFile(root() + "/work/elsewhere.ics", todo("elsewhere", "Elsewhere"));
        DataManager& manager = load();
        SubtaskOperations& subtasks = manager.subtasks();
        UndoHistory& undo = *manager.tasks().undoManager();
        const QByteArray before = readFile(root() + "/home/top.ics");
        QString error;
        QVERIFY(!subtasks.setParent(task("Top"), task("Low"), &error));
        QVERIFY(!subtasks.setParent(task("Top"), task("Top"), &error));
        QVERIFY(!subtasks.setParent(task("Top"), task("Elsewhere"), &error));
        QCOMPARE(readFile(root() + "/home/top.ics"), before);
        QCOMPARE(undo.count(), 0);
        QCOMPARE(subtasks.progressOf(*task("Top")), (SubtaskTree::Progress{1, 2}));

        QVERIFY(m_store->afterRefresh([&] { subtasks.completeWithSubtasks(task("Top")); }));
        for (const char* title : {"Top", "Mid", "Low", "Done"})
            QVERIFY2(m_store->taskOnDisk(title)->completed, title);
        QCOMPARE(subtasks.progressOf(*task("Top")), (SubtaskTree::Progress{2, 2}));
        QCOMPARE(undo.count(), 1);
        QVERIFY(m_store->afterRefresh([&] { undo.undo(); }));
        for (const char* title : {"Top", "Mid", "Low"})
            QVERIFY2(!m_store->taskOnDisk(title)->completed, title);
        QVERIFY(m_store->taskOnDisk("Done")->completed);

        QVERIFY(m_store->afterRefresh([&] { subtasks.deleteWithSubtasks(task("Mid")); }));
        QCOMPARE(m_store->titlesOnDisk(), (QStringList{"Done", "Elsewhere", "Top"}));
        QVERIFY(m_store->afterRefresh([&] { undo.undo(); }));
        QCOMPARE(m_store->titlesOnDisk(), (QStringList{"Done", "Elsewhere", "Low", "Mid", "Top"}));
        QCOMPARE(subtasks.parentOf(*task("Low")), task("Mid"));

        const CalendarPtr work =
            manager.eventStore()->calendarWithIdentifier(m_store->listId("Work"));
        QVERIFY(m_store->afterRefresh([&] { subtasks.moveWithSubtasks(task("Mid"), work); }));
        QCOMPARE(m_store->taskOnDisk("Low")->calendar->title, QString("Work"));
        QCOMPARE(m_store->taskOnDisk("Top")->calendar->title, QString("Home"));
        // The links hold in the new list, and the one across lists shows flat but stays.
        QCOMPARE(subtasks.parentOf(*task("Low")), task("Mid"));
        QVERIFY(!subtasks.parentOf(*task("Mid")));
        QCOMPARE(m_store->taskOnDisk("Mid")->parentUid, QString("top"));
    }

private:
    QString root() const { return m_store->root(); }

    DataManager& load()
    {
        m_store->load();
        return *m_store->manager;
    }

    ReminderPtr task(const QString& title) const { return m_store->inSnapshot(title); }

    std::unique_ptr<SeededStore> m_store;
};

VELMORAN_TEST_MAIN(TestSubtasks)
#include "tst_subtasks.moc"
