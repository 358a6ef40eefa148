#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"

#include "platform/geo/TileCache.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTemporaryDir>

using geo::TileCache;

namespace {

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

// Map tiles from a tile server on the loopback interface: asked once, kept on disk for the
// next run, never asked without a configured server, and a missing tile not asked again.
class TestTileCache : public QObject
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

VELMORAN_TEST_MAIN(TestTileCache)
#include "tst_tilecache.moc"
