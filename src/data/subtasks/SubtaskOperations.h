#pragma once

#include "data/ReminderSnapshot.h"
#include "data/subtasks/SubtaskTree.h"
#include "platform/store/Calendar.h"

#include <QObject>

#include <functional>
#include <memory>

class StoreSession;
class TaskOperations;

// Subtasks over the data manager's snapshot: the tree of its tasks, and the changes to it.
// A parent link is written as other CalDAV programs write it (RELATED-TO;RELTYPE=PARENT on the
// subtask), the folded state as X-OC-HIDESUBTASKS on the parent. Linking and unlinking are
// undoable like completions; completing, deleting and moving a task with its subtasks are one
// undo step where their single forms are undoable at all.
class SubtaskOperations : public QObject
{
    Q_OBJECT

public:
    SubtaskOperations(StoreSession& session, TaskOperations& tasks, QObject* parent = nullptr);

    // The snapshot's tasks as a tree, built once per snapshot; empty without one.
    std::shared_ptr<const SubtaskTree> tree() const;

    store::ReminderPtr parentOf(const store::Reminder& task) const;
    QList<store::ReminderPtr> subtasksOf(const store::Reminder& task) const;
    SubtaskTree::Progress progressOf(const store::Reminder& task) const;

    // Makes `task` a subtask of `parent`, or a task on its own when `parent` is null. Refused
    // (with the reason in `error`) for a parent in another list, the task itself or one of its
    // own subtasks.
    bool setParent(const store::ReminderPtr& task, const store::ReminderPtr& parent,
                   QString* error = nullptr);
    // Folds or unfolds the task's subtasks; not an undo step, as a view's state is not.
    bool setSubtasksHidden(const store::ReminderPtr& task, bool hidden, QString* error = nullptr);

    // Completes the task and every open task below it.
    bool completeWithSubtasks(const store::ReminderPtr& task, QString* error = nullptr);
    // Deletes the task and every task below it into Recently Deleted.
    bool deleteWithSubtasks(const store::ReminderPtr& task, QString* error = nullptr);
    // Moves the task and every task below it to `list`, where their links hold again.
    bool moveWithSubtasks(const store::ReminderPtr& task, const store::CalendarPtr& list,
                          QString* error = nullptr);

private:
    class ParentChange;
    // Writes the link as given (a UID, possibly of no task we know, or none).
    bool writeParentUid(const QString& identifier, const QString& parentUid, QString* error);
    // The snapshot's record of the task, or the task itself when it is newer than the snapshot.
    store::ReminderPtr recordOf(const store::ReminderPtr& task) const;
    bool saveChange(const store::ReminderPtr& found,
                    const std::function<void(store::Reminder&)>& edit, QString* error);

    StoreSession& m_session;
    TaskOperations& m_tasks;
    mutable std::weak_ptr<const ReminderSnapshot> m_treeSnapshot;
    mutable std::shared_ptr<const SubtaskTree> m_tree;
};
