#include "platform/geo/TileCache.h"

#include "platform/ReplaceFileContents.h"
#include "platform/geo/Geocoder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStandardPaths>

namespace geo {

namespace {

constexpr int kParallel = 2;
constexpr qint64 kMaxTileBytes = 2 * 1024 * 1024;

} // namespace

TileCache::TileCache(std::function<QString()> urlTemplate, QString cacheFolder, QObject* parent)
    : QObject(parent)
    , m_urlTemplate(std::move(urlTemplate))
    , m_folder(std::move(cacheFolder))
    , m_network(new QNetworkAccessManager(this))
    , m_memory(64)
{}

QString TileCache::defaultCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/velmoran/tiles");
}

bool TileCache::isEnabled() const
{
    const QString urlTemplate = m_urlTemplate ? m_urlTemplate().trimmed() : QString();
    return !tileUrl(urlTemplate, 0, 0, 0).isEmpty();
}

QUrl TileCache::tileUrl(const QString& urlTemplate, int zoom, int x, int y)
{
    if (!urlTemplate.contains(QLatin1String("{z}")) ||
        !urlTemplate.contains(QLatin1String("{x}")) || !urlTemplate.contains(QLatin1String("{y}")))
        return {};
    QString text = urlTemplate;
    text.replace(QLatin1String("{z}"), QString::number(zoom));
    text.replace(QLatin1String("{x}"), QString::number(x));
    text.replace(QLatin1String("{y}"), QString::number(y));
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return {};
    return url;
}

QString TileCache::cachePath(int zoom, int x, int y) const
{
    // Each server's tiles in a folder of their own, so that changing servers mixes nothing.
    const QByteArray server = QCryptographicHash::hash(
        (m_urlTemplate ? m_urlTemplate() : QString()).trimmed().toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("%1/%2/%3/%4/%5.png")
        .arg(m_folder, QString::fromLatin1(server.toHex().left(12)))
        .arg(zoom)
        .arg(x)
        .arg(y);
}

QImage TileCache::tile(int zoom, int x, int y)
{
    if (zoom < 0 || zoom > 22)
        return {};
    const int columns = 1 << zoom;
    if (y < 0 || y >= columns)
        return {};
    x = ((x % columns) + columns) % columns;
    const QUrl url = tileUrl(m_urlTemplate ? m_urlTemplate().trimmed() : QString(), zoom, x, y);
    if (url.isEmpty())
        return {};
    const QString path = cachePath(zoom, x, y);
    if (const QImage* image = m_memory.object(path))
        return *image;
    if (QFileInfo::exists(path)) {
        QImage image(path);
        if (!image.isNull()) {
            m_memory.insert(path, new QImage(image));
            return image;
        }
    }
    if (!m_failed.contains(path) && !m_pending.contains(path)) {
        m_pending.insert(path);
        m_queue.push_back(path);
        m_addresses.insert(path, url);
        fetchNext();
    }
    return {};
}

void TileCache::fetchNext()
{
    while (m_running < kParallel && !m_queue.empty()) {
        const QString path = m_queue.front();
        m_queue.pop_front();
        QNetworkRequest request(m_addresses.take(path));
        request.setHeader(QNetworkRequest::UserAgentHeader, Geocoder::userAgent());
        request.setTransferTimeout(15000);
        ++m_running;
        QNetworkReply* reply = m_network->get(request);
        connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
            if (received > kMaxTileBytes)
                reply->abort();
        });
        connect(reply, &QNetworkReply::finished, this, [this, reply, path] {
            reply->deleteLater();
            --m_running;
            m_pending.remove(path);
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            const QByteArray data = reply->readAll();
            QImage image;
            if (reply->error() == QNetworkReply::NoError && status >= 200 && status < 300)
                image.loadFromData(data);
            if (image.isNull()) {
                m_failed.insert(path);
            } else {
                // A tile that cannot be kept is fetched again next time.
                replaceFileContents(path, data, nullptr, ReplaceFileOptions::creatingFolder());
                m_memory.insert(path, new QImage(image));
                Q_EMIT tileArrived();
            }
            fetchNext();
        });
    }
}

} // namespace geo
