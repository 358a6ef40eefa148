#include "LoadedStore.h"
#include "TestEnvironment.h"

#include "presentation/tasklist/SubtaskFolding.h"
#include "presentation/tasklist/TaskListPresenter.h"

using namespace TestFiles;

namespace {

// The list Home holds a tree another program wrote, each task due a day apart so that the
// views' sort by date (completed tasks last) differs from the nesting:
//   Trip (10th) ─ Book flights (8th, done)
//              └ Pack (12th) ─ Socks (9th)
//                             └ Charger (13th)
//   Call mum (11th)
// and the list Work a task whose link names Trip, in another list.
struct SubtaskStore : LoadedStore
{
    explicit SubtaskStore(const QByteArrayList& folded = {})
    {
        clock.setNow(TestEnvironment::local(2026, 12, 9, 8, 0));
        addList("home", "Home");
        addList("work", "Work");
        const auto write = [this, &folded](const QByteArray& uid, const QByteArray& title,
                                           const QByteArray& day, const QByteArray& parent,
                                           const QByteArray& more = {}) {
            QByteArray lines = "DUE;VALUE=DATE:202612" + day + "\r\n" + more;
            if (!parent.isEmpty())
                lines += "RELATED-TO;RELTYPE=PARENT:" + parent + "\r\n";
            if (folded.contains(uid))
                lines += "X-OC-HIDESUBTASKS:1\r\n";
            const QString list = uid == "report" ? "work" : "home";
            writeFile(root() + '/' + list + '/' + uid + ".ics", todo(uid, title, lines));
        };
        write("trip", "Trip", "10", {});
        write("book", "Book flights", "08", "trip",
              "STATUS:COMPLETED\r\nCOMPLETED:20261208T100000Z\r\n");
        write("pack", "Pack", "12", "trip");
        write("socks", "Socks", "09", "pack");
        write("charger", "Charger", "13", "pack");
        write("call", "Call mum", "11", {});
        write("report", "Report", "14", "trip");
        load();
    }
};

// A row as "  Title [-] 1/2 <Parent": two blanks a level, the fold ([-] open, [+] folded),
// done of total, and the parent's title when it is not the row above.
QStringList shape(const TaskListPresenter& list)
{
    QStringList rows;
    for (qsizetype i = 0; i < list.remindersArray().size(); ++i) {
        const RowNesting& nesting = list.nesting().at(i);
        QString row = QString(nesting.depth * 2, ' ') + list.remindersArray().at(i)->title;
        if (nesting.fold != RowNesting::Fold::None)
            row += nesting.fold == RowNesting::Fold::Open ? " [-]" : " [+]";
        if (nesting.progress.total > 0)
            row += QStringLiteral(" %1/%2").arg(nesting.progress.done).arg(nesting.progress.total);
        if (nesting.namesParent())
            row += " <" + nesting.parentTitle;
        rows << row;
    }
    return rows;
}

QString titleOf(const store::ReminderPtr& task)
{
    return task ? task->title.toString() : QString();
}

} // namespace

