#include "TaskListDay.h"
#include "TestFiles.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "ui/main/MidViewController.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/problems/UnreadableFilesBar.h"
#include "ui/main/problems/UnreadableFilesDialog.h"
#include "ui/main/strip/MonthDateDayView.h"
#include "ui/main/strip/MonthDateView.h"
#include "ui/main/strip/WeekDateDayView.h"
#include "ui/main/strip/WeekDateView.h"
#include "ui/main/tasklist/TaskListDelegate.h"
#include "ui/main/tasklist/TaskListModel.h"

#include <QAccessible>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTreeWidget>

using namespace TestFiles;
using TestEnvironment::local;

namespace {

// Records what the pane tells its window.
class Recorder : public MidViewControllerDelegate
{
public:
    void selectedRowChangedWithEvent(const store::EventPtr& event) override
    {
        events.append(event);
    }
    void toggleRightView() override { ++detailToggles; }
    void editSelectedReminder() override { ++detailEdits; }
    void refreshLeftTableView() override { ++sidebarReloads; }

    QList<store::EventPtr> events;
    int detailToggles = 0;
    int detailEdits = 0;
    int sidebarReloads = 0;
};

// The list Home: Trip ─ Pack ─ Socks, and Call mum on its own. The list Deep: a chain of six
// levels, Level 0 to Level 5.
struct TreeStore : LoadedStore
{
    TreeStore()
    {
        clock.setNow(TestEnvironment::local(2026, 12, 9, 8, 0));
        addList("home", "Home");
        const QByteArray parent = "RELATED-TO;RELTYPE=PARENT:";
        writeFile(root() + "/home/trip.ics", todo("trip", "Trip", "DUE;VALUE=DATE:20261210\r\n"));
        writeFile(root() + "/home/pack.ics",
                  todo("pack", "Pack", "DUE;VALUE=DATE:20261211\r\n" + parent + "trip\r\n"));
        writeFile(root() + "/home/socks.ics",
                  todo("socks", "Socks", "DUE;VALUE=DATE:20261209\r\n" + parent + "pack\r\n"));
        writeFile(root() + "/home/call.ics",
                  todo("call", "Call mum", "DUE;VALUE=DATE:20261212\r\n"));
        addList("deep", "Deep");
        for (int level = 0; level < 6; ++level) {
            const QByteArray n = QByteArray::number(level);
            writeFile(root() + "/deep/l" + n + ".ics",
                      todo("l" + n, "Level " + n,
                           level > 0 ? parent + "l" + QByteArray::number(level - 1) + "\r\n"
                                     : QByteArray()));
        }
        load();
    }
};

} // namespace

