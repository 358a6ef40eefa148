#include "IcsLines.h"
#include "KeyboardFocus.h"
#include "LoadedStore.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"
#include "WindowFit.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/SmartLists.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "platform/UserDefaultsWatcher.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "presentation/detail/DetailEditSession.h"
#include "ui/main/MidViewController.h"
#include "ui/main/PaneRoom.h"
#include "ui/main/RightViewController.h"
#include "ui/main/ShareMenu.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/detail/CheckDateRow.h"
#include "ui/main/detail/DatePickerButton.h"
#include "ui/main/detail/GrowingTextEdit.h"
#include "ui/main/detail/MapView.h"
#include "ui/main/detail/UrlRow.h"
#include "ui/main/sidebar/LeftViewController.h"
#include "ui/main/strip/WeekDateView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QSplitter>
#include <QToolButton>
#include <QUrlQuery>

using namespace TestFiles;
using TestEnvironment::local;

Q_DECLARE_METATYPE(PaneRoom)

// The main window's content: the side panes opening and closing by resizing the window, tasks
// from dropped mail messages, sharing, the change of day, the saved frame, and the keyboard
// (the Tab chain through the panes, the focus ring, the search field's keys); the detail pane
// following the list's selection and keeping what is typed through another program's change.
// This suite runs under xvfb-run, so that focus and keys go through a real display.
class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_defaults = m_store->defaults.get();
        m_defaults->setBool(false, PrefKey::alarmOn);
        // Wednesday 9 December 2026.
        m_store->clock.setNow(local(2026, 12, 9, 10, 30));
        m_store->addList("work", "Work");
        writeFile(root() + "/work/a.ics", todo("a", "Report"));
        QVERIFY(m_store->load());
        m_manager = m_store->manager.get();
        m_night = false;
        m_modes = std::make_unique<ModeManager>(*m_defaults, [this] { return m_night; });
        m_services = std::make_unique<PreferredDetailServices>(*m_defaults);
        // The window opens the store again, as at start-up, and refreshes.
        QSignalSpy refreshed(m_manager, &DataManager::remindersRefreshed);
        m_window = std::make_unique<WindowController>(*m_manager, *m_modes, m_services->services());
        QVERIFY(refreshed.wait(5000));
        m_window->resize(900, 600);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        view().setAnimationDuration(0);
    }

    void cleanup()
    {
        m_window.reset();
        m_modes.reset();
        m_store.reset();
    }

    void roomForASidePane_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<int>("listSpare");
        QTest::addColumn<int>("sidebarSpare");
        QTest::addColumn<PaneRoom>("expected");
        const int left = int(PaneRoom::Side::Left);
        const int right = int(PaneRoom::Side::Right);
        // On a screen 1400 wide, growing left, growing right, from the list, from the other pane.
        QTest::newRow("room beside the window")
            << right << QRect(100, 50, 900, 600) << 300 << 0 << PaneRoom{0, 250, 0, 0};
        QTest::newRow("at the right edge: the list gives")
            << right << QRect(500, 50, 900, 600) << 300 << 0 << PaneRoom{0, 0, 250, 0};
        QTest::newRow("the list and the sidebar give, then the window grows away from the pane")
            << right << QRect(460, 50, 900, 600) << 100 << 50 << PaneRoom{60, 40, 100, 50};
        QTest::newRow("a screen too small: only what is missing goes past it")
            << right << QRect(0, 0, 1400, 600) << 100 << 0 << PaneRoom{0, 150, 100, 0};
        QTest::newRow("the sidebar at the left edge")
            << left << QRect(0, 50, 900, 600) << 0 << 0 << PaneRoom{0, 250, 0, 0};
    }

    // The pane's width comes from the screen beside it, then from the task list and the other
    // pane, then from the screen on the other side; never from past the screen's edge while it
    // has room. Closing gives back the same; a pane widened meanwhile gives its extra to the list.
    void roomForASidePane()
    {
        QFETCH(int, side);
        QFETCH(QRect, frame);
        QFETCH(int, listSpare);
        QFETCH(int, sidebarSpare);
        QFETCH(PaneRoom, expected);
        const auto parts = [](const PaneRoom& room) {
            return std::tuple(room.growLeft, room.growRight, room.fromList, room.fromOtherPane);
        };
        const PaneRoom room = PaneRoom::forOpening(PaneRoom::Side(side), 250, frame,
                                                   QRect(0, 0, 1400, 900), listSpare, sidebarSpare);
        QCOMPARE(parts(room), parts(expected));
        QCOMPARE(parts(room.forClosing(PaneRoom::Side(side), 250)), parts(room));
        QCOMPARE(room.forClosing(PaneRoom::Side(side), 300).fromList, room.fromList + 50);
    }

    void everythingFitsAt800By600_data()
    {
        QTest::addColumn<bool>("night");
        QTest::newRow("day") << false;
        QTest::newRow("night") << true;
    }

    // At 800 by 600 and at its smallest, with the details open on a task that fills every row
    // with long texts, every control is within the window (or within reach of the detail pane's
    // scroll bar) and at its full size, in every view.
    void everythingFitsAt800By600()
    {
        QFETCH(bool, night);
        m_night = night;
        m_modes->resetValues();
        view().resetAppearanceFromPreferences();
        const QByteArray notes = "First line\\nsecond line\\n" + QByteArray("word ").repeated(60);
        writeFile(root() + "/work/long.ics",
                  todo("long", QByteArray("Prepare the quarterly review ").repeated(14),
                       "DUE:20261210T093000\r\nRRULE:FREQ=MONTHLY;COUNT=6\r\nPRIORITY:1\r\n"
                       "URL:https://example.org/" +
                           QByteArray("0123456789abcdef").repeated(8) + "\r\nDESCRIPTION:" + notes +
                           "\r\n" + kLocationAlarm +
                           "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\n"
                           "TRIGGER:-PT15M\r\nEND:VALARM\r\n"));
        QSignalSpy refreshed(m_manager, &DataManager::remindersRefreshed);
        m_manager->refreshRemindersArray();
        QVERIFY(refreshed.wait(5000));
        view().lvc()->presenter().selectPresetList(1);
        QTRY_COMPARE(view().mvc()->presenter().remindersArray().size(), 2);
        view().mvc()->presenter().selectReminder(m_manager->tasks().reminderWithIdentifier("long"));
        QTRY_VERIFY(view().rvc()->session().reminder());
        view().showHideDetails();
        QTRY_VERIFY(view().isDetailsShown());
        QVERIFY(view().rvc()->mapRow()->isVisibleTo(m_window.get()));

        const QList<std::pair<QString, std::function<void()>>> views = {
            {"All Tasks", [this] { view().lvc()->presenter().selectPresetList(1); }},
            {"the week", [this] { view().lvc()->presenter().selectWeekView(); }},
            {"the month", [this] { view().lvc()->presenter().selectMonthView(); }},
            {"a search", [this] { view().lvc()->presenter().selectSearch(); }}};
        for (const QSize& size : {QSize(800, 600), QSize(1, 1)}) {
            m_window->resize(size);
            QVERIFY2(
                m_window->width() <= 800 && m_window->height() <= 600,
                qPrintable(QString("%1 by %2").arg(m_window->width()).arg(m_window->height())));
            for (const auto& [name, show] : views) {
                show();
                view().mvc()->presenter().selectReminder(
                    m_manager->tasks().reminderWithIdentifier("long"));
                // The strips open and close with an animation.
                const QWidget* strip = view().mvc()->weekDateView()->parentWidget();
                QTRY_VERIFY(strip->height() == view().mvc()->stripHeight() &&
                            strip->isVisible() == (view().mvc()->stripHeight() > 0));
                // A strip that opened raises the window's least height; on X11 the window has
                // its new size only once the server has answered.
                QStringList faults;
                QTRY_VERIFY2((faults = WindowFit::faults(m_window.get())).isEmpty(),
                             qPrintable(QString("%1 at %2 by %3:\n")
                                            .arg(name)
                                            .arg(m_window->width())
                                            .arg(m_window->height()) +
                                        faults.join(QLatin1Char('\n'))));
            }
        }
    }

    // The sidebar gives its width back to the screen and leaves a button to reopen it.
    void closingTheSidebarShowsTheReopenButton()
    {
        QVERIFY(view().mvc()->isReopenButtonHidden());
        const int windowWidth = m_window->width();
        const int sidebarWidth = view().splitView()->sizes().at(0);
        view().showHideLists();
        QTRY_VERIFY(!view().isListsShown());
        QCOMPARE(m_window->width(), windowWidth - sidebarWidth);
        QVERIFY(!view().mvc()->isReopenButtonHidden());
        view().showHideLists();
        QTRY_VERIFY(view().isListsShown());
        QVERIFY(view().mvc()->isReopenButtonHidden());
    }

    // Only mail message links are taken, with the subject as the title. A message dropped while
    // the tag list #work is shown becomes a task titled with the tag; the notes carry the link
    // with the slashes mail programs need. In next week's view the new task is due on the
    // selected day; in this week's none.
    void aDroppedMessageBecomesATask()
    {
        QMimeData mail;
        mail.setData("text/x-moz-url", "message:<1234@example.org>\nLunch on Friday");
        const auto drop = WindowController::mailDropFromMimeData(&mail);
        QCOMPARE(drop->title, QStringLiteral("Lunch on Friday"));
        QCOMPARE(drop->link, QStringLiteral("message:<1234@example.org>"));
        QMimeData web;
        web.setUrls({QUrl("https://example.org/")});
        web.setText("just some words");
        QVERIFY(!WindowController::mailDropFromMimeData(&web));

        QSignalSpy added(&view(), &ViewController::reminderAdded);
        const auto last = [&added] { return added.last().at(0).value<store::ReminderPtr>(); };
        SmartLists::addSmartListType(*m_defaults, ListKind::TagList, "work", {}, {});
        view().refreshLeftTableViewFromPreferences();
        view().lvc()->presenter().selectSmartList(
            int(view().lvc()->presenter().layout().tagListsArray().size()));
        view().addNewTaskWithTitle(drop->title, drop->link);
        QCOMPARE(last()->title, QStringLiteral("Lunch on Friday #work"));
        QCOMPARE(last()->notes, QStringLiteral("message://<1234@example.org>"));
        QVERIFY(!last()->dueDateComponents);

        view().lvc()->presenter().selectWeekView();
        view().addNewTaskWithTitle("This week", "message://<a@b>");
        QVERIFY(!last()->dueDateComponents);
        m_manager->dates().setSelectedDate(local(2026, 12, 16));
        view().addNewTaskWithTitle("Next week", "message://<c@d>");
        QCOMPARE(last()->dueDateComponents->toDateTime().date(), QDate(2026, 12, 16));
    }

    void sharingAnEmptyListSaysNoTasks()
    {
        view().lvc()->presenter().selectSearch();
        const QString text = view().mvc()->presenter().sharedListText().toPlainText();
        QVERIFY2(text.contains("No Tasks"), qPrintable(text));

        ShareMenu& share = *view().shareMenu();
        const QString file = m_store->dir.filePath("shared.txt");
        QString error;
        QVERIFY(share.saveToFile(file, view().mvc()->presenter().sharedListText(), &error));
        QCOMPARE(QString::fromUtf8(readFile(file)), text);
        // A reserved character in a title must not cut the mail's body short.
        const QUrl mail = share.mailUrl("Work & home", view().mvc()->presenter().sharedListText());
        QCOMPARE(QUrlQuery(mail).queryItemValue("subject", QUrl::FullyDecoded),
                 QStringLiteral("Work & home"));
        QVERIFY(!share.saveToFile(m_store->dir.filePath("missing/folder/x.txt"), {}, &error));
        QVERIFY(!error.isEmpty());
    }

    // At the change of day the selected date becomes the new today, whatever was selected.
    void theChangeOfDayMovesEverySharedDate()
    {
        m_manager->dates().setSelectedDate(local(2026, 12, 20));
        view().refreshOnMidnight(); // the same day: nothing moves
        QCOMPARE(m_manager->dates().selectedDate(), local(2026, 12, 20));

        m_store->clock.setNow(local(2026, 12, 10, 0, 0, 5));
        view().refreshOnMidnight();
        QCOMPARE(m_manager->dates().today(), local(2026, 12, 10));
        QCOMPARE(m_manager->dates().selectedDate(), local(2026, 12, 10));
        QCOMPARE(m_manager->dates().standardEventsDate(), local(2026, 12, 10));
        QCOMPARE(view().lvc()->todayButton()->text(), QStringLiteral("10"));
    }

    // A text size set by another process (velmoran-cli prefs set fontSize 2, a synced set
    // carried over) reaches the task rows at once, not at the next start.
    void aTextSizeSetElsewhereReachesTheTaskRows()
    {
        UserDefaultsWatcher watcher(*m_defaults);
        view().lvc()->presenter().selectPresetList(1);
        QTRY_COMPARE(view().mvc()->presenter().remindersArray().size(), 1);
        const QListView* table = view().mvc()->tableView();
        const QModelIndex row = table->model()->index(0, 0);
        const int heightBefore = table->visualRect(row).height();

        UserDefaults elsewhere(m_defaults->filePath());
        elsewhere.setInteger(2, PrefKey::fontSize);
        QTRY_COMPARE(m_modes->fontSize(), 18u);
        QTRY_VERIFY(table->visualRect(row).height() > heightBefore);
    }

    // Tab goes round the sidebar, the title line and its buttons, the strip, the list and, while
    // it is open, the detail pane from its top to its bottom, every stop on screen and named,
    // and Shift+Tab the same way back. A closed detail pane takes no stop; the URL's open button
    // is not one either. Whatever has the keyboard shows it with a ring that stands out at 3:1
    // from what it is drawn over, by day and by night.
    void tabGoesRoundThePanesInOrder_data()
    {
        QTest::addColumn<bool>("details");
        QTest::addColumn<bool>("night");
        QTest::newRow("details hidden") << false << false;
        QTest::newRow("details shown") << true << false;
        QTest::newRow("details shown, night") << true << true;
    }

    void tabGoesRoundThePanesInOrder()
    {
        QFETCH(bool, details);
        QFETCH(bool, night);
        m_night = night;
        m_modes->resetValues();
        view().resetAppearanceFromPreferences();
        showTaskOfThisWeek(details);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!view().rvc()->urlRow()->openButton()->isHidden());

        const KeyboardFocus::Chain chain = KeyboardFocus::walkTabChain(m_window.get());
        QVERIFY2(chain.faults.isEmpty(), qPrintable(chain.report()));
        const QStringList faint = KeyboardFocus::stopsWithoutRing();
        QVERIFY2(faint.isEmpty(), qPrintable(faint.join("; ")));
        const int sidebar = chain.indexOf(view().lvc()->tableView());
        const int strip = chain.indexOf(view().mvc()->weekDateView());
        const int list = chain.indexOf(view().mvc()->tableView());
        QCOMPARE(sidebar, 0);
        QVERIFY(sidebar < strip && strip < list);
        QStringList names;
        for (const QWidget* stop : chain.stops)
            names << stop->accessibleName();
        for (const char* button : {"Previous", "Next", "Show or Hide Completed"})
            QVERIFY2(names.contains(button), button);
        const int title = chain.indexOf(view().rvc()->titleField());
        const int url = chain.indexOf(view().rvc()->urlRow()->field());
        const int notes = chain.indexOf(view().rvc()->notesField());
        if (!details) {
            for (const QWidget* stop : chain.stops)
                QVERIFY2(!view().rvc()->isAncestorOf(stop),
                         qPrintable(KeyboardFocus::describe(stop)));
            QCOMPARE(list, chain.stops.size() - 1);
            return;
        }
        QVERIFY(list < title && title < url);
        QCOMPARE(notes, url + 1);
        QCOMPARE(notes, chain.stops.size() - 1);
    }

    // A side pane that closes with the keyboard in it gives the keyboard to the task list.
    void aClosingPaneGivesTheKeyboardToTheList()
    {
        showTaskOfThisWeek(true);
        if (QTest::currentTestFailed())
            return;
        view().rvc()->focusTitle();
        QCOMPARE(QApplication::focusWidget(), view().rvc()->titleField());
        view().showHideDetails();
        QTRY_VERIFY(!view().isDetailsShown());
        QCOMPARE(QApplication::focusWidget(), view().mvc()->tableView());

        view().lvc()->tableView()->setFocus();
        view().showHideLists();
        QTRY_VERIFY(!view().isListsShown());
        QCOMPARE(QApplication::focusWidget(), view().mvc()->tableView());
    }

    // Down in the search field selects the first task found and gives the list the keyboard.
    void downInTheSearchFieldGoesToTheFirstResult()
    {
        view().lvc()->presenter().selectSearch();
        activateWindow();
        QLineEdit* field = searchField();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        QTest::keyClicks(field, "Rep");
        QVERIFY(!view().mvc()->presenter().selectedReminder());

        QTest::keyClick(field, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), view().mvc()->tableView());
        QCOMPARE(view().mvc()->selectedRow(), 0);
        QCOMPARE(view().rvc()->session().reminder()->title, QStringLiteral("Report"));
    }

    // --- the detail pane in the window ---

    // The arrow keys in the list move the selection row by row, from the first task on, and
    // the pane shows each task as it is reached; a click, and a selection asked for from
    // elsewhere (a notification, a search), move the pane too. Return in the list puts the
    // keyboard in the title, Tab walks the rows, Escape goes back to the list and leaves the
    // pane open.
    void thePaneFollowsTheSelection()
    {
        showThreeTasksWithDetails();
        QListView* table = view().mvc()->tableView();
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
        showThreeTasksWithDetails();
        QListView* table = view().mvc()->tableView();
        table->setFocus(Qt::TabFocusReason);
        view().mvc()->presenter().selectReminder(taskAt(1));
        QTRY_COMPARE(shownIdentifier(), taskAt(1)->calendarItemIdentifier);
        const QString title = taskAt(1)->title;
        const QString path = taskAt(1)->origin->path();
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
        showThreeTasksWithDetails();
        view().lvc()->presenter().selectDayView();
        writeFile(root() + "/work/today.ics",
                  todo("today", "Water plants", "DUE;VALUE=DATE:20261209\r\n"));
        const auto listed = [this] {
            return StoreQueries::titles(view().mvc()->presenter().remindersArray())
                .contains("Water plants");
        };
        QTRY_VERIFY(listed());
        view().mvc()->presenter().selectReminder(
            m_manager->tasks().reminderWithIdentifier("today"));
        QTRY_COMPARE(shownIdentifier(), QString("today"));

        DatePickerButton* picker = pane()->dueDateRow()->picker();
        picker->setDateTime(local(2026, 12, 12));
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
        QVERIFY(IcsLines::value(readFile(path), "DUE").startsWith("20261212"));

        view().mvc()->presenter().movePeriod(1);
        QTRY_COMPARE(shownIdentifier(), QString());
    }

