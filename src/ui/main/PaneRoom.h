#pragma once

#include <QRect>

// Where the width of a side pane comes from when it opens: the window widens on the pane's
// side as far as the screen has room; the task list, and then the pane on the other side, give
// what the screen does not, down to their own minimums; only then does the window widen on its
// other side. So a window at the edge of the screen, or on a small screen, keeps to the
// screen's available area.
struct PaneRoom
{
    enum class Side { Left, Right };

    // How far the window's left edge moves left and its right edge right, and how much narrower
    // the task list and the other side pane become; together they make the pane's width.
    int growLeft = 0;
    int growRight = 0;
    int fromList = 0;
    int fromOtherPane = 0;

    int windowGrowth() const { return growLeft + growRight; }

    // `frame` is the window with its title bar and borders, `available` the screen's area without
    // panels; the spares are how much narrower the list and the other pane may become. Only a
    // screen narrower than the window at its smallest leaves the window past its edge.
    static PaneRoom forOpening(Side side, int paneWidth, const QRect& frame, const QRect& available,
                               int listSpare, int otherPaneSpare);
    // What the pane, now `paneWidth` wide, gives back as it closes: the window narrows by what it
    // grew (on the pane's side first when the pane has become narrower than that), the other
    // pane takes back what it gave, and the list the rest, so a pane the user widened meanwhile
    // widens the list again.
    PaneRoom forClosing(Side side, int paneWidth) const;
};
