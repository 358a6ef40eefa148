#include "TestEnvironment.h"

#include "data/views/TaskListRows.h"

#include <QGuiApplication>

using Kind = TaskListRows::Kind;
using Action = TaskListRows::Selection::Action;

// The rows of the task list and what a click on each of them selects.
class TestTaskListRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowKinds_data()
    {
        QTest::addColumn<int>("reminders");
        QTest::addColumn<int>("events");
        QTest::addColumn<QList<Kind>>("kinds");

        QTest::newRow("nothing") << 0 << 0 << QList<Kind>{Kind::Empty};
        QTest::newRow("no tasks, two events")
            << 0 << 2
            << QList<Kind>{Kind::Empty, Kind::EventsHeader, Kind::Event, Kind::Event, Kind::Spacer};
        QTest::newRow("two tasks") << 2 << 0 << QList<Kind>{Kind::Task, Kind::Task, Kind::Spacer};
        QTest::newRow("one task, one event")
            << 1 << 1
            << QList<Kind>{Kind::Task, Kind::Spacer, Kind::EventsHeader, Kind::Event, Kind::Spacer};
    }

    void rowKinds()
    {
        QFETCH(int, reminders);
        QFETCH(int, events);
        QFETCH(QList<Kind>, kinds);
        const TaskListRows rows(reminders, events);
        QCOMPARE(rows.rowCount(), kinds.size());
        for (int row = 0; row < kinds.size(); ++row)
            QCOMPARE(rows.kind(row), kinds.at(row));
        QCOMPARE(rows.kind(-1), Kind::None);
        QCOMPARE(rows.kind(rows.rowCount()), Kind::None);
        for (int i = 0; i < events; ++i)
            QCOMPARE(rows.eventIndex(rows.rowForEvent(i)), i);
    }

    void selection_data()
    {
        QTest::addColumn<int>("reminders");
        QTest::addColumn<int>("events");
        QTest::addColumn<int>("row");
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("movedTo");

        QTest::newRow("empty row clears") << 0 << 2 << 0 << Action::ClearBoth << -1 << 0;
        QTest::newRow("header: first event") << 0 << 2 << 1 << Action::MoveTo << -1 << 2;
        QTest::newRow("trailing spacer: last event") << 0 << 2 << 4 << Action::MoveTo << -1 << 3;
        QTest::newRow("spacer: last task") << 3 << 1 << 3 << Action::MoveTo << -1 << 2;
        QTest::newRow("a task") << 3 << 1 << 1 << Action::SelectTask << 1 << 1;
        QTest::newRow("an event") << 3 << 2 << 6 << Action::SelectEvent << 1 << 6;
        QTest::newRow("outside") << 3 << 0 << 7 << Action::AcceptSilently << -1 << -1;
        QTest::newRow("no proposal") << 3 << 0 << -1 << Action::AcceptSilently << -1 << -1;
    }

    void selection()
    {
        QFETCH(int, reminders);
        QFETCH(int, events);
        QFETCH(int, row);
        QFETCH(Action, action);
        QFETCH(int, index);
        QFETCH(int, movedTo);
        const TaskListRows::Selection selection =
            TaskListRows(reminders, events).proposeSelection(row);
        QCOMPARE(selection.action, action);
        QCOMPARE(selection.index, index);
        QCOMPARE(selection.row, movedTo);
    }
};

VELMORAN_TEST_MAIN(TestTaskListRows)
#include "tst_tasklistrows.moc"