private:
    QString root() const { return m_store->root(); }
    ViewController& view() { return *m_window->viewController(); }
    QLineEdit* searchField() { return view().mvc()->findChild<QLineEdit*>(); }

    RightViewController* pane() { return view().rvc(); }
    store::ReminderPtr taskAt(int row)
    {
        return view().mvc()->presenter().remindersArray().at(row);
    }
    QString shownIdentifier()
    {
        return pane()->session().reminder() ? pane()->session().reminder()->calendarItemIdentifier
                                            : QString();
    }

    // Three tasks in All Tasks, the first due tomorrow, none chosen; the details open and the
    // window active.
    void showThreeTasksWithDetails()
    {
        QFile::remove(root() + "/work/a.ics");
        writeFile(root() + "/work/milk.ics",
                  todo("milk", "Buy milk", "DUE;VALUE=DATE:20261210\r\n"));
        writeFile(root() + "/work/mum.ics", todo("mum", "Call mum"));
        writeFile(root() + "/work/rent.ics", todo("rent", "Pay the rent"));
        QSignalSpy refreshed(m_manager, &DataManager::remindersRefreshed);
        m_manager->refreshRemindersArray();
        QVERIFY(refreshed.wait(5000));
        activateWindow();
        view().lvc()->presenter().selectPresetList(1);
        QTRY_COMPARE(view().mvc()->presenter().remindersArray().size(), 3);
        view().showHideDetails();
        QTRY_VERIFY(view().isDetailsShown());
    }

    void activateWindow()
    {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // This week's view with a task due on Thursday, with an address, selected; the detail pane
    // open or closed; the keyboard in the sidebar.
    void showTaskOfThisWeek(bool details)
    {
        writeFile(root() + "/work/b.ics",
                  todo("b", "Slides", "DUE;VALUE=DATE:20261210\r\nURL:https://example.org/\r\n"));
        QSignalSpy refreshed(m_manager, &DataManager::remindersRefreshed);
        m_manager->refreshRemindersArray();
        QVERIFY(refreshed.wait(5000));
        view().lvc()->presenter().selectWeekView();
        QTRY_COMPARE(view().mvc()->weekDateView()->parentWidget()->height(), WeekDateView::kHeight);
        for (const store::ReminderPtr& reminder : view().mvc()->presenter().remindersArray()) {
            if (reminder->title == QStringLiteral("Slides"))
                view().mvc()->presenter().selectReminder(reminder);
        }
        QVERIFY(view().mvc()->presenter().selectedReminder());
        if (details)
            view().showHideDetails();
        QTRY_COMPARE(view().isDetailsShown(), details);
        activateWindow();
        view().lvc()->tableView()->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), view().lvc()->tableView());
    }

    static constexpr const char* kLocationAlarm =
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nUID:place\r\n"
        "X-WR-ALARMUID:place\r\nTRIGGER;VALUE=DATE-TIME:19760401T005545Z\r\n"
        "X-APPLE-PROXIMITY:ARRIVE\r\nX-APPLE-STRUCTURED-LOCATION;VALUE=URI;X-APPLE-RADIUS=100;"
        "X-TITLE=Office on the long street by the river:geo:52.52,13.405\r\nEND:VALARM\r\n";

    bool m_night = false;
    std::optional<LoadedStore> m_store;
    UserDefaults* m_defaults = nullptr;
    DataManager* m_manager = nullptr;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<PreferredDetailServices> m_services;
    std::unique_ptr<WindowController> m_window;
};

VELMORAN_WIDGET_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
