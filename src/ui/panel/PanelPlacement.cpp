#include "ui/panel/PanelPlacement.h"

#include <algorithm>

namespace PanelPlacement {

QRect frameForIcon(const QRect& icon, const QSize& panel, const QRect& screen)
{
    QRect frame(QPoint(icon.left(), icon.bottom() + 1), panel);
    const int excess = frame.right() - screen.right();
    if (excess > 0)
        frame.translate(-excess, 0);
    if (frame.left() < screen.left())
        frame.moveLeft(screen.left());
    // Below the icon when it fits; otherwise above it when there is more room there.
    if (frame.bottom() > screen.bottom()) {
        const int roomBelow = screen.bottom() - icon.bottom();
        const int roomAbove = icon.top() - screen.top();
        if (roomAbove > roomBelow)
            frame.moveBottom(icon.top() - 1);
    }
    return frame;
}

QRect iconAtCorner(const QRect& screen, const QPoint& pointer)
{
    const QPoint centre = screen.center();
    const bool right = pointer.x() > centre.x();
    const bool bottom = pointer.y() > centre.y();
    const int x = right ? screen.right() + 1 - kIconWidth : screen.left();
    // Just outside the free area: the panel then starts (or ends) at its edge.
    const int y = bottom ? screen.bottom() + 1 : screen.top() - kIconHeight;
    return QRect(x, y, kIconWidth, kIconHeight);
}

} // namespace PanelPlacement
