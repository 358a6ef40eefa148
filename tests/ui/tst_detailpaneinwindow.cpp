#include "IcsLines.h"
#include "LoadedStore.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"

#include "data/DataManager.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "presentation/detail/DetailEditSession.h"
#include "ui/main/MidViewController.h"
#include "ui/main/RightViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/detail/CheckDateRow.h"
#include "ui/main/detail/DatePickerButton.h"
#include "ui/main/detail/GrowingTextEdit.h"
#include "ui/main/sidebar/LeftViewController.h"

#include <QApplication>
#include <QCheckBox>
#include <QListView>

using namespace TestFiles;
using TestEnvironment::local;

// The detail pane inside the main window over a real store: it follows the selection of the
// task list as the user moves it, and a refresh caused by another program keeps the title the
// user is typing and saves it into the task as the other program left it.
class TestDetailPaneInWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_store->defaults->setBool(false, PrefKey::alarmOn);
        m_store->clock.setNow(local(2026, 3, 27, 14, 23, 10));
        m_store->addList("work", "Work");
        writeFile(root() + "/work/milk.ics",
                  todo("milk", "Buy milk", "DUE;VALUE=DATE:20260328\r\n"));
        writeFile(root() + "/work/mum.ics", todo("mum", "Call mum"));
        writeFile(root() + "/work/rent.ics", todo("rent", "Pay the rent"));
        QVERIFY(m_store->load());
        m_manager = m_store->manager.get();
        m_modes = std::make_unique<ModeManager>(*m_store->defaults, [] { return false; });
        m_services = std::make_unique<PreferredDetailServices>(*m_store->defaults);
        QSignalSpy refreshed(m_manager, &DataManager::remindersRefreshed);
        m_window = std::make_unique<WindowController>(*m_manager, *m_modes, services());
        QVERIFY(refreshed.wait(5000));
        view().setAnimationDuration(0);
        m_window->resize(900, 700);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        // The day shown first has nothing due; the all-tasks list holds the three.
        view().lvc()->presenter().selectPresetList(1);
        QTRY_COMPARE(view().mvc()->presenter().remindersArray().size(), 3);
        view().showHideDetails();
        QTRY_VERIFY(view().isDetailsShown());
    }

    void cleanup()
    {
        m_window.reset();
        m_modes.reset();
        m_store.reset();
    }

    // The arrow keys in the list move the selection row by row, from the first task on, and
    // the pane shows each task as it is reached; a click, and a selection asked for from
    // elsewhere (a notification, a search), move the pane too. Return in the list puts the
    // keyboard in the title, Tab walks the rows, Escape goes back to the list and leaves the
    // pane open.
    void thePaneFollowsTheSelection()
    {
        QListView* table = list();
        table->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(table->hasFocus());
        // Giving the list the keyboard chooses no task; the first Down chooses the first.
        QCOMPARE(shownIdentifier(), QString());
        QVERIFY(!view().mvc()->presenter().selectedReminder());
        const QList<std::pair<Qt::Key, int>> steps = {
            {Qt::Key_Down, 0}, {Qt::Key_Down, 1}, {Qt::Key_Down, 2},
            {Qt::Key_Down, 2}, // past the last task: the spacer is not selectable
            {Qt::Key_Up, 1},   {Qt::Key_Up, 0},
        };
        for (const auto& [key, row] : steps) {
            QTest::keyClick(table, key);
            QTRY_COMPARE(shownIdentifier(), taskAt(row)->calendarItemIdentifier);
            QTRY_COMPARE(table->currentIndex().row(), row);
            QCOMPARE(pane()->titleField()->text(), taskAt(row)->title);
        }
        QCOMPARE(shownIdentifier(), QString("milk"));

        QTest::keyClick(table, Qt::Key_Return);
        QTRY_VERIFY(pane()->titleField()->hasFocus());
        for (const QWidget* next : QList<const QWidget*>{pane()->dueDateRow()->checkBox(),
                                                         pane()->dueDateRow()->picker()}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("repeatSelector"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), table);
        QVERIFY(view().isDetailsShown());

        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(2, 0)).center());
        QTRY_COMPARE(shownIdentifier(), taskAt(2)->calendarItemIdentifier);

        const store::ReminderPtr other = taskAt(1);
        view().mvc()->presenter().selectReminder(other);
        QTRY_COMPARE(shownIdentifier(), other->calendarItemIdentifier);
        QCOMPARE(table->currentIndex().row(), 1);
        QVERIFY(table->selectionModel()->isSelected(table->currentIndex()));
    }

    // Another program rewrites the task while its title is being typed: the refresh replaces
    // every task, yet the typed text and the keyboard stay; leaving the field then writes the
    // title into the re-read task, keeping the other program's line. (Return takes the title
    // in thePaneKeepsATaskItsEditMovedOutOfTheView.)
    void typingSurvivesARefresh()
    {
        QListView* table = list();
        table->setFocus(Qt::TabFocusReason);
        view().mvc()->presenter().selectReminder(taskAt(1));
        QTRY_COMPARE(shownIdentifier(), taskAt(1)->calendarItemIdentifier);
        const QString title = taskAt(1)->title;
        const QString path = taskAt(1)->origin->filePath;
        QTest::keyClick(table, Qt::Key_Return);
        GrowingTextEdit* field = pane()->titleField();
        QTRY_VERIFY(field->hasFocus());
        field->moveCursor(QTextCursor::End);
        QTest::keyClicks(field, QStringLiteral(" today"));

        const store::ReminderPtr before = pane()->session().reminder();
        QByteArray theirs = readFile(path);
        theirs.replace("END:VTODO", "DESCRIPTION:Changed elsewhere\r\nEND:VTODO");
        QSignalSpy refreshed(m_manager, &DataManager::remindersRefreshed);
        replaceFile(path, theirs);
        QVERIFY(refreshed.wait(5000));
        QTRY_COMPARE(pane()->notesField()->text(), QStringLiteral("Changed elsewhere"));
        QVERIFY(pane()->session().reminder() != before);
        QCOMPARE(field->text(), title + " today");
        QVERIFY(field->hasFocus());
        QCOMPARE(readFile(path), theirs);

        QTest::keyClick(field, Qt::Key_Tab);
        QTRY_COMPARE(IcsLines::value(readFile(path), "SUMMARY"), (title + " today").toUtf8());
        QCOMPARE(IcsLines::value(readFile(path), "DESCRIPTION"), QByteArray("Changed elsewhere"));
    }

    // A new due date moves the task out of the day shown: the list lets it go at once, the
    // pane stays on it for further edits until the user goes to another day.
    void thePaneKeepsATaskItsEditMovedOutOfTheView()
    {
        view().lvc()->presenter().selectDayView();
        writeFile(root() + "/work/today.ics",
                  todo("today", "Water plants", "DUE;VALUE=DATE:20260327\r\n"));
        const auto listed = [this] {
            return StoreQueries::titles(view().mvc()->presenter().remindersArray())
                .contains("Water plants");
        };
        QTRY_VERIFY(listed());
        view().mvc()->presenter().selectReminder(
            m_manager->tasks().reminderWithIdentifier("today"));
        QTRY_COMPARE(shownIdentifier(), QString("today"));

        DatePickerButton* picker = pane()->dueDateRow()->picker();
        picker->setDateTime(local(2026, 3, 30));
        Q_EMIT picker->popoverDismissed();
        QTRY_VERIFY(!listed());
        QCOMPARE(shownIdentifier(), QString("today"));

        GrowingTextEdit* field = pane()->titleField();
        field->setFocus();
        field->moveCursor(QTextCursor::End);
        QTest::keyClicks(field, QStringLiteral(" and herbs"));
        QTest::keyClick(field, Qt::Key_Return);
        const QString path = root() + "/work/today.ics";
        QTRY_COMPARE(IcsLines::value(readFile(path), "SUMMARY"),
                     QByteArray("Water plants and herbs"));
        QVERIFY(IcsLines::value(readFile(path), "DUE").startsWith("20260330"));

        view().mvc()->presenter().movePeriod(1);
        QTRY_COMPARE(shownIdentifier(), QString());
    }

private:
    DetailServices services() { return m_services->services(); }
    QString root() const { return m_store->root(); }
    ViewController& view() const { return *m_window->viewController(); }
    RightViewController* pane() const { return view().rvc(); }
    QListView* list() const { return view().mvc()->tableView(); }
    store::ReminderPtr taskAt(int row) const
    {
        return view().mvc()->presenter().remindersArray().at(row);
    }

    QString shownIdentifier() const
    {
        return pane()->session().reminder() ? pane()->session().reminder()->calendarItemIdentifier
                                            : QString();
    }

    std::optional<LoadedStore> m_store;
    DataManager* m_manager = nullptr;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<PreferredDetailServices> m_services;
    std::unique_ptr<WindowController> m_window;
};

VELMORAN_WIDGET_TEST_MAIN(TestDetailPaneInWindow)
#include "tst_detailpaneinwindow.moc"
