#include "AccessibleNames.h"
#include "LoadedStore.h"
#include "SidebarStore.h"
#include "TaskListDay.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/TaskOperations.h"
#include "prefs/ModeManager.h"
#include "ui/main/DayGraphView.h"
#include "ui/main/MidViewController.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/sidebar/LeftViewController.h"
#include "ui/main/sidebar/SidebarModel.h"
#include "ui/main/strip/MonthDateDayView.h"
#include "ui/main/strip/MonthDateView.h"
#include "ui/main/strip/WeekDateView.h"
#include "ui/main/tasklist/TaskListModel.h"
#include "ui/panel/PanelPlacement.h"
#include "ui/panel/PanelViewController.h"

#include <QAccessible>
#include <QListView>

using namespace TestFiles;
using TestEnvironment::local;

namespace {

// "Role name [actions] checkable focusable: description", as a screen reader reads a row.
QString describe(QAccessibleInterface* list, int index)
{
    QAccessibleInterface* row = list->child(index);
    if (!row)
        return QStringLiteral("no row %1").arg(index);
    QAccessibleActionInterface* actions = row->actionInterface();
    return QStringLiteral("%1 %2 [%3]%4%5: %6")
        .arg(AccessibleNames::roleName(row->role()), row->text(QAccessible::Name),
             actions ? actions->actionNames().join(", ") : QString(),
             row->state().checkable ? " checkable" : "", row->state().focusable ? " focusable" : "",
             row->text(QAccessible::Description));
}

// Every row a screen reader would stop at has a name; everything else is no item at all.
void verifyNoUnnamedItems(QAccessibleInterface* list)
{
    for (int i = 0; i < list->childCount(); ++i) {
        QAccessibleInterface* row = list->child(i);
        QVERIFY(row);
        QCOMPARE(row->parent(), list);
        QCOMPARE(list->indexOfChild(row), i);
        if (row->role() == QAccessible::ListItem || row->role() == QAccessible::CheckBox ||
            row->state().focusable)
            QVERIFY2(!row->text(QAccessible::Name).isEmpty(),
                     qPrintable(QStringLiteral("row %1 has no name").arg(i)));
    }
}

struct RecordingPane : MidViewControllerDelegate
{
    void toggleRightView() override { ++detailToggles; }
    void changeFailed(const QString& title, const QString& reason) override
    {
        failures << title + ": " + reason;
    }
    int detailToggles = 0;
    QStringList failures;
};

} // namespace

