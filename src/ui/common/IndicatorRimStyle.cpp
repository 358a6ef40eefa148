#include "ui/common/IndicatorRimStyle.h"

#include "ui/common/ContrastColors.h"

#include <QPainter>
#include <QStyleOption>

void IndicatorRimStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                      QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    const bool box = element == PE_IndicatorCheckBox || element == PE_IndicatorItemViewItemCheck;
    if (!box && element != PE_IndicatorRadioButton)
        return;
    // An item view draws its check boxes on the view's base colour, a form on the window's.
    const QColor background = option->palette.color(
        element == PE_IndicatorItemViewItemCheck ? QPalette::Base : QPalette::Window);
    const QColor ink = option->palette.color(QPalette::WindowText);
    // A round rim is smoothed into its background at the edges; it starts a little stronger.
    QColor rim = ContrastColors::standingOut(background, ink, box ? 3.0 : 3.8);
    if (!(option->state & State_Enabled))
        rim.setAlphaF(0.5f);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, !box);
    painter->setPen(QPen(rim, 1));
    painter->setBrush(Qt::NoBrush);
    const QRect rect = option->rect.adjusted(0, 0, -1, -1);
    if (box)
        painter->drawRect(rect);
    else
        painter->drawEllipse(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
    painter->restore();
}
