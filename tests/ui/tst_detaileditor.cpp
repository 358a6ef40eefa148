#include "ComboInput.h"
#include "DetailPaneUnderTest.h"
#include "IcsLines.h"
#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "TextFit.h"

#include "data/DataManager.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "presentation/detail/DetailEditSession.h"
#include "ui/common/ElidedLineEdit.h"
#include "ui/main/RightViewController.h"
#include "ui/main/detail/CheckDateRow.h"
#include "ui/main/detail/DatePickerButton.h"
#include "ui/main/detail/GrowingTextEdit.h"
#include "ui/main/detail/ListSelectorRow.h"
#include "ui/main/detail/LocationPopover.h"
#include "ui/main/detail/LocationRow.h"
#include "ui/main/detail/MapView.h"
#include "ui/main/detail/PriorityRow.h"
#include "ui/main/detail/UrlRow.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimeEdit>
#include <QToolButton>

using namespace TestFiles;
using TestEnvironment::local;

namespace {

const QByteArray kContacts =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anna Schmidt\r\nN:Schmidt;Anna;;;\r\n"
    "ADR;TYPE=home:;;Hauptstr. 5;Berlin;;10115;Germany\r\n"
    "ADR;TYPE=work:;;Nowhere Lane 1;Atlantis;;;\r\nEND:VCARD\r\n";

LoopbackHttpServer::Answer serviceAnswer(const LoopbackHttpServer::Request& request)
{
    LoopbackHttpServer::Answer answer{200, "application/json", "[]"};
    if (!request.queryItem("q").isEmpty())
        answer.body = "[{\"lat\":\"52.5249451\",\"lon\":\"13.3696614\",\"display_name\":"
                      "\"Berlin Hauptbahnhof, Europaplatz, Berlin\"}]";
    else if (request.queryItem("city") == QLatin1String("Berlin"))
        answer.body = "[{\"lat\":\"52.53\",\"lon\":\"13.401\",\"display_name\":\"Hauptstr\"}]";
    return answer;
}

} // namespace

