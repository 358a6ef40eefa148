#include "ComboInput.h"
#include "IcsLines.h"
#include "LoadedDataManager.h"
#include "QuietPreferences.h"
#include "TestContext.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "Todoman.h"

#include "data/CalendarEvents.h"
#include "data/DataManager.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/ElidedLineEdit.h"
#include "ui/main/MidViewController.h"
#include "ui/main/RightViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/detail/CheckDateRow.h"
#include "ui/main/detail/DatePickerButton.h"
#include "ui/main/detail/GrowingTextEdit.h"
#include "ui/main/detail/InfoRow.h"
#include "ui/main/detail/ListSelectorRow.h"
#include "ui/main/detail/LocationRow.h"
#include "ui/main/detail/MapView.h"
#include "ui/main/detail/PriorityRow.h"
#include "ui/main/detail/UrlRow.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QToolButton>

using namespace TestFiles;
using IcsLines::changedProperties;
using TestEnvironment::local;

namespace {

// A task as another program wrote it, with lines Velmoran does not know: they must survive
// every edit.
const QByteArray kTask = "BEGIN:VCALENDAR\r\n"
                         "VERSION:2.0\r\n"
                         "PRODID:io.barrera.todoman\r\n"
                         "BEGIN:VTODO\r\n"
                         "CATEGORIES:Home,Garden\r\n"
                         "CREATED;VALUE=DATE-TIME:20260301T100000Z\r\n"
                         "DTSTAMP;VALUE=DATE-TIME:20260301T100000Z\r\n"
                         "DUE;VALUE=DATE-TIME:20260328T080000Z\r\n"
                         "PRIORITY:5\r\n"
                         "STATUS:NEEDS-ACTION\r\n"
                         "SUMMARY:Water the plants\r\n"
                         "UID:water-plants\r\n"
                         "X-OTHER-PROGRAM;X-KIND=test:keep me\r\n"
                         "END:VTODO\r\n"
                         "END:VCALENDAR\r\n";

QByteArray eventFile()
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VEVENT\r\n"
           "UID:concert\r\nDTSTAMP:20260101T000000Z\r\n"
           "DTSTART;TZID=Europe/Berlin:20260327T193000\r\n"
           "DTEND;TZID=Europe/Berlin:20260327T220000\r\nSUMMARY:Concert\r\n"
           "LOCATION:Old Town Hall\\nMarket Square 1\r\nURL:https://example.org/tickets\r\n"
           "DESCRIPTION:Doors open 19:00\\, tickets at https://example.org/t\r\n"
           "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

} // namespace

