#include "ui/main/PaneRoom.h"

#include <algorithm>

namespace {

// Takes up to `available` of `needed`.
int take(int& needed, int available)
{
    const int taken = std::clamp(available, 0, needed);
    needed -= taken;
    return taken;
}

} // namespace

PaneRoom PaneRoom::forOpening(Side side, int paneWidth, const QRect& frame, const QRect& available,
                              int listSpare, int otherPaneSpare)
{
    const int roomLeft = frame.left() - available.left();
    const int roomRight = available.right() - frame.right();
    int needed = std::max(0, paneWidth);
    const int besidePane = take(needed, side == Side::Left ? roomLeft : roomRight);
    PaneRoom room;
    room.fromList = take(needed, listSpare);
    room.fromOtherPane = take(needed, otherPaneSpare);
    const int awayFromPane = take(needed, side == Side::Left ? roomRight : roomLeft);
    // Whatever is still missing the screen cannot give: the pane keeps its width.
    const int paneSide = besidePane + needed;
    room.growLeft = side == Side::Left ? paneSide : awayFromPane;
    room.growRight = side == Side::Left ? awayFromPane : paneSide;
    return room;
}

PaneRoom PaneRoom::forClosing(Side side, int paneWidth) const
{
    int width = std::max(0, paneWidth);
    const int shrink = take(width, windowGrowth());
    PaneRoom back;
    back.fromOtherPane = take(width, fromOtherPane);
    back.fromList = width;
    const int paneSide = std::min(shrink, side == Side::Left ? growLeft : growRight);
    back.growLeft = side == Side::Left ? paneSide : shrink - paneSide;
    back.growRight = side == Side::Left ? shrink - paneSide : paneSide;
    return back;
}
