#include "prefs/ColorContrast.h"

#include <QtMath>

#include <algorithm>

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : qPow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

double leastRatio(const QColor& color, const QList<QColor>& backgrounds)
{
    double least = 21.0;
    for (const QColor& background : backgrounds)
        least = std::min(least, ColorContrast::ratio(color, background));
    return least;
}

// In whole 8-bit steps, as the colour will be painted, so that what is measured on screen is
// what was computed here.
QColor mixed(const QColor& from, const QColor& to, double share)
{
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    const auto channel = [share](int x, int y) { return qRound(x + (y - x) * share); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()));
}

} // namespace

double ColorContrast::ratio(const QColor& first, const QColor& second)
{
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ColorContrast::standingOut(const QColor& color, const QList<QColor>& backgrounds,
                                  double minimum)
{
    if (backgrounds.isEmpty() || leastRatio(color, backgrounds) >= minimum)
        return color;
    // Mid gray (a luminance of about 0.18) stands equally far from black and white: lighter
    // backgrounds take a darker mark, darker ones a lighter mark.
    double sum = 0;
    for (const QColor& background : backgrounds)
        sum += luminance(background);
    const QColor target = sum / backgrounds.size() > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    // In small steps, so that the mark keeps as much of its own colour as it can.
    for (int step = 1; step <= 100; ++step) {
        const QColor candidate = mixed(color, target, step / 100.0);
        if (leastRatio(candidate, backgrounds) >= minimum)
            return candidate;
    }
    return target;
}
