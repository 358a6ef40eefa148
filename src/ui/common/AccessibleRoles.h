#pragma once

#include <QAccessible>

#include <functional>

class QWidget;

// What a screen reader is told a widget is, where Qt's own answer is wrong for how we use it:
// a row of buttons that picks a page is a row of page tabs, a plain widget that is a window is
// a window, a box that holds a choice of buttons is a group. Pop-up buttons are named by their
// label (the accessible name or the label that is their buddy) rather than by the value they
// show, and show that value as their value.
namespace AccessibleRoles {

// Gives `widget` the `role` (an interface Qt made for it before is dropped). A button so
// given is pressed by its action; `chosen`, where given, tells whether it is the chosen one of
// its row: the checked radio button, the selected page tab.
void give(QWidget* widget, QAccessible::Role role, std::function<bool()> chosen = {});

// Tells a screen reader that `widget`, given a role with `chosen`, is now the chosen one and
// `before` (if any) no longer is: checked for a radio button, selected for a page tab.
void announceChoice(QWidget* widget, QWidget* before);

// Makes pop-up buttons named by their labels and lets roles be given; the program installs it
// before its first widget, since Qt makes a widget's interface as soon as it is named.
void install();

} // namespace AccessibleRoles