// Subtasks in the task list without a window: how each view nests, folds and names parents,
// folding through the store, and Left and Right on the selection.
class TestSubtaskRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each case: the folded parents, the view (a list's title, "search:text", "month" or "all"),
    // whether completed tasks show, and the rows. A list nests three levels; a folded parent
    // hides what is below it, the top every level; a hidden completed subtask still counts; a
    // subtask or parent found alone names its parent; the preset over both lists does not nest
    // the link into another list; the month keeps its sort by date and folds nothing.
    void eachViewShowsTheTree()
    {
        const QStringList tree{"Trip [-] 1/2", "  Pack [-] 0/2", "    Socks",
                               "    Charger",  "  Book flights", "Call mum"};
        using Case = std::tuple<QByteArrayList, QString, bool, QStringList>;
        for (const auto& [folded, view, completed, expected] :
             {Case{{}, "Home", true, tree},
              Case{{"pack"},
                   "Home",
                   true,
                   {"Trip [-] 1/2", "  Pack [+] 0/2", "  Book flights", "Call mum"}},
              Case{{"trip"}, "Home", true, {"Trip [+] 1/2", "Call mum"}},
              Case{{},
                   "Home",
                   false,
                   {"Trip [-] 1/2", "  Pack [-] 0/2", "    Socks", "    Charger", "Call mum"}},
              Case{{}, "search:Socks", true, {"Socks <Pack"}},
              Case{{}, "search:Pack", true, {"Pack 0/2 <Trip"}},
              Case{{}, "all", true, tree + QStringList{"Report"}},
              Case{{"trip"},
                   "month",
                   true,
                   {"Socks <Pack", "Trip 1/2", "Call mum", "Pack 0/2 <Trip", "Charger <Pack",
                    "Report", "Book flights <Trip"}}}) {
            SubtaskStore store(folded);
            QVERIFY(store.manager);
            TaskListPresenter list(*store.manager);
            if (list.view().showingCompleted != completed)
                list.toggleShowCompleted();
            if (view.startsWith("search:")) {
                list.showEntry(ListEntry::ofKind(ListKind::Search));
                list.setSearchText(view.mid(7));
            } else if (view == "month") {
                list.showEntry(ListEntry::dateView(ListKind::Month));
            } else if (view == "all") {
                list.showEntry(ListEntry::ofKind(ListKind::AllTasks));
            } else {
                list.showEntry(ListEntry::userList(view, store.listId(view)));
            }
            QCOMPARE(view + ": " + shape(list).join(" / "), view + ": " + expected.join(" / "));
            QCOMPARE(list.rows().reminderCount(), expected.size());
        }
    }

    // The fold is the parent's X-OC-HIDESUBTASKS line, so that it syncs; a subtask selected
    // inside the fold hands the selection to the parent.
    void foldingIsStoredOnTheParent()
    {
        SubtaskStore store;
        QVERIFY(store.manager);
        TaskListPresenter list(*store.manager);
        SubtaskFolding folding(store.manager->subtasks(), list);
        list.showEntry(ListEntry::userList("Home", store.listId("Home")));
        list.proposeSelection(3); // Charger

        QVERIFY(folding.setFolded(1, true));
        QVERIFY(readFile(store.root() + "/home/pack.ics").contains("X-OC-HIDESUBTASKS:1"));
        QCOMPARE(shape(list).size(), 4);
        QCOMPARE(titleOf(list.selectedReminder()), "Pack");
        QVERIFY(!folding.setFolded(1, true)); // already folded
        QVERIFY(!folding.setFolded(3, true)); // Call mum has no subtasks

        QVERIFY(folding.setFolded(1, false));
        QVERIFY(!readFile(store.root() + "/home/pack.ics").contains("X-OC-HIDESUBTASKS"));
        QCOMPARE(shape(list).size(), 6);
    }

    // Left folds an open parent or goes up to the parent; Right unfolds or goes down to the
    // first subtask. Where neither applies (a date view, a task on its own) they answer false
    // and the keys keep moving the period.
    void leftAndRightWalkTheTree()
    {
        SubtaskStore store;
        QVERIFY(store.manager);
        TaskListPresenter list(*store.manager);
        SubtaskFolding folding(store.manager->subtasks(), list);
        list.showEntry(ListEntry::userList("Home", store.listId("Home")));
        list.proposeSelection(3); // Charger
        const auto step = [&list, &folding](bool right) {
            const bool handled = right ? folding.expandSelected() : folding.collapseSelected();
            return QStringLiteral("%1 %2 %3")
                .arg(handled ? "moved" : "kept", titleOf(list.selectedReminder()))
                .arg(list.remindersArray().size());
        };
        QStringList trace;
        for (const char key : QByteArray("LLLLLRRRRR"))
            trace << step(key == 'R');
        QCOMPARE(trace, (QStringList{"moved Pack 6", "moved Pack 4", "moved Trip 4", "moved Trip 2",
                                     "kept Trip 2", "moved Trip 4", "moved Pack 4", "moved Pack 6",
                                     "moved Socks 6", "kept Socks 6"}));

        list.showEntry(ListEntry::dateView(ListKind::Month));
        list.proposeSelection(0); // Socks, whose parent is listed too
        QCOMPARE(step(false), "kept Socks 7");
        list.proposeSelection(1); // Trip
        QCOMPARE(step(true), "kept Trip 7");
    }
};

VELMORAN_TEST_MAIN(TestSubtaskRows)
#include "tst_subtaskrows.moc"
