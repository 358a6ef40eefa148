#pragma once

// How long the program's fades, slides and bounces last: as designed, scaled by the desktop's
// animation speed, or not at all when the desktop asks for reduced motion (GNOME's "Reduce
// Animation", Plasma's animation speed at "Instant"; platform/desktop/DesktopPreferences).
// Every animation of the windows takes its duration from here.
namespace Motion {

// The length to give an animation designed to last `designedMilliseconds`; 0 means jump to
// its end.
int duration(int designedMilliseconds);
// Whether the desktop wants no animations at all.
bool isReduced();
// Turns Qt's own menu, combo box and tool tip animations off while the desktop wants no
// motion, now and whenever the desktop's setting changes.
void followDesktop();

} // namespace Motion
