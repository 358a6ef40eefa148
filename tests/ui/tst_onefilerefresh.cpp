#include "LoadedStore.h"
#include "TestEnvironment.h"

#include "data/SidebarCounts.h"
#include "data/SmartLists.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "prefs/ModeManager.h"
#include "presentation/tasklist/TaskListPresenter.h"
#include "ui/main/tasklist/TaskListModel.h"

#include <QFile>

using namespace TestFiles;

namespace {

constexpr int kWidth = 260;

// One view as the window shows it, with the task Keep selected: the presenter's rows and the
// table model's heights.
struct ShownView
{
    ShownView(DataManager& manager, const ModeManager& mode, const ListEntry& entry)
        : presenter(manager)
        , model(mode, manager.formatters(), manager.clock(), manager.defaults())
    {
        model.setWidth(kWidth);
        presenter.showEntry(entry);
        presenter.selectReminder(manager.tasks().reminderWithIdentifier("keep"));
        show();
    }
    void show()
    {
        model.setContent(presenter.remindersArray(), presenter.calendarEventsArray(),
                         presenter.nesting());
    }
    // Every row: what it is, its depth and height, and which one is selected.
    QStringList describe() const
    {
        QStringList rows;
        for (int row = 0; row < model.rows().rowCount(); ++row) {
            const store::ReminderPtr task = model.reminderAt(row);
            rows << QStringLiteral("%1 %2 %3 %4%5")
                        .arg(int(model.kindAt(row)))
                        .arg(task ? task->calendarItemIdentifier + '/' + task->title : QString())
                        .arg(model.nestingAt(row).depth)
                        .arg(model.rowHeight(row))
                        .arg(task && task == presenter.selectedReminder() ? " selected" : "");
        }
        return rows;
    }
    TaskListPresenter presenter;
    TaskListModel model;
};

} // namespace

// A refresh after another program changed one file gives the very rows, heights, counts and
// selection that a window opened afresh on the same folders shows.
class TestOneFileRefresh : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_store->clock.setNow(TestEnvironment::local(2026, 12, 9, 8, 0));
        const QString work = m_store->root() + "/work/";
        m_store->addList("work", "Work");
        m_store->addList("home", "Home");
        const QByteArray today = "DUE;VALUE=DATE:20261209\r\n";
        writeFile(work + "keep.ics", todo("keep", "Keep", today));
        writeFile(work + "a.ics", todo("a", "Alpha", today));
        writeFile(work + "b.ics", todo("b", "Bravo", "DUE;VALUE=DATE:20261210\r\n"));
        writeFile(work + "c.ics", todo("c", "Charlie"));
        writeFile(work + "kid.ics", todo("kid", "Kid", today + "RELATED-TO:a\r\n"));
        writeFile(work + "pair.ics", twoTasks("Pair one", "Pair two"));
        writeFile(m_store->root() + "/home/old.ics",
                  todo("old", "Old", "DUE;VALUE=DATE:20261201\r\n"));
        ageTree(m_store->root());
        QVERIFY(m_store->load());
        m_mode = std::make_unique<ModeManager>(*m_store->defaults, [] { return false; });
    }

    void cleanup()
    {
        m_mode.reset();
        m_store.reset();
    }

    void aRefreshEqualsAFreshStart_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content"); // empty: the file goes
        QTest::addColumn<QString>("movedTo");
        const QByteArray today = "DUE;VALUE=DATE:20261209\r\n";
        QTest::newRow("title moves the row")
            << "work/b.ics" << todo("b", "Aardvark cage, a title long enough to wrap twice here")
            << "";
        QTest::newRow("completed")
            << "work/a.ics"
            << todo("a", "Alpha", today + "STATUS:COMPLETED\r\nCOMPLETED:20261209T070000Z\r\n")
            << "";
        QTest::newRow("due into another group")
            << "work/c.ics" << todo("c", "Charlie", today) << "";
        QTest::newRow("added") << "work/new.ics" << todo("new", "Newcomer", today) << "";
        QTest::newRow("removed") << "work/b.ics" << QByteArray() << "";
        QTest::newRow("moved to another list")
            << "work/c.ics" << todo("c", "Charlie", today) << "home/c.ics";
        QTest::newRow("file of two tasks")
            << "work/pair.ics" << twoTasks("Pair one", "Pair 2") << "";
        QTest::newRow("subtask link")
            << "work/kid.ics" << todo("kid", "Kid", today + "RELATED-TO:b\r\n") << "";
        QTest::newRow("a copy repeating a UID") << "home/copy.ics" << todo("a", "Alpha copy") << "";
    }

    void aRefreshEqualsAFreshStart()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, movedTo);
        DataManager& manager = *m_store->manager;
        ShownView day(manager, *m_mode, ListEntry::dateView(ListKind::Day));
        ShownView list(manager, *m_mode, ListEntry::userList("Work", "work"));

        const QString path = m_store->root() + '/' + file;
        QVERIFY(m_store->afterRefresh([&] {
            if (content.isEmpty())
                QFile::remove(path);
            else if (movedTo.isEmpty())
                replaceFile(path, content);
            else
                QVERIFY(QFile::rename(path, m_store->root() + '/' + movedTo));
        }));
        for (ShownView* view : {&day, &list}) {
            view->presenter.refresh();
            view->show();
        }

        std::unique_ptr<DataManager> fresh =
            loadedDataManager(*m_store->defaults, m_store->clock, m_store->root());
        QVERIFY(fresh);
        ShownView freshDay(*fresh, *m_mode, ListEntry::dateView(ListKind::Day));
        ShownView freshList(*fresh, *m_mode, ListEntry::userList("Work", "work"));
        QCOMPARE(day.describe(), freshDay.describe());
        QCOMPARE(list.describe(), freshList.describe());
        QVERIFY(day.describe().filter(" selected").value(0).contains("keep/Keep"));

        fresh->waitForBackgroundJobs();
        manager.waitForBackgroundJobs();
        QCOMPARE(countsOf(manager), countsOf(*fresh));
    }

private:
    static QByteArray twoTasks(const QByteArray& first, const QByteArray& second)
    {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\n"
               "BEGIN:VTODO\r\nUID:p1\r\nSUMMARY:" +
               first +
               "\r\nDUE;VALUE=DATE:20261209\r\nEND:VTODO\r\n"
               "BEGIN:VTODO\r\nUID:p2\r\nSUMMARY:" +
               second + "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    }

    // The sidebar's numbers: every entry it lists, the date views and each list.
    QStringList countsOf(const DataManager& manager) const
    {
        QList<ListEntry> entries = SmartLists::listNavArray(manager.defaults());
        for (const ListKind kind : {ListKind::Day, ListKind::Week, ListKind::Month})
            entries << ListEntry::dateView(kind);
        for (const store::CalendarPtr& list : manager.lists().allCalendars())
            entries << ListEntry::userList(list->title, list->calendarIdentifier);
        const CountDictionary counts = manager.counts().countDictionary();
        QStringList described;
        for (const ListEntry& entry : std::as_const(entries))
            described << QString::number(counts.countFor(entry).value_or(quint64(-1)));
        return described;
    }

    std::optional<LoadedStore> m_store;
    std::unique_ptr<ModeManager> m_mode;
};

VELMORAN_WIDGET_TEST_MAIN(TestOneFileRefresh)
#include "tst_onefilerefresh.moc"
