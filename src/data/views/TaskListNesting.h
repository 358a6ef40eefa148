#pragma once

#include "data/ReminderQueries.h"
#include "data/subtasks/SubtaskTree.h"

#include <QList>
#include <QString>

// How one task row of the task list stands among subtasks: how deep it is indented, whether
// it can fold its subtasks away, how many of them are done, and, for a subtask shown without
// its parent, that parent's title. A task with neither parent nor subtasks has the default.
struct RowNesting
{
    enum class Fold : quint8 {
        None,   // no subtasks in the view
        Open,   // its subtasks follow it
        Folded, // its subtasks are hidden (stored on the task, so peers fold it too)
    };

    int depth = 0;
    Fold fold = Fold::None;
    // Of its direct subtasks in the store, shown or not; total 0 for a task without any.
    SubtaskTree::Progress progress;
    // The parent's title for a subtask. A subtask at depth 0 stands without its parent, and
    // the row names it.
    QString parentTitle;
    // The reminder index of the row it is indented under; -1 at depth 0.
    int parentRow = -1;

    bool namesParent() const { return depth == 0 && !parentTitle.isEmpty(); }
    bool operator==(const RowNesting&) const = default;
};

// Puts a view's tasks in the order the task list shows them. List views nest each subtask
// under its parent when both are in the view and leave out the subtasks of a folded parent;
// date views keep their own order and only name a subtask's parent. Tasks without parent or
// subtasks keep their place relative to each other either way.
class TaskListNesting
{
public:
    struct Arranged
    {
        ReminderList reminders;
        // One per reminder; none at all when no task of the store is nested, which reads as
        // every task on its own (a default RowNesting) and keeps a view of tens of thousands
        // of tasks from holding a row each to say so.
        QList<RowNesting> rows;
    };

    static Arranged nested(const SubtaskTree& tree, const ReminderList& shown);
    static Arranged inPlace(const SubtaskTree& tree, const ReminderList& shown);
};