// The detail pane edited as a user does, with key presses and clicks on its real widgets, over
// a real store: after each edit the file on disk differs only in the lines of that edit, and
// todoman reads the result with the same due date, priority and list.
class TestDetailEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        setUpQuietPreferences(m_dir, m_defaults, m_context);
        m_defaults->setBool(false, PrefKey::noDueTime);
        // Friday before the clocks go forward.
        m_clock.setNow(local(2026, 3, 27, 14, 23, 10));
        writeFile(root() + "/work/displayname", "Work");
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/calendar/displayname", "Calendar");
        writeFile(root() + "/calendar/concert.ics", eventFile());
        writeFile(taskPath(), kTask);
        m_todoman.emplace(root(), m_dir->path());
        m_manager = loadedDataManager(*m_defaults, m_clock, root());
        QVERIFY(m_manager);
        m_modes = std::make_unique<ModeManager>(*m_defaults, [this] { return m_night; });
        m_pane = std::make_unique<RightViewController>(*m_manager, *m_modes);
        m_pane->setUrlOpener([this](const QUrl& url) {
            m_opened << url;
            return true;
        });
        m_pane->setConfirmation([this](const QString& text) {
            m_asked << text;
            return m_confirm;
        });
        // As the window does: after every refresh the pane is told the task afresh, or none
        // when it is gone.
        connect(m_manager.get(), &DataManager::remindersRefreshed, m_pane.get(), [this] {
            m_pane->changeViewWithReminder(m_manager->tasks().reminderWithIdentifier(m_shown));
        });
        m_pane->resize(300, 900);
        m_pane->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pane.get()));
        m_pane->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pane.get()));
        show("water-plants");
    }

    void cleanup()
    {
        m_pane.reset();
        m_context.reset();
        m_modes.reset();
        m_manager.reset();
        m_defaults.reset();
        m_todoman.reset();
        m_dir.reset();
        m_opened.clear();
        m_asked.clear();
        m_confirm = false;
        m_night = false;
    }

    void theTaskIsShownRowByRow()
    {
        QCOMPARE(m_pane->rows().size(), 22);
        QCOMPARE(m_pane->dividersIndexArray(), (QList<int>{1, 6, 9, 12, 21}));
        QCOMPARE(m_pane->titleField()->text(), QStringLiteral("Water the plants"));
        QVERIFY(m_pane->dueDateRow()->checkBox()->isChecked());
        QCOMPARE(m_pane->dueDateRow()->picker()->dateTime(), local(2026, 3, 28, 9));
        QCOMPARE(m_pane->alarmRow()->statusLabel()->text(), QStringLiteral("No Alarm"));
        QCOMPARE(m_pane->priorityRow()->lit(), 2);
        QCOMPARE(m_pane->listRow()->comboBox()->currentText(), QStringLiteral("Work"));
        QCOMPARE(m_pane->locationRow()->statusLabel()->text(), QStringLiteral("No Location"));
        QVERIFY(m_pane->urlRow()->openButton()->isHidden());
        for (const DetailRow& row : m_pane->rows()) {
            if (row.kind == DetailRowKind::Label)
                QVERIFY(m_pane->labelWidget(row.label)->isVisible());
            else if (row.kind != DetailRowKind::Divider)
                QVERIFY(m_pane->rowWidget(row.kind)->isVisible());
        }
        QVERIFY(!m_pane->rowWidget(DetailRowKind::CompletionDate)->isVisible());
        QVERIFY(!m_pane->rowWidget(DetailRowKind::EventInfo)->isVisible());
    }

    void editingTheTitle()
    {
        typeInto(m_pane->titleField(), "Water the plants and the lawn");
        QTest::keyClick(m_pane->titleField(), Qt::Key_Return);
        expectChange({"SUMMARY"});
        QVERIFY(m_pane->notice().isEmpty());
        checkTodoman("Water the plants and the lawn", local(2026, 3, 28, 9), 5, "Work");
        // Return again without a change saves nothing.
        const QByteArray before = readFile(taskPath());
        QTest::keyClick(m_pane->titleField(), Qt::Key_Return);
        QCOMPARE(readFile(taskPath()), before);
    }

    // The picker reads whole weekday names over its columns and writes the time on the
    // locale's clock (12-hour in en_US, which this suite runs in).
    void thePickerShowsWholeDayNamesAndTheLocalesClock()
    {
        DatePopover* popover = openPicker(m_pane->dueDateRow()->picker());
        auto* days = popover->calendar()->findChild<QTableView*>();
        QVERIFY(days);
        const QFontMetrics metrics(days->font());
        for (int column = 0; column < days->model()->columnCount(); ++column) {
            const QString name = days->model()->index(0, column).data().toString();
            QVERIFY2(days->columnWidth(column) >= metrics.horizontalAdvance(name) + 6,
                     qPrintable(name));
        }
        QCOMPARE(popover->timeEdit()->displayFormat(), QStringLiteral("h:mm AP"));
        QTest::keyClick(popover, Qt::Key_Escape);
        QTRY_VERIFY(!m_pane->dueDateRow()->picker()->popover());
    }

    void movingTheDueDateAcrossTheClockChange()
    {
        DatePopover* popover = openPicker(m_pane->dueDateRow()->picker());
        // Two days on, past the night the clocks go forward, to 16:30.
        QTest::keyClick(calendarView(popover), Qt::Key_Right);
        QTest::keyClick(calendarView(popover), Qt::Key_Right);
        setTime(popover, "16:30");
        QTest::keyClick(popover->timeEdit(), Qt::Key_Return);
        QTRY_VERIFY(!m_pane->dueDateRow()->picker()->popover());
        expectChange({"DTSTART", "DUE"});
        const QByteArray file = readFile(taskPath());
        QVERIFY2(file.contains("DUE;TZID=Europe/Berlin:20260330T163000"), file.constData());
        QVERIFY(file.contains("BEGIN:VTIMEZONE"));
        checkTodoman("Water the plants", local(2026, 3, 30, 16, 30), 5, "Work");
    }

    void aDueDateWithoutTime()
    {
        DatePopover* popover = openPicker(m_pane->dueDateRow()->picker());
        QTest::mouseClick(popover->noTimeBox(), Qt::LeftButton);
        QTest::keyClick(calendarView(popover), Qt::Key_Return);
        QTRY_VERIFY(!m_pane->dueDateRow()->picker()->popover());
        expectChange({"DTSTART", "DUE"});
        QVERIFY(readFile(taskPath()).contains("DUE;VALUE=DATE:20260328"));
        checkTodoman("Water the plants", local(2026, 3, 28), 5, "Work");
        // Shown as a day; moved across the clock change it stays a day.
        QCOMPARE(m_pane->dueDateRow()->picker()->dateTime(), local(2026, 3, 28));
        popover = openPicker(m_pane->dueDateRow()->picker());
        QVERIFY(popover->noTimeBox()->isChecked());
        QTest::keyClick(calendarView(popover), Qt::Key_Right);
        QTest::keyClick(calendarView(popover), Qt::Key_Right);
        QTest::keyClick(calendarView(popover), Qt::Key_Return);
        QTRY_VERIFY(readFile(taskPath()).contains("DUE;VALUE=DATE:20260330"));
        // Escape closes the pop-over without a change.
        const QByteArray before = readFile(taskPath());
        popover = openPicker(m_pane->dueDateRow()->picker());
        QTest::keyClick(calendarView(popover), Qt::Key_Right);
        QTest::keyClick(calendarView(popover), Qt::Key_Escape);
        QTRY_VERIFY(!m_pane->dueDateRow()->picker()->popover());
        QCOMPARE(readFile(taskPath()), before);
    }

    void switchingTheDueDateOffAndOn()
    {
        m_defaults->setBool(true, PrefKey::alarmOn);
        QTest::mouseClick(m_pane->dueDateRow()->checkBox(), Qt::LeftButton);
        expectChange({"DUE"});
        QCOMPARE(m_pane->rows().size(), 17);
        QCOMPARE(m_pane->dueDateRow()->statusLabel()->text(), QStringLiteral("No Due Date"));
        checkTodoman("Water the plants", QDateTime(), 5, "Work");

        // On again at the next full hour, with the alarm the preference asks for.
        QTest::mouseClick(m_pane->dueDateRow()->checkBox(), Qt::LeftButton);
        const QByteArray file = readFile(taskPath());
        QVERIFY(file.contains("DUE;TZID=Europe/Berlin:20260327T150000"));
        QCOMPARE(IcsLines::value(file, "TRIGGER"), QByteArray("20260327T140000Z"));
        QCOMPARE(m_pane->rows().size(), 22);
        QVERIFY(m_pane->alarmRow()->checkBox()->isChecked());
        checkTodoman("Water the plants", local(2026, 3, 27, 15), 5, "Work");
    }

    void theAlarmRow()
    {
        QTest::mouseClick(m_pane->alarmRow()->checkBox(), Qt::LeftButton);
        expectChange({"VALARM"});
        QCOMPARE(IcsLines::value(readFile(taskPath()), "TRIGGER"), QByteArray("20260328T080000Z"));
        QCOMPARE(m_pane->alarmRow()->picker()->dateTime(), local(2026, 3, 28, 9));

        DatePopover* popover = openPicker(m_pane->alarmRow()->picker());
        setTime(popover, "07:45");
        QTest::keyClick(popover->timeEdit(), Qt::Key_Return);
        QTRY_COMPARE(IcsLines::value(readFile(taskPath()), "TRIGGER"),
                     QByteArray("20260328T064500Z"));
        QCOMPARE(readFile(taskPath()).count("BEGIN:VALARM"), 1);

        // An offset from the due date, which follows it when it moves.
        QMenu* offsets = m_pane->alarmRow()->offsetButton()->menu();
        offsets->actions().at(2)->trigger(); // 15 minutes before
        QCOMPARE(IcsLines::value(readFile(taskPath()), "TRIGGER"), QByteArray("-PT15M"));
        QCOMPARE(m_pane->alarmRow()->picker()->text(), QStringLiteral("15 Minutes Before"));
        popover = openPicker(m_pane->dueDateRow()->picker());
        setTime(popover, "10:00");
        QTest::keyClick(popover->timeEdit(), Qt::Key_Return);
        QTRY_VERIFY(readFile(taskPath()).contains("T100000"));
        QCOMPARE(IcsLines::value(readFile(taskPath()), "TRIGGER"), QByteArray("-PT15M"));

        QTest::mouseClick(m_pane->alarmRow()->checkBox(), Qt::LeftButton);
        QVERIFY(!readFile(taskPath()).contains("BEGIN:VALARM"));
        QCOMPARE(m_pane->alarmRow()->statusLabel()->text(), QStringLiteral("No Alarm"));
    }

    void priorities()
    {
        QTest::mouseClick(m_pane->priorityRow()->button(3), Qt::LeftButton);
        expectChange({"PRIORITY"});
        QCOMPARE(IcsLines::value(readFile(taskPath()), "PRIORITY"), QByteArray("1"));
        QCOMPARE(m_pane->priorityRow()->lit(), 3);
        checkTodoman("Water the plants", local(2026, 3, 28, 9), 1, "Work");
        QTest::mouseClick(m_pane->priorityRow()->button(1), Qt::LeftButton);
        QCOMPARE(IcsLines::value(readFile(taskPath()), "PRIORITY"), QByteArray("9"));
        QTest::mouseClick(m_pane->priorityRow()->button(0), Qt::LeftButton);
        QVERIFY(!readFile(taskPath()).contains("PRIORITY"));
        checkTodoman("Water the plants", local(2026, 3, 28, 9), 0, "Work");
    }

    void movingToAnotherList()
    {
        const QByteArray before = readFile(taskPath());
        QComboBox* lists = m_pane->listRow()->comboBox();
        const int home = lists->findText(QStringLiteral("Home"));
        QVERIFY(home >= 0);
        chooseItem(lists, home);
        const QString moved = root() + "/home/water-plants.ics";
        QTRY_VERIFY(QFile::exists(moved));
        QVERIFY(!QFile::exists(taskPath()));
        // The same file, with its UID and every line, in the other folder.
        QCOMPARE(readFile(moved), before);
        QCOMPARE(m_pane->reminder()->calendar->title, QStringLiteral("Home"));
        QCOMPARE(m_pane->reminder()->calendarItemIdentifier, QStringLiteral("water-plants"));
        checkTodoman("Water the plants", local(2026, 3, 28, 9), 5, "Home");
    }

    void aListInAnotherStoreFolderIsRefused()
    {
        // A second root, as a second account would be.
        const QString other = m_dir->filePath("other");
        writeFile(other + "/shared/displayname", "Shared");
        m_pane.reset();
        m_manager = std::make_unique<DataManager>(*m_defaults, m_clock, [this, other] {
            return std::make_unique<store::EventStore>(QStringList{root(), other}, m_clock);
        });
        QSignalSpy refreshed(m_manager.get(), &DataManager::remindersRefreshed);
        m_manager->initStore();
        QVERIFY(refreshed.wait(5000));
        m_pane = std::make_unique<RightViewController>(*m_manager, *m_modes);
        m_pane->show();
        m_pane->changeViewWithReminder(m_manager->tasks().reminderWithIdentifier("water-plants"));
        const QByteArray before = readFile(taskPath());
        QComboBox* lists = m_pane->listRow()->comboBox();
        const int shared = lists->findText(QStringLiteral("Shared"));
        QVERIFY(shared >= 0);
        chooseItem(lists, shared);
        QVERIFY2(m_pane->notice().contains(QStringLiteral("another store folder")),
                 qPrintable(m_pane->notice()));
        QCOMPARE(readFile(taskPath()), before);
        QVERIFY(QDir(other + "/shared").entryList({"*.ics"}).isEmpty());
        // The selector shows the task's own list again.
        QCOMPARE(lists->currentText(), QStringLiteral("Work"));
    }

    void theUrlRow()
    {
        QLineEdit* field = m_pane->urlRow()->field();
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, "tickets at example.org/now, thanks");
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(field->text(), QStringLiteral("http://example.org/now"));
        expectChange({"URL"});
        QVERIFY(!m_pane->urlRow()->openButton()->isHidden());
        // Tab goes on to the notes; the open button is for the pointer.
        QCOMPARE(QApplication::focusWidget(), m_pane->notesField());
        QTest::mouseClick(m_pane->urlRow()->openButton(), Qt::LeftButton);
        QCOMPARE(m_opened, (QList<QUrl>{QUrl(QStringLiteral("http://example.org/now"))}));
        QCOMPARE(QApplication::focusWidget(), m_pane->notesField());

        // From the keyboard Ctrl+Return opens the address being typed, saved first.
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, "example.org/later");
        QTest::keyClick(field, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(m_opened.last(), QUrl(QStringLiteral("http://example.org/later")));
        QVERIFY(readFile(taskPath()).contains("URL:http://example.org/later"));
        QCOMPARE(QApplication::focusWidget(), field);

        // Text without a link empties the field and takes the URL away.
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, "no link here");
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(field->text(), QString());
        QVERIFY(!readFile(taskPath()).contains("URL"));
        QVERIFY(m_pane->urlRow()->openButton()->isHidden());
        checkTodoman("Water the plants", local(2026, 3, 28, 9), 5, "Work");
    }

    // In a pane narrower than its texts, a long address and an alarm's offset end in an
    // ellipsis rather than being cut at the edge; the address shows whole while it is being
    // edited, and in its tooltip.
    void longTextsEndInAnEllipsis()
    {
        const QString address = "https://example.org/?id=" + QString("0123456789").repeated(8);
        writeTaskWith("URL:" + address.toUtf8() +
                      "\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\n"
                      "TRIGGER:-PT15M\r\nEND:VALARM\r\n");
        m_pane->resize(200, 900);
        ElidedLineEdit* field = m_pane->urlRow()->field();
        DatePickerButton* alarm = m_pane->alarmRow()->picker();
        QTRY_VERIFY(field->width() < 200);
        QCOMPARE(field->text(), address);
        QCOMPARE(alarm->text(), QStringLiteral("15 Minutes Before"));
        QTRY_VERIFY(alarm->width() < alarm->fontMetrics().horizontalAdvance(alarm->text()));
        const auto endsInAnEllipsis = [](const QString& shown, const QString& whole,
                                         const QWidget* widget) {
            return shown.endsWith(QChar(0x2026)) && whole.startsWith(shown.chopped(1)) &&
                   widget->fontMetrics().horizontalAdvance(shown) < widget->width();
        };
        QVERIFY2(endsInAnEllipsis(field->shownText(), field->text(), field),
                 qPrintable(field->shownText()));
        QVERIFY2(endsInAnEllipsis(alarm->shownText(), alarm->text(), alarm),
                 qPrintable(alarm->shownText()));
        QCOMPARE(field->toolTip(), address);

        m_pane->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pane.get()));
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QCOMPARE(field->shownText(), address);
    }

    void urlsThatAreNotOpened()
    {
        // Addresses written by other programs, opened with the button.
        writeTaskWith("URL:javascript:alert(document.cookie)\r\n");
        QTest::mouseClick(m_pane->urlRow()->openButton(), Qt::LeftButton);
        QVERIFY(m_opened.isEmpty());
        QVERIFY(m_asked.isEmpty());
        QVERIFY(!m_pane->notice().isEmpty());

        writeTaskWith("URL:data:text/html;base64,PHNjcmlwdD4=\r\n");
        QTest::mouseClick(m_pane->urlRow()->openButton(), Qt::LeftButton);
        QVERIFY(m_opened.isEmpty());

        // A local file only after the user saw its path and agreed.
        writeTaskWith("URL:file:///home/anna/plan.pdf\r\n");
        QTest::mouseClick(m_pane->urlRow()->openButton(), Qt::LeftButton);
        QCOMPARE(m_asked.size(), 1);
        QVERIFY(m_asked.first().contains(QStringLiteral("/home/anna/plan.pdf")));
        QVERIFY(m_opened.isEmpty());
        m_confirm = true;
        QTest::mouseClick(m_pane->urlRow()->openButton(), Qt::LeftButton);
        QCOMPARE(m_opened, (QList<QUrl>{QUrl(QStringLiteral("file:///home/anna/plan.pdf"))}));

        // A mail link reads "Mail Link"; tabbing through the row keeps it, opening adds the
        // slashes mail programs need.
        m_opened.clear();
        writeTaskWith("URL:message:%3C1234@example.org%3E\r\n");
        QLineEdit* field = m_pane->urlRow()->field();
        QCOMPARE(field->text(), QStringLiteral("Mail Link"));
        const QByteArray before = readFile(taskPath());
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(readFile(taskPath()), before);
        QTest::mouseClick(m_pane->urlRow()->openButton(), Qt::LeftButton);
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(m_opened.first().scheme(), QStringLiteral("message"));
        writeTaskWith("URL:message:1234@example.org\r\n");
        QTest::mouseClick(m_pane->urlRow()->openButton(), Qt::LeftButton);
        QCOMPARE(m_opened, (QList<QUrl>{QUrl(QStringLiteral("message://1234@example.org"))}));
    }

    void theNotes()
    {
        GrowingTextEdit* notes = m_pane->notesField();
        const int emptyHeight = notes->height();
        typeInto(notes, "Use the rain water.\nSee https://example.org/plants");
        QVERIFY(notes->height() > emptyHeight);
        QTest::keyClick(notes, Qt::Key_Tab);
        expectChange({"DESCRIPTION"});
        QCOMPARE(m_manager->tasks().reminderWithIdentifier("water-plants")->notes,
                 QStringLiteral("Use the rain water.\nSee https://example.org/plants"));
        // Ctrl+click opens a link in the notes.
        QTextCursor cursor = notes->document()->find(QStringLiteral("example.org"));
        const QPoint at = notes->cursorRect(cursor).center();
        QTest::mouseClick(notes->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
        QCOMPARE(m_opened, (QList<QUrl>{QUrl(QStringLiteral("https://example.org/plants"))}));

        // A note of 100,000 characters goes in through the clipboard and comes back whole.
        const QString longNote = QString(100000, QLatin1Char('x'));
        QGuiApplication::clipboard()->setText(longNote);
        notes->setFocus();
        QTest::keyClick(notes, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(notes, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(notes, Qt::Key_Tab);
        QCOMPARE(m_pane->currentNotes().size(), 100000);
        store::EventStore store({root()});
        const store::ReminderPtr read =
            store.remindersMatchingPredicate(store::predicateForRemindersInCalendars({})).value(0);
        QVERIFY(read);
        QCOMPARE(read->notes, longNote);
        QVERIFY(notes->height() > 1000);
    }

    void mailNotesAreReadOnly()
    {
        writeTaskWith("DESCRIPTION:message:<1234@example.org>\r\n");
        GrowingTextEdit* notes = m_pane->notesField();
        QVERIFY(notes->isReadOnly());
        QCOMPARE(notes->text(), QStringLiteral("Show in Mail"));
        const QByteArray before = readFile(taskPath());
        notes->setFocus();
        QTest::keyClick(notes, Qt::Key_Tab);
        QCOMPARE(readFile(taskPath()), before);
    }

    void aCompletedTask()
    {
        writeTaskWith("COMPLETED:20260326T090000Z\r\n", "STATUS:NEEDS-ACTION", "STATUS:COMPLETED");
        QCOMPARE(m_pane->rows().size(), 14);
        QCOMPARE(m_pane->dividersIndexArray(), (QList<int>{1, 4, 13}));
        QVERIFY(m_pane->completionRow()->checkBox()->isChecked());
        QCOMPARE(m_pane->completionRow()->picker()->dateTime(), local(2026, 3, 26, 10));
        QTest::mouseClick(m_pane->completionRow()->checkBox(), Qt::LeftButton);
        expectChange({"COMPLETED", "STATUS"});
        QCOMPARE(IcsLines::value(readFile(taskPath()), "STATUS"), QByteArray("NEEDS-ACTION"));
        QCOMPARE(m_pane->rows().size(), 22);
    }

    void aLocationAlarmIsShownAndKept()
    {
        writeTaskWith("BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Water the plants\r\n"
                      "UID:loc-1\r\nX-WR-ALARMUID:loc-1\r\n"
                      "TRIGGER;VALUE=DATE-TIME:19760401T005545Z\r\nX-APPLE-PROXIMITY:ARRIVE\r\n"
                      "X-APPLE-STRUCTURED-LOCATION;VALUE=URI;X-APPLE-RADIUS=100;"
                      "X-TITLE=Garden:geo:52.520000,13.405000\r\nEND:VALARM\r\n");
        QCOMPARE(m_pane->rows().size(), 23);
        QCOMPARE(m_pane->locationRow()->statusLabel()->text(),
                 QStringLiteral("When I arrive... Garden"));
        QVERIFY(m_pane->locationRow()->checkBox()->isChecked());
        QCOMPARE(m_pane->mapRow()->region()->latitude, 52.52);
        QCOMPARE(m_pane->mapRow()->region()->radius, 100.0);
        QVERIFY(m_pane->mapRow()->isVisible());
        // Every other edit leaves it as it is.
        QTest::mouseClick(m_pane->alarmRow()->checkBox(), Qt::LeftButton);
        QTest::mouseClick(m_pane->dueDateRow()->checkBox(), Qt::LeftButton);
        const QByteArray file = readFile(taskPath());
        QVERIFY(!file.contains("DUE"));
        QCOMPARE(file.count("BEGIN:VALARM"), 1);
        QVERIFY(file.contains("X-TITLE=Garden:geo:52.520000,13.405000"));
    }

    void anEventIsReadOnly()
    {
        store::EventPtr concert;
        for (const store::EventPtr& event : m_manager->events().eventsArray()) {
            if (event->title == QLatin1String("Concert"))
                concert = event;
        }
        QVERIFY(concert);
        m_pane->changeViewWithEvent(concert);
        QCOMPARE(m_pane->rows().size(), 9);
        QVERIFY(m_pane->titleField()->isReadOnly());
        QCOMPARE(m_pane->titleField()->text(), QStringLiteral("Concert"));
        const QStringList info = m_pane->eventInfoRow()->lines();
        QCOMPARE(info.size(), 3);
        QVERIFY(info.at(0).endsWith(QStringLiteral("  ")));
        QVERIFY(info.at(0).contains(QStringLiteral(" ~ ")));
        QCOMPARE(info.at(1), QStringLiteral("Old Town Hall Market Square 1"));
        QCOMPARE(info.at(2), QStringLiteral("Calendar"));
        QVERIFY(m_pane->urlRow()->field()->isReadOnly());
        QVERIFY(m_pane->notesField()->isReadOnly());
        QTest::mouseClick(m_pane->urlRow()->openButton(), Qt::LeftButton);
        QCOMPARE(m_opened, (QList<QUrl>{QUrl(QStringLiteral("https://example.org/tickets"))}));
        QVERIFY(!m_pane->rowWidget(DetailRowKind::Priorities)->isVisible());
    }

    // Another program changes the task while its title is being typed: the typing is kept and
    // goes into the task as the other program left it.
    void aChangeElsewhereWhileTyping()
    {
        if (!m_todoman->isInstalled())
            QSKIP("todoman is not installed");
        typeInto(m_pane->titleField(), "Water the plants twice");
        const QString id = QString::number(
            m_todoman->task(QStringLiteral("Water the plants")).value("id").toInt());
        m_todoman->run(
            {QStringLiteral("edit"), QStringLiteral("--priority"), QStringLiteral("high"), id});
        QTRY_COMPARE_WITH_TIMEOUT(m_pane->priorityRow()->lit(), 3, 5000);
        QVERIFY(m_pane->notice().contains(QStringLiteral("another program")));
        QCOMPARE(m_pane->titleField()->text(), QStringLiteral("Water the plants twice"));
        QVERIFY(m_pane->titleField()->hasFocus());
        QTest::keyClick(m_pane->titleField(), Qt::Key_Return);
        const QJsonObject task = m_todoman->task(QStringLiteral("Water the plants twice"));
        QVERIFY(!task.isEmpty());
        // todoman's "high" is 4.
        QCOMPARE(task.value("priority").toInt(), 4);
    }

    // The save comes before the refresh: the store refuses to overwrite the other program's
    // change, the text stays on screen, and it is saved into the task once it was read again.
    void aRefusedSaveIsTriedAgainOnTheNewVersion()
    {
        typeInto(m_pane->notesField(), "Only in the evening");
        QByteArray changed = readFile(taskPath());
        changed.replace("PRIORITY:5", "PRIORITY:1");
        replaceFile(taskPath(), changed);
        QTest::keyClick(m_pane->notesField(), Qt::Key_Tab);
        QVERIFY2(m_pane->notice().contains(QStringLiteral("changed by another program")),
                 qPrintable(m_pane->notice()));
        QCOMPARE(readFile(taskPath()), changed);
        QCOMPARE(m_pane->notesField()->text(), QStringLiteral("Only in the evening"));
        QTRY_VERIFY_WITH_TIMEOUT(readFile(taskPath()).contains("DESCRIPTION:Only in the evening"),
                                 5000);
        QVERIFY(readFile(taskPath()).contains("PRIORITY:1"));
        QCOMPARE(m_pane->priorityRow()->lit(), 3);
    }

    // Both changed the title: theirs is shown as changed, ours stays in the field and is
    // saved over theirs only when the user leaves the field.
    void bothChangedTheTitle()
    {
        typeInto(m_pane->titleField(), "Ours");
        QByteArray changed = readFile(taskPath());
        changed.replace("SUMMARY:Water the plants", "SUMMARY:Theirs");
        replaceFile(taskPath(), changed);
        QTRY_VERIFY_WITH_TIMEOUT(m_pane->notice().contains(QStringLiteral("while you were")), 5000);
        QCOMPARE(m_pane->titleField()->text(), QStringLiteral("Ours"));
        QCOMPARE(m_pane->reminder()->title, QStringLiteral("Theirs"));
        QTest::keyClick(m_pane->titleField(), Qt::Key_Return);
        QCOMPARE(IcsLines::value(readFile(taskPath()), "SUMMARY"), QByteArray("Ours"));
    }

    void aTaskDeletedElsewhere()
    {
        QFile::remove(taskPath());
        QTRY_VERIFY_WITH_TIMEOUT(!m_pane->reminder(), 5000);
        QVERIFY(m_pane->rows().isEmpty());
        QVERIFY(m_pane->notice().contains(QStringLiteral("was deleted")));
    }

    // Return in the task list opens the pane with the keyboard in the title, Tab walks the
    // rows, Escape goes back to the list.
    void theKeyboardAlone()
    {
        m_pane.reset();
        WindowController window(*m_manager, *m_modes);
        QSignalSpy refreshed(m_manager.get(), &DataManager::remindersRefreshed);
        QVERIFY(refreshed.wait(5000));
        ViewController& view = *window.viewController();
        view.setAnimationDuration(0);
        window.resize(900, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        view.lvc(); // the day view of 27 March shows nothing due; the all-tasks list does
        view.presetList(1);
        QListView* table = view.mvc()->tableView();
        table->setFocus();
        QTRY_VERIFY(view.mvc()->remindersArray().size() == 1);
        QTest::keyClick(table, Qt::Key_Down);
        QTRY_VERIFY(view.mvc()->selectedReminder());
        QVERIFY(!view.isDetailsShown());
        QTest::keyClick(table, Qt::Key_Return);
        QTRY_VERIFY(view.isDetailsShown());
        RightViewController* pane = view.rvc();
        QTRY_VERIFY(pane->titleField()->hasFocus());

        QTest::keyClick(pane->titleField(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), pane->dueDateRow()->checkBox());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), pane->dueDateRow()->picker());
        QWidget* next = QApplication::focusWidget();
        QTest::keyClick(next, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("repeatSelector"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), table);
        QVERIFY(view.isDetailsShown());
    }

    void dayAndNightFollowTheOpenPane()
    {
        // The pane stays open on the task while the mode changes, as it does when the user
        // switches in the preferences: every row takes the new colours, and back again.
        const auto colours = [this] {
            return QList<QColor>{
                m_pane->palette().color(QPalette::Window),
                m_pane->titleField()->palette().color(QPalette::Text),
                m_pane->notesField()->palette().color(QPalette::Text),
                m_pane->labelWidget(DetailLabel::Notes)->palette().color(QPalette::WindowText),
                m_pane->dueDateRow()->statusLabel()->palette().color(QPalette::WindowText),
            };
        };
        const QList<QColor> day = colours();
        m_pane->titleField()->setFocus();
        m_pane->titleField()->moveCursor(QTextCursor::End);
        QTest::keyClicks(m_pane->titleField(), " soon");
        m_night = true;
        m_modes->resetValues();
        m_pane->resetAppearance();
        const QList<QColor> night = colours();
        QCOMPARE(night.first(), m_modes->listBackgroundColor());
        QCOMPARE(night.at(1), m_modes->darkTextColor());
        QCOMPARE(night.at(2), m_modes->subTextColor());
        QCOMPARE(night.at(4), m_modes->subTextColor());
        // The background and the title change; the grey of captions may be the same in both.
        QVERIFY(night.at(0) != day.at(0));
        QVERIFY(night.at(1) != day.at(1));
        // What is being typed stays, unsaved until the typing ends.
        QCOMPARE(m_pane->titleField()->toPlainText(), QStringLiteral("Water the plants soon"));
        QCOMPARE(readFile(taskPath()), m_before);
        m_night = false;
        m_modes->resetValues();
        m_pane->resetAppearance();
        QCOMPARE(colours(), day);
        QCOMPARE(m_pane->titleField()->font().pointSizeF(), 16.0);
        QCOMPARE(m_pane->notesField()->font().pointSizeF(), 13.0);
        // The pane goes (the window closes) while the title still has the keyboard.
    }

private:
    QString root() const { return m_dir->filePath("store"); }
    QString taskPath() const { return root() + "/work/water-plants.ics"; }

    void show(const QString& identifier)
    {
        m_shown = identifier;
        m_pane->changeViewWithReminder(m_manager->tasks().reminderWithIdentifier(identifier));
        QVERIFY(m_pane->reminder());
        m_before = readFile(taskPath());
    }

    // Rewrites the task with `extra` lines, as another program would, and waits for the pane
    // to show the new version.
    void writeTaskWith(const QByteArray& extra, const QByteArray& replace = {},
                       const QByteArray& by = {})
    {
        QByteArray file = kTask;
        file.replace("END:VTODO", extra + "END:VTODO");
        if (!replace.isEmpty())
            file.replace(replace, by);
        QSignalSpy refreshed(m_manager.get(), &DataManager::remindersRefreshed);
        replaceFile(taskPath(), file);
        QVERIFY(refreshed.wait(5000));
        m_before = readFile(taskPath());
        m_opened.clear();
        m_asked.clear();
    }

    void typeInto(GrowingTextEdit* field, const QByteArray& text)
    {
        QTest::mouseClick(field->viewport(), Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        const QList<QByteArray> lines = text.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(field, Qt::Key_Return);
            QTest::keyClicks(field, QString::fromUtf8(lines.at(i)));
        }
    }

    DatePopover* openPicker(DatePickerButton* picker)
    {
        picker->setFocus();
        QTest::keyClick(picker, Qt::Key_Space);
        DatePopover* popover = picker->popover();
        if (!popover)
            QTest::qFail("the pop-over did not open", __FILE__, __LINE__);
        else if (!QTest::qWaitForWindowExposed(popover))
            QTest::qFail("the pop-over is not shown", __FILE__, __LINE__);
        return popover;
    }

    static QWidget* calendarView(DatePopover* popover)
    {
        return popover->calendar()->focusProxy() ? popover->calendar()->focusProxy()
                                                 : popover->calendar();
    }

    // Steps the hour and the minute with the arrow keys, as on a spin box.
    static void setTime(DatePopover* popover, const QString& text)
    {
        const QTime time = QTime::fromString(text, QStringLiteral("HH:mm"));
        QTimeEdit* edit = popover->timeEdit();
        edit->setFocus();
        edit->setSelectedSection(QDateTimeEdit::HourSection);
        while (edit->time().hour() != time.hour())
            QTest::keyClick(edit, edit->time().hour() < time.hour() ? Qt::Key_Up : Qt::Key_Down);
        edit->setSelectedSection(QDateTimeEdit::MinuteSection);
        while (edit->time().minute() != time.minute())
            QTest::keyClick(edit,
                            edit->time().minute() < time.minute() ? Qt::Key_Up : Qt::Key_Down);
    }

    void expectChange(const QStringList& properties)
    {
        const QByteArray after = readFile(taskPath());
        QCOMPARE(changedProperties(m_before, after), properties);
        QVERIFY(after.contains("X-OTHER-PROGRAM;X-KIND=test:keep me"));
        QVERIFY(after.contains("CATEGORIES:Home,Garden"));
        QVERIFY(after.contains("UID:water-plants"));
        m_before = after;
    }

    void checkTodoman(const QString& title, const QDateTime& due, int priority, const QString& list)
    {
        if (!m_todoman->isInstalled())
            return;
        const QJsonObject task = m_todoman->task(title);
        QVERIFY2(!task.isEmpty(), qPrintable(title));
        if (due.isValid())
            QCOMPARE(task.value("due").toInteger(), due.toSecsSinceEpoch());
        else
            QVERIFY(task.value("due").isNull());
        QCOMPARE(task.value("priority").toInt(), priority);
        QCOMPARE(task.value("list").toString(), list);
    }

    Clock m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UserDefaults> m_defaults;
    std::optional<TestContext> m_context;
    std::optional<Todoman> m_todoman;
    std::unique_ptr<DataManager> m_manager;
    std::unique_ptr<ModeManager> m_modes;
    bool m_night = false;
    std::unique_ptr<RightViewController> m_pane;
    QString m_shown;
    QByteArray m_before;
    QList<QUrl> m_opened;
    QStringList m_asked;
    bool m_confirm = false;
};

VELMORAN_WIDGET_TEST_MAIN(TestDetailEditor)
#include "tst_detaileditor.moc"
