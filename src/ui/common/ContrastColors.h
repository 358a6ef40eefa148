#pragma once

#include <QColor>

// The WCAG 2 contrast of two colours, and colours chosen to meet a contrast: focus rings,
// control rims and other marks that must stay visible in day and night colours.
namespace ContrastColors {

// Relative luminance, 0 (black) to 1 (white).
double luminance(const QColor& color);
// 1:1 (the same) to 21:1 (black on white), as a number (3.0 for 3:1).
double ratio(const QColor& a, const QColor& b);
// The colour nearest to `background` on the way to `towards` that stands out from
// `background` by at least `minimum`; `towards` itself when no nearer one does.
QColor standingOut(const QColor& background, const QColor& towards, double minimum = 3.0);

} // namespace ContrastColors
