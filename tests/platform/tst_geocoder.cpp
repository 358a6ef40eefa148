#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/geo/Geocoder.h"
#include "platform/geo/TileCache.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTemporaryDir>

using geo::Geocoder;
using geo::Place;
using geo::TileCache;

namespace {

struct Outcome
{
    bool called = false;
    bool ok = false;
    QList<Place> places;

    Geocoder::Handler handler()
    {
        return [this](bool answerOk, const QList<Place>& found) {
            called = true;
            ok = answerOk;
            places = found;
        };
    }
};

QByteArray pngTile(const QColor& colour)
{
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Serves a green tile for every path but those of level 5, which are missing.
LoopbackHttpServer::Answer tileAnswer(const LoopbackHttpServer::Request& request)
{
    if (request.path().startsWith("/tiles/5/"))
        return {404, "text/html", "<html>Not found</html>"};
    return {200, "image/png", pngTile(Qt::green)};
}

} // namespace

// The geocoder and the map tiles against real HTTP servers on the loopback interface. The
// geocoder: what it asks, how it reads good and bad answers, and how it spares the service (one
// at a time, spaced, cached, older searches dropped). The tiles: asked once, kept on disk for
// the next run, never asked without a configured server, and a missing tile not asked again.
class TestGeocoder : public QObject
{
    Q_OBJECT

    std::optional<LoopbackHttpServer> m_server;
    std::optional<QTemporaryDir> m_dir;
    QString m_template;

private Q_SLOTS:
    void init()
    {
        m_server.emplace(tileAnswer);
        m_dir.emplace();
        m_template = m_server->baseAddress() + QStringLiteral("/tiles/{z}/{x}/{y}.png");
    }

    void answers_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("names");

        const QByteArray json = "application/json";
        QTest::newRow("several places, broken entries left out")
            << 200 << json
            << TestFiles::readFile(TestEnvironment::sourceDir() +
                                   "/tests/data/geocoder/berlin-hbf.json")
            << true
            << QStringList{QString::fromUtf8("Berlin Hauptbahnhof, Europaplatz, Moabit, Mitte, "
                                             "Berlin, 10557, Deutschland"),
                           QString::fromUtf8("S+U Hauptbahnhof, Invalidenstraße, Moabit, Mitte, "
                                             "Berlin, 10557, Deutschland")};
        QTest::newRow("no result") << 200 << json << QByteArray("[]") << true << QStringList{};
        QTest::newRow("numbers, not strings")
            << 200 << json << QByteArray("[{\"lat\":-33.86,\"lon\":151.21,\"name\":\"Opera\"}]")
            << true << QStringList{"Opera"};
        QTest::newRow("html error page")
            << 200 << QByteArray("text/html")
            << QByteArray("<html><body><h1>Bandwidth limit exceeded</h1></body></html>") << false
            << QStringList{};
        QTest::newRow("error status with json")
            << 503 << json << QByteArray("[{\"lat\":\"1\",\"lon\":\"2\",\"name\":\"x\"}]") << false
            << QStringList{};
        QTest::newRow("malformed json")
            << 200 << json << QByteArray("[{\"lat\":\"52.5\",\"lon\":") << false << QStringList{};
        QTest::newRow("an object, not a list")
            << 200 << json << QByteArray("{\"error\":\"Unable to geocode\"}") << false
            << QStringList{};
    }

