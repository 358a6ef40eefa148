#include "data/views/TaskListNesting.h"

#include <climits>

namespace {

// Progress and the parent's title, which both arrangements give alike, for the task at
// `index` of the tree (-1: one it does not know).
RowNesting describe(const SubtaskTree& tree, qsizetype index)
{
    RowNesting nesting;
    if (index < 0)
        return nesting;
    if (tree.hasSubtasks(index))
        nesting.progress = tree.progressAt(index);
    const qsizetype parent = tree.parentIndex(index);
    if (parent >= 0)
        nesting.parentTitle = tree.tasks().at(parent)->title;
    return nesting;
}

} // namespace

TaskListNesting::Arranged TaskListNesting::nested(const SubtaskTree& tree,
                                                  const ReminderList& shown)
{
    if (tree.isFlat())
        return {shown, {}};
    const QList<SubtaskTree::Row> rows = tree.arrange(shown);
    Arranged arranged;
    arranged.reminders.reserve(rows.size());
    arranged.rows.reserve(rows.size());
    // The rows kept at each depth so far, to find the one a subtask is indented under.
    QList<int> lastAtDepth;
    int foldedAt = INT_MAX;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const SubtaskTree::Row& row = rows.at(i);
        if (row.depth > foldedAt)
            continue;
        foldedAt = INT_MAX;
        const store::ReminderPtr& task = shown.at(row.shownIndex);
        RowNesting nesting = describe(tree, row.treeIndex);
        nesting.depth = row.depth;
        if (row.depth > 0)
            nesting.parentRow = lastAtDepth.at(row.depth - 1);
        const bool hasShownSubtasks = i + 1 < rows.size() && rows.at(i + 1).depth > row.depth;
        if (hasShownSubtasks) {
            nesting.fold = task->hidesSubtasks ? RowNesting::Fold::Folded : RowNesting::Fold::Open;
            if (task->hidesSubtasks)
                foldedAt = row.depth;
        }
        lastAtDepth.resize(row.depth + 1);
        lastAtDepth[row.depth] = int(arranged.reminders.size());
        arranged.reminders.append(task);
        arranged.rows.append(std::move(nesting));
    }
    return arranged;
}

TaskListNesting::Arranged TaskListNesting::inPlace(const SubtaskTree& tree,
                                                   const ReminderList& shown)
{
    Arranged arranged;
    arranged.reminders = shown;
    if (tree.isFlat())
        return arranged;
    arranged.rows.reserve(shown.size());
    for (const store::ReminderPtr& task : shown)
        arranged.rows.append(describe(tree, tree.indexOfLinked(task)));
    return arranged;
}
