#pragma once

#include <QPointF>
#include <QRect>
#include <QSizeF>
#include <QString>

// The arithmetic of the Web-Mercator projection that web map tiles use: where a coordinate
// lies in the pixel plane of a zoom level, how many metres a pixel covers at a latitude, the
// zoom that fits a distance into a view, and the round length of a scale bar. Zoom levels are
// fractional; level z is a square of 256 × 2^z pixels.
class WebMercator
{
public:
    WebMercator() = delete;

    static constexpr double kEarthRadius = 6378137.0; // metres, the projection's sphere
    static constexpr int kTileSize = 256;
    // The projection ends where the plane is square.
    static constexpr double kMaxLatitude = 85.0511287798066;

    static double worldSize(double zoom);
    // The pixel position of a coordinate in the plane of `zoom`; x grows east, y south.
    static QPointF project(double latitude, double longitude, double zoom);
    static double latitudeAt(double y, double zoom);
    static double longitudeAt(double x, double zoom);
    static double metresPerPixel(double latitude, double zoom);
    // The zoom at which `metres` around `latitude` span `pixels`.
    static double zoomForSpan(double latitude, double metres, double pixels);
    static double pixelsForMetres(double latitude, double metres, double zoom);

    // A scale bar no longer than `maxPixels`: a round distance (1, 2 or 5 times a power of
    // ten metres), its length in pixels and its text.
    struct ScaleBar
    {
        double metres = 0;
        double pixels = 0;
        QString text;
    };
    static ScaleBar scaleBar(double metresPerPixel, double maxPixels);

    // The tiles of integer level `level` that cover a view of `size` centred on `centre`
    // (pixels of that level), as a range of tile columns (may run past the date line) and rows.
    static QRect tilesCovering(QPointF centre, QSizeF size, int level);
};
