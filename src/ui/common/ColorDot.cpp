#include "ui/common/ColorDot.h"

#include <QPainter>
#include <QPixmap>

namespace ColorDot {

QIcon icon(const QColor& color, qreal diameter)
{
    constexpr int kSide = 12;
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color.isValid() ? color : QColor(Qt::gray));
    const qreal margin = (kSide - diameter) / 2;
    painter.drawEllipse(QRectF(margin, margin, diameter, diameter));
    return QIcon(pixmap);
}

} // namespace ColorDot
