#pragma once

#include <QProxyStyle>

// The application's style: the desktop's own, with the marks a user must see held to 3:1
// against their background. The control with the keyboard focus always carries the focus ring
// (FocusRing.h): the styles Qt ships draw their focus marks faintly (a highlight at a third of
// its strength), only after a key press, or not at all on frameless fields, which left a
// keyboard user guessing where the focus was. Check box and radio button rims stand out too:
// styles that shade them from the window colour (Fusion's is the window a little darker) left
// an unchecked box all but invisible on a night window. The outlines of fields, buttons and
// pop-ups are held to 3:1 against the window for the same reason.
class ContrastStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Installs the style for the whole application, over the style the desktop chose; it
    // takes the palettes the windows set, so day and night need nothing more.
    static void install();

    // Over a new instance of the style named `baseStyle` ("fusion", "breeze"...).
    explicit ContrastStyle(const QString& baseStyle);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};
