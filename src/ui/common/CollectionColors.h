#pragma once

#include "platform/store/CollectionColor.h"

#include <QColor>

// Where the windows meet a list's or calendar's colour: the store keeps plain red, green and
// blue, the widgets draw a QColor.
inline QColor qColor(const store::CollectionColor& color)
{
    return color.isValid() ? QColor(color.red, color.green, color.blue) : QColor();
}

inline store::CollectionColor collectionColor(const QColor& color)
{
    if (!color.isValid())
        return {};
    const QColor rgb = color.toRgb();
    return store::CollectionColor::fromRgb(rgb.red(), rgb.green(), rgb.blue());
}
