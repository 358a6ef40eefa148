#include "RunningApp.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"

#include "app/EntryWindows.h"
#include "data/TaskOperations.h"
#include "presentation/sidebar/SidebarPresenter.h"
#include "ui/entry/AddViewController.h"
#include "ui/entry/QuickAddForm.h"
#include "ui/main/MidViewController.h"
#include "ui/main/RightViewController.h"
#include "ui/main/sidebar/LeftViewController.h"
#include "ui/main/tasklist/TaskListModel.h"
#include "ui/main/tasklist/TaskRowDrag.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QToolButton>

using namespace TestFiles;
using TestEnvironment::local;

namespace {

const QByteArray kLink = "RELATED-TO;RELTYPE=PARENT:";

} // namespace

// The subtask commands in the running window: the keys that indent and outdent (Tab still
// leaves the list), "Add Subtask" from the task menu and the details (its key is tst_menuitems')
// opening the quick-add window bound to the task, the question before a parent with open
// subtasks is completed, and a task dropped onto another.
class TestSubtaskCommandsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_app.emplace();
        m_app->clock.setNow(local(2026, 12, 9, 10, 30));
        m_app->addList("home", "Home", 0);
        m_app->addList("work", "Work", 1);
        // Listed in the order they were made.
        writeFile(root() + "/home/sow.ics",
                  todo("sow", "Sow seeds", "CREATED:20261201T090000Z\r\n"));
        writeFile(
            root() + "/home/water.ics",
            todo("water", "Water seedlings", "CREATED:20261202T090000Z\r\n" + kLink + "sow\r\n"));
        writeFile(root() + "/home/pots.ics",
                  todo("pots", "Buy pots", "CREATED:20261203T090000Z\r\n"));
        m_app->defaults->setBool(false, PrefKey::initialLaunch);
        m_app->defaults->setBool(false, PrefKey::alarmOn);
        QVERIFY(m_app->build());
        m_entry = std::make_unique<EntryWindows>(*m_app->manager, *m_app->modes, *m_app->delegate);
        QVERIFY(m_app->launch({.quickAdd = m_entry.get()}));
        view().lvc()->presenter().selectList(0);
        QTRY_COMPARE(list().model()->reminders().size(), 3);
    }

    void cleanup()
    {
        m_entry.reset();
        m_app.reset();
    }

    void theKeysIndentAndOutdent_data()
    {
        QTest::addColumn<int>("in");
        QTest::addColumn<int>("out");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("brackets") << int(Qt::Key_BracketRight) << int(Qt::Key_BracketLeft)
                                  << int(Qt::ControlModifier);
        // The keys of layouts whose brackets need AltGr.
        QTest::newRow("arrows") << int(Qt::Key_Right) << int(Qt::Key_Left)
                                << int(Qt::ControlModifier | Qt::ShiftModifier);
    }

    // Ctrl+] puts the selected task under the one above and Ctrl+[ takes it out again, with the
    // keyboard in the list; Tab still takes the keyboard on.
    void theKeysIndentAndOutdent()
    {
        QFETCH(int, in);
        QFETCH(int, out);
        QFETCH(int, modifiers);
        select("Buy pots");
        QTest::keyClick(table(), Qt::Key(in), Qt::KeyboardModifiers(modifiers));
        QTRY_COMPARE(onDisk("Buy pots")->parentUid, QString("sow"));
        QTest::keyClick(table(), Qt::Key(out), Qt::KeyboardModifiers(modifiers));
        QTRY_COMPARE(onDisk("Buy pots")->parentUid, QString());
        QTest::keyClick(table(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != table());
    }

    void addSubtaskOpensTheBoundForm_data()
    {
        QTest::addColumn<QString>("from");
        QTest::newRow("task menu") << "menu";
        QTest::newRow("details") << "details";
    }

    // The quick-add window says whose subtask it adds, keeps the parent's list, and Return
    // writes the subtask there.
    void addSubtaskOpensTheBoundForm()
    {
        QFETCH(QString, from);
        const int row = select("Sow seeds");
        if (from == "menu") {
            list().menuNeedsUpdate(row);
            for (QAction* action : list().quickActionsMenu()->actions()) {
                if (action->text().remove('&') == "Add Subtask")
                    action->trigger();
            }
        } else {
            view().openRightView();
            QToolButton* button = view().rvc()->addSubtaskButton();
            QTRY_VERIFY(button->isVisible());
            button->click();
        }
        AddViewController* quickAdd = m_entry->quickAddWindow();
        QVERIFY(quickAdd);
        QTRY_VERIFY(quickAdd->isVisible());
        QuickAddForm* form = quickAdd->form();
        QVERIFY(form->parentLabel()->isVisible());
        QCOMPARE(form->parentLabel()->text(), QString("Subtask of “Sow seeds”"));
        QVERIFY(!form->listChooser()->isEnabled());
        QTest::keyClicks(form->titleField(), "Label the rows");
        QTest::keyClick(form->titleField(), Qt::Key_Return);
        QTRY_VERIFY(!quickAdd->isVisible());
        const store::ReminderPtr added = onDisk("Label the rows");
        QVERIFY(added);
        QCOMPARE(added->parentUid, QString("sow"));
    }

    void completingAParentAsks_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("remember");
        QTest::addColumn<bool>("parentDone");
        QTest::addColumn<bool>("subtaskDone");
        QTest::addColumn<QString>("remembered");
        QTest::newRow("Complete Only This") << "Complete Only This" << false << true << false << "";
        QTest::newRow("Cancel") << "Cancel" << true << false << false << "";
        QTest::newRow("Complete All, remembered")
            << "Complete All" << true << true << true << "all";
        QTest::newRow("Only This, remembered")
            << "Complete Only This" << true << true << false << "only";
    }

    // Space on a parent with an open subtask asks once; the answer decides, Cancel changes
    // nothing, and a remembered answer is given without asking the next time. Completing with
    // all is one undo step.
    void completingAParentAsks()
    {
        QFETCH(QString, answer);
        QFETCH(bool, remember);
        QFETCH(bool, parentDone);
        QFETCH(bool, subtaskDone);
        QFETCH(QString, remembered);
        select("Sow seeds");
        QTest::keyClick(table(), Qt::Key_Space);
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = window()->findChild<QMessageBox*>("subtaskCompletionQuestion")));
        box->checkBox()->setChecked(remember);
        for (QAbstractButton* button : box->buttons()) {
            if (button->text().remove('&') == answer)
                button->click();
        }
        QTRY_COMPARE(onDisk("Sow seeds")->completed, parentDone);
        QTRY_COMPARE(onDisk("Water seedlings")->completed, subtaskDone);
        QCOMPARE(m_app->defaults->stringForKey(PrefKey::subtaskCompletion), remembered);
        if (!parentDone)
            return;
        // The question was a window of its own: the main window takes the keyboard again.
        select("Sow seeds");
        QTest::keyClick(table(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_VERIFY(!onDisk("Sow seeds")->completed);
        QTRY_VERIFY(!onDisk("Water seedlings")->completed);
        if (remembered.isEmpty())
            return;
        select("Sow seeds");
        QTest::keyClick(table(), Qt::Key_Space);
        QTRY_VERIFY(onDisk("Sow seeds")->completed);
        QCOMPARE(onDisk("Water seedlings")->completed, subtaskDone);
        QVERIFY(!window()->findChild<QMessageBox*>("subtaskCompletionQuestion"));
    }

    // A task dropped onto the middle of another task's row becomes its subtask, undoably; it
    // cannot land on itself.
    void aTaskDroppedOnAnother()
    {
        const int target = select("Buy pots");
        const store::ReminderPtr dragged = list().model()->reminderAt(rowOf("Sow seeds"));
        QListView* table = this->table();
        const QPoint onTarget = table->visualRect(list().model()->index(target)).center();
        const QPoint onItself =
            table->visualRect(list().model()->index(rowOf("Sow seeds"))).center();
        std::unique_ptr<QMimeData> data(TaskRowDrag::mimeDataFor(*dragged));
        // The drag enters over the task's own row, where it cannot land, and moves on.
        QVERIFY(!drag(table, onItself, data.get()));
        QVERIFY(drag(table, onTarget, data.get(), true));
        QTRY_COMPARE(onDisk("Sow seeds")->parentUid, QString("pots"));
        // The subtask of the dropped task stays its subtask.
        QCOMPARE(onDisk("Water seedlings")->parentUid, QString("sow"));
        undo().undo();
        QTRY_COMPARE(onDisk("Sow seeds")->parentUid, QString());
    }

    // Dropped on a list in the sidebar, a parent moves there with its subtasks.
    void aParentDroppedOnAListTakesItsSubtasks()
    {
        QListView* sidebar = view().lvc()->tableView();
        const int work = view().lvc()->presenter().layout().rowForListIdentifier("work");
        QVERIFY(work >= 0);
        const QPoint onWork = sidebar->visualRect(sidebar->model()->index(work, 0)).center();
        std::unique_ptr<QMimeData> data(
            TaskRowDrag::mimeDataFor(*list().model()->reminderAt(rowOf("Sow seeds"))));
        QVERIFY(drag(sidebar, onWork, data.get(), true));
        QTRY_COMPARE(onDisk("Sow seeds")->calendar->title, QString("Work"));
        QTRY_COMPARE(onDisk("Water seedlings")->calendar->title, QString("Work"));
    }

private:
    WindowController* window() const { return m_app->window(); }
    ViewController& view() const { return m_app->view(); }
    MidViewController& list() const { return *view().mvc(); }
    QListView* table() const { return list().tableView(); }
    UndoHistory& undo() const { return *m_app->manager->tasks().undoManager(); }
    QString root() const { return m_app->root(); }

    // A drag that enters `view` and moves to `at`: whether it may land there, and whether it
    // was taken when `drop` lets it fall.
    static bool drag(QListView* view, QPoint at, QMimeData* data, bool drop = false)
    {
        QDragEnterEvent enter(at, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
        if (!enter.isAccepted() || !move.isAccepted() || !drop)
            return enter.isAccepted() && move.isAccepted();
        QDropEvent dropped(QPointF(at), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &dropped);
        return dropped.isAccepted();
    }

    int rowOf(const QString& title) const
    {
        const QList<store::ReminderPtr>& tasks = list().model()->reminders();
        const qsizetype at = StoreQueries::titles(tasks).indexOf(title);
        return at < 0 ? -1 : list().model()->rowOfReminder(tasks.at(at)->calendarItemIdentifier);
    }

    // The task selected in the list, with the window active and the keyboard in the list.
    int select(const QString& title)
    {
        window()->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(window())); }();
        const int row = rowOf(title);
        list().presenter().selectReminder(list().model()->reminderAt(row));
        table()->setFocus(Qt::OtherFocusReason);
        [&] { QTRY_VERIFY(table()->hasFocus()); }();
        return row;
    }

    store::ReminderPtr onDisk(const QString& title) const { return m_app->taskOnDisk(title); }

    std::optional<RunningApp> m_app;
    std::unique_ptr<EntryWindows> m_entry;
};

VELMORAN_WIDGET_TEST_MAIN(TestSubtaskCommandsWindow)
#include "tst_subtaskcommandswindow.moc"
