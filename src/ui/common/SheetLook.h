#pragma once

class QWidget;

namespace SheetLook {

// Qt stops colours and fonts at a window's edge: a sheet (a dialog of its own window) would
// stay in the day colours over a night window. This makes `sheet` take its parent window's
// and keep following them while it is open. Call it in the sheet's constructor.
void followParentWindow(QWidget* sheet);

} // namespace SheetLook
