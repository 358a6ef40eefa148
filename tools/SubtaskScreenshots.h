#pragma once

#include <QString>

class DataManager;
class ViewController;
class QWidget;

// The list Holiday with a tree of subtasks three levels deep, one parent folded and every
// parent's done of total showing, and the day view naming a subtask's parent.
namespace SubtaskScreenshots {

// Adds the list and its tasks (one due today) and answers the list's identifier.
QString addHolidayTree(DataManager& manager, ViewController* view);

// The window on the list at 1080×680, at 800×600 and at 1920×1080, and on the day view,
// as PNG files named with `suffix` for the mode; the details are closed first. Returns the
// number of pictures that could not be written.
int saveNestedList(ViewController* view, QWidget* window, const QString& listIdentifier,
                   const QString& output, const QString& suffix);

} // namespace SubtaskScreenshots
