#pragma once

#include <QColor>
#include <QList>

// Contrast between two colours as the WCAG measure it: the ratio of their relative luminances
// (each plus 0.05), from 1 (no contrast) to 21 (black on white). Marks that must be seen, such
// as the ring around the control with the keyboard focus, are held to a minimum ratio.
namespace ColorContrast {

// The colours' alpha is ignored: what counts is the colour as painted.
double ratio(const QColor& first, const QColor& second);

// `color` taken towards black (on light backgrounds) or white (on dark ones) just far enough
// to stand out from every one of `backgrounds` by `minimum`; unchanged when it already does.
QColor standingOut(const QColor& color, const QList<QColor>& backgrounds, double minimum);

} // namespace ColorContrast
