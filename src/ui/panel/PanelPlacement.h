#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the tray panel opens. It hangs from the status icon: its top at the icon's bottom, its
// left edge at the icon's left edge, moved left as far as the screen's right edge asks. A tray at
// the bottom of the screen has the panel open upwards instead. Where the icon's place is unknown
// (tray hosts that speak StatusNotifierItem do not tell it, or there is no tray at all) the icon
// is taken to sit at the corner of the pointer's screen nearest the pointer.
namespace PanelPlacement {

constexpr int kPanelWidth = 385;
// The size given to an icon whose place is unknown.
constexpr int kIconWidth = 24;
constexpr int kIconHeight = 24;

// `screen` is the free area of the icon's screen, in global coordinates.
QRect frameForIcon(const QRect& icon, const QSize& panel, const QRect& screen);
// A stand-in for the icon just outside the corner of `screen` nearest `pointer`.
QRect iconAtCorner(const QRect& screen, const QPoint& pointer);

} // namespace PanelPlacement
