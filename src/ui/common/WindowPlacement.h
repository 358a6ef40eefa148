#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

class QWidget;

// Where a secondary window opens: centred on the window it belongs to the first time, then
// where the user left it, as long as that is still on a screen.
namespace WindowPlacement {

// The top-left corner of a window of `size` centred on `frame`.
QPoint centredOn(const QRect& frame, const QSize& size);
// `topLeft` moved as little as needed for a window of `size` to lie within `available`; a
// window larger than it keeps its top-left corner in it.
QPoint keptWithin(const QPoint& topLeft, const QSize& size, const QRect& available);
// "x,y" and back; null when the text is no such pair.
QString stringFromPoint(const QPoint& point);
std::optional<QPoint> pointFromString(const QString& text);

// Moves `window` to `saved` (or, without it, to the centre of `owner`), kept on the screen
// that point is on, or on the owner's when the screen there is gone.
void place(QWidget* window, const std::optional<QPoint>& saved, const QWidget* owner);
// Shows `window` in front, un-minimised, and gives it the keyboard.
void bringToFront(QWidget* window);

} // namespace WindowPlacement
