#include "ui/intro/IntroStyle.h"

#include <QPushButton>

namespace IntroStyle {

QColor buttonColor()
{
    return QColor(223, 233, 242);
}

QColor reviewButtonColor()
{
    return QColor(223, 223, 223);
}

void styleButton(QPushButton* button, int pointSize, const QColor& background)
{
    // A focus ring of its own: the style sheet replaces the style's, and the windows must be
    // usable with the keyboard alone. The pale face hardly differs from a day window, so the
    // outline is what shows the button: half the face's lightness stands out at 3:1 from it and
    // from any light window.
    button->setStyleSheet(QStringLiteral("QPushButton { color: black; background-color: %1;"
                                         " border: 1px solid %4; border-radius: 4px;"
                                         " padding: 5px 14px; font-size: %3pt; }"
                                         "QPushButton:focus { border: 2px solid #2f6fb3; }"
                                         "QPushButton:pressed { background-color: %2; }")
                              .arg(background.name(), background.darker(125).name())
                              .arg(pointSize)
                              .arg(background.darker(200).name()));
}

} // namespace IntroStyle
