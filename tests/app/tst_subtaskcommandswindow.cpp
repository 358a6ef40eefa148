#include "LoadedDataManager.h"
#include "TestContext.h"
#include "TestDetailServices.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "app/AppDelegate.h"
#include "app/EntryWindows.h"
#include "data/DataManager.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "presentation/entry/QuickAddSession.h"
#include "presentation/sidebar/SidebarPresenter.h"
#include "ui/entry/AddViewController.h"
#include "ui/entry/QuickAddForm.h"
#include "ui/main/MidViewController.h"
#include "ui/main/RightViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
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
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

using namespace TestFiles;
using TestEnvironment::local;

namespace {

const QByteArray kLink = "RELATED-TO;RELTYPE=PARENT:";

} // namespace

// The subtask commands in the running window: the keys that indent and outdent (Tab still
// leaves the list), "Add Subtask" from the task menu, the details and its key opening the
// quick-add window bound to the task, the question before a parent with open subtasks is
// completed, and a task dropped onto another.
class TestSubtaskCommandsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir.emplace();
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/home/order", "0");
        writeFile(root() + "/work/displayname", "Work");
        writeFile(root() + "/work/order", "1");
        // Listed in the order they were made.
        writeFile(root() + "/home/sow.ics",
                  todo("sow", "Sow seeds", "CREATED:20261201T090000Z\r\n"));
        writeFile(
            root() + "/home/water.ics",
            todo("water", "Water seedlings", "CREATED:20261202T090000Z\r\n" + kLink + "sow\r\n"));
        writeFile(root() + "/home/pots.ics",
                  todo("pots", "Buy pots", "CREATED:20261203T090000Z\r\n"));
        m_defaults = std::make_unique<UserDefaults>(m_dir->filePath("prefs.json"));
        m_context.emplace(m_defaults.get());
        setupDefaultPreferences(*m_defaults, nullptr);
        m_defaults->setBool(false, PrefKey::initialLaunch);
        m_defaults->setBool(false, PrefKey::alarmOn);
        m_clock.setNow(local(2026, 12, 9, 10, 30));
        m_manager = loadedDataManager(*m_defaults, m_clock, root());
        QVERIFY(m_manager);
        m_modes = std::make_unique<ModeManager>(*m_defaults, [] { return false; });
        m_services = std::make_unique<TestDetailServices>(*m_defaults);
        m_delegate = std::make_unique<AppDelegate>(*m_manager, *m_modes, *m_defaults, nullptr,
                                                   m_services->services());
        m_entry = std::make_unique<EntryWindows>(*m_manager, *m_modes, *m_delegate);
        m_delegate->setWindows({.quickAdd = m_entry.get()});
        m_delegate->applicationDidFinishLaunching();
        QVERIFY(window());
        QVERIFY(QTest::qWaitForWindowExposed(window()));
        view().setAnimationDuration(0);
        view().lvc()->presenter().selectList(0);
        QTRY_COMPARE(list().model()->reminders().size(), 3);
    }

    void cleanup()
    {
        m_entry.reset();
        m_delegate.reset();
        m_services.reset();
        m_modes.reset();
        m_manager.reset();
        m_context.reset();
        m_defaults.reset();
        m_dir.reset();
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

    // Ctrl+] puts the selected task under the one above, Ctrl+[ takes it out again and Ctrl+Z
    // undoes, all with the keyboard in the list; Tab still takes the keyboard on.
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
        QTest::keyClick(table(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(onDisk("Buy pots")->parentUid, QString("sow"));

        QTest::keyClick(table(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != table());
    }

    void addSubtaskOpensTheBoundForm_data()
    {
        QTest::addColumn<QString>("from");
        QTest::newRow("task menu") << "menu";
        QTest::newRow("details") << "details";
        QTest::newRow("key") << "key";
    }

    // The quick-add window says whose subtask it adds, keeps the parent's list, and Return
    // writes the subtask there.
    void addSubtaskOpensTheBoundForm()
    {
        QFETCH(QString, from);
        const int row = select("Sow seeds");
        if (from == "menu") {
            list().menuNeedsUpdate(row);
            menuItem("Add Subtask")->trigger();
        } else if (from == "details") {
            view().openRightView();
            QToolButton* button = view().rvc()->addSubtaskButton();
            QTRY_VERIFY(button->isVisible());
            button->click();
        } else {
            QTest::keyClick(table(), Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
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
        QCOMPARE(added->calendar->title, QString("Home"));
    }

    void completingAParentAsks_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("remember");
        QTest::addColumn<bool>("parentDone");
        QTest::addColumn<bool>("subtaskDone");
        QTest::addColumn<QString>("remembered");
        QTest::newRow("Complete All") << "Complete All" << false << true << true << "";
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
        QCOMPARE(box->text(), QString("“Sow seeds” has 1 open subtask."));
        QStringList buttons;
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            buttons << button->text().remove('&');
            if (button->text().remove('&') == answer)
                chosen = button;
        }
        buttons.sort();
        QCOMPARE(buttons, (QStringList{"Cancel", "Complete All", "Complete Only This"}));
        QCOMPARE(box->checkBox()->text(), QString("Remember my choice"));
        box->checkBox()->setChecked(remember);
        chosen->click();
        QTRY_COMPARE(onDisk("Sow seeds")->completed, parentDone);
        QTRY_COMPARE(onDisk("Water seedlings")->completed, subtaskDone);
        QCOMPARE(m_defaults->stringForKey(PrefKey::subtaskCompletion), remembered);
        if (!parentDone)
            return;
        QCOMPARE(undo().count(), 1);
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
        QDragEnterEvent enter(onItself, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent overItself(onItself, Qt::MoveAction, data.get(), Qt::LeftButton,
                                  Qt::NoModifier);
        QApplication::sendEvent(table->viewport(), &overItself);
        QVERIFY(!overItself.isAccepted());
        QDragMoveEvent overTarget(onTarget, Qt::MoveAction, data.get(), Qt::LeftButton,
                                  Qt::NoModifier);
        QApplication::sendEvent(table->viewport(), &overTarget);
        QVERIFY(overTarget.isAccepted());
        QDropEvent drop(QPointF(onTarget), Qt::MoveAction, data.get(), Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(table->viewport(), &drop);
        QVERIFY(drop.isAccepted());
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
        int work = -1;
        for (int row = 0; row < sidebar->model()->rowCount(); ++row) {
            if (view().lvc()->presenter().layout().dictForRow(row).title() == "Work")
                work = row;
        }
        QVERIFY(work >= 0);
        const QPoint onWork = sidebar->visualRect(sidebar->model()->index(work, 0)).center();
        std::unique_ptr<QMimeData> data(
            TaskRowDrag::mimeDataFor(*list().model()->reminderAt(rowOf("Sow seeds"))));
        QDragEnterEvent enter(onWork, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(sidebar->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(onWork), Qt::MoveAction, data.get(), Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(sidebar->viewport(), &drop);
        QVERIFY(drop.isAccepted());
        QTRY_COMPARE(onDisk("Sow seeds")->calendar->title, QString("Work"));
        QTRY_COMPARE(onDisk("Water seedlings")->calendar->title, QString("Work"));
        QCOMPARE(onDisk("Water seedlings")->parentUid, QString("sow"));
        QCOMPARE(onDisk("Buy pots")->calendar->title, QString("Home"));
    }

private:
    WindowController* window() const { return m_delegate->windowController(); }
    ViewController& view() const { return *window()->viewController(); }
    MidViewController& list() const { return *view().mvc(); }
    QListView* table() const { return list().tableView(); }
    UndoHistory& undo() const { return *m_manager->tasks().undoManager(); }
    QString root() const { return m_dir->filePath("store"); }

    int rowOf(const QString& title) const
    {
        const QList<store::ReminderPtr>& tasks = list().model()->reminders();
        for (const store::ReminderPtr& each : tasks) {
            if (each->title == title)
                return list().model()->rowOfReminder(each->calendarItemIdentifier);
        }
        return -1;
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

    QAction* menuItem(const QString& text) const
    {
        for (QAction* action : list().quickActionsMenu()->actions()) {
            if (action->text().remove('&') == text)
                return action;
        }
        return nullptr;
    }

    store::ReminderPtr onDisk(const QString& title) const
    {
        store::EventStore fresh({root()}, m_clock);
        for (const store::ReminderPtr& each :
             fresh.remindersMatchingPredicate(store::predicateForRemindersInCalendars({}))) {
            if (each->title == title)
                return each;
        }
        return nullptr;
    }

    std::optional<QTemporaryDir> m_dir;
    mutable Clock m_clock;
    std::unique_ptr<UserDefaults> m_defaults;
    std::optional<TestContext> m_context;
    std::unique_ptr<DataManager> m_manager;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<TestDetailServices> m_services;
    std::unique_ptr<AppDelegate> m_delegate;
    std::unique_ptr<EntryWindows> m_entry;
};

VELMORAN_WIDGET_TEST_MAIN(TestSubtaskCommandsWindow)
#include "tst_subtaskcommandswindow.moc"
