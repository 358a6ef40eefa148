#pragma once

#include <QKeySequence>

// The keys of the subtask commands, shown in the menu bar and the task menu alike. Tab and
// Shift+Tab stay the keys that move between the window's controls (a task list that kept Tab
// would trap the keyboard), so indenting takes the brackets, as in editors that indent lines.
namespace SubtaskKeys {

inline QKeySequence addSubtask()
{
    return QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N);
}

inline QKeySequence indent()
{
    return QKeySequence(Qt::CTRL | Qt::Key_BracketRight);
}

inline QKeySequence outdent()
{
    return QKeySequence(Qt::CTRL | Qt::Key_BracketLeft);
}

} // namespace SubtaskKeys
