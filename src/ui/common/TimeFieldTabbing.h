#pragma once

// Tab and Shift+Tab leave a date or time field instead of stepping from its hour to its
// minute, as Qt's fields do by themselves: a keyboard user then meets every field as one stop,
// as in the desktop's other programs, and a screen reader hears each move of the focus (a step
// between the sections of one field is told to nobody). Left and Right still move between the
// sections, and typing fills them in turn.
namespace TimeFieldTabbing {

// For every date and time field of the program; installed once, at start.
void install();

} // namespace TimeFieldTabbing
