#pragma once

// What a task list's rows let a screen reader do (TaskTableView): complete (or reopen) a task
// exactly as its check button does, show a row's details, and fold a parent's subtasks. The pane
// that owns the list answers.
class TaskRowActions
{
public:
    virtual ~TaskRowActions() = default;
    virtual void toggleRowCompletion(int row) = 0;
    virtual void showRowDetails(int row) = 0;
    // Shows or hides the subtasks of the row's task; lists without subtasks need not answer.
    virtual void setRowFolded(int, bool) {}
};
