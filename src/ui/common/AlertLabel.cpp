#include "ui/common/AlertLabel.h"

#include "prefs/ColorContrast.h"

#include <QEvent>

AlertLabel::AlertLabel(QWidget* parent)
    : AlertLabel(QString(), parent)
{}

AlertLabel::AlertLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    takeColor();
}

QColor AlertLabel::colorOn(const QPalette& palette)
{
    return ColorContrast::standingOut(
        QColor(0xc0, 0x39, 0x2b), {palette.color(QPalette::Window), palette.color(QPalette::Base)},
        4.5);
}

void AlertLabel::changeEvent(QEvent* event)
{
    // The window's new colours arrive here; the text's own colour is this label's and stays
    // unless set again. Setting it sends one more change, which finds nothing to do.
    if (event->type() == QEvent::PaletteChange)
        takeColor();
    QLabel::changeEvent(event);
}

void AlertLabel::takeColor()
{
    const QColor color = colorOn(palette());
    if (palette().color(QPalette::WindowText) == color)
        return;
    QPalette own = palette();
    own.setColor(QPalette::WindowText, color);
    setPalette(own);
}
