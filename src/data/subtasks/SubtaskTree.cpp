#include "data/subtasks/SubtaskTree.h"

#include <QSet>

#include <algorithm>
#include <functional>

namespace {

QString listOf(const store::Reminder& task)
{
    return task.calendar ? task.calendar->calendarIdentifier : QString();
}

// Children grouped by parent with one counting pass: `start` gets n + 1 offsets into
// `children`, which keeps each group in index order.
void groupByParent(const std::vector<qsizetype>& parent, std::vector<qsizetype>& start,
                   std::vector<qsizetype>& children)
{
    const size_t n = parent.size();
    start.assign(n + 1, 0);
    for (const qsizetype p : parent) {
        if (p >= 0)
            ++start[size_t(p) + 1];
    }
    for (size_t i = 0; i < n; ++i)
        start[i + 1] += start[i];
    children.assign(size_t(start[n]), -1);
    std::vector<qsizetype> next(start.begin(), start.end() - 1);
    for (size_t i = 0; i < n; ++i) {
        if (parent[i] >= 0)
            children[size_t(next[size_t(parent[i])]++)] = qsizetype(i);
    }
}

// Visits the forest depth first, roots in index order, siblings in index order.
template <typename Visit>
void walkForest(const std::vector<qsizetype>& parent, const std::vector<qsizetype>& start,
                const std::vector<qsizetype>& children, Visit visit)
{
    std::vector<std::pair<qsizetype, int>> stack;
    for (size_t root = 0; root < parent.size(); ++root) {
        if (parent[root] >= 0)
            continue;
        stack.emplace_back(qsizetype(root), 0);
        while (!stack.empty()) {
            const auto [at, depth] = stack.back();
            stack.pop_back();
            visit(at, depth);
            for (qsizetype c = start[size_t(at) + 1] - 1; c >= start[size_t(at)]; --c)
                stack.emplace_back(children[size_t(c)], depth + 1);
        }
    }
}

} // namespace

SubtaskTree::SubtaskTree(QList<store::ReminderPtr> tasks)
    : m_tasks(std::move(tasks))
{
    resolveParents();
    if (m_parent.empty())
        return;
    breakLoops();
    collectChildren();
    collectLinked();
}

qsizetype SubtaskTree::indexOf(const QString& identifier) const
{
    IdentifierIndex& index = *m_byIdentifier;
    std::call_once(index.built, [this, &index] {
        index.indexes.reserve(m_tasks.size());
        for (qsizetype i = 0; i < m_tasks.size(); ++i) {
            const QString& own = m_tasks.at(i)->calendarItemIdentifier;
            if (!own.isEmpty())
                index.indexes.insert(own, i);
        }
    });
    return index.indexes.value(identifier, -1);
}

qsizetype SubtaskTree::indexOfLinked(const store::ReminderPtr& task) const
{
    if (m_linked.isEmpty() || !task)
        return -1;
    const auto linked = m_linked.constFind(task.get());
    if (linked != m_linked.constEnd())
        return linked.value();
    if (std::binary_search(m_objects.cbegin(), m_objects.cend(), task.get(),
                           std::less<const store::Reminder*>()))
        return -1;
    const qsizetype index = indexOf(task->calendarItemIdentifier);
    return index >= 0 && (m_parent[size_t(index)] >= 0 || hasSubtasks(index)) ? index : -1;
}

void SubtaskTree::resolveParents()
{
    const size_t n = size_t(m_tasks.size());
    // Only the UIDs some task names as its parent are looked up, and most tasks have none.
    QSet<QString> parentUids;
    for (const store::ReminderPtr& task : std::as_const(m_tasks)) {
        if (!task->parentUid.isEmpty())
            parentUids.insert(task->parentUid);
    }
    if (parentUids.isEmpty())
        return;
    m_parent.assign(n, -1);
    // Tasks by UID; a UID may stand in several lists (and, written by careless programs, twice
    // in one), so each entry chains to the next task with the same UID.
    QHash<QString, qsizetype> firstWithUid;
    firstWithUid.reserve(parentUids.size());
    std::vector<qsizetype> nextWithUid(n, -1);
    for (qsizetype i = qsizetype(n) - 1; i >= 0; --i) {
        const QString& uid = m_tasks.at(i)->uid;
        if (uid.isEmpty() || !parentUids.contains(uid))
            continue;
        auto first = firstWithUid.find(uid);
        if (first != firstWithUid.end()) {
            nextWithUid[size_t(i)] = *first;
            *first = i;
        } else {
            firstWithUid.insert(uid, i);
        }
    }
    for (size_t i = 0; i < n; ++i) {
        const store::Reminder& task = *m_tasks.at(qsizetype(i));
        if (task.parentUid.isEmpty())
            continue;
        const QString list = listOf(task);
        for (qsizetype candidate = firstWithUid.value(task.parentUid, -1); candidate >= 0;
             candidate = nextWithUid[size_t(candidate)]) {
            if (size_t(candidate) != i && listOf(*m_tasks.at(candidate)) == list) {
                m_parent[i] = candidate;
                break;
            }
        }
    }
    // Links only to tasks that are not here nest nothing either.
    if (std::all_of(m_parent.cbegin(), m_parent.cend(), [](qsizetype p) { return p < 0; }))
        m_parent.clear();
}

