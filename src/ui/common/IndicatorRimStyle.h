#pragma once

#include <QProxyStyle>

// The desktop's style, with the rims of check boxes and radio buttons drawn to stand out
// from their background by 3:1. Styles that shade the rim from the window colour (Fusion's
// is the window colour a little darker) leave an unchecked box all but invisible on a dark
// window.
class IndicatorRimStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
