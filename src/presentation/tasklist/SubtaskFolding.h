#pragma once

#include <QObject>

class SubtaskOperations;
class TaskListPresenter;

// Folding a parent's subtasks in the task list, and Left and Right on its selection, which
// walk the tree as a tree view does. The fold is stored on the parent (X-OC-HIDESUBTASKS), so
// that other programs fold it too.
class SubtaskFolding : public QObject
{
    Q_OBJECT

public:
    SubtaskFolding(SubtaskOperations& subtasks, TaskListPresenter& list, QObject* parent = nullptr);

    // Folds or unfolds the subtasks of the task at `row`; false when it has none in the view
    // or is already so. A subtask selected inside the fold hands the selection to the task
    // that hid it.
    bool setFolded(int row, bool folded);
    // Left: fold the selected task, or go up to its parent. Right: unfold it, or go down to
    // its first subtask. False when neither applies.
    bool collapseSelected();
    bool expandSelected();

Q_SIGNALS:
    // The fold did not reach the store; `reason` is the store's.
    void changeFailed(const QString& title, const QString& reason);

private:
    // The selected task's index among the list's tasks; -1 for none.
    int selectedIndex() const;

    SubtaskOperations& m_subtasks;
    TaskListPresenter& m_list;
};
