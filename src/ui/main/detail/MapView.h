#pragma once

#include "data/location/LocationAlarms.h"

#include <QWidget>

#include <optional>

namespace geo {
class TileCache;
}

// The Map row: the region of a task's location alarm drawn over a plain grid of latitudes and
// longitudes, or over map tiles when a tile server is configured: the circle of the alarm's
// radius, tinted inside for an arrival and outside for a departure, a pin at the place and a
// scale bar.
class MapView : public QWidget
{
    Q_OBJECT

public:
    explicit MapView(QWidget* parent = nullptr);

    // Tiles are optional; without them (or while they load) the grid shows.
    void setTileCache(geo::TileCache* tiles);
    void setRegion(const std::optional<LocationAlarms::MapRegion>& region);
    const std::optional<LocationAlarms::MapRegion>& region() const { return m_region; }

    // The zoom that fits the region into the view, and the circle's radius on screen.
    double zoom() const;
    double circleRadiusPixels() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool paintTiles(QPainter& painter, double zoom) const;
    void paintGrid(QPainter& painter, double zoom) const;
    void paintCircle(QPainter& painter, QPointF centre, double radius) const;
    void paintPin(QPainter& painter, QPointF at) const;
    void paintScale(QPainter& painter, double zoom) const;

    geo::TileCache* m_tiles = nullptr;
    std::optional<LocationAlarms::MapRegion> m_region;
};