// Every task of a loop of links stands on its own; tasks hanging off the loop keep their
// parent, which is now a root.
void SubtaskTree::breakLoops()
{
    enum : quint8 { Unseen, OnPath, Settled };
    std::vector<quint8> state(m_parent.size(), Unseen);
    std::vector<qsizetype> path;
    for (size_t i = 0; i < m_parent.size(); ++i) {
        if (state[i] != Unseen)
            continue;
        path.clear();
        qsizetype at = qsizetype(i);
        while (at >= 0 && state[size_t(at)] == Unseen) {
            state[size_t(at)] = OnPath;
            path.push_back(at);
            at = m_parent[size_t(at)];
        }
        if (at >= 0 && state[size_t(at)] == OnPath) {
            const qsizetype loopStart = at;
            do {
                const qsizetype next = m_parent[size_t(at)];
                m_parent[size_t(at)] = -1;
                at = next;
            } while (at != loopStart);
        }
        for (const qsizetype settled : path)
            state[size_t(settled)] = Settled;
    }
}

void SubtaskTree::collectChildren()
{
    groupByParent(m_parent, m_childStart, m_children);
    m_depth.assign(m_parent.size(), 0);
    walkForest(m_parent, m_childStart, m_children,
               [this](qsizetype at, int depth) { m_depth[size_t(at)] = depth; });
}

void SubtaskTree::collectLinked()
{
    for (qsizetype i = 0; i < m_tasks.size(); ++i) {
        if (m_parent[size_t(i)] >= 0 || hasSubtasks(i))
            m_linked.insert(m_tasks.at(i).get(), i);
    }
    if (m_linked.isEmpty())
        return;
    m_objects.reserve(size_t(m_tasks.size()));
    for (const store::ReminderPtr& task : std::as_const(m_tasks))
        m_objects.push_back(task.get());
    // std::less gives raw pointers of different objects a total order; "<" does not.
    std::sort(m_objects.begin(), m_objects.end(), std::less<const store::Reminder*>());
}

QList<qsizetype> SubtaskTree::childIndexes(qsizetype index) const
{
    QList<qsizetype> indexes;
    if (!hasSubtasks(index))
        return indexes;
    for (qsizetype c = m_childStart[size_t(index)]; c < m_childStart[size_t(index) + 1]; ++c)
        indexes.append(m_children[size_t(c)]);
    return indexes;
}

store::ReminderPtr SubtaskTree::parentOf(const store::Reminder& task) const
{
    const qsizetype index = indexOf(task.calendarItemIdentifier);
    if (index < 0 || parentIndex(index) < 0)
        return nullptr;
    return m_tasks.at(parentIndex(index));
}

QList<store::ReminderPtr> SubtaskTree::subtasksOf(const store::Reminder& task) const
{
    QList<store::ReminderPtr> subtasks;
    const qsizetype index = indexOf(task.calendarItemIdentifier);
    if (index >= 0) {
        for (const qsizetype child : childIndexes(index))
            subtasks.append(m_tasks.at(child));
    }
    return subtasks;
}

QList<store::ReminderPtr> SubtaskTree::descendantsOf(const store::Reminder& task) const
{
    QList<store::ReminderPtr> below;
    const qsizetype index = indexOf(task.calendarItemIdentifier);
    if (index < 0 || !hasSubtasks(index))
        return below;
    std::vector<qsizetype> stack(1, index);
    while (!stack.empty()) {
        const qsizetype at = stack.back();
        stack.pop_back();
        if (at != index)
            below.append(m_tasks.at(at));
        for (qsizetype c = m_childStart[size_t(at) + 1] - 1; c >= m_childStart[size_t(at)]; --c)
            stack.push_back(m_children[size_t(c)]);
    }
    return below;
}

bool SubtaskTree::isWithin(const store::Reminder& task, const store::Reminder& ancestor) const
{
    const qsizetype top = indexOf(ancestor.calendarItemIdentifier);
    for (qsizetype at = indexOf(task.calendarItemIdentifier); at >= 0; at = parentIndex(at)) {
        if (at == top)
            return true;
    }
    return false;
}

SubtaskTree::Progress SubtaskTree::progressOf(const store::Reminder& task) const
{
    return progressAt(indexOf(task.calendarItemIdentifier));
}

SubtaskTree::Progress SubtaskTree::progressAt(qsizetype index) const
{
    Progress progress;
    if (index < 0 || !hasSubtasks(index))
        return progress;
    for (qsizetype c = m_childStart[size_t(index)]; c < m_childStart[size_t(index) + 1]; ++c) {
        ++progress.total;
        if (m_tasks.at(m_children[size_t(c)])->completed)
            ++progress.done;
    }
    return progress;
}

QList<SubtaskTree::Row> SubtaskTree::arrange(const QList<store::ReminderPtr>& shown) const
{
    const size_t count = size_t(shown.size());
    std::vector<qsizetype> shownAt(size_t(m_tasks.size()), -1);
    std::vector<qsizetype> treeIndex(count, -1);
    for (size_t s = 0; s < count; ++s) {
        const qsizetype index = indexOf(shown.at(qsizetype(s))->calendarItemIdentifier);
        // A task shown twice nests once; the second stands on its own.
        if (index >= 0 && shownAt[size_t(index)] < 0) {
            shownAt[size_t(index)] = qsizetype(s);
            treeIndex[s] = index;
        }
    }
    std::vector<qsizetype> shownParent(count, -1);
    for (size_t s = 0; s < count; ++s) {
        const qsizetype index = treeIndex[s];
        if (index >= 0 && parentIndex(index) >= 0)
            shownParent[s] = shownAt[size_t(parentIndex(index))];
    }
    std::vector<qsizetype> start;
    std::vector<qsizetype> children;
    groupByParent(shownParent, start, children);
    QList<Row> rows;
    rows.reserve(shown.size());
    walkForest(shownParent, start, children, [&rows, &treeIndex](qsizetype at, int depth) {
        rows.append(Row{at, depth, treeIndex[size_t(at)]});
    });
    return rows;
}
