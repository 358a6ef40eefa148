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
#include "ui/main/tasklist/TaskListModel.h"

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

} // namespace

// The centre pane as a window: the bar of unreadable files, clicks, keys, scrolling, the
// search field and the strip (the rules behind them are tst_tasklistpresenter's).
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
        m_modes = std::make_unique<ModeManager>(*m_defaults, [] { return false; });
        m_pane = std::make_unique<MidViewController>(*m_manager, *m_modes);
        m_pane->setDelegate(&m_recorder);
        m_pane->resize(600, 500);
        m_pane->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pane.get()));
        m_pane->refreshView();
    }

    void cleanup()
    {
        m_pane.reset();
        m_modes.reset();
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

private:
    QString root() const { return m_day->root(); }

    void clickRow(int row)
    {
        QListView* table = m_pane->tableView();
        const QRect rect = table->visualRect(m_pane->model()->index(row));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          QPoint(rect.right() - 40, rect.center().y()));
    }

    Recorder m_recorder;
    std::optional<TaskListDay> m_day;
    DataManager* m_manager = nullptr;
    UserDefaults* m_defaults = nullptr;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<MidViewController> m_pane;
};

VELMORAN_WIDGET_TEST_MAIN(TestMidViewController)
#include "tst_midviewcontroller.moc"
