#include "SeededStore.h"
#include "TestEnvironment.h"

#include "data/QuickActionPerformer.h"
#include "data/TaskOperations.h"
#include "presentation/entry/QuickAddSession.h"
#include "presentation/tasklist/SubtaskCommands.h"
#include "presentation/tasklist/TaskListPresenter.h"

using namespace TestFiles;
using store::ReminderPtr;
using Completion = SubtaskCommands::Completion;

namespace {

const QByteArray kLink = "RELATED-TO;RELTYPE=PARENT:";

// "uid" in Home, "uid>parent" in Home with its link, "work:uid" in Work.
void writeTasks(const QString& root, const QStringList& tasks)
{
    for (const QString& each : tasks) {
        const bool inWork = each.startsWith("work:");
        const QStringList parts = each.mid(inWork ? 5 : 0).split('>');
        const QByteArray uid = parts.first().toUtf8();
        writeFile(root + (inWork ? "/work/" : "/home/") + uid + ".ics",
                  todo(uid, "Task " + uid,
                       parts.size() > 1 ? kLink + parts.last().toUtf8() + "\r\n" : QByteArray()));
    }
}

} // namespace

// The task list's subtask commands below the window, on a real store: indenting under the task
// above and outdenting with undo, when a parent with open subtasks is completed without asking
// (the answers themselves are tst_subtaskcommandswindow's), a parent deleted or moved with its
// subtasks, and a subtask added from the quick-add form bound to its parent.
class TestSubtaskCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_store->addList("home", "Home");
        m_store->addList("work", "Work");
        trash::RecentlyDeleted().empty();
    }
    void cleanup()
    {
        m_commands.reset();
        m_store.reset();
    }

    void indentGoesUnderTheTaskAbove_data()
    {
        QTest::addColumn<QStringList>("tasks");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("parent"); // "": refused, nothing written

        QTest::newRow("the task directly above")
            << QStringList{"a", "b"} << QStringList{"a", "b"} << "a";
        // In a nested view the task moves one step in: under its sibling, not the sibling's
        // last subtask.
        QTest::newRow("past the subtasks of the sibling above")
            << QStringList{"a", "a1>a", "a1x>a1", "b"} << QStringList{"a", "a1", "a1x", "b"} << "a";
        QTest::newRow("a subtask under its sibling") << QStringList{"a", "a1>a", "a1x>a1", "a2>a"}
                                                     << QStringList{"a", "a1", "a1x", "a2"} << "a1";
        // A day view shows a subtask without its parent: the task above is what the user sees.
        QTest::newRow("the parent of the task above not shown")
            << QStringList{"a", "a1>a", "b"} << QStringList{"a1", "b"} << "a1";
        QTest::newRow("the first task") << QStringList{"a", "b"} << QStringList{"a"} << "";
        QTest::newRow("the task above in another list")
            << QStringList{"work:w", "b"} << QStringList{"w", "b"} << "";
    }

    void indentGoesUnderTheTaskAbove()
    {
        QFETCH(QStringList, tasks);
        QFETCH(QStringList, shown);
        QFETCH(QString, parent);
        writeTasks(m_store->root(), tasks);
        QVERIFY(m_store->load());
        QList<ReminderPtr> view;
        for (const QString& uid : std::as_const(shown))
            view << task(uid);
        const ReminderPtr moved = view.last();
        const QString before = moved->parentUid;

        QString reason;
        QCOMPARE(commands().indent(moved, view, &reason), !parent.isEmpty());
        QCOMPARE(m_store->taskOnDisk(moved->title)->parentUid, parent.isEmpty() ? before : parent);
        QCOMPARE(reason.isEmpty(), !parent.isEmpty());
        QCOMPARE(undo().count(), parent.isEmpty() ? 0 : 1);
    }

    // Outdenting climbs one level at a time, a task on its own is refused, and each step undoes.
    void outdentClimbsOneLevelAndUndoes()
    {
        writeTasks(m_store->root(), {"a", "a1>a", "a1x>a1"});
        QVERIFY(m_store->load());
        QString reason;
        QVERIFY(commands().outdent(task("a1x"), &reason));
        QCOMPARE(m_store->taskOnDisk("Task a1x")->parentUid, QString("a"));
        QVERIFY(commands().outdent(task("a1x"), &reason));
        QCOMPARE(m_store->taskOnDisk("Task a1x")->parentUid, QString());
        QVERIFY(!commands().outdent(task("a1x"), &reason));
        QCOMPARE(reason, QString("The task is not a subtask."));
        QCOMPARE(undo().count(), 2);
        undo().undo();
        QCOMPARE(m_store->taskOnDisk("Task a1x")->parentUid, QString("a"));
        undo().undo();
        QCOMPARE(m_store->taskOnDisk("Task a1x")->parentUid, QString("a1"));
    }

    // Open subtasks: asked, unless an answer is remembered; an open subtask two levels down
    // counts; a parent whose subtasks are all done, or a task without any, is just completed.
    void howAParentIsCompleted()
    {
        writeTasks(m_store->root(), {"p", "p1>p", "q", "q1>q", "q1x>q1", "lone", "done-parent"});
        writeFile(m_store->root() + "/home/q1.ics",
                  todo("q1", "Task q1", kLink + "q\r\nSTATUS:COMPLETED\r\n"));
        writeFile(m_store->root() + "/home/dp1.ics",
                  todo("dp1", "Task dp1", kLink + "done-parent\r\nSTATUS:COMPLETED\r\n"));
        QVERIFY(m_store->load());
        using Case = std::pair<const char*, const char*>; // remembered answer, task
        QStringList settled;
        for (const auto& [remembered, uid] :
             {Case{"", "p"}, Case{"all", "p"}, Case{"only", "p"}, Case{"", "q"},
              Case{"all", "done-parent"}, Case{"all", "lone"}}) {
            m_store->defaults->setString(remembered, PrefKey::subtaskCompletion);
            const std::optional<Completion> answer = commands().settledCompletion(task(uid));
            settled << (!answer ? "ask" : *answer == Completion::WithSubtasks ? "all" : "only");
        }
        QCOMPARE(settled, (QStringList{"ask", "all", "only", "ask", "only", "only"}));
    }

    // Delete on the selected task takes its subtasks, and one undo brings all of them back;
    // "Move to List" moves them along, where their links hold; a task without subtasks is
    // deleted as before.
    void deletingOrMovingAParentTakesItsSubtasks()
    {
        writeTasks(m_store->root(), {"p", "p1>p", "p1x>p1", "q", "q1>q", "other"});
        QVERIFY(m_store->load());
        const int work =
            int(m_store->manager->lists().visibleListsByCalendar().indexOf(workList()));
        QVERIFY(QuickActionPerformer(*m_store->manager).menuChangeToList(task("q"), work));
        QCOMPARE(m_store->taskOnDisk("Task q1")->calendar->title, QString("Work"));

        m_store->settle();
        TaskListPresenter list(*m_store->manager);
        list.showEntry(ListEntry::ofKind(ListKind::AllTasks));
        list.selectReminder(task("p"));
        list.deleteSelected();
        QCOMPARE(m_store->titlesOnDisk(), (QStringList{"Task other", "Task q", "Task q1"}));
        QCOMPARE(m_store->taskOnDisk("Task other")->calendar->title, QString("Home"));
        list.selectReminder(task("other"));
        list.deleteSelected();
        QCOMPARE(undo().undoText(), QString("Delete Task"));
    }

    // The form bound to a task adds its subtask in the task's list, whatever list is chosen,
    // with the link in the file's first write; with the parent gone, nothing is added and the
    // typed text stays.
    void theBoundFormAddsASubtask()
    {
        writeTasks(m_store->root(), {"p"});
        QVERIFY(m_store->load());
        QuickAddSession session(*m_store->manager);
        session.setup();
        session.setParentTask(task("p"));
        session.chooseList(workList()->calendarIdentifier);

        const QuickAddSession::Addition added = session.addTask("Buy soil");
        QCOMPARE(added.result, QuickAddSession::AddResult::Added);
        const ReminderPtr onDisk = m_store->taskOnDisk("Buy soil");
        QCOMPARE(onDisk->calendar->title, QString("Home"));
        QVERIFY(readFile(onDisk->origin->path()).contains(kLink + "p\r\n"));

        QVERIFY(QFile::remove(task("p")->origin->path()));
        m_store->settle();
        const QuickAddSession::Addition orphan = session.addTask("Water it");
        QCOMPARE(orphan.result, QuickAddSession::AddResult::Failed);
        QCOMPARE(orphan.fieldText, QString("Water it"));
    }

private:
    SubtaskCommands& commands()
    {
        if (!m_commands)
            m_commands.emplace(*m_store->manager);
        return *m_commands;
    }
    UndoHistory& undo() { return *m_store->manager->tasks().undoManager(); }

    ReminderPtr task(const QString& uid) const { return m_store->inSnapshot("Task " + uid); }

    store::CalendarPtr workList() const
    {
        return m_store->manager->lists().calendarByUUID(m_store->listId("Work"));
    }

    std::optional<SeededStore> m_store;
    std::optional<SubtaskCommands> m_commands;
};

VELMORAN_TEST_MAIN(TestSubtaskCommands)
#include "tst_subtaskcommands.moc"
