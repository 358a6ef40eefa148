#include "TestEnvironment.h"

#include "data/views/TaskListRows.h"

using Kind = TaskListRows::Kind;
using Action = TaskListRows::Selection::Action;

// The rows of the task list and what a click on each of them selects.
class TestTaskListRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Nothing; no tasks but two events; two tasks; a task and an event.
    void rowKindsAndWhatAClickSelects()
    {
        using enum Kind;
        const QList<std::tuple<int, int, QList<Kind>>> cases{
            {0, 0, {Empty}},
            {0, 2, {Empty, EventsHeader, Event, Event, Spacer}},
            {2, 0, {Task, Task, Spacer}},
            {1, 1, {Task, Spacer, EventsHeader, Event, Spacer}}};
        for (const auto& [reminders, events, kinds] : cases) {
            const TaskListRows rows(reminders, events);
            QList<Kind> shown;
            for (int row = -1; row <= rows.rowCount(); ++row)
                shown << rows.kind(row);
            QCOMPARE(shown, QList<Kind>{None} + kinds + QList<Kind>{None});
            for (int i = 0; i < events; ++i)
                QCOMPARE(rows.eventIndex(rows.rowForEvent(i)), i);
        }

        // What a click on a row selects, as "action index row", with tasks and events: the empty
        // row clears, the header takes the first event, the trailing spacer the last event, the
        // spacer after the tasks the last task; a task; an event; outside and no row.
        using Click = std::tuple<int, int, int>; // tasks, events, row
        QStringList chosen;
        for (const auto& [reminders, events, row] :
             {Click{0, 2, 0}, Click{0, 2, 1}, Click{0, 2, 4}, Click{3, 1, 3}, Click{3, 1, 1},
              Click{3, 2, 6}, Click{3, 0, 7}, Click{3, 0, -1}}) {
            const auto selection = TaskListRows(reminders, events).proposeSelection(row);
            chosen << QStringLiteral("%1 %2 %3")
                          .arg(int(selection.action))
                          .arg(selection.index)
                          .arg(selection.row);
        }
        const auto expect = [](Action action, int index, int row) {
            return QStringLiteral("%1 %2 %3").arg(int(action)).arg(index).arg(row);
        };
        QCOMPARE(chosen,
                 (QStringList{expect(Action::ClearBoth, -1, 0), expect(Action::MoveTo, -1, 2),
                              expect(Action::MoveTo, -1, 3), expect(Action::MoveTo, -1, 2),
                              expect(Action::SelectTask, 1, 1), expect(Action::SelectEvent, 1, 6),
                              expect(Action::AcceptSilently, -1, -1),
                              expect(Action::AcceptSilently, -1, -1)}));
    }
};

VELMORAN_TEST_MAIN(TestTaskListRows)
#include "tst_tasklistrows.moc"
