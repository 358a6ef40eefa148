#pragma once

#include <QColor>
#include <QIcon>

// The small filled circle in a list's colour that stands before its title in choosers and
// tables; a list without a colour gets grey. `diameter` is in pixels of a 12-pixel icon.
namespace ColorDot {
QIcon icon(const QColor& color, qreal diameter = 10);
}
