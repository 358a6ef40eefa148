#include "TileCacheTarget.h"

#include "FuzzFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool writeFile(const QString& path, QByteArrayView bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    return FuzzFiles::write(path, bytes);
}

} // namespace

TileCacheTarget::TileCacheTarget(const QString& workFolder)
    : m_folder(workFolder + QStringLiteral("/tiles"))
{
    QDir(m_folder).removeRecursively();
    m_cache = std::make_unique<geo::TileCache>(
        [] { return QStringLiteral("http://127.0.0.1:9/{z}/{x}/{y}.png"); }, m_folder);
}

QStringList TileCacheTarget::run(QByteArrayView input)
{
    if (input.size() < 4)
        return {};
    QStringList findings;
    const auto byte = [&](int i) { return quint8(input.at(i)); };
    // Zooms past the highest (22) and negative rows must be refused, not looked up.
    const int zoom = int(byte(0) % 26) - 1;
    const int x = qint8(byte(1)) * 37;
    const int y = qint8(byte(2));
    const bool stray = byte(3) & 1;
    const QByteArrayView bytes = input.sliced(4);

    const QString prefix = m_folder + QLatin1Char('/');
    const QString path = m_cache->cachePath(zoom, x, y);
    if (!path.startsWith(prefix) || QDir::cleanPath(path) != path)
        findings << QStringLiteral("A tile's cache file lies outside the cache: ") + path;

    const int columns = zoom >= 0 && zoom <= 22 ? 1 << zoom : 0;
    const bool exists = columns > 0 && y >= 0 && y < columns;
    const int column = columns > 0 ? ((x % columns) + columns) % columns : 0;
    const QString file = exists ? m_cache->cachePath(zoom, column, y) : QString();
    if (exists && !stray) {
        if (!writeFile(file, bytes))
            return {QStringLiteral("The tile file could not be written for the test")};
    } else if (exists) {
        writeFile(file + QStringLiteral(".part"), bytes);
    }

    const QImage image = m_cache->tile(zoom, x, y);
    if (!exists && !image.isNull())
        findings << QStringLiteral("A tile off the map gives an image");
    if (!image.isNull()) {
        if (image.width() <= 0 || image.height() <= 0)
            findings << QStringLiteral("A tile given has no size");
        if (m_cache->tile(zoom, x, y) != image)
            findings << QStringLiteral("A tile asked for again differs");
    }
    if (exists && !stray && image.isNull() && !QImage::fromData(bytes).isNull())
        findings << QStringLiteral("A readable tile file gives nothing");
    // The failed fetch of a missing tile is answered here, not at exit, and its reply deleted
    // as the application's event loop would: processEvents() alone keeps deferred deletions.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (exists) {
        QFile::remove(file);
        QFile::remove(file + QStringLiteral(".part"));
    }
    return findings;
}
