#pragma once

#include <QColor>

class QPushButton;

// The look the onboarding, help and about windows share: flat buttons with black titles on a
// pale blue, whatever the appearance, so that they read the same by day and by night.
namespace IntroStyle {

QColor buttonColor();
QColor reviewButtonColor();
void styleButton(QPushButton* button, int pointSize, const QColor& background = buttonColor());

} // namespace IntroStyle
