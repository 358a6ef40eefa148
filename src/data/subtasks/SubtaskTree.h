#pragma once

#include "platform/store/Reminder.h"

#include <QHash>
#include <QList>

#include <memory>
#include <mutex>
#include <vector>

// The parent links of a set of tasks resolved into a forest. A task is the subtask of the one
// its link names when that task is in the set and in the same list; a link to a task that is
// not there, to one in another list, or into a loop (A→B→A, A→A) leaves the task on its own.
// Nothing is dropped: every task given is in the tree once, as a root or as a subtask.
// Built once per snapshot; the tasks are held, so completion flags are read as they are now.
class SubtaskTree
{
public:
    SubtaskTree() = default;
    explicit SubtaskTree(QList<store::ReminderPtr> tasks);

    const QList<store::ReminderPtr>& tasks() const { return m_tasks; }
    qsizetype size() const { return m_tasks.size(); }
    // The index of the task with that identifier; -1 when it is not in the tree.
    qsizetype indexOf(const QString& identifier) const;
    // The index of a task that has a parent or subtasks here; -1 for any other (one on its
    // own, or one the tree does not know). The tree's own task objects are found as objects,
    // so that a view of tens of thousands of them reads no identifier.
    qsizetype indexOfLinked(const store::ReminderPtr& task) const;
    // No task has a parent or subtasks here: every task stands on its own.
    bool isFlat() const { return m_linked.isEmpty(); }

    // -1 for a task on its own.
    qsizetype parentIndex(qsizetype index) const
    {
        return m_parent.empty() ? -1 : m_parent[size_t(index)];
    }
    // The direct subtasks, in the order the tasks were given.
    QList<qsizetype> childIndexes(qsizetype index) const;
    // 0 for a task on its own.
    int depth(qsizetype index) const { return m_depth.empty() ? 0 : m_depth[size_t(index)]; }
    bool hasSubtasks(qsizetype index) const
    {
        return !m_childStart.empty() &&
               m_childStart[size_t(index) + 1] > m_childStart[size_t(index)];
    }

    // The same by task; null and empty for a task that is not in the tree.
    store::ReminderPtr parentOf(const store::Reminder& task) const;
    QList<store::ReminderPtr> subtasksOf(const store::Reminder& task) const;
    // Every subtask below the task, each before its own subtasks.
    QList<store::ReminderPtr> descendantsOf(const store::Reminder& task) const;
    // Whether `task` is `ancestor` or lies below it.
    bool isWithin(const store::Reminder& task, const store::Reminder& ancestor) const;

    // Done of total among the direct subtasks ("2/5").
    struct Progress
    {
        int done = 0;
        int total = 0;
        bool operator==(const Progress&) const = default;
    };
    Progress progressOf(const store::Reminder& task) const;
    Progress progressAt(qsizetype index) const;

    // The tasks a view shows (any of the tree's, in the view's order) nested: each followed by
    // its shown subtasks, depth first, siblings in the view's order. A task whose parent the
    // view does not show stands at depth 0, as does one the tree does not know.
    struct Row
    {
        qsizetype shownIndex; // into `shown`
        int depth;
        qsizetype treeIndex; // -1 for a task the tree does not know
    };
    QList<Row> arrange(const QList<store::ReminderPtr>& shown) const;

private:
    void resolveParents();
    void breakLoops();
    void collectChildren();
    void collectLinked();

    QList<store::ReminderPtr> m_tasks;
    // Built on the first look-up by identifier: most snapshots are shown without one. Shared
    // by copies of the tree, which hold the same tasks.
    struct IdentifierIndex
    {
        std::once_flag built;
        QHash<QString, qsizetype> indexes;
    };
    std::shared_ptr<IdentifierIndex> m_byIdentifier = std::make_shared<IdentifierIndex>();
    // The tasks with a parent or subtasks, by object; and, while there are any, every task's
    // object in address order, to tell the tree's own tasks from equal ones read elsewhere.
    QHash<const store::Reminder*, qsizetype> m_linked;
    std::vector<const store::Reminder*> m_objects;
    // The four below stay empty while no task's parent is here: most stores nest nothing,
    // and a tree of a hundred thousand tasks then keeps nothing for each.
    std::vector<qsizetype> m_parent;
    std::vector<int> m_depth;
    // The subtasks of task i are m_children[m_childStart[i] .. m_childStart[i + 1]).
    std::vector<qsizetype> m_childStart;
    std::vector<qsizetype> m_children;
};
