#include "LoadedStore.h"
#include "LoopbackHttpServer.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "platform/UserDefaults.h"
#include "platform/sync/SyncScheduler.h"
#include "platform/sync/SyncSetup.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "text/DateFormatters.h"
#include "ui/entry/NoticeLabel.h"
#include "ui/entry/QuickAddForm.h"
#include "ui/main/DayGraphView.h"
#include "ui/main/tasklist/TaskListDelegate.h"
#include "ui/main/tasklist/TaskListModel.h"
#include "ui/panel/HourPopover.h"
#include "ui/panel/HourPopoverContent.h"
#include "ui/panel/PanelPlacement.h"
#include "ui/panel/PanelRowsModel.h"
#include "ui/panel/PanelViewController.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QToolButton>

using namespace TestFiles;
using TestEnvironment::local;

namespace {

using StoreQueries::titles;

QByteArray due(const QByteArray& when)
{
    return "DUE;TZID=Europe/Berlin:" + when + "\r\n";
}

QByteArray eventFile(const QByteArray& uid, const QByteArray& summary, const QByteArray& start,
                     const QByteArray& end)
{
    const QByteArray zone = start.size() == 8 ? ";VALUE=DATE:" : ";TZID=Europe/Berlin:";
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VEVENT\r\nUID:" +
           uid + "\r\nSUMMARY:" + summary + "\r\nDTSTART" + zone + start + "\r\nDTEND" + zone +
           end + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

} // namespace

// The tray panel's content over a real store: the rows and the height they ask for, checking a
// row, the hour pop-up's texts, adding from its own field, the pin, and where the panel goes on
// the screen.
class TestPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<LoadedStore>();
        m_store->defaults->setBool(false, PrefKey::alarmOn);
        // Wednesday 9 December 2026, 10:00: the window runs from midnight.
        m_store->clock.setNow(local(2026, 12, 9, 10, 0));
        m_store->addList("home", "Home", 0);
        writeFile(root() + "/home/color", "#336699");
        m_store->addList("work", "Work", 1);
        writeFile(root() + "/home/1.ics", todo("1", "Overdue rent", due("20261208T090000")));
        writeFile(root() + "/home/2.ics",
                  todo("2", "Call the bank", due("20261209T100000") + "PRIORITY:1\r\n"));
        writeFile(root() + "/home/3.ics",
                  todo("3", "Water plants",
                       due("20261209T103000") + "DESCRIPTION:Kitchen first\\nthen the hall\r\n"));
        writeFile(root() + "/home/4.ics",
                  todo("4", "Tomorrow's task", "DUE;VALUE=DATE:20261210\r\n"));
        m_store->addList("calendar", "Calendar");
        writeFile(root() + "/calendar/color", "#E8A33D");
        writeFile(root() + "/calendar/standup.ics",
                  eventFile("standup", "Stand-up", "20261209T100000", "20261209T101500"));
        writeFile(root() + "/calendar/trip.ics",
                  eventFile("trip", "Trip", "20261208T180000", "20261210T090000"));
        writeFile(root() + "/calendar/holiday.ics",
                  eventFile("holiday", "Holiday", "20261209", "20261211"));
        QVERIFY(m_store->load());
        m_manager = m_store->manager.get();
        m_store->context.emplace(m_store->defaults.get(), &m_manager->dates());
        m_modes = std::make_unique<ModeManager>(*m_store->defaults, [] { return false; });
        m_panel = std::make_unique<PanelViewController>(*m_manager, *m_modes);
        m_panel->resize(PanelPlacement::kPanelWidth, m_panel->panelHeight());
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
        m_panel->fetchData();
    }

    void cleanup()
    {
        m_panel.reset();
        m_modes.reset();
        m_store.reset();
    }

    // The three rows: the overdue task first, then the hour's; the panel is as tall as the rows,
    // the graph and its fixed part together.
    void rowsAndHeight()
    {
        PanelRowsModel* rows = m_panel->rowsModel();
        QCOMPARE(titles(rows->reminders()),
                 (QStringList{"Overdue rent", "Call the bank", "Water plants"}));
        int sum = 10;
        for (int row = 0; row < 3; ++row)
            sum += rows->rowHeight(row);
        QCOMPARE(m_panel->panelHeight(),
                 sum + m_panel->dayGraph()->graphHeight() + PanelViewController::kFixedHeight);
        // Notes add their line.
        QCOMPARE(rows->rowHeight(2) - rows->rowHeight(1), 18);

        const auto overdue =
            rows->data(rows->index(0), TaskListModel::PartsRole).value<TaskRowParts>();
        QVERIFY2(overdue.dateText.startsWith("Overdue : "), qPrintable(overdue.dateText));
        const auto plants =
            rows->data(rows->index(2), TaskListModel::PartsRole).value<TaskRowParts>();
        QCOMPARE(plants.notes, QStringLiteral("Kitchen first then the hall"));

        // Two tasks in the graph's first column (the overdue one and 10:00 is hour ten).
        const DayGraphLayout& layout = m_panel->dayGraph()->layout();
        QCOMPARE(layout.timeFrameType(), 0);
        QCOMPARE(m_panel->buckets().reminders.at(0).size(), 1);
        QCOMPARE(m_panel->buckets().reminders.at(10).size(), 2);
        QCOMPARE(layout.eventBars().size(), 3);
    }

    // A click on a row's check button completes its task in the store.
    void checkingARowCompletesTheTask()
    {
        QListView* view = m_panel->rowsView();
        QTRY_VERIFY(view->visualRect(view->model()->index(0, 0)).isValid());
        const QRect row = view->visualRect(view->model()->index(0, 0));
        const QPoint button = m_panel->rowsDelegate()->checkButtonRect(row).center();
        QSignalSpy refreshed(m_manager, &DataManager::remindersRefreshed);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, button);
        QVERIFY(refreshed.wait(5000));
        QVERIFY(readFile(root() + "/home/1.ics").contains("STATUS:COMPLETED"));
        m_panel->fetchData();
        QCOMPARE(titles(m_panel->rowsModel()->reminders()),
                 (QStringList{"Call the bank", "Water plants", "Tomorrow's task"}));
    }

    // The pop-up for an hour lists its tasks, then its events, with their times.
    void hourPopover()
    {
        const HourPopoverContent content = HourPopoverContent::build(
            10, m_panel->buckets(), local(2026, 12, 9), local(2026, 12, 9), m_manager->formatters(),
            *m_modes, [](const QString&) { return 16; });
        // The tasks by due date, a gap, then the events (in the store's order).
        QCOMPARE(content.lines.size(), 6);
        QCOMPARE(content.lines.at(0).title, QStringLiteral("Call the bank"));
        QCOMPARE(content.lines.at(1).title, QStringLiteral("Water plants"));
        QCOMPARE(content.lines.at(2).kind, HourPopoverContent::Line::Kind::Gap);
        QMap<QString, QString> eventDetails;
        for (int i = 3; i < 6; ++i) {
            eventDetails.insert(content.lines.at(i).title, content.lines.at(i).detail);
            QCOMPARE(content.lines.at(i).kind, HourPopoverContent::Line::Kind::Event);
            // The calendar's pale orange, as dark as it must be to be seen.
            QCOMPARE(content.lines.at(i).markColour,
                     m_modes->contrast().visibleMark(QColor("#E8A33D")));
        }
        QCOMPARE(content.lines.at(0).markColour, QColor("#336699"));
        const DateFormatter& day = m_manager->formatters().dateOnlyFormatter();
        const DateFormatter& hours = m_manager->formatters().hourTimeAMPMFormatter();
        const DateFormatter& dateTime = m_manager->formatters().dateTimeFormatter();
        QCOMPARE(eventDetails.value("Stand-up"),
                 day.stringFromDate(local(2026, 12, 9)) + ", " +
                     hours.stringFromDate(local(2026, 12, 9, 10)) + " ~ " +
                     hours.stringFromDate(local(2026, 12, 9, 10, 15)));
        QCOMPARE(eventDetails.value("Trip"), dateTime.stringFromDate(local(2026, 12, 8, 18)) +
                                                 " ~ " +
                                                 dateTime.stringFromDate(local(2026, 12, 10, 9)));
        // An all-day event's last day, not its exclusive end.
        QCOMPARE(eventDetails.value("Holiday"), day.stringFromDate(local(2026, 12, 9)) + " ~ " +
                                                    day.stringFromDate(local(2026, 12, 10)));
        // 66, two tasks (16 + 14), the gap (16), three events (16 + 22).
        QCOMPARE(content.height, 66 + 2 * 30 + 16 + 3 * 38);

        // The overdue task of the first hour says how long ago it was due.
        const HourPopoverContent first = HourPopoverContent::build(
            0, m_panel->buckets(), local(2026, 12, 9), local(2026, 12, 9), m_manager->formatters(),
            *m_modes, [](const QString&) { return 16; });
        QCOMPARE(first.lines.constFirst().detail,
                 QStringLiteral("Overdue : %1")
                     .arg(Global::overdueDayDescriptionForDate(local(2026, 12, 8, 9))));
        // A title is text, never markup.
        HourPopoverContent markup;
        markup.lines.append(
            {HourPopoverContent::Line::Kind::Task, "◉", Qt::red, "<b>50%2</b>", "x"});
        QVERIFY(markup.toHtml(*m_modes).contains("&lt;b&gt;50%2&lt;/b&gt;"));
    }

    // Moving the pointer over the graph's columns shows that hour in the pop-up.
    void hoveringShowsTheHour()
    {
        DayGraphView* graph = m_panel->dayGraph();
        const QPointF inside(30 + 10 * 13 + 5, 30);
        QMouseEvent move(QEvent::MouseMove, inside, graph->mapToGlobal(inside), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(graph, &move);
        QTRY_VERIFY(m_panel->popover()->isVisible());
        QCOMPARE(m_panel->popover()->headingText(),
                 m_manager->formatters().hourTimeAMPMFormatter().stringFromDate(
                     local(2026, 12, 9, 10, 0)));
        QVERIFY(m_panel->popover()->bodyText().contains("Call the bank"));
        const QPointF outside(5, 5);
        QMouseEvent away(QEvent::MouseMove, outside, graph->mapToGlobal(outside), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(graph, &away);
        QVERIFY(!m_panel->popover()->isVisible());
    }

    // The form's keys and what it makes of the words are tst_quickaddwindow's; here the panel's
    // form writes to the chosen list, starts afresh, and Escape (in the field or on the panel)
    // reaches the tray.
    void addingFromThePanel()
    {
        QuickAddForm* form = m_panel->form();
        QLineEdit* field = form->titleField();
        form->changeToList(listId("Work"));
        QTest::keyClicks(field, "!! first tomorrow ");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(form->noticeLabel()->notice(), QStringLiteral("New Task Added"));
        QCOMPARE(form->listChooser()->currentText(), QStringLiteral("Home"));
        // What the folders hold now, read afresh as another program would.
        const store::ReminderPtr added = m_store->taskOnDisk("first");
        QVERIFY(added);
        QCOMPARE(added->calendar->title, QStringLiteral("Work"));

        QSignalSpy escape(m_panel.get(), &PanelViewController::escapePressed);
        QTest::keyClick(field, Qt::Key_Escape);
        QTest::keyClick(m_panel.get(), Qt::Key_Escape);
        QCOMPARE(escape.size(), 2);
    }

    // Sync Now is offered only while there is something to sync, runs the scheduler's sync
    // (a real vdirsyncer run against a port where nothing listens) and waits while it runs.
    void syncNowIsOfferedWhileThereIsSomethingToSync()
    {
        const SyncPaths paths{m_store->dir.filePath("sync/config"),
                              m_store->dir.filePath("sync/data")};
        SecretStore secrets;
        SyncSetup setup(paths, secrets, {});
        SyncScheduler scheduler(setup, m_store->clock);
        m_panel->setSyncScheduler(&scheduler);
        QToolButton* button = m_panel->syncButton();
        QVERIFY(!button->isVisible());

        const QString url = LoopbackHttpServer::closedUrl();
        QVERIFY(!url.isEmpty());
        QVERIFY(SyncAccounts::save(paths.accountsFile(),
                                   {SyncAccount{"account_1", url, "alice", {"tasks"}}}));
        // An account added while the panel was away shows the button when it opens again.
        m_panel->hide();
        m_panel->show();
        QVERIFY(button->isVisible());
        QVERIFY(button->isEnabled());

        QSignalSpy finished(&scheduler.runner(), &SyncRunner::finished);
        button->click();
        QVERIFY(scheduler.isRunning());
        QCoreApplication::sendPostedEvents();
        QVERIFY(!button->isEnabled());
        QVERIFY(finished.wait(30000));
        QTRY_VERIFY(button->isEnabled());
        QVERIFY2(button->toolTip().contains(scheduler.statusText()), qPrintable(button->toolTip()));

        // The user's own configuration alone is something to sync too.
        QVERIFY(SyncAccounts::save(paths.accountsFile(), {}));
        m_panel->hide();
        m_panel->show();
        QVERIFY(!button->isVisible());
        scheduler.setUserConfig(m_store->dir.filePath("their-vdirsyncer-config"));
        m_panel->hide();
        m_panel->show();
        QVERIFY(button->isVisible());
        m_panel->setSyncScheduler(nullptr);
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("icon");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("frame");
        const QRect screen(0, 0, 1280, 800);
        // An XEmbed tray in the top right corner (trayer's icon at 1257, 1).
        QTest::newRow("icon top right")
            << QRect(1257, 1, 22, 22) << QPoint() << screen << QRect(1280 - 385, 23, 385, 400);
        QTest::newRow("icon top left")
            << QRect(40, 0, 24, 24) << QPoint() << screen << QRect(40, 24, 385, 400);
        // A panel at the bottom of the screen: the panel opens upwards.
        QTest::newRow("icon at the bottom")
            << QRect(600, 776, 24, 24) << QPoint() << screen << QRect(600, 376, 385, 400);
        // No icon: the corner of the pointer, in the free area of a second screen right of the
        // first, under a 30-point top bar.
        const QRect second(1280, 30, 1280, 994);
        QTest::newRow("pointer top right")
            << QRect() << QPoint(2500, 40) << second << QRect(2560 - 385, 30, 385, 400);
        QTest::newRow("pointer top left")
            << QRect() << QPoint(1300, 100) << second << QRect(1280, 30, 385, 400);
        QTest::newRow("pointer bottom left")
            << QRect() << QPoint(1290, 790) << second << QRect(1280, 1024 - 400, 385, 400);
        QTest::newRow("pointer bottom right")
            << QRect() << QPoint(2550, 1000) << second << QRect(2560 - 385, 1024 - 400, 385, 400);
    }

    void placement()
    {
        QFETCH(QRect, icon);
        QFETCH(QPoint, pointer);
        QFETCH(QRect, area);
        const QRect at = icon.isValid() ? icon : PanelPlacement::iconAtCorner(area, pointer);
        QTEST(PanelPlacement::frameForIcon(at, QSize(385, 400), area), "frame");
    }

private:
    QString root() const { return m_store->root(); }
    QString listId(const QString& title) const { return m_store->listId(title); }

    std::unique_ptr<LoadedStore> m_store;
    DataManager* m_manager = nullptr;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<PanelViewController> m_panel;
};

VELMORAN_WIDGET_TEST_MAIN(TestPanel)
#include "tst_panel.moc"
