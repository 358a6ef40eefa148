#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The application's images are single-colour SVG drawings that each view tints with the colour
// it needs (a list's colour, the mode's text colour), rendered at the screen's pixel ratio so
// they stay sharp on high-DPI displays. Names are the images' names, e.g. "CellCheck",
// "IconRepeat", "SmallDotWeek"; an unknown name gives a null pixmap.
//
// Names: CellCheck, CellCheckOn, CellEvent, IconRepeat, IconLocation, IconAlarm, IconAlarmDiff,
// EmptyThen, ButtonPin, ButtonPinOn, ButtonTopHide, ButtonTopShow, ButtonAdd, ButtonLeft,
// ButtonRight, ButtonSidebar, ButtonDetails, ButtonSave, ButtonShare, ButtonToday, DaySelected,
// MonthSelected, SmallDotWeek, SmallDotWeek2, SmallDotMonth, SmallDotMonth2, AboutIcon,
// MenuItemDot, MenuBarIcon, ButtonClear, ButtonUndo.
namespace TintedIcon {

// `size` in device-independent pixels; the pixmap carries `devicePixelRatio`.
QPixmap pixmap(const QString& name, const QSize& size, const QColor& color,
               qreal devicePixelRatio = 1.0);
// An icon for buttons and menus; renders on demand at whatever size and ratio is asked.
QIcon icon(const QString& name, const QColor& color);
// Whether an image of that name exists.
bool exists(const QString& name);

} // namespace TintedIcon
