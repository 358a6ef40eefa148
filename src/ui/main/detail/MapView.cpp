#include "ui/main/detail/MapView.h"

#include "data/location/WebMercator.h"
#include "platform/geo/TileCache.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace {

const QColor kStroke(115, 178, 215, 255);

// A step of 1, 2 or 5 times a power of ten, at least `least`.
double roundStep(double least)
{
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * power >= least)
            return step * power;
    return 10 * power;
}

} // namespace

MapView::MapView(QWidget* parent)
    : QWidget(parent)
{
    setMinimumHeight(120);
    setAccessibleName(tr("Map"));
}

void MapView::setTileCache(geo::TileCache* tiles)
{
    m_tiles = tiles;
    if (m_tiles)
        connect(m_tiles, &geo::TileCache::tileArrived, this, qOverload<>(&QWidget::update));
}

void MapView::setRegion(const std::optional<LocationAlarms::MapRegion>& region)
{
    m_region = region;
    setToolTip(region ? region->title : QString());
    update();
}

double MapView::zoom() const
{
    if (!m_region)
        return 0;
    // The region is fitted into the view: its span across the shorter side.
    const double side = std::max(1, std::min(width(), height()));
    return std::clamp(WebMercator::zoomForSpan(m_region->latitude, m_region->span, side), 0.0,
                      22.0);
}

double MapView::circleRadiusPixels() const
{
    if (!m_region)
        return 0;
    return WebMercator::pixelsForMetres(m_region->latitude, m_region->radius, zoom());
}

void MapView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (!m_region) {
        // A place another program stored without coordinates.
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter, tr("No position"));
        return;
    }
    const double level = zoom();
    if (!paintTiles(painter, level))
        paintGrid(painter, level);
    const QPointF centre(width() / 2.0, height() / 2.0);
    paintCircle(painter, centre, circleRadiusPixels());
    paintPin(painter, centre);
    paintScale(painter, level);
}

bool MapView::paintTiles(QPainter& painter, double zoom) const
{
    if (!m_tiles || !m_tiles->isEnabled())
        return false;
    const int level = std::clamp(int(std::round(zoom)), 0, 19);
    const double scale = std::exp2(zoom - level);
    const QPointF centre = WebMercator::project(m_region->latitude, m_region->longitude, level);
    const QRect tiles =
        WebMercator::tilesCovering(centre, QSizeF(width() / scale, height() / scale), level);
    bool all = true;
    for (int y = tiles.top(); y <= tiles.bottom(); ++y) {
        for (int x = tiles.left(); x <= tiles.right(); ++x) {
            const QImage tile = m_tiles->tile(level, x, y);
            if (tile.isNull()) {
                all = false;
                continue;
            }
            const QPointF topLeft((x * WebMercator::kTileSize - centre.x()) * scale + width() / 2.0,
                                  (y * WebMercator::kTileSize - centre.y()) * scale +
                                      height() / 2.0);
            const double side = WebMercator::kTileSize * scale;
            painter.drawImage(QRectF(topLeft, QSizeF(side, side)), tile);
        }
    }
    if (!all)
        return false;
    // The tiles' data asks to be credited wherever it is shown.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.75);
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(rect().adjusted(4, 4, -4, -2), Qt::AlignRight | Qt::AlignBottom,
                     tr("© OpenStreetMap contributors"));
    return true;
}

void MapView::paintGrid(QPainter& painter, double zoom) const
{
    // Lines of latitude and longitude about every 40 pixels, at round degrees.
    const QPointF centre = WebMercator::project(m_region->latitude, m_region->longitude, zoom);
    const double left = centre.x() - width() / 2.0;
    const double top = centre.y() - height() / 2.0;
    const double degreesPerPixel = 360.0 / WebMercator::worldSize(zoom);
    const double step = roundStep(40 * degreesPerPixel);
    QColor line = palette().color(QPalette::Text);
    line.setAlphaF(0.12);
    painter.setPen(QPen(line, 1));
    const double west = WebMercator::longitudeAt(left, zoom);
    const double east = WebMercator::longitudeAt(left + width(), zoom);
    for (double lon = std::floor(west / step) * step; lon <= east; lon += step) {
        const double x = WebMercator::project(0, lon, zoom).x() - left;
        painter.drawLine(QPointF(x, 0), QPointF(x, height()));
    }
    const double north = WebMercator::latitudeAt(top, zoom);
    const double south = WebMercator::latitudeAt(top + height(), zoom);
    for (double lat = std::floor(south / step) * step; lat <= north; lat += step) {
        const double y = WebMercator::project(lat, 0, zoom).y() - top;
        painter.drawLine(QPointF(0, y), QPointF(width(), y));
    }
}

void MapView::paintCircle(QPainter& painter, QPointF centre, double radius) const
{
    QColor white(255, 255, 255);
    white.setAlphaF(0.25);
    QColor blue = kStroke;
    blue.setAlphaF(0.5);
    QPainterPath circle;
    circle.addEllipse(centre, radius, radius);
    painter.save();
    if (!m_region->inverse) {
        // Arrival: white at the centre to blue at the edge, inside the circle only.
        QRadialGradient gradient(centre, radius);
        gradient.setColorAt(0, white);
        gradient.setColorAt(1, blue);
        painter.fillPath(circle, gradient);
    } else {
        // Departure: blue at the edge to white at four radii, and white beyond: the world
        // outside the circle is tinted.
        QPainterPath outside;
        outside.addRect(rect());
        outside = outside.subtracted(circle);
        QRadialGradient gradient(centre, 4 * radius);
        gradient.setColorAt(0.25, blue);
        gradient.setColorAt(1, white);
        gradient.setSpread(QGradient::PadSpread);
        painter.fillPath(outside, gradient);
    }
    painter.setPen(QPen(kStroke, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(circle);
    painter.restore();
}

void MapView::paintPin(QPainter& painter, QPointF at) const
{
    const QColor red(0xE0, 0x3C, 0x31);
    painter.save();
    painter.setPen(QPen(red.darker(130), 2));
    painter.drawLine(at, at - QPointF(0, 16));
    painter.setBrush(red);
    painter.setPen(QPen(red.darker(150), 1));
    painter.drawEllipse(at - QPointF(0, 20), 6, 6);
    painter.setBrush(QColor(255, 255, 255, 160));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(at - QPointF(2, 22), 2, 2);
    painter.restore();
}

void MapView::paintScale(QPainter& painter, double zoom) const
{
    const WebMercator::ScaleBar bar =
        WebMercator::scaleBar(WebMercator::metresPerPixel(m_region->latitude, zoom), width() / 3.0);
    if (bar.pixels <= 0)
        return;
    const QPointF start(10, height() - 10);
    const QPointF end = start + QPointF(bar.pixels, 0);
    painter.save();
    painter.setPen(QPen(palette().color(QPalette::Text), 2));
    painter.drawLine(start, end);
    painter.drawLine(start, start - QPointF(0, 5));
    painter.drawLine(end, end - QPointF(0, 5));
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    painter.setFont(small);
    painter.drawText(QRectF(start.x(), start.y() - 22, 160, 16), Qt::AlignLeft | Qt::AlignBottom,
                     bar.text);
    painter.restore();
}
