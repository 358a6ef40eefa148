#pragma once

#include <QColor>
#include <QList>

class QPainter;
class QPalette;
class QRect;

// The mark of the control that has the keyboard, the same in every window: a ring two pixels
// wide just inside the control's (or the row's, or the day's) edge. Its colour is the palette's
// highlight, darkened or lightened where needed so that it stands out at 3:1 from the
// backgrounds it is drawn on, by day and by night.
namespace FocusRing {

constexpr int kWidth = 2;
constexpr double kMinimumContrast = 3.0;

// The ring's colour over the palette's window, base and button colours and any `backgrounds`
// of the place it is drawn (a selected row's fill).
QColor color(const QPalette& palette, const QList<QColor>& backgrounds = {});
void paint(QPainter& painter, const QRect& rect, const QColor& color);

} // namespace FocusRing
