#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QUrl>

#include <deque>
#include <functional>

class QNetworkAccessManager;

namespace geo {

// Raster map tiles from a tile server ("https://host/{z}/{x}/{y}.png"), kept on disk under
// the user's cache folder and a few in memory. A tile not at hand is asked for in the
// background, two at a time; a tile that failed is not asked for again in this run. Without a
// server address nothing is ever asked.
class TileCache : public QObject
{
    Q_OBJECT

public:
    // `urlTemplate` is asked at every use, so a changed preference counts at once.
    TileCache(std::function<QString()> urlTemplate, QString cacheFolder, QObject* parent = nullptr);
    // $XDG_CACHE_HOME/velmoran/tiles
    static QString defaultCacheFolder();

    bool isEnabled() const;
    // The tile when it is in memory or on disk; otherwise a null image, and tileArrived once it
    // has come. Columns run on past the date line.
    QImage tile(int zoom, int x, int y);
    static QUrl tileUrl(const QString& urlTemplate, int zoom, int x, int y);
    QString cachePath(int zoom, int x, int y) const;

Q_SIGNALS:
    void tileArrived();

private:
    void fetchNext();

    std::function<QString()> m_urlTemplate;
    QString m_folder;
    QNetworkAccessManager* m_network = nullptr;
    QCache<QString, QImage> m_memory;
    QSet<QString> m_failed;
    QSet<QString> m_pending;
    std::deque<QString> m_queue; // cache paths of tiles to fetch, with their addresses below
    QHash<QString, QUrl> m_addresses;
    int m_running = 0;
};

} // namespace geo
