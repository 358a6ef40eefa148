#pragma once

#include "data/QuickActionMenu.h"
#include "platform/store/Reminder.h"

#include <QCoreApplication>
#include <QList>

#include <optional>

class DataManager;

// The task list's commands on subtasks: indenting a task under the one above it, outdenting
// it, making it another task's subtask (a drop), and the commands whose single forms reach a
// task's subtasks — completing a parent with open subtasks asks how (or does as the user chose
// to be remembered), deleting a parent takes its subtasks along. Each change is one undo step;
// a refusal comes back as the reason to show.
class SubtaskCommands
{
    Q_DECLARE_TR_FUNCTIONS(SubtaskCommands)

public:
    enum class Completion { OnlyThis, WithSubtasks };

    explicit SubtaskCommands(DataManager& manager);

    // The task menu's items: Add Subtask, Indent, Outdent (on for a subtask only).
    QList<QuickActionMenuEntry> menuEntries(const store::Reminder& task) const;

    // Makes `task` a subtask of the task above it in `shown` (a view's tasks in its order):
    // of the one at its own level when the task directly above lies below one such, so that
    // in a nested view the task moves one step in.
    bool indent(const store::ReminderPtr& task, const QList<store::ReminderPtr>& shown,
                QString* error);
    // Gives the subtask its parent's parent (none: a task on its own).
    bool outdent(const store::ReminderPtr& task, QString* error);
    bool makeSubtask(const store::ReminderPtr& task, const store::ReminderPtr& parent,
                     QString* error);

    // How the check box completes the task when no one need be asked: reopening, and
    // completing a task without open subtasks, concern the task only; otherwise the choice the
    // user asked to be remembered. None: the user is to be asked.
    std::optional<Completion> settledCompletion(const store::ReminderPtr& task) const;
    // The answer to that question, given each time from now on.
    void rememberCompletion(Completion completion);
    // Completes or reopens the task, or completes it with its subtasks.
    bool toggleCompletion(const store::ReminderPtr& task, Completion completion, QString* error);
    int openSubtaskCount(const store::Reminder& task) const;

    // A parent goes with its subtasks, and one undo brings them all back.
    bool deleteTask(const store::ReminderPtr& task, QString* error);

private:
    bool hasSubtasks(const store::Reminder& task) const;

    DataManager& m_manager;
};
