#include "DetailPaneUnderTest.h"
#include "IcsLines.h"
#include "LoopbackHttpServer.h"

#include "data/DataManager.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "presentation/detail/DetailEditSession.h"
#include "ui/main/RightViewController.h"
#include "ui/main/detail/CheckDateRow.h"
#include "ui/main/detail/LocationPopover.h"
#include "ui/main/detail/LocationRow.h"
#include "ui/main/detail/MapView.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace TestFiles;

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

// Location alarms made in the detail pane's pop-over, checked on the task file: a map place
// and a contact's address, found by the geocoder over a loopback server, become arrival or
// departure alarms drawn on the map.
class TestLocationAlarms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The detail store's task with a time alarm that location edits must leave alone.
    void init()
    {
        m_server = std::make_unique<LoopbackHttpServer>(serviceAnswer);
        QVERIFY(m_f.emplace().setUp());
        m_f->defaults->setString(m_server->baseAddress(), PrefKey::geocoderURL);
        m_f->defaults->setString(m_f->dir->filePath("contacts"), PrefKey::contactsFolder);
        writeFile(m_f->dir->filePath("contacts/anna.vcf"), kContacts);
        DataManager& manager = *m_f->manager;
        m_f->store->rewrite(manager, "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Water\r\n"
                                     "TRIGGER;VALUE=DATE-TIME:20260328T070000Z\r\nEND:VALARM\r\n");
        m_modes = std::make_unique<ModeManager>(*m_f->defaults, [] { return false; });
        QVERIFY(showDetailPane(m_pane, manager, *m_modes, m_f->services->services()));
    }

    void cleanup()
    {
        m_pane.reset();
        m_modes.reset();
        m_f.reset();
        m_server.reset();
    }

    void aMapPlaceBecomesADepartureAlarm()
    {
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

    QString taskPath() const { return m_f->store->taskPath(); }

    std::unique_ptr<LoopbackHttpServer> m_server;
    std::optional<DetailFixture> m_f;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<RightViewController> m_pane;
};

VELMORAN_WIDGET_TEST_MAIN(TestLocationAlarms)
#include "tst_locationalarms.moc"
