#include "LaunchedProgram.h"
#include "ProductMessages.h"
#include "RunningApp.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"

#include "app/EntryWindows.h"
#include "data/SharedDates.h"
#include "data/SidebarCounts.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "data/subtasks/SubtaskOperations.h"
#include "ui/entry/AddViewController.h"
#include "ui/entry/DueDateControl.h"
#include "ui/entry/QuickAddForm.h"
#include "ui/main/MidViewController.h"
#include "ui/main/sidebar/LeftViewController.h"
#include "ui/main/tasklist/TaskListDelegate.h"
#include "ui/panel/PanelRowsModel.h"
#include "ui/panel/PanelViewController.h"
#include "ui/panel/PanelWindowController.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QToolButton>

using namespace TestFiles;
using TestEnvironment::local;

// Entering tasks from anywhere, in the running application on a real X display: the tray panel
// without a tray and then with a real one (trayer, an XEmbed tray), opening under its icon,
// pinning, closing when it loses the focus (but not to its own question before a parent is
// completed), and the second shortcut; and the quick-add window from the keyboard (Ctrl+N,
// type, Return) and from a day view and a list with their presets.
// This suite runs under xvfb-run and runs inside dbus-run-session, so no StatusNotifierItem
// watcher of the desktop around it can answer.
class TestEntryWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_app.addList("home", "Home", 0);
        m_app.addList("work", "Work", 1);
        m_defaults->setBool(true, PrefKey::showMenuBar);
        m_defaults->setBool(false, PrefKey::alarmOn);
        m_defaults->setBool(false, PrefKey::sundayFirst);
        m_defaults->setString("08:00", PrefKey::alarmTime);
        // Wednesday 9 December 2026, 10:20.
        m_app.clock.setNow(local(2026, 12, 9, 10, 20));
        QVERIFY(m_app.build());
        m_app.context.emplace(m_defaults, &m_app.manager->dates());
        m_entry = std::make_unique<EntryWindows>(*m_app.manager, *m_app.modes, *m_app.delegate);
        ProductMessages::install();
        QVERIFY(m_app.launch({.quickAdd = m_entry.get(), .tray = m_entry.get()}));
    }

    void init()
    {
        m_stamp.winId();
        freshServerTime();
    }

    void cleanupTestCase()
    {
        ProductMessages::uninstall();
        m_entry.reset();
        LaunchedProgram::stop(m_tray);
    }

    // No tray at all: no icon, one line in the log however often the icon is asked for, and the
    // second shortcut still opens the panel, at the corner of the pointer's screen.
    void withoutATrayTheShortcutOpensThePanel()
    {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        QVERIFY(m_app.delegate->tray().hasStatusItem());
        QVERIFY(!m_entry->statusItem().exists());
        m_defaults->setBool(false, PrefKey::showMenuBar);
        m_defaults->setBool(true, PrefKey::showMenuBar);
        QVERIFY(!m_entry->statusItem().exists());
        QCOMPARE(ProductMessages::recorded().filter("No system tray").size(), 1);

        QCursor::setPos(1200, 40);
        togglePanel(true);
        PanelWindowController* panel = m_entry->panelWindow();
        QTRY_VERIFY(panel->isVisible());
        QVERIFY(panel->hasActivePanel());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(panel->geometry().top(), screen.top());
        QCOMPARE(panel->geometry().right(), screen.right());

        // A task typed into it is stored and selected in the main window.
        QTRY_COMPARE(QApplication::focusWidget(), panel->panel()->form()->titleField());
        QTest::keyClicks(QApplication::focusWidget(), "from the panel today");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(selectedTitle() == QLatin1String("from the panel"), 5000);
        QVERIFY(storedTask("from the panel"));
        QVERIFY(panel->isVisible());
        togglePanel(true);
        QTRY_VERIFY(!panel->isVisible());
        QVERIFY(!panel->hasActivePanel());
        waitForFocusToSettle();
    }

    // With a real XEmbed tray the icon shows, knows its place and carries the badge; the panel
    // hangs from it.
    void theIconInARealTray()
    {
        m_tray.start("trayer",
                     {"--edge", "top", "--align", "right", "--widthtype", "request", "--height",
                      "24", "--SetDockType", "true", "--transparent", "false"});
        QVERIFY2(m_tray.waitForStarted(5000), "trayer did not start");
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);
        // "showMenuBar" switches the icon off and on as it changes.
        m_defaults->setBool(false, PrefKey::showMenuBar);
        QVERIFY(!m_app.delegate->tray().hasStatusItem());
        m_defaults->setBool(true, PrefKey::showMenuBar);
        QVERIFY(m_entry->statusItem().exists());
        QTRY_VERIFY_WITH_TIMEOUT(m_entry->statusItem().geometry().isValid(), 10000);

        m_app.manager->counts().setBadgeLabel("4");
        QCOMPARE(m_entry->statusItem().trayIcon()->toolTip(), QStringLiteral("Velmoran (4)"));

        // A click on the icon.
        freshServerTime();
        Q_EMIT m_entry->statusItem().trayIcon()->activated(QSystemTrayIcon::Trigger);
        PanelWindowController* panel = m_entry->panelWindow();
        QTRY_VERIFY(panel->isVisible());
        const QRect icon = m_entry->statusItem().geometry();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(panel->geometry().top(), icon.bottom() + 1);
        QVERIFY(panel->geometry().right() <= screen.right());
        QVERIFY(panel->geometry().left() <= icon.left());
        QTRY_COMPARE(QApplication::focusWidget(), panel->panel()->form()->titleField());
        closePanel();
    }

    // Unpinned, the panel closes when another window takes the focus; pinned it stays, and the
    // icon still closes it (the pin stays for the next time).
    void thePinKeepsThePanelOpen()
    {
        PanelWindowController* panel = m_entry->panelWindow();
        togglePanel();
        QTRY_VERIFY(panel->isActiveWindow());
        focusMainWindow();
        QTRY_VERIFY(!panel->isVisible());
        QVERIFY(!panel->hasActivePanel());
        waitForFocusToSettle();

        togglePanel();
        QTRY_VERIFY(panel->isActiveWindow());
        panel->panel()->pinButton()->click();
        QVERIFY(panel->panel()->isOnTop());
        focusMainWindow();
        QTest::qWait(500);
        QVERIFY(panel->isVisible());
        QVERIFY(panel->hasActivePanel());

        togglePanel();
        QTRY_VERIFY(!panel->isVisible());
        QVERIFY(panel->panel()->isOnTop());
        waitForFocusToSettle();
        togglePanel();
        QTRY_VERIFY(panel->isVisible());
        panel->panel()->pinButton()->click();
        QVERIFY(!m_defaults->boolForKey(PrefKey::alwaysOnTopMenuBar));
        closePanel();
    }

    // A parent with an open subtask checked in the panel: the main window's question comes over
    // the panel, which stays open behind it and takes the focus back; the answer completes the
    // task with its subtask. (What each answer does is settled below the windows.)
    void aParentCheckedInThePanelAsks()
    {
        const QString title = QStringLiteral("Pack the bags");
        const QString subtaskTitle = QStringLiteral("Passport");
        const store::CalendarPtr home = m_app.manager->lists().calendarByUUID(
            m_app.manager->lists().visibleLists().constFirst());
        const store::ReminderPtr parent =
            m_app.manager->tasks().addReminderWithTitle(title, home, local(2026, 12, 9, 7, 0));
        QVERIFY(parent);
        m_app.manager->tasks().addReminderWithTitle(subtaskTitle, home, std::nullopt, {},
                                                    std::nullopt, {}, {}, false, std::nullopt, {},
                                                    parent->uid);
        QTRY_VERIFY_WITH_TIMEOUT(!m_app.manager->subtasks().subtasksOf(*parent).isEmpty(), 5000);

        PanelWindowController* panel = m_entry->panelWindow();
        togglePanel(true);
        QTRY_VERIFY(panel->isActiveWindow());
        PanelViewController* content = panel->panel();
        const auto rowOfParent = [content, &title] {
            return int(StoreQueries::titles(content->rowsModel()->reminders()).indexOf(title));
        };
        QTRY_VERIFY(rowOfParent() >= 0);
        QListView* rows = content->rowsView();
        const QRect rect = rows->visualRect(rows->model()->index(rowOfParent(), 0));
        QVERIFY(rect.isValid());
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, Qt::NoModifier,
                          content->rowsDelegate()->checkButtonRect(rect).center());

        QMessageBox* question = nullptr;
        QTRY_VERIFY((question = panel->findChild<QMessageBox*>("subtaskCompletionQuestion")));
        QTRY_VERIFY(question->isActiveWindow());
        // Past the moment the panel judges a lost focus by: the question is its own.
        waitForFocusToSettle();
        QVERIFY(panel->isVisible());
        QVERIFY(panel->hasActivePanel());
        freshServerTime();
        question->defaultButton()->click();
        QTRY_VERIFY(panel->isActiveWindow());
        QTRY_VERIFY_WITH_TIMEOUT(storedTask(title)->completed, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(storedTask(subtaskTitle)->completed, 5000);
        closePanel();
    }

    // Keyboard only: Ctrl+N in the main window, the line typed, Return: the task is stored (as
    // Smart Add reads it, which tst_quickaddwindow follows) and selected in the main window.
    void ctrlNTypeReturn()
    {
        view()->lvc()->presenter().selectWeekView();
        focusMainWindow();
        view()->lvc()->tableView()->setFocus();
        freshServerTime();
        QTest::keyClick(mainWindow(), Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(m_entry->quickAddWindow() && m_entry->quickAddWindow()->isVisible());
        AddViewController* window = m_entry->quickAddWindow();
        QTRY_COMPARE(QApplication::focusWidget(), window->form()->titleField());
        QTest::keyClicks(QApplication::focusWidget(), "call mom tomorrow 3pm !");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!window->isVisible());
        // With no window manager to pass it on, the keyboard is back only if the program
        // brings it back.
        QTRY_VERIFY(mainWindow()->isActiveWindow());

        QVERIFY(storedTask("call mom !"));
        QTRY_VERIFY_WITH_TIMEOUT(selectedTitle() == QLatin1String("call mom !"), 5000);
        // The keyboard left in the sidebar waits on the new task for the window to be active.
        QListView* list = view()->mvc()->tableView();
        QCOMPARE(mainWindow()->focusWidget(), list);
        QVERIFY(list->selectionModel()->isSelected(list->currentIndex()));
    }

    void presetsFromTheViews_data()
    {
        QTest::addColumn<QString>("viewName");
        QTest::addColumn<QDateTime>("selected");
        QTest::addColumn<QDateTime>("due");
        QTest::addColumn<QString>("list");

        QTest::newRow("day ahead")
            << "day" << local(2026, 12, 12) << local(2026, 12, 12, 8) << "Home";
        QTest::newRow("list") << "list" << QDateTime() << QDateTime() << "Work";
    }

    // Each view opens the window with its day and list (which ones, the sidebar's presenter
    // settles); one window at a time.
    void presetsFromTheViews()
    {
        QFETCH(QString, viewName);
        QFETCH(QDateTime, selected);
        QFETCH(QDateTime, due);

        if (viewName == "day")
            view()->lvc()->presenter().selectDayView();
        else
            view()->lvc()->presenter().selectList(2);
        if (selected.isValid())
            m_app.manager->dates().setSelectedDate(selected);
        view()->addNewTask();
        AddViewController* window = m_entry->quickAddWindow();
        QVERIFY(window && window->isVisible());
        QuickAddForm* form = window->form();
        QCOMPARE(form->entry().dueDate(), due);
        QCOMPARE(form->dueDateControl()->isVisibleTo(window), due.isValid());
        QTEST(form->listChooser()->currentText(), "list");
        // Asking again brings the same window forward.
        view()->addNewTask();
        QCOMPARE(m_entry->quickAddWindow(), window);

        QTRY_COMPARE(QApplication::focusWidget(), form->titleField());
        QTest::keyClick(form->titleField(), Qt::Key_Escape);
        QTRY_VERIFY(!window->isVisible());
        m_app.manager->dates().setSelectedDate(local(2026, 12, 9));
    }

