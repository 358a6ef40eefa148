#pragma once

#include "cli/CliOptions.h"
#include "platform/store/Event.h"
#include "platform/store/Reminder.h"

#include <optional>

class DataManager;

// Which tasks "tasks" prints: one list, one sidebar list type, or a search, in the order the
// application shows them.
namespace CliTaskSelection {

// Whether the request reads the data manager's snapshot of every task of the visible lists. A
// search without it is asked of the store, which then copies only the tasks it finds.
bool readsSnapshot(const CliRequest& request);

// Nothing, with the reason, when the request names a list or merged list that does not exist.
std::optional<QList<store::ReminderPtr>> select(DataManager& manager, const CliRequest& request,
                                                QString* error);

// What the window lists in the day, week or month view of the request (--day, --week,
// --month): its tasks and then the events of its events section.
struct ViewContent
{
    QList<store::ReminderPtr> reminders;
    QList<store::EventPtr> events;
};
std::optional<ViewContent> selectView(DataManager& manager, const CliRequest& request,
                                      QString* error);

// The list a name given on the command line stands for: the list with that identifier, else
// the last list whose title equals it ignoring case, else the last whose title begins with it.
store::CalendarPtr listNamed(const QList<store::CalendarPtr>& lists, const QString& name);

} // namespace CliTaskSelection
