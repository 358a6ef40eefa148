#include "RunningApp.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"

#include "app/IntroWindows.h"
#include "app/MinuteTimer.h"
#include "app/RecentlyDeletedUpkeep.h"
#include "app/RecentlyDeletedWindows.h"
#include "app/WindowTaskTarget.h"
#include "data/SharedDates.h"
#include "data/SmartLists.h"
#include "platform/AutostartEntry.h"
#include "platform/SchemeHandlers.h"
#include "platform/trash/RecentlyDeleted.h"
#include "prefs/UpdateNote.h"
#include "ui/intro/HelpWindowController.h"
#include "ui/main/MidViewController.h"
#include "ui/main/lists/AddListWindowController.h"
#include "ui/main/sidebar/LeftViewController.h"

#include <QApplication>
#include <QFileInfo>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>

using namespace TestFiles;
using TestEnvironment::local;

// The application as it starts: the delegate, its main window on a real display (this suite
// runs under xvfb-run, and runs inside dbus-run-session for the desktop services it asks),
// the list menus, the tray relays, what a start at login does, the notes after an update and
// the application's side of Recently Deleted.
class TestApplicationWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_app.addList("home", "Home", 0);
        writeFile(root() + "/home/a.ics", todo("a", "Water plants"));
        for (int i = 1; i <= 10; ++i)
            m_app.addList(QStringLiteral("list%1").arg(i, 2, 10, QChar('0')),
                          QStringLiteral("List %1").arg(i).toUtf8(), i);
        // Tasks outside the day view the window opens with: one due later, one without a date.
        const QByteArray inFiveDays =
            QDate::currentDate().addDays(5).toString("yyyyMMdd").toLatin1();
        writeFile(root() + "/list02/dentist.ics",
                  todo("dentist", "Dentist", "DUE;VALUE=DATE:" + inFiveDays + "\r\n"));
        writeFile(root() + "/list03/someday.ics", todo("someday", "Learn the cello"));
        m_defaults->setBool(false, PrefKey::showMenuBar);
        m_app.clock.setNow(QDateTime::currentDateTime());
        QVERIFY(m_app.build());
        QVERIFY(m_app.launch());
        m_target.setWindow(m_app.window(), m_app.manager.get());
    }

    void cleanupTestCase() { m_app.delegate.reset(); }

    // Eleven user lists: the Lists menu, rebuilt as it opens, holds the first nine.
    void theListsMenuHoldsTheFirstNine()
    {
        Q_EMIT m_app.delegate->menuBar()->listsMenu()->aboutToShow();
        const QList<QAction*> items = m_app.delegate->menuBar()->listsMenu()->actions();
        QCOMPARE(items.size(), 9);
        QCOMPARE(items.at(0)->text().remove('&'), QStringLiteral("Home"));
        QCOMPARE(items.at(8)->text().remove('&'), QStringLiteral("List 8"));
        items.at(2)->trigger();
        QCOMPARE(
            m_app.delegate->windowController()->viewController()->mvc()->presenter().view().title,
            QStringLiteral("List 2"));
    }

    // A new smart list gets its menu item (and so its shortcut) without the menu opening.
    void theListMenusFollowTheSidebar()
    {
        SmartLists::addSmartListType(*m_defaults, ListKind::TagList, "errands", {}, {});
        m_app.delegate->windowController()->viewController()->lvc()->presenter().reloadShowingDay();
        QStringList titles;
        for (QAction* action : m_app.delegate->menuBar()->smartListsMenu()->actions())
            titles << action->text().remove('&');
        QVERIFY2(titles.contains("#errands"), qPrintable(titles.join(", ")));
    }

    // A task the view on show does not list is shown in its due day's view, an undated one in
    // its list: selected, and with the keyboard on its row rather than in the sidebar.
    void showingATaskOutsideTheViewSwitchesToIt_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("sidebarRow");
        QTest::newRow("dated") << "Dentist" << 0;
        QTest::newRow("undated") << "Learn the cello" << -1;
    }

    void showingATaskOutsideTheViewSwitchesToIt()
    {
        QFETCH(QString, title);
        QFETCH(int, sidebarRow);
        ViewController* view = m_app.delegate->windowController()->viewController();
        if (sidebarRow < 0) {
            // Today's view lists undated tasks too, unless its filter leaves them out.
            QVariantMap filters = m_defaults->objectForKey(PrefKey::filters).toMap();
            filters.insert(QString(PrefKey::Filter::dayUndated), false);
            m_defaults->setObject(filters, PrefKey::filters);
        }
        view->lvc()->presenter().goToToday();
        view->lvc()->presenter().selectDayView();
        view->lvc()->tableView()->setFocus();
        // A refresh the new smart list started is over.
        QTRY_VERIFY(m_app.manager->remindersArray());
        const QList<store::ReminderPtr>& all = m_app.manager->remindersArray()->reminders();
        const store::ReminderPtr task = all.value(StoreQueries::titles(all).indexOf(title));
        QVERIFY(task);
        QVERIFY(!view->mvc()->presenter().selectReminderFromNotifications(task));

        m_target.openObject(task);
        QTRY_VERIFY(view->mvc()->presenter().selectedReminder());
        QCOMPARE(view->mvc()->presenter().selectedReminder()->title, title);
        if (sidebarRow >= 0) {
            QCOMPARE(view->lvc()->presenter().selectedRow(), sidebarRow);
            QCOMPARE(m_app.manager->dates().selectedDate().date(),
                     task->dueDateComponents->toDateTime().date());
        } else {
            QCOMPARE(view->lvc()->presenter().selectedList()->calendarIdentifier,
                     task->calendar->calendarIdentifier);
        }
        QListView* rows = view->mvc()->tableView();
        QTRY_VERIFY(rows->hasFocus());
        QCOMPARE(rows->currentIndex().row(), view->mvc()->selectedRow());
        QVERIFY(rows->selectionModel()->isRowSelected(rows->currentIndex().row()));
    }

    // Without the tray panel ("showMenuBar" off) every panel relay stays quiet.
    void panelRelaysFollowShowMenuBar()
    {
        struct CountedPanel : TrayPanel
        {
            int calls = 0;
            void createStatusItem() override { ++calls; }
            void removeStatusItem() override { ++calls; }
            void togglePanel() override { ++calls; }
            void toggleByHotKey() override { ++calls; }
            void closePanel() override { ++calls; }
            void refreshContent() override { ++calls; }
            void refreshOnMinuteChange() override { ++calls; }
        } panel;
        m_app.delegate->setWindows({.tray = &panel});
        const auto leaveNoPanel = qScopeGuard([this] { m_app.delegate->setWindows({}); });
        m_defaults->setBool(false, PrefKey::showMenuBar);
        ApplicationShell& shell = *m_app.delegate;
        auto everyRelay = [this, &shell] {
            m_app.delegate->tray().toggleByHotKey();
            m_app.delegate->tray().togglePanel();
            shell.refreshPanel();
            Q_EMIT m_app.modes->redrawWindowsRequested();
            shell.panelRefreshOnListChange();
        };
        everyRelay();
        m_app.delegate->tray().followPreference();
        QCOMPARE(panel.calls, 0);
        QVERIFY(!m_app.delegate->tray().hasStatusItem());

        // The icon follows the preference as it changes.
        m_defaults->setBool(true, PrefKey::showMenuBar);
        QVERIFY(m_app.delegate->tray().hasStatusItem());
        QCOMPARE(panel.calls, 1);
        everyRelay();
        // Hot key, toggle, minute refresh, redraw (close + refresh), list refresh.
        QCOMPARE(panel.calls, 1 + 6);
        m_defaults->setBool(false, PrefKey::showMenuBar);
        QVERIFY(!m_app.delegate->tray().hasStatusItem());
        QCOMPARE(panel.calls, 1 + 6 + 1);
    }

    // "startAtLogin" writes the autostart entry that starts the program in the background, and
    // removes it again; a login start, here the first one, shows no window until one is asked
    // for, and takes the default's text size, not the one of an empty preference file.
    void startAtLoginWritesTheAutostartEntry()
    {
        QVERIFY(!QFileInfo::exists(AutostartEntry::path()));
        m_defaults->setBool(true, PrefKey::startAtLogin);
        QVERIFY(QFileInfo::exists(AutostartEntry::path()));
        const QByteArray entry = readFile(AutostartEntry::path());
        QVERIFY(entry.startsWith("[Desktop Entry]\n"));
        QVERIFY(entry.contains("Exec=\"" + QCoreApplication::applicationFilePath().toUtf8() +
                               "\" --background\n"));
        m_defaults->setBool(false, PrefKey::startAtLogin);
        QVERIFY(!QFileInfo::exists(AutostartEntry::path()));

        UserDefaults defaults(m_app.dir.filePath("login-start.json"));
        ModeManager modes(defaults, [] { return false; });
        TestDetailServices atLoginServices(defaults);
        AppDelegate atLogin(*m_app.manager, modes, defaults, nullptr, atLoginServices.services());
        atLogin.setStartInBackground(true);
        atLogin.applicationDidFinishLaunching();
        QCOMPARE(defaults.integerForKey(PrefKey::fontSize), 1);
        QCOMPARE(modes.fontSize(), 15u);
        QVERIFY(atLogin.windowController());
        QVERIFY(!atLogin.windowController()->isVisible());
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
        QCOMPARE(atLogin.minuteTimer()->state(), MinuteTimer::State::Aligning);
        atLogin.applicationShouldHandleReopen();
        QVERIFY(atLogin.windowController()->isVisible());
    }

    // A start after an update shows the notes on what is new once, as a sheet on the main
    // window (when they are due is settled in tst_defaultpreferences).
    void notesAfterAnUpdate()
    {
        RunningApp updated;
        updated.addList("work", "Work");
        UserDefaults& defaults = *updated.defaults;
        defaults.setBool(false, PrefKey::showMenuBar);
        QVERIFY(updated.build());
        setupDefaultPreferences(defaults, &updated.manager->lists());
        defaults.setBool(false, PrefKey::initialLaunch);
        defaults.setBool(false, PrefKey::updateNote);
        defaults.setString("0.0.1", UpdateNote::kVersionKey);
        // The main window goes after the windows made over it.
        const auto closeWindow = qScopeGuard([&updated] { delete updated.window(); });
        IntroWindows windows(*updated.manager, *updated.modes, defaults, *updated.delegate);
        updated.delegate->setWindows({.onboarding = &windows});
        updated.delegate->applicationDidFinishLaunching();
        QTRY_VERIFY(windows.helpWindow());
        QCOMPARE(windows.helpWindow()->currentFileName(), QString("Update"));
        QVERIFY(!defaults.boolForKey(PrefKey::updateNote));
        QPointer<HelpWindowController> sheet = windows.helpWindow();
        QCOMPARE(sheet->parentWidget(), updated.window());
        sheet->startButton()->click();
        QTRY_VERIFY(!sheet);
    }

    // The upkeep lets go of what is older than the kept days (which, tst_recentlydeleted says)
    // at start-up and once a day after, measured on the data manager's clock.
    void recentlyDeletedIsPurgedAtStartAndOnceADay()
    {
        LoadedStore store;
        store.clock.setNow(local(2026, 12, 9, 10, 30));
        store.addList("home", "Home");
        const QString root = store.root();
        writeFile(root + "/home/old.ics", todo("old", "Old"));
        writeFile(root + "/home/recent.ics", todo("recent", "Recent"));
        Clock& clock = store.clock;
        trash::RecentlyDeleted trash;
        trash.empty();
        QVERIFY(trash.moveTask(root + "/home/old.ics", {"Old", "Home", "old", {}, {}},
                               trash::DeletedBy::Velmoran, clock.now().addDays(-40), nullptr,
                               nullptr));
        QVERIFY(trash.moveTask(root + "/home/recent.ics", {"Recent", "Home", "recent", {}, {}},
                               trash::DeletedBy::Sync, clock.now().addDays(-2), nullptr, nullptr));
        QVERIFY(store.load());
        RecentlyDeletedUpkeep upkeep(*store.manager);
        QSignalSpy purged(&upkeep, &RecentlyDeletedUpkeep::purged);
        upkeep.start();
        QVERIFY(purged.wait(10000));
        QCOMPARE(purged.takeFirst().at(0).toInt(), 1);

        // Within the day, the hourly look leaves the trash alone.
        clock.advanceSeconds(23 * 60 * 60);
        upkeep.check();
        QVERIFY(!upkeep.isPurging());
        // A month later the recent one is past the 30 days too.
        clock.advanceSeconds(29 * 24 * 60 * 60);
        upkeep.check();
        QVERIFY(purged.wait(10000));
        QCOMPARE(purged.takeFirst().at(0).toInt(), 1);
        upkeep.stop();
    }

    // The Edit menu's opener keeps one window over the main window, which stays usable.
    void recentlyDeletedIsOneWindow()
    {
        RecentlyDeletedWindows deleted(*m_app.manager, *m_app.modes, *m_app.delegate);
        m_app.delegate->setWindows({.recentlyDeleted = &deleted});
        const auto unplug = qScopeGuard([this] { m_app.delegate->setWindows({}); });
        deleted.openRecentlyDeleted();
        QPointer<RecentlyDeletedWindow> first = deleted.window();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QCOMPARE(first->parentWidget(), m_app.delegate->windowController());
        QCOMPARE(first->windowModality(), Qt::NonModal);
        first->hide();
        deleted.openRecentlyDeleted();
        QCOMPARE(deleted.window(), first.data());
        QVERIFY(first->isVisible());
        // Closed for good, the next opening makes a new one.
        first->close();
        QTRY_VERIFY(!first);
        deleted.openRecentlyDeleted();
        QVERIFY(deleted.window());
        QVERIFY(deleted.window()->isVisible());
        deleted.window()->close();
    }

    // "Rate Velmoran" goes to the software centre where a program takes "appstream:" links,
    // else to the web page; a link nothing opens is said, not dropped.
    void theReviewLinkGoesWhereAProgramCanOpenIt()
    {
        if (SchemeHandlers::hasHandlerForScheme("appstream"))
            QSKIP("this machine has a software centre for appstream: links");
        QCOMPARE(ReviewLink::url().scheme(), QStringLiteral("https"));
        const QString applications =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/applications";
        writeFile(applications + "/software.desktop",
                  "[Desktop Entry]\nType=Application\nName=Software\nExec=software %u\n"
                  "MimeType=x-scheme-handler/appstream;\n");
        QCOMPARE(ReviewLink::url().scheme(), QStringLiteral("appstream"));
        QFile::remove(applications + "/software.desktop");

        QList<QUrl> opened;
        m_app.delegate->reviewLink().setOpenUrl([&opened](const QUrl& url) {
            opened << url;
            return false;
        });
        m_app.delegate->reviewLink().open(nullptr);
        QCOMPARE(opened, QList<QUrl>{QUrl("https://velmoran.org/")});
        QVERIFY(m_app.delegate->reviewLink().lastMessage().contains("https://velmoran.org/"));
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget))
                box->close();
        }
        m_app.delegate->reviewLink().setOpenUrl({});
    }

private:
    QString root() const { return m_app.root(); }

    RunningApp m_app;
    UserDefaults* m_defaults = m_app.defaults.get();
    WindowTaskTarget m_target;
};

VELMORAN_WIDGET_TEST_MAIN(TestApplicationWindow)
#include "tst_applicationwindow.moc"
