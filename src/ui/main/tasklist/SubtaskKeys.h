#pragma once

#include <QKeySequence>
#include <QList>

// The keys of the subtask commands, shown in the menu bar and the task menu alike. Tab and
// Shift+Tab stay the keys that move between the window's controls (a task list that kept Tab
// would trap the keyboard), so indenting takes the brackets, as in editors that indent lines.
// Where the brackets need AltGr (German, French and many other layouts) that is a chord of four
// keys, so each command has a second key every layout reaches: Ctrl+Shift with the arrow of its
// direction. In a text field those select words, and the field keeps them.
namespace SubtaskKeys {

inline QKeySequence addSubtask()
{
    return QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N);
}

// The first is the one the menus show.
inline QList<QKeySequence> indent()
{
    return {QKeySequence(Qt::CTRL | Qt::Key_BracketRight),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Right)};
}

inline QList<QKeySequence> outdent()
{
    return {QKeySequence(Qt::CTRL | Qt::Key_BracketLeft),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Left)};
}

} // namespace SubtaskKeys
