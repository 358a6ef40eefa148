#pragma once

#include "FuzzTarget.h"

#include "platform/geo/TileCache.h"

#include <memory>

// Any bytes as a map tile kept on disk: the first four bytes choose the tile (zoom, column,
// row, and whether the bytes go to its cache file or to a file the cache never asked for), the
// rest are the file's bytes. Every tile's cache file lies inside the cache folder; a tile the
// cache gives is a real image, the same when asked again (then from memory, which evicts as it
// fills over the runs); an unreadable file gives nothing. The tile server is a loopback port
// nobody listens on, so a tile not at hand fails without leaving this machine.
class TileCacheTarget : public FuzzTarget
{
public:
    explicit TileCacheTarget(const QString& workFolder);
    QStringList run(QByteArrayView input) override;

private:
    QString m_folder;
    std::unique_ptr<geo::TileCache> m_cache;
};
