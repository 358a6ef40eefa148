#include "cli/ImportCommand.h"

#include "cli/CliOutput.h"
#include "cli/CliTaskSelection.h"
#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/exchange/IcsImport.h"
#include "platform/Clock.h"
#include "platform/store/EventStore.h"

namespace ImportCommand {

using namespace exchange;

int run(DataManager& manager, const CliRequest& request)
{
    store::EventStore& eventStore = *manager.eventStore();
    store::CalendarPtr taskList = manager.lists().defaultList();
    if (request.list) {
        taskList = CliTaskSelection::listNamed(manager.lists().allCalendars(), *request.list);
        if (!taskList)
            return CliOutput::fail(
                CliText::tr("no list is called \"%1\"; nothing was imported").arg(*request.list));
    }
    const ImportTargets targets{
        taskList,
        calendarForEvents(taskList, eventStore.calendarsForEntityType(store::EntityType::Event))};

    ImportPlan plan;
    QString error;
    if (!planImport(request.arguments, storedItems(eventStore.calendars()),
                    manager.clock().now().date().year(), &plan, &error))
        return CliOutput::fail(CliText::tr("%1; nothing was imported").arg(error));
    const ImportOutcome outcome =
        runImport(plan, targets, request.update ? PresentItems::Update : PresentItems::Skip);

    const QList<SkippedItem> skipped = plan.skipped + outcome.failed;
    for (const SkippedItem& item : skipped)
        CliOutput::printError(item.text());
    CliOutput::print(CliText::tr("tasks: %1, events: %2, added: %3, updated: %4, already "
                                 "present: %5, skipped: %6")
                         .arg(plan.count(ItemKind::Task))
                         .arg(plan.count(ItemKind::Event))
                         .arg(outcome.added)
                         .arg(outcome.updated)
                         .arg(outcome.left)
                         .arg(skipped.size()));
    return skipped.isEmpty() ? 0 : 1;
}

} // namespace ImportCommand
