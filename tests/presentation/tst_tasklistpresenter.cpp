#include "TaskListDay.h"

#include "data/SharedDates.h"
#include "presentation/tasklist/TaskListPresenter.h"

using namespace TestFiles;
using TestEnvironment::local;

namespace {

// What the presenter tells the table and the window.
struct Recorder
{
    explicit Recorder(TaskListPresenter& presenter)
    {
        QObject::connect(&presenter, &TaskListPresenter::rowSelected, &presenter,
                         [this](int row) { rows << row; });
        QObject::connect(&presenter, &TaskListPresenter::eventSelected, &presenter,
                         [this](const store::EventPtr& event) { events << event; });
        QObject::connect(&presenter, &TaskListPresenter::changeFailed, &presenter,
                         [this](const QString& title, const QString& reason) {
                             failures << title + ": " + reason;
                         });
    }
    QList<int> rows;
    QList<store::EventPtr> events;
    QStringList failures;
};

} // namespace

// The task list without a window: the day of two tasks and two events, the selection rules,
// selecting from elsewhere, periods, search, the context menu and the commands on a task.
class TestTaskListPresenter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_day.emplace();
        QVERIFY(m_day->manager);
        m_manager = m_day->manager.get();
        m_defaults = &*m_day->defaults;
        m_list = std::make_unique<TaskListPresenter>(*m_manager);
        m_list->refresh();
    }

    void cleanup()
    {
        m_list.reset();
        m_day.reset();
    }

    // Two tasks, a spacer, the header, two events and a spacer; choosing the header selects
    // the first event and the spacer below the tasks the last task.
    void theSelectionNeverRestsOnHeaderOrSpacer()
    {
        Recorder told(*m_list);
        m_list->proposeSelection(3);
        QTRY_COMPARE(told.rows.value(0), 4);
        QCOMPARE(told.events.last()->title, "Stand-up");
        QCOMPARE(m_list->selectedEvent()->title, "Stand-up");

        m_list->proposeSelection(2);
        QTRY_COMPARE(told.rows.last(), 1);
        QCOMPARE(m_list->selectedReminder(), m_list->remindersArray().at(1));
        QVERIFY(!m_list->selectedEvent());
    }

    // After a refresh the same task stays selected, found again by its identifier.
    void theSelectionSurvivesARefresh()
    {
        m_list->proposeSelection(1);
        const QString identifier = m_list->selectedReminder()->calendarItemIdentifier;
        QSignalSpy refreshed(m_manager, &DataManager::remindersRefreshed);
        m_manager->refreshRemindersArray();
        QVERIFY(refreshed.wait(5000));
        Recorder told(*m_list);
        m_list->refresh();
        QCOMPARE(m_list->selectedReminder()->calendarItemIdentifier, identifier);
        QCOMPARE(told.rows, QList<int>{1});
    }

    // A deleted task leaves the selection on the one that took its place, or on the one
    // before it when it was the last, so that the keyboard stays on a task.
    void deletingHandsTheSelectionToANeighbour()
    {
        const auto deleteAndRefresh = [this] {
            m_list->deleteSelected();
            QSignalSpy refreshed(m_manager, &DataManager::remindersRefreshed);
            m_manager->refreshRemindersArray();
            QVERIFY(refreshed.wait(5000));
            m_list->refresh();
        };
        writeFile(m_day->root() + "/work/c.ics",
                  todo("c", "Budget", "DUE;VALUE=DATE:20261209\r\n"));
        deleteAndRefresh();
        QCOMPARE(m_list->remindersArray().size(), 3);
        // The first task: the one after it takes its place.
        m_list->proposeSelection(0);
        const QString second = m_list->remindersArray().at(1)->calendarItemIdentifier;
        deleteAndRefresh();
        QCOMPARE(m_list->selectedReminder()->calendarItemIdentifier, second);

        m_list->proposeSelection(1);
        Recorder told(*m_list);
        deleteAndRefresh();
        QCOMPARE(m_list->remindersArray().size(), 1);
        QCOMPARE(told.rows, QList<int>{0});

        // The task that is left is deleted too: nothing remains to select.
        deleteAndRefresh();
        QVERIFY(!m_list->selectedReminder());
        QCOMPARE(told.rows.last(), -1);
        QVERIFY(told.failures.isEmpty());
    }

    // A task that is not listed yet is looked for three more times, 0.3 seconds apart.
    void selectingATaskFromElsewhereRetries()
    {
        auto stranger = std::make_shared<store::Reminder>();
        stranger->calendarItemIdentifier = "not-listed";
        m_list->selectReminder(stranger);
        QCOMPARE(m_list->selectionTriedCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(m_list->selectionTriedCount(), 3, 2000);
        QTRY_COMPARE_WITH_TIMEOUT(m_list->selectionTriedCount(), 0, 2000);
        QVERIFY(!m_list->selectedReminder());

        Recorder told(*m_list);
        const store::ReminderPtr listed = m_list->remindersArray().at(1);
        QVERIFY(m_list->selectReminderFromNotifications(listed));
        QCOMPARE(told.rows, QList<int>{1});
        QVERIFY(!m_list->selectReminderFromNotifications(stranger));
    }

    // One month on from 31 January is the last day of February.
    void movesBetweenPeriodsByCalendarAddition()
    {
        m_list->showEntry(ListEntry::fromStored({{"type", 13}, {"title", ""}}));
        m_manager->dates().setSelectedDate(local(2027, 1, 31));
        m_list->movePeriod(1);
        QCOMPARE(m_manager->dates().selectedDate(), local(2027, 2, 28));
        m_list->refresh();
        QCOMPARE(m_list->view().currentDate, local(2027, 2, 1));

        // Lists have no periods: the buttons are off and the keys do nothing.
        m_list->showEntry(ListEntry::fromStored({{"type", 0}}));
        QVERIFY(!m_list->view().navigationEnabled);
        m_list->movePeriod(1);
        QCOMPARE(m_manager->dates().selectedDate(), local(2027, 2, 28));
    }

    void searchFiltersAndSavesOnlyText()
    {
        m_list->showEntry(ListEntry::fromStored({{"type", 14}, {"title", "Search"}}));
        QSignalSpy saved(m_list.get(), &TaskListPresenter::searchSaved);
        m_list->saveSearch();
        QCOMPARE(saved.size(), 0);

        m_list->setSearchText("slid");
        QCOMPARE(m_list->remindersArray().size(), 1);
        const int before = m_defaults->arrayForKey(PrefKey::listNavArray).size();
        m_list->saveSearch();
        const QVariantList nav = m_defaults->arrayForKey(PrefKey::listNavArray);
        QCOMPARE(nav.size(), before + 1);
        QCOMPARE(nav.last().toMap().value("tag").toString(), "slid");

        // The search view starts empty again.
        m_list->showEntry(ListEntry::fromStored({{"type", 14}, {"title", "Search"}}));
        QVERIFY(m_list->view().searchText.isEmpty());
    }

    // The context menu is built for the clicked task; outside the tasks it is empty. "Show
    // Details" makes the task the selection.
    void theContextMenuFollowsTheClickedRow()
    {
        QCOMPARE(m_list->menuEntries(0).value(0).title, "Mark as Completed");
        QVERIFY(m_list->menuEntries(3).isEmpty());

        Recorder told(*m_list);
        m_list->selectForDetails(1);
        QCOMPARE(m_list->selectedReminder(), m_list->remindersArray().at(1));
        QCOMPARE(told.rows, QList<int>{1});
        m_list->setShowingDetail(true);
        m_list->selectForDetails(0);
        QCOMPARE(m_list->selectedReminder(), m_list->remindersArray().at(1));
    }

    // A completion that cannot reach the store (another program deleted the task while its
    // check button bounced) is told with the reason, and nothing is written.
    void aRefusedCompletionIsToldAndNothingIsWritten()
    {
        Recorder told(*m_list);
        const store::ReminderPtr task = m_list->reminderAt(0);
        QVERIFY(task && !task->completed);
        const QString file = task->origin->path();
        QVERIFY(QFile::remove(file));
        QVERIFY(!m_list->toggleCompletion(task));
        QCOMPARE(told.failures.size(), 1);
        QVERIFY(told.failures.first().startsWith("The task could not be completed: "));
        QVERIFY(!task->completed && !QFileInfo::exists(file));
    }

private:
    std::optional<TaskListDay> m_day;
    DataManager* m_manager = nullptr;
    UserDefaults* m_defaults = nullptr;
    std::unique_ptr<TaskListPresenter> m_list;
};

VELMORAN_TEST_MAIN(TestTaskListPresenter)
#include "tst_tasklistpresenter.moc"
