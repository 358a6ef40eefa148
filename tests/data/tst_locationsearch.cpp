#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"

#include "data/location/ContactPlaces.h"
#include "data/location/LocationAlarms.h"
#include "data/location/LocationSearch.h"
#include "data/location/WebMercator.h"

#include <cmath>

using contacts::Contact;
using contacts::PostalAddress;

namespace {

PostalAddress address(const QString& label, const QString& street, const QString& city)
{
    PostalAddress postal;
    postal.label = label;
    postal.street = street;
    postal.locality = city;
    return postal;
}

QList<Contact> addressBook()
{
    Contact anna{"Anna Schmidt", "Anna", "Schmidt", "", {}};
    anna.addresses << address("home", "Hauptstr. 5", "Berlin")
                   << address("work", "Unter den Linden 1", "Berlin")
                   << address("X-holiday", "Strandweg 2", "Nowhere");
    Contact acme{"Acme", "", "", "Acme Ltd", {address("WORK", "1 Road", "Town")}};
    Contact empty{"Nobody", "No", "Body", "", {address("home", "", "")}};
    Contact homeOnly{"Hal", "Hal", "Home", "", {address("", "Weg 3", "Kiel")}};
    Contact onlyFormatted{"Just A Name", "", "", "", {address("other", "Gasse 4", "Wien")}};
    return {anna, acme, empty, homeOnly, onlyFormatted};
}

// A geocoder service: free text finds a station, addresses in Berlin and Kiel are found,
// any other place is not.
LoopbackHttpServer::Answer serviceAnswer(const LoopbackHttpServer::Request& request)
{
    LoopbackHttpServer::Answer answer{200, "application/json", "[]"};
    const QString q = request.queryItem("q");
    const QString city = request.queryItem("city");
    if (q.contains(QLatin1String("fail")) || q == QLatin1String("work"))
        answer.status = 500;
    else if (!q.isEmpty())
        answer.body = "[{\"lat\":\"52.5249\",\"lon\":\"13.3696\",\"display_name\":\"" + q.toUtf8() +
                      " Station\"}]";
    else if (city == QLatin1String("Berlin"))
        answer.body = "[{\"lat\":\"52.5170\",\"lon\":\"13.3889\",\"display_name\":\"x\"}]";
    else if (city == QLatin1String("Kiel"))
        answer.delayMs = 300,
        answer.body = "[{\"lat\":\"54.3233\",\"lon\":\"10.1228\",\"display_name\":\"y\"}]";
    return answer;
}

} // namespace

// The place search of the location pop-over: the address book's entries and how a typed text
// matches them, map places behind them, and the alarm a chosen result prepares; and the map's
// arithmetic against values known from the tile scheme.

class TestLocationSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entriesOfTheAddressBookAndTheWordsThatMatchThem()
    {
        const QList<ContactPlace> places = ContactPlaces::fromContacts(addressBook(), false);
        QStringList strings;
        for (const ContactPlace& place : places)
            strings << place.string;
        // No entry for an address without text; the organisation for a card without names.
        QCOMPARE(strings, (QStringList{"Anna Schmidt (Home)", "Anna Schmidt (Work)",
                                       "Anna Schmidt (Holiday)", "Acme Ltd (Work)", "Hal Home",
                                       "Just A Name (Other)"}));
        QCOMPARE(places.first().address, QStringLiteral("Hauptstr. 5, Berlin"));
        QCOMPARE(ContactPlaces::fromContacts(addressBook(), true).first().name,
                 QStringLiteral("Schmidt Anna"));
        QVERIFY(ContactPlaces::lastNameFirst(QLocale(QLocale::Hungarian)));
        QVERIFY(!ContactPlaces::lastNameFirst(QLocale(QLocale::German)));

        // Typed words: one in any case, two, two spaces, a space at the end, inside words.
        QList<QStringList> found;
        for (const char* text : {"home", "anna WORK", "anna  work", "anna ", "mid"}) {
            QStringList matched;
            for (const ContactPlace& place : ContactPlaces::matching(places, text))
                matched << place.string;
            found << matched;
        }
        QCOMPARE(found, (QList<QStringList>{{"Anna Schmidt (Home)", "Hal Home"},
                                            {"Anna Schmidt (Work)"},
                                            {},
                                            {},
                                            {"Anna Schmidt (Home)", "Anna Schmidt (Work)",
                                             "Anna Schmidt (Holiday)"}}));
    }

    void init()
    {
        m_server = std::make_unique<LoopbackHttpServer>(serviceAnswer);
        m_geocoder = std::make_unique<geo::Geocoder>([this] { return m_server->baseAddress(); });
        m_geocoder->setMinimumInterval(0);
        m_search = std::make_unique<LocationSearch>(*m_geocoder);
        m_search->setSearchDelay(0);
        m_search->prepare(ContactPlaces::fromContacts(addressBook(), false));
    }

    void cleanup()
    {
        m_search.reset();
        m_geocoder.reset();
        m_server.reset();
    }

    void contactsFirstThenMapPlaces()
    {
        QSignalSpy changed(m_search.get(), &LocationSearch::resultsChanged);
        m_search->textChanged(QStringLiteral("home"));
        // The address book answers at once, the map later.
        QCOMPARE(m_search->resultTexts(), (QStringList{"Anna Schmidt (Home)", "Hal Home"}));
        QTRY_COMPARE(m_search->resultTexts().size(), 3);
        QCOMPARE(m_search->resultTexts().last(), QStringLiteral("home Station"));
        QCOMPARE(changed.last().first().toBool(), true);
        QCOMPARE(m_search->completedString(QStringLiteral("ANNA s")),
                 QStringLiteral("Anna Schmidt (Home)"));
        QVERIFY(m_search->completedString(QStringLiteral("Zed")).isEmpty());

        // A failed map search keeps the address book's entries. The service answers one
        // request at a time, so a check asked for after the search is answered after it.
        m_search->textChanged(QStringLiteral("work"));
        QTRY_VERIFY(!m_server->requests().isEmpty() &&
                    m_server->requests().last().queryItem("q") == "work");
        m_search->checkValidLocation(QStringLiteral("Anna Schmidt (Work)"));
        QTRY_VERIFY(m_search->validityText().isEmpty());
        QCOMPARE(m_search->resultTexts(), (QStringList{"Anna Schmidt (Work)", "Acme Ltd (Work)"}));

        m_search->textChanged(QString());
        QVERIFY(m_search->resultTexts().isEmpty());
        QCOMPARE(changed.last().first().toBool(), false);
    }

    void aMapPlaceIsReadyAtOnce()
    {
        m_search->textChanged(QStringLiteral("Hbf"));
        QTRY_COMPARE(m_search->resultTexts(), QStringList{"Hbf Station"});
        m_search->chooseDeparture(QStringLiteral("Hbf Station"));
        QVERIFY(m_search->validityText().isEmpty());
        const std::optional<store::Alarm> alarm =
            m_search->alarmToSave(QStringLiteral("Hbf Station"));
        QVERIFY(alarm && alarm->proximity == store::Alarm::Proximity::Leave);
        QCOMPARE(alarm->structuredLocation->latitude, 52.5249);
        // The field edited after the check: nothing to save until it is checked again.
        QVERIFY(!m_search->alarmToSave(QStringLiteral("Hbf Stationx")));
        m_search->checkValidLocation(QStringLiteral("Hbf Stationx"));
        QCOMPARE(m_search->validityText(), QStringLiteral("Location is not valid"));
        QVERIFY(!m_search->alarmToSave(QStringLiteral("Hbf Station")));
        // An emptied field drops the alarm; opening again starts afresh with arrival.
        m_search->checkValidLocation(QStringLiteral("Hbf Station"));
        QVERIFY(m_search->hasPreparedAlarm());
        m_search->textChanged(QString());
        QVERIFY(!m_search->hasPreparedAlarm());
        m_search->prepare({});
        QVERIFY(m_search->arrivalChosen());
        QVERIFY(m_search->validityText().isEmpty());
    }

    // An address is geocoded before it is saved (the location alarms' window suite follows one
    // through); one the service does not know is no place.
    void anAddressTheServiceDoesNotKnowIsNoPlace()
    {
        m_search->textChanged(QStringLiteral("holiday"));
        m_search->checkValidLocation(QStringLiteral("Anna Schmidt (Holiday)"));
        QTRY_COMPARE(m_search->validityText(), QStringLiteral("Location is not valid"));
        QVERIFY(!m_search->hasPreparedAlarm());
    }

    void aLateAnswerForAnOlderCheckIsDropped()
    {
        m_search->textChanged(QStringLiteral("a"));
        QTRY_VERIFY(m_search->resultTexts().contains(QStringLiteral("Hal Home")));
        // Kiel answers late; Berlin is asked after it and wins. Requests go out one at a
        // time, so Kiel's answer has come when Berlin's does.
        m_search->checkValidLocation(QStringLiteral("Hal Home"));
        m_search->checkValidLocation(QStringLiteral("Anna Schmidt (Work)"));
        QTRY_VERIFY(m_search->validityText().isEmpty());
        const auto alarm = m_search->alarmToSave(QStringLiteral("Anna Schmidt (Work)"));
        QVERIFY(alarm);
        QCOMPARE(alarm->structuredLocation->latitude, 52.5170);
    }

    // The map behind the search: positions, scales and the region a task's place alarm gives it.
    void mapPositionsAndTiles()
    {
        QCOMPARE(WebMercator::project(0, 0, 0), QPointF(128, 128));
        const QPointF corner = WebMercator::project(WebMercator::kMaxLatitude, 180, 0);
        QCOMPARE(corner.x(), 256.0);
        QVERIFY(std::abs(corner.y()) < 1e-6);
        // Poles beyond the projection stay on its edge.
        QCOMPARE(WebMercator::project(90, 0, 3),
                 WebMercator::project(WebMercator::kMaxLatitude, 0, 3));
        // Berlin's Alexanderplatz lies in tile 550/335 of level 10, as every tile server has it.
        const QPointF berlin = WebMercator::project(52.52, 13.405, 10);
        QCOMPARE(int(berlin.x() / 256), 550);
        QCOMPARE(int(berlin.y() / 256), 335);
        // And back.
        QVERIFY(std::abs(WebMercator::latitudeAt(berlin.y(), 10) - 52.52) < 1e-9);
        QVERIFY(std::abs(WebMercator::longitudeAt(berlin.x(), 10) - 13.405) < 1e-9);

        // A 300 × 200 view centred on a tile corner of level 2 sees two columns either side and
        // rows clipped to the world's four.
        QCOMPARE(WebMercator::tilesCovering(QPointF(512, 512), QSizeF(300, 200), 2),
                 QRect(QPoint(1, 1), QPoint(2, 2)));
        QCOMPARE(WebMercator::tilesCovering(QPointF(10, 10), QSizeF(300, 300), 1),
                 QRect(QPoint(-1, 0), QPoint(0, 0)));
    }

    void metresPerPixelAndTheRegionThatFitsTheView()
    {
        using Row = std::tuple<double, double, double>; // latitude, zoom, metres
        for (const auto& [latitude, zoom, metres] :
             {Row{0, 0, 156543.03392804097}, Row{0, 18, 0.5971642834779395},
              Row{60, 0, 78271.51696402048}, Row{0, 0.5, 110692.6408823396}})
            QVERIFY(std::abs(WebMercator::metresPerPixel(latitude, zoom) - metres) < metres * 1e-9);

        // 4 × 106.68 m across 200 pixels: the circle's radius is a quarter of that, 50 pixels,
        // at any latitude.
        for (double latitude : {0.0, 52.52, -33.87, 78.2}) {
            const double zoom = WebMercator::zoomForSpan(latitude, 426.72, 200);
            QVERIFY(std::abs(WebMercator::pixelsForMetres(latitude, 106.68, zoom) - 50) < 1e-9);
            QVERIFY(std::abs(WebMercator::metresPerPixel(latitude, zoom) * 200 - 426.72) < 1e-9);
        }
        // The same distance needs a closer zoom near the pole, where a pixel covers less.
        QVERIFY(WebMercator::zoomForSpan(70, 1000, 200) < WebMercator::zoomForSpan(0, 1000, 200));
        QCOMPARE(WebMercator::zoomForSpan(0, 0, 200), 0.0);

        // The scale bar: the longest round distance that fits, 1 km, down to 200 m, 5 km.
        using Bar = std::tuple<double, double, QString>; // metres per pixel, metres, text
        for (const auto& [perPixel, metres, text] :
             {Bar{10, 1000, "1 km"}, Bar{3, 200, "200 m"}, Bar{60, 5000, "5 km"}}) {
            const WebMercator::ScaleBar bar = WebMercator::scaleBar(perPixel, 100);
            QCOMPARE(bar.metres, metres);
            QCOMPARE(bar.text, text);
            QVERIFY(bar.pixels <= 100);
            QCOMPARE(bar.pixels, bar.metres / perPixel);
        }
    }

    void regionOfATask()
    {
        store::Reminder task;
        task.alarms << store::Alarm::withRelativeOffset(-900);
        QVERIFY(!LocationAlarms::mapRegion(task));
        store::StructuredLocation place{"Garden", 52.52, 13.405, 0.0, true};
        task.alarms << store::Alarm::withLocation(place, store::Alarm::Proximity::Enter);
        place.title = "Office";
        place.radius = 250;
        task.alarms << store::Alarm::withLocation(place, store::Alarm::Proximity::Leave);
        // The first location alarm; a place stored without radius gets the default one.
        const auto region = LocationAlarms::mapRegion(task);
        QVERIFY(region);
        QCOMPARE(region->title, QStringLiteral("Garden"));
        QCOMPARE(region->radius, 106.68);
        QVERIFY(!region->inverse);
        QVERIFY(LocationAlarms::removeLocationAlarms(task));
        QCOMPARE(task.alarms.size(), 1);
        QVERIFY(!LocationAlarms::removeLocationAlarms(task));
        QVERIFY(LocationAlarms::addLocationAlarm(task, place, store::Alarm::Proximity::Leave));
        QVERIFY(LocationAlarms::mapRegion(task)->inverse);
        QCOMPARE(LocationAlarms::mapRegion(task)->span, 1000.0);
        // A place without a position is no alarm this editor makes.
        place.hasGeoLocation = false;
        QVERIFY(!LocationAlarms::addLocationAlarm(task, place, store::Alarm::Proximity::Enter));
    }

private:
    std::unique_ptr<LoopbackHttpServer> m_server;
    std::unique_ptr<geo::Geocoder> m_geocoder;
    std::unique_ptr<LocationSearch> m_search;
};

VELMORAN_TEST_MAIN(TestLocationSearch)
#include "tst_locationsearch.moc"