// The task lists, the tray panel's rows and the sidebar as a screen reader finds them through
// Qt's accessibility interfaces: what each row is called, what it is and what it can do, and
// that completing a task through a row's action reaches the store. (Whether the changes are
// announced needs a listening screen reader: the offscreen platform has none, and Qt sends
// nothing then.)
class TestListAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<LoadedStore>();
        // Wednesday 9 December 2026, 10:00.
        m_store->clock.setNow(local(2026, 12, 9, 10, 0));
        m_store->addList("work", "Work");
        writeFile(root() + "/work/a.ics",
                  todo("a", "Report", "DUE;VALUE=DATE:20261208\r\nPRIORITY:1\r\n"));
        writeFile(root() + "/work/b.ics",
                  todo("b", "Slides", "DUE;TZID=Europe/Berlin:20261209T140000\r\n"));
        writeFile(root() + "/work/c.ics", todo("c", "Budget", "DUE;VALUE=DATE:20261209\r\n"));
        m_store->addList("calendar", "Calendar");
        writeFile(root() + "/calendar/e.ics",
                  TaskListDay::event("e", "Review", "20261209T153000", "20261209T160000")
                      .replace("END:VEVENT", "LOCATION:Room 4\r\nEND:VEVENT"));
        QVERIFY(m_store->load());
        m_manager = m_store->manager.get();
        m_store->context.emplace(m_store->defaults.get(), &m_manager->dates());
        m_modes = std::make_unique<ModeManager>(*m_store->defaults, [] { return false; });
    }

    void cleanup()
    {
        m_pane.reset();
        m_panel.reset();
        m_modes.reset();
        m_store.reset();
        m_recorder = RecordingPane();
    }

    // Each row of the day's list: the tasks as checkable items with the date, the list and
    // the priority in words, "overdue" where they are; the event with its time and place; the
    // header and the spacers as what they are, not as unnamed items. What the rows' actions do.
    void taskListRowsSayWhatTheyAreAndDo()
    {
        QAccessibleInterface* list = showPane();
        QCOMPARE(list->text(QAccessible::Name), QString("Task List"));
        QCOMPARE(list->childCount(), 7);
        verifyNoUnnamedItems(list);

        QCOMPARE(describe(list, 0), "CheckBox Report [Complete, Show Details] checkable focusable: "
                                    "Overdue, Yesterday, Work, High Priority");

        // A timed task is overdue from its time on, an all-day one only from the next day.
        const QString budget = describe(list, 1);
        QVERIFY2(budget.startsWith("CheckBox Budget [Complete, Show Details] checkable focusable: "
                                   "Due ") &&
                     budget.endsWith(", Work"),
                 qPrintable(budget));
        m_store->clock.setNow(local(2026, 12, 9, 14, 30));
        m_pane->model()->refreshParts();
        QCOMPARE(describe(list, 1), budget);
        const QString slides = describe(list, 2);
        QVERIFY2(slides.contains(": Overdue, ") && slides.contains("2:00") &&
                     slides.endsWith(", Work"),
                 qPrintable(slides));

        QCOMPARE(describe(list, 3), "Separator  []: ");
        QCOMPARE(describe(list, 4), "Heading Calendar Events []: ");
        const QString review = describe(list, 5);
        QVERIFY2(review.startsWith("ListItem Review [Show Details] focusable: ") &&
                     review.contains("3:30") && review.endsWith(", Room 4"),
                 qPrintable(review));
        QCOMPARE(describe(list, 6), "Separator  []: ");

        // "Show Details" chooses the row and opens the details.
        list->child(5)->actionInterface()->doAction("Show Details");
        QCOMPARE(m_pane->selectedRow(), 5);
        QCOMPARE(m_recorder.detailToggles, 1);

        // "Complete" does what the row's check button does: the task is completed in its file,
        // the row reads as checked and then offers "Reopen".
        if (!m_pane->presenter().view().showingCompleted)
            m_pane->presenter().toggleShowCompleted();
        m_pane->refreshView();
        QAccessibleInterface* row = list->child(1);
        QCOMPARE(row->text(QAccessible::Name), QString("Budget"));
        QVERIFY(!row->state().checked);

        row->actionInterface()->doAction("Complete");
        QTRY_VERIFY_WITH_TIMEOUT(m_store->taskOnDisk("Budget")->completed, 3000);
        QTRY_VERIFY(m_manager->tasks().reminderWithIdentifier("c")->completed);
        m_pane->refreshView();
        const int done = m_pane->model()->rowOfReminder("c");
        QVERIFY(list->child(done)->state().checked);
        QVERIFY2(describe(list, done)
                     .startsWith("CheckBox Budget [Reopen, Show Details] checkable focusable: "
                                 "Completed "),
                 qPrintable(describe(list, done)));
        QVERIFY(m_recorder.failures.isEmpty());
    }

    // The tray panel's rows say the same, take the keyboard, and Space completes the one it
    // stands on.
    void panelRowsAreFocusableAndSpaceCompletes()
    {
        m_panel = std::make_unique<PanelViewController>(*m_manager, *m_modes);
        m_panel->resize(PanelPlacement::kPanelWidth, m_panel->panelHeight());
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
        m_panel->fetchData();
        QListView* rows = m_panel->rowsView();
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(rows);
        QTRY_COMPARE(list->childCount(), 3);
        // The graph above the rows says what it shows.
        const QString graph = QAccessible::queryAccessibleInterface(m_panel->dayGraph())
                                  ->text(QAccessible::Description);
        QVERIFY2(graph.startsWith("3 tasks and 1 event; next at 2:00") &&
                     graph.endsWith(": Slides"),
                 qPrintable(graph));
        verifyNoUnnamedItems(list);
        QVERIFY(describe(list, 0).endsWith(": Overdue, Yesterday, Work, High Priority"));

        m_panel->activateWindow();
        rows->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(rows->hasFocus());
        QVERIFY(list->focusChild());
        QCOMPARE(list->focusChild()->text(QAccessible::Name), QString("Report"));

        QTest::keyClick(rows, Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(m_store->taskOnDisk("Report")->completed, 3000);
    }

    // The week strip's days are selectable items named by their full dates, with today and
    // their tasks and events in the description; the arrow keys move the selection and the
    // focus with it. The month strip, hidden in the week view, shows nothing.
    void stripDaysAreSelectableItems()
    {
        showPane();
        m_pane->changeViewToDict(ListEntry::fromStored({{"type", 12}, {"title", ""}}));
        WeekDateView* strip = m_pane->weekDateView();
        QTRY_VERIFY(strip->isVisible());
        QAccessibleInterface* week = QAccessible::queryAccessibleInterface(strip);
        QCOMPARE(week->role(), QAccessible::List);
        const auto dayOf = [&](int day) -> QAccessibleInterface* {
            for (int i = 0; i < week->childCount(); ++i)
                if (week->child(i)->text(QAccessible::Name) ==
                    QLocale().toString(QDate(2026, 12, day), QLocale::LongFormat))
                    return week->child(i);
            return nullptr;
        };
        QAccessibleInterface* today = dayOf(9);
        QVERIFY(today && dayOf(8) && dayOf(10));
        QVERIFY(today->state().selectable && today->state().selected && today->state().focusable);
        QTRY_COMPARE(today->text(QAccessible::Description),
                     QString("Today, Has tasks, Has events"));
        QTRY_COMPARE(dayOf(8)->text(QAccessible::Description), QString("Has tasks"));
        QVERIFY(dayOf(10)->text(QAccessible::Description).isEmpty());

        strip->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(strip->hasFocus());
        QCOMPARE(week->focusChild(), today);
        QTest::keyClick(strip, Qt::Key_Right);
        QTRY_VERIFY(dayOf(10)->state().selected);
        QVERIFY(dayOf(10)->state().focused && !today->state().selected);
        QCOMPARE(week->focusChild(), dayOf(10));

        for (MonthDateDayView* day : m_pane->monthDateView()->daysViewArray())
            QVERIFY(QAccessible::queryAccessibleInterface(day)->state().invisible);
    }

    // The sidebar's dividers are separators; its lists are named items that a screen reader
    // selects.
    void sidebarDividersAreNoItems()
    {
        SidebarStore store;
        store.setNav({SidebarStore::entry(0), SidebarStore::entry(8, "garden")});
        DataManager& manager = store.load();
        ModeManager modes(*store.defaults, [] { return false; });
        LeftViewController sidebar(manager, modes);
        sidebar.resize(240, 500);
        sidebar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sidebar));
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(sidebar.tableView());
        verifyNoUnnamedItems(list);
        const QAbstractItemModel* rows = sidebar.tableView()->model();
        int dividers = 0;
        for (int i = 0; i < list->childCount(); ++i) {
            const bool divider = rows->index(i, 0).data(SidebarModel::IsDividerRole).toBool();
            QCOMPARE(list->child(i)->role(),
                     divider ? QAccessible::Separator : QAccessible::ListItem);
            dividers += divider;
        }
        QVERIFY(dividers >= 2);

        QAccessibleInterface* allTasks = list->child(4);
        QCOMPARE(allTasks->text(QAccessible::Name), QString("All Tasks"));
        QVERIFY(!allTasks->state().selected);
        allTasks->actionInterface()->doAction(allTasks->actionInterface()->actionNames().first());
        QCOMPARE(sidebar.presenter().selectedRow(), 4);
        QVERIFY(allTasks->state().selected);
    }

private:
    QString root() const { return m_store->root(); }

    // The centre pane on the day's view; returns its list as a screen reader finds it.
    QAccessibleInterface* showPane()
    {
        m_pane = std::make_unique<MidViewController>(*m_manager, *m_modes);
        m_pane->setDelegate(&m_recorder);
        m_pane->resize(600, 500);
        m_pane->show();
        if (!QTest::qWaitForWindowExposed(m_pane.get()))
            return nullptr;
        m_pane->refreshView();
        return QAccessible::queryAccessibleInterface(m_pane->tableView());
    }

    std::unique_ptr<LoadedStore> m_store;
    DataManager* m_manager = nullptr;
    std::unique_ptr<ModeManager> m_modes;
    RecordingPane m_recorder;
    std::unique_ptr<MidViewController> m_pane;
    std::unique_ptr<PanelViewController> m_panel;
};

VELMORAN_WIDGET_TEST_MAIN(TestListAccessibility)
#include "tst_listaccessibility.moc"
