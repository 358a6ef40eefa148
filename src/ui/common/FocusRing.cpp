#include "ui/common/FocusRing.h"

#include "prefs/ColorContrast.h"

#include <QPainter>
#include <QPalette>

QColor FocusRing::color(const QPalette& palette, const QList<QColor>& backgrounds)
{
    QList<QColor> under = backgrounds;
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        under << palette.color(QPalette::Active, role);
    return ColorContrast::standingOut(palette.color(QPalette::Active, QPalette::Highlight), under,
                                      kMinimumContrast);
}

void FocusRing::paint(QPainter& painter, const QRect& rect, const QColor& color)
{
    if (rect.width() <= 2 * kWidth || rect.height() <= 2 * kWidth)
        return;
    // Whole pixels, no smoothing: a ring blended into its background would lose contrast.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), kWidth), color);
    painter.fillRect(QRect(rect.left(), rect.bottom() - kWidth + 1, rect.width(), kWidth), color);
    painter.fillRect(QRect(rect.left(), rect.top() + kWidth, kWidth, rect.height() - 2 * kWidth),
                     color);
    painter.fillRect(
        QRect(rect.right() - kWidth + 1, rect.top() + kWidth, kWidth, rect.height() - 2 * kWidth),
        color);
    painter.restore();
}
