#include "ui/common/ContrastColors.h"

#include <algorithm>
#include <cmath>

namespace ContrastColors {

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

double luminance(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

double ratio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor standingOut(const QColor& background, const QColor& towards, double minimum)
{
    const QColor from = background.toRgb();
    const QColor to = towards.toRgb();
    constexpr int kSteps = 20;
    for (int step = 1; step <= kSteps; ++step) {
        const double t = double(step) / kSteps;
        const QColor mixed =
            QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * t),
                             float(from.greenF() + (to.greenF() - from.greenF()) * t),
                             float(from.blueF() + (to.blueF() - from.blueF()) * t));
        if (ratio(mixed, background) >= minimum)
            return mixed;
    }
    return to;
}

} // namespace ContrastColors
