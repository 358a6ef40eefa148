#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

class QWidget;

// Where a window opens: centred on the window it belongs to the first time, then where the user
// left it and at the size it had, as long as that is still on a screen and fits it. No window
// opens larger than the free area of its screen: sizes are in the screen's logical pixels, so
// a window drawn for a large screen would otherwise reach off a small or highly scaled one.
namespace WindowPlacement {

// The top-left corner of a window of `size` centred on `frame`.
QPoint centredOn(const QRect& frame, const QSize& size);
// `topLeft` moved as little as needed for a window of `size` to lie within `available`; a
// window larger than it keeps its top-left corner in it.
QPoint keptWithin(const QPoint& topLeft, const QSize& size, const QRect& available);
// `wanted` no wider and no taller than `available` less the window manager's `frame` around
// the window.
QSize fittedSize(const QSize& wanted, const QRect& available, const QMargins& frame);
// The window manager's title bar and borders around `window`; none before it is first shown.
QMargins frameMargins(const QWidget* window);
// Makes `window` no larger than the free area of the screen it opens on: the one its corner
// was moved to, else its owner's, else the primary. A window never resized keeps its own size hint
// when that fits.
void fitToScreen(QWidget* window, const QWidget* owner);
// "x,y" and back; null when the text is no such pair.
QString stringFromPoint(const QPoint& point);
std::optional<QPoint> pointFromString(const QString& text);
// A window's frame as the preferences keep it, "{{x, y}, {width, height}}": the top-left corner
// with the window manager's frame (what move() takes) and the size without it (what resize()
// takes). Back, an invalid rectangle for text that is no such frame or one no window could
// have, so that a broken or hand-edited preference cannot make a window vanish.
QString stringFromFrame(const QRect& frame);
QRect frameFromString(const QString& text);

// Moves `window` to `saved` (or, without it, to the centre of `owner`), kept on the screen
// that point is on, or on the owner's when the screen there is gone.
void place(QWidget* window, const std::optional<QPoint>& saved, const QWidget* owner);
// Gives `window` the size of `saved`, no larger than the screen it goes to, and places it at
// the corner of `saved` as place() does.
void restore(QWidget* window, const QRect& saved, const QWidget* owner);
// Shows `window` in front, un-minimised, and gives it the keyboard.
void bringToFront(QWidget* window);

} // namespace WindowPlacement
