#include "cli/CliSubtasks.h"

#include "data/DataManager.h"
#include "platform/store/EventStore.h"

#include <QSet>

namespace CliSubtasks {

SubtaskTree treeAround(DataManager& manager, const QList<store::ReminderPtr>& tasks)
{
    store::EventStore* eventStore = manager.eventStore();
    QList<store::CalendarPtr> lists;
    QSet<QString> seen;
    for (const store::ReminderPtr& task : tasks) {
        if (task->calendar && !seen.contains(task->calendar->calendarIdentifier)) {
            seen.insert(task->calendar->calendarIdentifier);
            lists.append(task->calendar);
        }
    }
    // The store reads no lists as every list.
    if (!eventStore || lists.isEmpty())
        return {};
    return SubtaskTree(
        eventStore->remindersMatchingPredicate(store::predicateForRemindersInCalendars(lists)));
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

} // namespace CliSubtasks