// The detail pane edited as a user does, with key presses and clicks on its real widgets, over
// a real store: after each edit the file on disk differs only in the lines of that edit, and
// todoman reads the result with the same due date, priority and list. Location alarms: a map
// place and a contact's address, found by the geocoder over a loopback server, become arrival
// or departure alarms drawn on the map.
class TestDetailEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.emplace().setUp());
        m_modes = std::make_unique<ModeManager>(*m_f->defaults, [this] { return m_night; });
        QVERIFY(showDetailPane(m_pane, *m_f->manager, *m_modes, services()));
        m_pane->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pane.get()));
    }

    void cleanup()
    {
        m_pane.reset();
        m_modes.reset();
        m_f.reset();
        m_server.reset();
        m_opened.clear();
        m_night = false;
    }

    void everyRowShowsTheTaskAndSavesItsInput()
    {
        QCOMPARE(m_pane->titleField()->text(), QStringLiteral("Water the plants"));
        QCOMPARE(m_pane->dueDateRow()->picker()->dateTime(), local(2026, 3, 28, 9));
        QCOMPARE(m_pane->priorityRow()->lit(), 2);
        QCOMPARE(m_pane->listRow()->comboBox()->currentText(), QStringLiteral("Work"));
        QVERIFY(m_pane->urlRow()->openButton()->isHidden());
        for (const DetailRow& row : m_pane->session().rows()) {
            if (row.kind == DetailRowKind::Label)
                QVERIFY(m_pane->labelWidget(row.label)->isVisible());
            else if (row.kind != DetailRowKind::Divider)
                QVERIFY(m_pane->rowWidget(row.kind)->isVisible());
        }
        QVERIFY(!m_pane->rowWidget(DetailRowKind::EventInfo)->isVisible());

        // Each row hands its control's input to the task: the line on disk changes and the row
        // shows the saved task.
        QTest::mouseClick(m_pane->priorityRow()->button(3), Qt::LeftButton);
        m_f->store->expectChange({"PRIORITY"});
        QCOMPARE(m_pane->priorityRow()->lit(), 3);
        QTest::mouseClick(m_pane->dueDateRow()->checkBox(), Qt::LeftButton);
        m_f->store->expectChange({"DUE"});
        QCOMPARE(m_pane->dueDateRow()->statusLabel()->text(), QStringLiteral("No Due Date"));
        // A completed task's row reopens it; a note that is a mail link is not typed in.
        writeTaskWith("COMPLETED:20260326T090000Z\r\nDESCRIPTION:message:<1234@example.org>\r\n",
                      "STATUS:NEEDS-ACTION", "STATUS:COMPLETED");
        QVERIFY(m_pane->notesField()->isReadOnly());
        QCOMPARE(m_pane->notesField()->text(), QStringLiteral("Show in Mail"));
        QTest::mouseClick(m_pane->completionRow()->checkBox(), Qt::LeftButton);
        m_f->store->expectChange({"COMPLETED", "STATUS"});
        QVERIFY(m_pane->dueDateRow()->isVisible());
        QComboBox* lists = m_pane->listRow()->comboBox();
        chooseItem(lists, lists->findText(QStringLiteral("Home")));
        QTRY_VERIFY(QFile::exists(root() + "/home/water-plants.ics"));
        QCOMPARE(lists->currentText(), QStringLiteral("Home"));
    }

    // The picker reads whole weekday names over its columns and writes the time on the
    // locale's clock (12-hour in en_US, which this suite runs in). Moved two days on, past the
    // night the clocks go forward, to 16:30, the due date keeps its zone.
    void movingTheDueDateAcrossTheClockChange()
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

        QTest::keyClick(calendarView(popover), Qt::Key_Right);
        QTest::keyClick(calendarView(popover), Qt::Key_Right);
        setTime(popover, "16:30");
        QTRY_VERIFY(!m_pane->dueDateRow()->picker()->popover());
        m_f->store->expectChange({"DTSTART", "DUE"});
        const QByteArray file = readFile(taskPath());
        QVERIFY2(file.contains("DUE;TZID=Europe/Berlin:20260330T163000"), file.constData());
        QVERIFY(file.contains("BEGIN:VTIMEZONE"));
        m_f->store->checkTodoman("Water the plants", local(2026, 3, 30, 16, 30), 5, "Work");
    }

    void aDueDateWithoutTime()
    {
        DatePopover* popover = openPicker(m_pane->dueDateRow()->picker());
        QTest::mouseClick(popover->noTimeBox(), Qt::LeftButton);
        QTest::keyClick(calendarView(popover), Qt::Key_Return);
        QTRY_VERIFY(!m_pane->dueDateRow()->picker()->popover());
        m_f->store->expectChange({"DTSTART", "DUE"});
        QVERIFY(readFile(taskPath()).contains("DUE;VALUE=DATE:20260328"));
        m_f->store->checkTodoman("Water the plants", local(2026, 3, 28), 5, "Work");
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

    void theAlarmRow()
    {
        QTest::mouseClick(m_pane->alarmRow()->checkBox(), Qt::LeftButton);
        m_f->store->expectChange({"VALARM"});
        QCOMPARE(IcsLines::value(readFile(taskPath()), "TRIGGER"), QByteArray("20260328T080000Z"));
        QCOMPARE(m_pane->alarmRow()->picker()->dateTime(), local(2026, 3, 28, 9));

        DatePopover* popover = openPicker(m_pane->alarmRow()->picker());
        setTime(popover, "07:45");
        QTRY_COMPARE(IcsLines::value(readFile(taskPath()), "TRIGGER"),
                     QByteArray("20260328T064500Z"));
        QCOMPARE(readFile(taskPath()).count("BEGIN:VALARM"), 1);

        // An offset from the due date, which follows it when it moves.
        QMenu* offsets = m_pane->alarmRow()->offsetButton()->menu();
        offsets->actions().at(2)->trigger(); // 15 minutes before
        QCOMPARE(IcsLines::value(readFile(taskPath()), "TRIGGER"), QByteArray("-PT15M"));
        popover = openPicker(m_pane->dueDateRow()->picker());
        setTime(popover, "10:00");
        QTRY_VERIFY(readFile(taskPath()).contains("T100000"));
        QCOMPARE(IcsLines::value(readFile(taskPath()), "TRIGGER"), QByteArray("-PT15M"));
    }

    void theUrlRow()
    {
        QLineEdit* field = m_pane->urlRow()->field();
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, "tickets at example.org/now, thanks");
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(field->text(), QStringLiteral("http://example.org/now"));
        m_f->store->expectChange({"URL"});
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
        QVERIFY(field->shownText() != address && alarm->shownText() != alarm->text());
        const QStringList faults =
            TextFit::elisionFaults(field, address, field->shownText(), field->width()) +
            TextFit::elisionFaults(alarm, alarm->text(), alarm->shownText(), alarm->width());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        QCOMPARE(field->toolTip(), address);

        m_pane->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pane.get()));
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QCOMPARE(field->shownText(), address);
    }

    void theNotes()
    {
        GrowingTextEdit* notes = m_pane->notesField();
        const int emptyHeight = notes->height();
        QTest::mouseClick(notes->viewport(), Qt::LeftButton);
        QTest::keyClicks(notes, "Use the rain water.");
        QTest::keyClick(notes, Qt::Key_Return);
        QTest::keyClicks(notes, "See https://example.org/plants");
        QVERIFY(notes->height() > emptyHeight);
        QTest::keyClick(notes, Qt::Key_Tab);
        m_f->store->expectChange({"DESCRIPTION"});
        // Ctrl+click opens a link in the notes.
        QTextCursor cursor = notes->document()->find(QStringLiteral("example.org"));
        const QPoint at = notes->cursorRect(cursor).center();
        QTest::mouseClick(notes->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
        QCOMPARE(m_opened, (QList<QUrl>{QUrl(QStringLiteral("https://example.org/plants"))}));

        // A note of 100,000 characters goes in through the clipboard whole.
        const QString longNote = QString(100000, QLatin1Char('x'));
        QGuiApplication::clipboard()->setText(longNote);
        notes->setFocus();
        QTest::keyClick(notes, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(notes, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(notes, Qt::Key_Tab);
        QTRY_COMPARE(m_f->manager->tasks().reminderWithIdentifier("water-plants")->notes, longNote);
        QVERIFY(notes->height() > 1000);
    }

    void dayAndNightFollowTheOpenPane()
    {
        // The pane stays open on the task while the mode changes, as it does when the user
        // switches in the preferences: every row takes the new colours, and back again.
        const auto colours = [this] {
            return QList<QColor>{
                m_pane->palette().color(QPalette::Window),
                m_pane->titleField()->palette().color(QPalette::Text),
                m_pane->labelWidget(DetailLabel::Notes)->palette().color(QPalette::WindowText)};
        };
        const QList<QColor> day = colours();
        m_pane->titleField()->setFocus();
        m_pane->titleField()->moveCursor(QTextCursor::End);
        QTest::keyClicks(m_pane->titleField(), " soon");
        m_night = true;
        m_modes->resetValues();
        m_pane->resetAppearance();
        const QList<QColor> night = colours();
        // The background and the title change; the grey of captions may be the same in both.
        QVERIFY(night.at(0) != day.at(0));
        QVERIFY(night.at(1) != day.at(1));
        // What is being typed stays, unsaved until the typing ends.
        QCOMPARE(m_pane->titleField()->toPlainText(), QStringLiteral("Water the plants soon"));
        QCOMPARE(readFile(taskPath()), m_f->store->before());
        m_night = false;
        m_modes->resetValues();
        m_pane->resetAppearance();
        QCOMPARE(colours(), day);
    }

    // --- location alarms, made in the pop-over and drawn on the map ---

    void aMapPlaceBecomesADepartureAlarm()
    {
        offerPlaces();
        LocationPopover* popover = openPopover();
        // The map service is credited once it has given places.
        QVERIFY(!popover->creditLabel()->isVisible());
        QTest::keyClicks(popover->field(), QStringLiteral("hbf"));
        QTRY_COMPARE(popover->search().resultTexts(),
                     QStringList{"Berlin Hauptbahnhof, Europaplatz, Berlin"});
        QVERIFY(popover->creditLabel()->isVisible());
        // Chosen from the drop-down with the keyboard.
        QTest::keyClick(popover->dropDown(), Qt::Key_Down);
        QTest::keyClick(popover->dropDown(), Qt::Key_Return);
        QTRY_COMPARE(popover->field()->text(),
                     QStringLiteral("Berlin Hauptbahnhof, Europaplatz, Berlin"));
        QTest::mouseClick(popover->leaveButton(), Qt::LeftButton);
        QTest::mouseClick(popover->saveButton(), Qt::LeftButton);

        const QByteArray file = unfoldedFile();
        QVERIFY2(file.contains("X-APPLE-STRUCTURED-LOCATION;VALUE=URI;X-APPLE-RADIUS=106.68;"
                               "X-TITLE=\"Berlin Hauptbahnhof, Europaplatz, Berlin\":"
                               "geo:52.5249451,13.3696614"),
                 file.constData());
        QVERIFY(file.contains("X-APPLE-PROXIMITY:DEPART"));
        QCOMPARE(file.count("BEGIN:VALARM"), 2);

        // The row follows the saved task; the pop-over stays open.
        QTRY_VERIFY(m_pane->locationRow()->checkBox()->isChecked());
        QCOMPARE(m_pane->locationRow()->statusLabel()->text(),
                 QStringLiteral("When I leave... Berlin Hauptbahnhof, Europaplatz, Berlin"));
        QVERIFY(popover->isVisible());

        // The map: the region four radii across the shorter side, tinted outside the circle.
        MapView* map = m_pane->mapRow();
        QTRY_VERIFY(map->isVisible());
        QVERIFY(std::abs(map->circleRadiusPixels() - std::min(map->width(), map->height()) / 4.0) <
                1e-6);
        const QPoint centre(map->width() / 2, map->height() / 2);
        const int radius = int(map->circleRadiusPixels());
        QVERIFY(bluish(map, centre + QPoint(radius * 3 / 2, 0)));
        QVERIFY(!bluish(map, centre + QPoint(radius / 2, 0)));

        // Turned off, the row takes the location alarm away and leaves the time alarm.
        popover->hide();
        QTest::mouseClick(m_pane->locationRow()->checkBox(), Qt::LeftButton);
        QVERIFY(!readFile(taskPath()).contains("X-APPLE-PROXIMITY"));
        QVERIFY(readFile(taskPath()).contains("TRIGGER;VALUE=DATE-TIME:20260328T070000Z"));
        QVERIFY(map->isHidden());
    }

    void aContactAddressIsGeocodedBeforeSaving()
    {
        offerPlaces();
        LocationPopover* popover = openPopover();
        QTest::keyClicks(popover->field(), QStringLiteral("anna home"));
        QTRY_VERIFY(
            popover->search().resultTexts().contains(QStringLiteral("Anna Schmidt (Home)")));
        QCOMPARE(popover->search().resultTexts().first(), QStringLiteral("Anna Schmidt (Home)"));
        popover->field()->setText(QStringLiteral("Anna Schmidt (Home)"));
        QTest::keyClick(popover->field(), Qt::Key_Return);
        QCOMPARE(popover->validityLabel()->text(), QStringLiteral("validating.."));
        // Save does nothing while the address is checked.
        QTest::mouseClick(popover->saveButton(), Qt::LeftButton);
        QCOMPARE(readFile(taskPath()), m_f->store->before());
        QTRY_VERIFY(popover->validityLabel()->text().isEmpty());
        QTest::mouseClick(popover->saveButton(), Qt::LeftButton);
        const QByteArray file = unfoldedFile();
        QVERIFY2(file.contains("X-TITLE=Anna Schmidt (Home):geo:52.53,13.401"), file.constData());
        QVERIFY(file.contains("X-APPLE-PROXIMITY:ARRIVE"));
        QTRY_COMPARE(m_pane->locationRow()->statusLabel()->text(),
                     QStringLiteral("When I arrive... Anna Schmidt (Home)"));
        // An arrival tints the inside of the circle and nothing outside it.
        MapView* map = m_pane->mapRow();
        QTRY_VERIFY(map->isVisible());
        const QPoint centre(map->width() / 2, map->height() / 2);
        QVERIFY(bluish(map, centre + QPoint(int(map->circleRadiusPixels() * 0.8), 0)));
        QVERIFY(!bluish(map, centre + QPoint(int(map->circleRadiusPixels() * 1.5), 0)));
    }

private:
    // The real services, but opening an address only records it.
    DetailServices services()
    {
        DetailServices handed = m_f->services->services();
        handed.openUrl = [this](const QUrl& url) {
            m_opened << url;
            return true;
        };
        return handed;
    }

    QString root() const { return m_f->store->root(); }
    QString taskPath() const { return m_f->store->taskPath(); }

    void writeTaskWith(const QByteArray& extra, const QByteArray& replace = {},
                       const QByteArray& by = {})
    {
        m_f->store->rewrite(*m_f->manager, extra, replace, by);
        m_opened.clear();
    }

    // Whether the map shows the circle's blue tint at `at`.
    static bool bluish(MapView* map, QPoint at)
    {
        const QColor colour = map->grab().toImage().pixelColor(at);
        return colour.blue() - colour.red() > 12;
    }

    LocationPopover* openPopover()
    {
        QTest::mouseClick(m_pane->locationRow()->checkBox(), Qt::LeftButton);
        // The box turns on only when a saved alarm rebuilds the row.
        if (m_pane->locationRow()->checkBox()->isChecked())
            QTest::qFail("the check box turned on by itself", __FILE__, __LINE__);
        LocationPopover* popover = m_pane->locationPopover();
        if (!popover || !QTest::qWaitForWindowExposed(popover)) {
            QTest::qFail("the pop-over did not open", __FILE__, __LINE__);
            return nullptr;
        }
        popover->search().setSearchDelay(0);
        return popover;
    }

    QByteArray unfoldedFile() const { return IcsLines::unfolded(readFile(taskPath())).join('\n'); }

    // A geocoder on loopback, Anna's card among the contacts, and on the task a time alarm that
    // location edits must leave alone.
    void offerPlaces()
    {
        m_server = std::make_unique<LoopbackHttpServer>(serviceAnswer);
        m_f->defaults->setString(m_server->baseAddress(), PrefKey::geocoderURL);
        m_f->defaults->setString(m_f->dir->filePath("contacts"), PrefKey::contactsFolder);
        writeFile(m_f->dir->filePath("contacts/anna.vcf"), kContacts);
        writeTaskWith("BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Water\r\n"
                      "TRIGGER;VALUE=DATE-TIME:20260328T070000Z\r\nEND:VALARM\r\n");
    }

    // Steps the hour and the minute with the arrow keys, as on a spin box, and takes the time
    // with Return.
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
        QTest::keyClick(edit, Qt::Key_Return);
    }

    std::unique_ptr<LoopbackHttpServer> m_server;
    std::optional<DetailFixture> m_f;
    std::unique_ptr<ModeManager> m_modes;
    bool m_night = false;
    std::unique_ptr<RightViewController> m_pane;
    QList<QUrl> m_opened;
};

VELMORAN_WIDGET_TEST_MAIN(TestDetailEditor)
#include "tst_detaileditor.moc"