private:
    WindowController* mainWindow() const { return m_app.window(); }
    ViewController* view() const { return &m_app.view(); }

    QString selectedTitle() const
    {
        const store::ReminderPtr selected = view()->mvc()->presenter().selectedReminder();
        return selected ? selected->title.toString() : QString();
    }

    // Without a window manager the X server takes a request for the focus only when it carries
    // a timestamp newer than the last change of focus, and the application's newest timestamp
    // may be older than the focus falling back to the root window when the panel hid. A
    // property change brings a fresh one, as a window manager's activation would.
    void freshServerTime()
    {
        m_stamp.setWindowTitle(QString::number(++m_stamps));
        QTest::qWait(100);
    }

    // The panel opened or closed as the icon, or the second shortcut, does it.
    void togglePanel(bool byHotKey = false)
    {
        freshServerTime();
        byHotKey ? m_app.delegate->tray().toggleByHotKey() : m_app.delegate->tray().togglePanel();
    }

    // A window that hid gives the focus up only after X11's grace period for focus changes
    // (400 ms in Qt); the next opening waits for it, as a person's next keystroke would.
    void waitForFocusToSettle() { QTest::qWait(600); }

    void focusMainWindow()
    {
        freshServerTime();
        mainWindow()->raise();
        mainWindow()->activateWindow();
        QTRY_VERIFY(mainWindow()->isActiveWindow());
    }

    void closePanel()
    {
        PanelWindowController* panel = m_entry->panelWindow();
        panel->closePanelManually();
        QTRY_VERIFY(!panel->isVisible());
        waitForFocusToSettle();
    }

    store::ReminderPtr storedTask(const QString& title) { return m_app.taskOnDisk(title); }

    QProcess m_tray;
    QWidget m_stamp;
    int m_stamps = 0;
    RunningApp m_app;
    UserDefaults* m_defaults = m_app.defaults.get();
    std::unique_ptr<EntryWindows> m_entry;
};

VELMORAN_WIDGET_TEST_MAIN(TestEntryWindows)
#include "tst_entrywindows.moc"
