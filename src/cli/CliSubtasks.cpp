#include "cli/CliSubtasks.h"

#include "data/DataManager.h"
#include "platform/store/EventStore.h"

#include <QSet>

#include <algorithm>
#include <vector>

namespace CliSubtasks {

namespace {

QList<store::CalendarPtr> listsOf(const QList<store::ReminderPtr>& tasks)
{
    QList<store::CalendarPtr> lists;
    QSet<QString> seen;
    // Tasks come list by list: most of them name the list the one before named.
    const store::Calendar* previous = nullptr;
    for (const store::ReminderPtr& task : tasks) {
        if (!task->calendar || task->calendar.get() == previous)
            continue;
        previous = task->calendar.get();
        if (!seen.contains(task->calendar->calendarIdentifier)) {
            seen.insert(task->calendar->calendarIdentifier);
            lists.append(task->calendar);
        }
    }
    return lists;
}

// The tree of the tasks a parent link touches: those with a link and those a link may name.
// Every other task is on its own and has no subtasks whichever set it is seen in, so the
// parents and depths come out as over all of them; a listing of a store where few tasks have
// subtasks then hashes a few identifiers instead of every one.
SubtaskTree linkedTree(const QList<store::ReminderPtr>& tasks)
{
    QSet<QString> named;
    for (const store::ReminderPtr& task : tasks) {
        if (!task->parentUid.isEmpty())
            named.insert(task->parentUid);
    }
    if (named.isEmpty())
        return {};
    QList<store::ReminderPtr> linked;
    for (const store::ReminderPtr& task : tasks) {
        if (!task->parentUid.isEmpty() || named.contains(task->uid))
            linked.append(task);
    }
    return SubtaskTree(std::move(linked));
}

} // namespace

SubtaskTree treeAroundUnchanged(DataManager& manager, const QList<store::ReminderPtr>& tasks)
{
    const SnapshotPtr snapshot = manager.remindersArray();
    if (!snapshot)
        return treeAround(manager, tasks);
    const QList<store::CalendarPtr> lists = listsOf(tasks);
    if (lists.isEmpty())
        return {};
    std::vector<bool> wanted(size_t(snapshot->lists().size()), false);
    for (const store::CalendarPtr& list : lists) {
        const int index = snapshot->indexOfList(list->calendarIdentifier);
        if (index < 0)
            return treeAround(manager, tasks);
        wanted[size_t(index)] = true;
    }
    if (std::all_of(wanted.cbegin(), wanted.cend(), [](bool each) { return each; }))
        return linkedTree(snapshot->reminders());
    QList<store::ReminderPtr> inLists;
    for (qsizetype i = 0; i < snapshot->size(); ++i) {
        const int list = snapshot->listIndex(i);
        if (list >= 0 && wanted[size_t(list)])
            inLists.append(snapshot->reminders().at(i));
    }
    return linkedTree(inLists);
}

SubtaskTree treeAround(DataManager& manager, const QList<store::ReminderPtr>& tasks)
{
    store::EventStore* eventStore = manager.eventStore();
    const QList<store::CalendarPtr> lists = listsOf(tasks);
    // The store reads no lists as every list.
    if (!eventStore || lists.isEmpty())
        return {};
    // The tasks a link touches, asked of the store in two rounds so that it copies only them:
    // first those with a link, then, in the store's order again, those and the ones they name.
    store::ReminderPredicate predicate = store::predicateForRemindersInCalendars(lists);
    QSet<QString> named;
    predicate.accepts = [](const store::Reminder& task) { return !task.parentUid.isEmpty(); };
    for (const store::ReminderPtr& task : eventStore->remindersMatchingPredicate(predicate))
        named.insert(task->parentUid);
    if (named.isEmpty())
        return {};
    predicate.accepts = [&named](const store::Reminder& task) {
        return !task.parentUid.isEmpty() || named.contains(task.uid);
    };
    return SubtaskTree(eventStore->remindersMatchingPredicate(predicate));
}

CliOutput::ParentIds parentIds(const SubtaskTree& tree, const QList<store::ReminderPtr>& tasks)
{
    CliOutput::ParentIds parents;
    for (const store::ReminderPtr& task : tasks) {
        if (const store::ReminderPtr parent = tree.parentOf(*task))
            parents.insert(task->calendarItemIdentifier, parent->calendarItemIdentifier);
    }
    return parents;
}

CliOutput::ParentOf parentOf(const SubtaskTree& tree)
{
    return [&tree](const store::Reminder& task) {
        // Only a task that names a parent has one: the rest need no look-up by identifier.
        if (task.parentUid.isEmpty())
            return QString();
        const store::ReminderPtr parent = tree.parentOf(task);
        return parent ? parent->calendarItemIdentifier : QString();
    };
}

} // namespace CliSubtasks