    void answers()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        LoopbackHttpServer server([&](const LoopbackHttpServer::Request&) {
            return LoopbackHttpServer::Answer{status, contentType, body};
        });
        QVERIFY(server.isListening());
        Geocoder geocoder([&] { return server.baseAddress(); });
        Outcome outcome;
        geocoder.search(QStringLiteral("Hauptbahnhof"), outcome.handler());
        QTRY_VERIFY(outcome.called);
        QTEST(outcome.ok, "ok");
        QStringList names;
        for (const Place& place : outcome.places)
            names << place.name;
        QTEST(names, "names");
        if (names.size() == 2)
            QCOMPARE(QPointF(outcome.places[0].latitude, outcome.places[0].longitude),
                     QPointF(52.5249451, 13.3696614));
    }

    void whatIsAsked()
    {
        LoopbackHttpServer server([](const LoopbackHttpServer::Request&) {
            return LoopbackHttpServer::Answer{200, "application/json", "[]"};
        });
        // A base address with a path of its own and a trailing slash.
        Geocoder geocoder([&] { return server.baseAddress() + QStringLiteral("/nominatim/"); });
        geocoder.setMinimumInterval(0);
        // Nothing is asked for nothing (the first request below is the first there is).
        Outcome empty, spaces, noAddress;
        geocoder.search(QString(), empty.handler());
        geocoder.search(QStringLiteral(" \t "), spaces.handler());
        geocoder.geocodeAddress(contacts::PostalAddress{}, noAddress.handler());
        QTRY_VERIFY(spaces.called && noAddress.called);
        QVERIFY(noAddress.places.isEmpty() && spaces.places.isEmpty());
        const QString text = QString::fromUtf8("Café & Bar +1 #2 50%/x=y");
        Outcome free;
        geocoder.search(QStringLiteral("  ") + text + QStringLiteral(" "), free.handler());
        QTRY_VERIFY(free.called);
        QCOMPARE(server.requests().size(), 1);
        const LoopbackHttpServer::Request& request = server.requests().first();
        QCOMPARE(request.path() + "?format=" + request.rawQueryItem("format"),
                 QByteArray("/nominatim/search?format=jsonv2"));
        QCOMPARE(request.queryItem("q"), text);
        const QByteArray raw = request.rawQueryItem("q");
        for (const char* reserved : {"&", "+", "#", " ", "=", "/"})
            QVERIFY2(!raw.contains(reserved), raw.constData());
        QCOMPARE(request.headers.value("user-agent"), QByteArray("Velmoran/" VELMORAN_VERSION));

        Outcome structured;
        contacts::PostalAddress address;
        address.street = QStringLiteral("Unter den Linden 1\nHof");
        address.locality = QStringLiteral("Berlin");
        address.postalCode = QStringLiteral("10117");
        address.country = QStringLiteral("Germany");
        geocoder.geocodeAddress(address, structured.handler());
        QTRY_VERIFY(structured.called);
        const LoopbackHttpServer::Request& second = server.requests().at(1);
        QStringList asked;
        for (const QByteArray item : {"street", "city", "postalcode", "country", "q", "state"})
            asked << (second.rawQueryItem(item).isNull() ? "-" : second.queryItem(item));
        QCOMPARE(asked.join('|'), QString("Unter den Linden 1, Hof|Berlin|10117|Germany|-|-"));

        // A base address that is no web address asks nothing.
        Geocoder wrong([] { return QStringLiteral("file:///etc/passwd"); });
        Outcome refused;
        wrong.search(QStringLiteral("x"), refused.handler());
        QTRY_VERIFY(refused.called);
        QVERIFY(!refused.ok);
    }

    void newerSearchReplacesOlder()
    {
        LoopbackHttpServer server([](const LoopbackHttpServer::Request& request) {
            LoopbackHttpServer::Answer answer{200, "application/json", {}};
            answer.body = "[{\"lat\":\"1\",\"lon\":\"2\",\"display_name\":\"" +
                          request.queryItem("q").toUtf8() + "\"}]";
            if (request.queryItem("q") == QLatin1String("slow"))
                answer.delayMs = 400;
            return answer;
        });
        Geocoder geocoder([&] { return server.baseAddress(); });
        geocoder.setMinimumInterval(0);
        Outcome slow, queued, latest;
        geocoder.search(QStringLiteral("slow"), slow.handler());
        QTRY_COMPARE(server.requests().size(), 1);
        QVERIFY(geocoder.isSearching());
        geocoder.search(QStringLiteral("queued"), queued.handler());
        geocoder.search(QStringLiteral("latest"), latest.handler());
        QTRY_VERIFY(latest.called);
        QCOMPARE(latest.places.value(0).name, QStringLiteral("latest"));
        QVERIFY(!QTest::qWaitFor([&] { return slow.called || queued.called; }, 600));
        QVERIFY(!geocoder.isSearching());
    }

    void sparesTheService()
    {
        LoopbackHttpServer server([](const LoopbackHttpServer::Request&) {
            return LoopbackHttpServer::Answer{200, "application/json",
                                              "[{\"lat\":\"1\",\"lon\":\"2\",\"name\":\"x\"}]"};
        });
        Geocoder geocoder([&] { return server.baseAddress(); });
        Outcome first, again;
        geocoder.search(QStringLiteral("Kiel"), first.handler());
        QTRY_VERIFY(first.called);
        geocoder.search(QStringLiteral("Kiel"), again.handler());
        QTRY_VERIFY(again.called);
        QCOMPARE(server.requests().size(), 1); // the second came from the run's cache
        QCOMPARE(again.places, first.places);

        // Three different addresses asked at once go out one per second.
        QList<Outcome> outcomes(3);
        for (int i = 0; i < 3; ++i) {
            contacts::PostalAddress address;
            address.locality = QStringLiteral("Town %1").arg(i);
            geocoder.geocodeAddress(address, outcomes[i].handler());
        }
        QTRY_VERIFY_WITH_TIMEOUT(outcomes[2].called, 10000);
        QCOMPARE(server.requests().size(), 4);
        for (int i = 1; i < 4; ++i)
            QVERIFY2(server.requests()[i].receivedAtMs - server.requests()[i - 1].receivedAtMs >=
                         950,
                     qPrintable(QString::number(server.requests()[i].receivedAtMs)));
    }

    void serviceThatNeverAnswers()
    {
        LoopbackHttpServer server([](const LoopbackHttpServer::Request& request) {
            LoopbackHttpServer::Answer answer{200, "application/json", "[]"};
            answer.never = request.queryItem("q") == QLatin1String("silence");
            return answer;
        });
        Geocoder geocoder([&] { return server.baseAddress(); });
        geocoder.setTimeout(300);
        geocoder.setMinimumInterval(0);
        Outcome silent;
        geocoder.search(QStringLiteral("silence"), silent.handler());
        QTRY_VERIFY_WITH_TIMEOUT(silent.called, 5000);
        QVERIFY(!silent.ok);
        // A timed-out answer is not cached, and the next search goes through.
        Outcome next;
        geocoder.search(QStringLiteral("speech"), next.handler());
        QTRY_VERIFY(next.called);
        QVERIFY(next.ok);
    }
    void noServerNoRequests()
    {
        QString urlTemplate;
        TileCache tiles([&] { return urlTemplate; }, m_dir->path());
        for (const QString& text : {QString(), QStringLiteral("   "),
                                    m_server->baseAddress() + QStringLiteral("/tiles/{z}/{x}.png"),
                                    QStringLiteral("file:///tmp/{z}/{x}/{y}.png")}) {
            urlTemplate = text;
            QVERIFY2(!tiles.isEnabled(), qPrintable(text));
            QVERIFY(tiles.tile(1, 0, 0).isNull());
        }
        QVERIFY(!QTest::qWaitFor([this] { return !m_server->requests().isEmpty(); }, 100));
    }

    void fetchedOnceAndKeptOnDisk()
    {
        {
            TileCache tiles([this] { return m_template; }, m_dir->path());
            QVERIFY(tiles.isEnabled());
            QSignalSpy arrived(&tiles, &TileCache::tileArrived);
            QVERIFY(tiles.tile(3, 4, 2).isNull());
            // Asked again while on its way: still one request.
            QVERIFY(tiles.tile(3, 4, 2).isNull());
            QTRY_COMPARE(arrived.size(), 1);
            const QImage tile = tiles.tile(3, 4, 2);
            QVERIFY(tile.size() == QSize(256, 256) && QColor(tile.pixel(10, 10)) == Qt::green);
            QCOMPARE(m_server->requests().size(), 1);
            QCOMPARE(m_server->requests().first().path() + " " +
                         m_server->requests().first().headers.value("user-agent"),
                     QByteArray("/tiles/3/4/2.png Velmoran/" VELMORAN_VERSION));
            QVERIFY(QFileInfo::exists(tiles.cachePath(3, 4, 2)) &&
                    tiles.cachePath(3, 4, 2).startsWith(m_dir->path()));
        }
        // The next run takes it from the disk.
        TileCache again([this] { return m_template; }, m_dir->path());
        QVERIFY(!again.tile(3, 4, 2).isNull());
        QCOMPARE(m_server->requests().size(), 1);
        // Another server's tiles are kept apart.
        const QString other = m_server->baseAddress() + QStringLiteral("/other/{z}/{x}/{y}.png");
        TileCache elsewhere([&] { return other; }, m_dir->path());
        QVERIFY(elsewhere.cachePath(3, 4, 2) != again.cachePath(3, 4, 2));
        QVERIFY(elsewhere.tile(3, 4, 2).isNull());
    }

    void columnsWrapAndRowsEnd()
    {
        TileCache tiles([this] { return m_template; }, m_dir->path());
        QSignalSpy arrived(&tiles, &TileCache::tileArrived);
        tiles.tile(1, -1, 0);                  // west of the date line: column 1
        QVERIFY(tiles.tile(1, 0, 2).isNull()); // below the world
        QVERIFY(tiles.tile(1, 0, -1).isNull());
        QTRY_COMPARE(arrived.size(), 1);
        QCOMPARE(m_server->requests().size(), 1);
        QCOMPARE(m_server->requests().first().path(), QByteArray("/tiles/1/1/0.png"));
        QVERIFY(!tiles.tile(1, 3, 0).isNull());
    }

    void aMissingTileIsNotAskedAgain()
    {
        TileCache tiles([this] { return m_template; }, m_dir->path());
        QVERIFY(tiles.tile(5, 1, 1).isNull());
        QTRY_COMPARE(m_server->requests().size(), 1);
        QTest::qWait(200); // the refusal arrives; nothing says so
        QVERIFY(tiles.tile(5, 1, 1).isNull());
        QVERIFY(!QTest::qWaitFor([this] { return m_server->requests().size() > 1; }, 200));
        QVERIFY(!QFileInfo::exists(tiles.cachePath(5, 1, 1)));
    }
};

VELMORAN_TEST_MAIN(TestGeocoder)
#include "tst_geocoder.moc"