// The centre pane as a window: the bar of unreadable files, clicks, keys, scrolling, the
// search field and the strip (the rules behind them are tst_tasklistpresenter's); subtasks,
// their indent as painted by day and at night, the fold control and the keys that fold, and
// what a screen reader hears and does (the rules behind them are tst_subtaskrows').
class TestMidViewController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_day.emplace();
        QVERIFY(m_day->manager);
        m_manager = m_day->manager.get();
        m_defaults = &*m_day->defaults;
        m_night = false;
        m_modes = std::make_unique<ModeManager>(*m_defaults, [this] { return m_night; });
        openPane(*m_manager);
        m_pane->setDelegate(&m_recorder);
        m_pane->refreshView();
    }

    void cleanup()
    {
        m_pane.reset();
        m_modes.reset();
        m_tree.reset();
        m_day.reset();
        m_recorder = Recorder();
    }

    // A file of a list that cannot be read brings a bar above the list without taking the
    // keyboard; its dialog names the file, its list and why and opens the file's folder, and
    // the bar goes once the file is mended.
    void aFileThatCannotBeReadIsToldOfAboveTheList()
    {
        UnreadableFilesBar* bar = m_pane->unreadableFilesBar();
        QVERIFY(!bar->isVisible());
        m_pane->setFocus();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Skipping .*cut.ics"));
        writeFile(root() + "/work/cut.ics", "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\n");
        QTRY_VERIFY(bar->isVisible());
        QVERIFY(bar->y() < m_pane->findChild<QAbstractItemView*>()->y());
        QVERIFY(!bar->showButton()->hasFocus());
        QVERIFY(bar->showButton()->focusPolicy() & Qt::TabFocus);
        bar->showButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(bar->showButton(), Qt::Key_Space);
        UnreadableFilesDialog* dialog = bar->dialog();
        QTRY_VERIFY(dialog && dialog->isVisible());
        QTreeWidget* table = dialog->table();
        QCOMPARE(table->topLevelItemCount(), 1);
        const QTreeWidgetItem* row = table->topLevelItem(0);
        QCOMPARE(row->text(0), QString("cut.ics"));
        QCOMPARE(row->text(1), QString("Work"));
        QCOMPARE(row->text(2), QString("not an iCalendar file: BEGIN:VTODO is never closed"));
        QUrl opened;
        dialog->setFolderOpener([&opened](const QUrl& folder) {
            opened = folder;
            return true;
        });
        dialog->openFolderButton()->click();
        QCOMPARE(opened, QUrl::fromLocalFile(root() + "/work"));

        writeFile(root() + "/work/cut.ics", todo("cut", "Mended"));
        QTRY_VERIFY(!bar->isVisible());
        QCOMPARE(table->topLevelItemCount(), 0);
        dialog->close();
    }

    // A click chooses the task (the header below the tasks chooses the first event), Space
    // completes it once its check button has bounced, Return asks for its details.
    void spaceCompletesAfterTheBounce()
    {
        clickRow(3);
        QTRY_COMPARE(m_pane->selectedRow(), 4);
        QCOMPARE(m_recorder.events.last()->title, QStringLiteral("Stand-up"));
        clickRow(0);
        const QString identifier = m_pane->presenter().selectedReminder()->calendarItemIdentifier;
        QTest::keyClick(m_pane->tableView(), Qt::Key_Space);
        QVERIFY(!m_manager->tasks().reminderWithIdentifier(identifier)->completed);
        QTRY_VERIFY_WITH_TIMEOUT(
            m_manager->tasks().reminderWithIdentifier(identifier) &&
                m_manager->tasks().reminderWithIdentifier(identifier)->completed,
            3000);
        QTest::keyClick(m_pane->tableView(), Qt::Key_Return);
        QCOMPARE(m_recorder.detailEdits, 1);
        QCOMPARE(m_recorder.detailToggles, 0);
    }

    // The filter and the saving are tst_tasklistpresenter's; here the save button shows with
    // text and a saved search tells the window to rebuild the sidebar.
    void theSearchFieldFiltersAndSaves()
    {
        m_pane->changeViewToDict(ListEntry::fromStored({{"type", 14}, {"title", "Search"}}));
        QVERIFY(!m_pane->isSearchSaveButtonVisible());
        m_pane->setSearchText("slid");
        QVERIFY(m_pane->isSearchSaveButtonVisible());
        m_pane->presenter().saveSearch();
        QCOMPARE(m_recorder.sidebarReloads, 1);
    }

    // A view opened from the sidebar starts at its top, where its overdue tasks are; a refresh
    // of the same view keeps its place.
    void anotherViewStartsAtItsTop()
    {
        QSignalSpy refreshed(m_manager, &DataManager::remindersRefreshed);
        for (int i = 0; i < 40; ++i)
            writeFile(root() + QStringLiteral("/work/t%1.ics").arg(i),
                      todo("t" + QByteArray::number(i), "Task " + QByteArray::number(i),
                           "DUE;VALUE=DATE:20261209\r\n"));
        QVERIFY(refreshed.wait(5000));
        QTRY_VERIFY(!m_manager->isRefreshRunning());
        m_pane->refreshView();
        QScrollBar* bar = m_pane->tableView()->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        const int scrolled = bar->value();
        m_pane->refreshView();
        QCOMPARE(bar->value(), scrolled);

        m_pane->changeViewToDict(ListEntry::ofKind(ListKind::AllTasks));
        QCOMPARE(bar->value(), 0);
    }

    // A click on a day of the strip, where the window shows it, selects that day in the week
    // and the month views alike, and the strip marks it once the pane has refreshed. The day
    // and list views have no strip to click: it is hidden, not only flattened.
    void aClickOnADaySelectsIt_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("day") << 11;
        QTest::newRow("week") << 12;
        QTest::newRow("month") << 13;
        QTest::newRow("smart list") << 0;
    }

    void aClickOnADaySelectsIt()
    {
        QFETCH(int, type);
        m_pane->changeViewToDict(ListEntry::fromStored({{"type", type}, {"title", ""}}));
        QList<DateDayView*> days;
        if (type == 12) {
            for (WeekDateDayView* day : m_pane->weekDateView()->daysViewArray())
                days << day;
        } else if (type == 13) {
            for (MonthDateDayView* day : m_pane->monthDateView()->daysViewArray())
                days << day;
        }
        QWidget* strip = m_pane->weekDateView()->parentWidget();
        if (days.isEmpty()) {
            QTRY_VERIFY(strip->isHidden());
            return;
        }
        QTRY_COMPARE(strip->height(), m_pane->stripHeight());
        for (DateDayView* day : std::as_const(days)) {
            if (!day->isVisible() || day->date() == m_manager->dates().selectedDate())
                continue;
            QSignalSpy refreshed(m_manager, &DataManager::remindersRefreshed);
            QTest::mouseClick(m_pane->windowHandle(), Qt::LeftButton, {},
                              day->mapTo(m_pane.get(), day->rect().center()));
            QCOMPARE(m_manager->dates().selectedDate(), day->date());
            QVERIFY(refreshed.wait(5000));
            m_pane->refreshView();
            QVERIFY(day->isSelected());
        }
    }

    // --- subtasks ---

    // Each level moves the check button one step right, up to four levels; a subtask shown
    // without its parent is taller by the line naming it.
    void deepTreesIndentAsFarAsFourLevels_data()
    {
        QTest::addColumn<bool>("night");
        QTest::newRow("day") << false;
        QTest::newRow("night") << true;
    }

    void deepTreesIndentAsFarAsFourLevels()
    {
        QFETCH(bool, night);
        m_night = night;
        m_modes->resetValues();
        openTree();
        m_pane->resetAppearance();
        showList("Deep");
        const QImage painted = m_pane->tableView()->viewport()->grab().toImage();
        const QColor background = m_pane->tableView()->palette().color(QPalette::Base);
        QList<int> steps;
        int first = -1;
        for (int row = 0; row < 6; ++row) {
            const QRect rect = m_pane->tableView()->visualRect(m_pane->model()->index(row));
            const int left = firstPaintedColumn(painted, rect, background);
            QVERIFY2(left >= 0, qPrintable(QStringLiteral("row %1 is blank").arg(row)));
            if (row == 0)
                first = left;
            steps << left - first;
        }
        QCOMPARE(steps, (QList<int>{0, 20, 40, 60, 80, 80}));

        m_pane->changeViewToDict(ListEntry::ofKind(ListKind::Search));
        m_pane->setSearchText("Call mum");
        QTRY_COMPARE(m_pane->model()->rowCount(), 2);
        const int plain = m_pane->model()->rowHeight(0);
        m_pane->setSearchText("Level 3");
        QTRY_COMPARE(m_pane->model()->rowHeight(0), plain + 16);
    }

    // A click on the triangle folds and unfolds (the rule is tst_subtaskrows'); it neither
    // completes the task nor opens it. Left and Right fold in a list; in the day view they
    // still move the day.
    void theTriangleAndTheArrowKeysFold()
    {
        openTree();
        QCOMPARE(titles(), (QStringList{"Trip", "Pack", "Socks", "Call mum"}));
        clickFold(1);
        QCOMPARE(titles(), (QStringList{"Trip", "Pack", "Call mum"}));
        QVERIFY(!readFile(m_tree->root() + "/home/pack.ics").contains("STATUS:COMPLETED"));

        QListView* table = m_pane->tableView();
        table->setFocus();
        selectRow(1); // Pack
        QTest::keyClick(table, Qt::Key_Right);
        QCOMPARE(titles(), (QStringList{"Trip", "Pack", "Socks", "Call mum"}));
        QTest::keyClick(table, Qt::Key_Left);
        QCOMPARE(titles(), (QStringList{"Trip", "Pack", "Call mum"}));

        m_pane->changeViewToDict(ListEntry::dateView(ListKind::Day));
        const QDateTime day = m_tree->manager->dates().selectedDate();
        selectRow(0);
        QTest::keyClick(table, Qt::Key_Left);
        QCOMPARE(m_tree->manager->dates().selectedDate(), day.addDays(-1));
    }

    // A screen reader hears the nesting and folds with an action.
    void aScreenReaderHearsAndFoldsTheTree()
    {
        openTree();
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(m_pane->tableView());
        QAccessibleInterface* pack = list->child(1);
        const QString heard = pack->text(QAccessible::Description);
        QVERIFY2(heard.startsWith("Subtask of Trip, Due ") &&
                     heard.endsWith(", Home, Subtasks done: 0 of 1, Expanded"),
                 qPrintable(heard));
        QVERIFY(pack->state().expandable && pack->state().expanded);
        pack->actionInterface()->doAction("Collapse");
        QCOMPARE(titles(), (QStringList{"Trip", "Pack", "Call mum"}));
        pack = list->child(1);
        QVERIFY(pack->state().collapsed && !pack->state().expanded);
        QVERIFY(pack->text(QAccessible::Description).endsWith("Collapsed"));
        QVERIFY(!list->child(2)->state().expandable); // Call mum
    }

