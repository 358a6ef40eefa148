#include "cli/ExportCommand.h"

#include "cli/CliOutput.h"
#include "cli/CliTaskSelection.h"
#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/exchange/IcsExport.h"
#include "platform/Clock.h"
#include "platform/ReplaceFileContents.h"
#include "platform/store/EventStore.h"

#include <cstdio>

namespace ExportCommand {

int run(DataManager& manager, const CliRequest& request)
{
    const QList<store::CalendarPtr> all = manager.lists().allCalendars();
    QList<store::CalendarPtr> lists;
    for (const QString& name : request.lists) {
        const store::CalendarPtr list = CliTaskSelection::listNamed(all, name);
        if (!list)
            return CliOutput::fail(
                CliText::tr("no list is called \"%1\"; nothing was exported").arg(name));
        if (!lists.contains(list))
            lists.append(list);
    }
    if (lists.isEmpty())
        lists = all;
    if (lists.isEmpty())
        return CliOutput::fail(CliText::tr("there is no list to export"));
    store::ReminderPredicate predicate = store::predicateForRemindersInCalendars(lists);
    if (!request.completed)
        predicate.kind = store::ReminderPredicate::Kind::Incomplete;
    const exchange::ExportResult result =
        exchange::exportTasks(manager.eventStore()->remindersMatchingPredicate(predicate),
                              manager.clock().now().date().year());

    if (request.output.isEmpty()) {
        std::fwrite(result.calendar.constData(), 1, size_t(result.calendar.size()), stdout);
        std::fflush(stdout);
        return 0;
    }
    QString error;
    if (!replaceFileContents(request.output, result.calendar, &error))
        return CliOutput::fail(CliText::tr("cannot write %1: %2").arg(request.output, error));
    CliOutput::print(CliText::tr("tasks: %1, written to %2").arg(result.tasks).arg(request.output));
    return 0;
}

} // namespace ExportCommand
