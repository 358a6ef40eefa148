#include "data/location/WebMercator.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <numbers>

double WebMercator::worldSize(double zoom)
{
    return kTileSize * std::exp2(zoom);
}

QPointF WebMercator::project(double latitude, double longitude, double zoom)
{
    const double lat = std::clamp(latitude, -kMaxLatitude, kMaxLatitude) * std::numbers::pi / 180;
    const double size = worldSize(zoom);
    const double x = (longitude + 180.0) / 360.0 * size;
    const double y = (1.0 - std::asinh(std::tan(lat)) / std::numbers::pi) / 2.0 * size;
    return {x, y};
}

double WebMercator::latitudeAt(double y, double zoom)
{
    const double n = std::numbers::pi * (1.0 - 2.0 * y / worldSize(zoom));
    return std::atan(std::sinh(n)) * 180.0 / std::numbers::pi;
}

double WebMercator::longitudeAt(double x, double zoom)
{
    return x / worldSize(zoom) * 360.0 - 180.0;
}

double WebMercator::metresPerPixel(double latitude, double zoom)
{
    const double lat = std::clamp(latitude, -kMaxLatitude, kMaxLatitude) * std::numbers::pi / 180;
    return 2.0 * std::numbers::pi * kEarthRadius * std::cos(lat) / worldSize(zoom);
}

double WebMercator::zoomForSpan(double latitude, double metres, double pixels)
{
    if (metres <= 0 || pixels <= 0)
        return 0;
    const double lat = std::clamp(latitude, -kMaxLatitude, kMaxLatitude) * std::numbers::pi / 180;
    return std::log2(2.0 * std::numbers::pi * kEarthRadius * std::cos(lat) * pixels /
                     (kTileSize * metres));
}

double WebMercator::pixelsForMetres(double latitude, double metres, double zoom)
{
    return metres / metresPerPixel(latitude, zoom);
}

WebMercator::ScaleBar WebMercator::scaleBar(double metresPerPixel, double maxPixels)
{
    ScaleBar bar;
    if (metresPerPixel <= 0 || maxPixels <= 0)
        return bar;
    const double most = metresPerPixel * maxPixels;
    const double power = std::pow(10.0, std::floor(std::log10(most)));
    for (double step : {5.0, 2.0, 1.0}) {
        if (step * power <= most) {
            bar.metres = step * power;
            break;
        }
    }
    bar.pixels = bar.metres / metresPerPixel;
    const QLocale locale;
    bar.text = bar.metres >= 1000
                   ? QStringLiteral("%1 km").arg(locale.toString(bar.metres / 1000, 'g', 6))
                   : QStringLiteral("%1 m").arg(locale.toString(bar.metres, 'g', 6));
    return bar;
}

QRect WebMercator::tilesCovering(QPointF centre, QSizeF size, int level)
{
    const double left = centre.x() - size.width() / 2;
    const double top = centre.y() - size.height() / 2;
    const int firstColumn = int(std::floor(left / kTileSize));
    const int lastColumn = int(std::floor((left + size.width()) / kTileSize));
    const int rows = int(std::exp2(level));
    const int firstRow = std::max(0, int(std::floor(top / kTileSize)));
    const int lastRow = std::min(rows - 1, int(std::floor((top + size.height()) / kTileSize)));
    return QRect(QPoint(firstColumn, firstRow), QPoint(lastColumn, lastRow));
}