private:
    QString root() const { return m_day->root(); }

    void openPane(DataManager& manager)
    {
        m_pane = std::make_unique<MidViewController>(manager, *m_modes);
        m_pane->resize(600, 500);
        m_pane->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pane.get()));
    }

    // The pane over the store of trees instead, showing the list Home.
    void openTree()
    {
        m_tree.emplace();
        QVERIFY(m_tree->manager);
        openPane(*m_tree->manager);
        showList("Home");
    }

    void showList(const QString& title)
    {
        m_pane->changeViewToDict(ListEntry::userList(title, m_tree->listId(title)));
    }

    QStringList titles() const
    {
        QStringList shown;
        for (int row = 0; row < m_pane->model()->rowCount(); ++row)
            if (const store::ReminderPtr task = m_pane->model()->reminderAt(row))
                shown << task->title;
        return shown;
    }

    void selectRow(int row) { m_pane->tableView()->setCurrentIndex(m_pane->model()->index(row)); }

    void clickFold(int row)
    {
        QListView* table = m_pane->tableView();
        const QModelIndex index = m_pane->model()->index(row);
        const auto parts = index.data(TaskListModel::PartsRole).value<TaskRowParts>();
        auto* delegate = static_cast<TaskListDelegate*>(table->itemDelegate());
        const QRect fold = delegate->foldControlRect(table->visualRect(index), parts);
        QVERIFY(!fold.isEmpty());
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, fold.center());
    }

    // The leftmost column of `rect` with a pixel unlike the background; -1 for none.
    static int firstPaintedColumn(const QImage& image, const QRect& rect, const QColor& background)
    {
        const qreal ratio = image.devicePixelRatio();
        for (int x = int(rect.left() * ratio); x < int((rect.right() + 1) * ratio); ++x)
            for (int y = int(rect.top() * ratio); y < int((rect.bottom() + 1) * ratio); ++y)
                if (qAbs(QColor(image.pixel(x, y)).lightness() - background.lightness()) > 40)
                    return int(x / ratio);
        return -1;
    }

    void clickRow(int row)
    {
        QListView* table = m_pane->tableView();
        const QRect rect = table->visualRect(m_pane->model()->index(row));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          QPoint(rect.right() - 40, rect.center().y()));
    }

    Recorder m_recorder;
    bool m_night = false;
    std::optional<TreeStore> m_tree;
    std::optional<TaskListDay> m_day;
    DataManager* m_manager = nullptr;
    UserDefaults* m_defaults = nullptr;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<MidViewController> m_pane;
};

VELMORAN_WIDGET_TEST_MAIN(TestMidViewController)
#include "tst_midviewcontroller.moc"
