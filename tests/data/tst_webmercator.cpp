#include "TestEnvironment.h"

#include "data/location/LocationAlarms.h"
#include "data/location/WebMercator.h"

#include <cmath>

// The map's arithmetic: Web-Mercator positions and scales against values known from the
// tile scheme, the zoom that fits a region, the circle's size on screen and the region a
// task's location alarm gives the map.
class TestWebMercator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void positions()
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
    }

    void metresPerPixel_data()
    {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<double>("metres");
        QTest::newRow("equator, level 0") << 0.0 << 0.0 << 156543.03392804097;
        QTest::newRow("equator, level 18") << 0.0 << 18.0 << 0.5971642834779395;
        QTest::newRow("60 degrees: half") << 60.0 << 0.0 << 78271.51696402048;
        QTest::newRow("half a level") << 0.0 << 0.5 << 110692.6408823396;
    }

    void metresPerPixel()
    {
        QFETCH(double, latitude);
        QFETCH(double, zoom);
        QFETCH(double, metres);
        QVERIFY(std::abs(WebMercator::metresPerPixel(latitude, zoom) - metres) < metres * 1e-9);
    }

    void theRegionFitsTheView()
    {
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
    }

    void scaleBar_data()
    {
        QTest::addColumn<double>("metresPerPixel");
        QTest::addColumn<double>("maxPixels");
        QTest::addColumn<double>("metres");
        QTest::addColumn<QString>("text");
        QTest::newRow("exactly a kilometre") << 10.0 << 100.0 << 1000.0 << "1 km";
        QTest::newRow("down to 200 m") << 3.0 << 100.0 << 200.0 << "200 m";
        QTest::newRow("five kilometres") << 60.0 << 100.0 << 5000.0 << "5 km";
    }

    void scaleBar()
    {
        QFETCH(double, metresPerPixel);
        QFETCH(double, maxPixels);
        const WebMercator::ScaleBar bar = WebMercator::scaleBar(metresPerPixel, maxPixels);
        QTEST(bar.metres, "metres");
        QTEST(bar.text, "text");
        QVERIFY(bar.pixels <= maxPixels);
        QCOMPARE(bar.pixels, bar.metres / metresPerPixel);
    }

    void tilesOfAView()
    {
        // A 300 × 200 view centred on a tile corner of level 2 sees two columns either side and
        // rows clipped to the world's four.
        QCOMPARE(WebMercator::tilesCovering(QPointF(512, 512), QSizeF(300, 200), 2),
                 QRect(QPoint(1, 1), QPoint(2, 2)));
        QCOMPARE(WebMercator::tilesCovering(QPointF(10, 10), QSizeF(300, 300), 1),
                 QRect(QPoint(-1, 0), QPoint(0, 0)));
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
};

VELMORAN_TEST_MAIN(TestWebMercator)
#include "tst_webmercator.moc"
