#include "cli/CliTaskSelection.h"
#include "cli/CliOutput.h"

#include "data/CalendarEvents.h"
#include "data/DataManager.h"
#include "data/ListFilters.h"
#include "data/SearchWords.h"
#include "data/SharedDates.h"
#include "data/SmartLists.h"
#include "data/TaskLists.h"
#include "data/views/TaskListAssembly.h"
#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"
#include "prefs/PreferenceKeys.h"

#include <QCoreApplication>

namespace CliTaskSelection {

namespace {

std::optional<ReminderList> fromDictionary(const ListFilters& filters, const ListEntry& entry,
                                           bool completed)
{
    return completed ? filters.fetchRemindersIncludingCompletedFromDictionary(entry)
                     : filters.fetchRemindersFromDictionary(entry);
}

// The day, week and month views around today.
std::optional<ReminderList> period(DataManager& manager, ListKind kind, bool completed)
{
    const ReminderQueries queries = manager.queries();
    switch (kind) {
    case ListKind::Day:
        return completed ? queries.fetchRemindersOnDate(manager.dates().today())
                         : queries.fetchUncompletedRemindersOnDate(manager.dates().today());
    case ListKind::Week:
        return completed ? queries.fetchRemindersFromStartingDate(manager.dates().thisWeekDate())
                         : queries.fetchUncompletedRemindersFromStartingDate(
                               manager.dates().thisWeekDate());
    default:
        return completed
                   ? queries.fetchRemindersMonthlyFromStartingDate(manager.dates().thisMonthDate())
                   : queries.fetchUncompletedRemindersMonthlyFromStartingDate(
                         manager.dates().thisMonthDate());
    }
}

// The merged list of the sidebar whose name is `name`, ignoring case.
std::optional<ListEntry> mergedList(const UserDefaults& defaults, const QString& name)
{
    for (const ListEntry& entry : SmartLists::listNavArray(defaults)) {
        if (entry.is(ListKind::MergedList) && entry.tag().compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return std::nullopt;
}

std::optional<ReminderList> ofList(DataManager& manager, const ListFilters& filters,
                                   const CliRequest& request, QString* error)
{
    const store::CalendarPtr list = listNamed(manager.lists().allCalendars(), *request.list);
    if (!list) {
        *error = CliText::tr("no list is called \"%1\" (see \"lists\")").arg(*request.list);
        return std::nullopt;
    }
    std::optional<ReminderList> found = fromDictionary(
        filters, ListEntry::userList(list->title, list->calendarIdentifier), request.completed);
    // Another list may carry the same title; only this one is asked for.
    if (found) {
        found->removeIf([&list](const store::ReminderPtr& reminder) {
            return !reminder->calendar ||
                   reminder->calendar->calendarIdentifier != list->calendarIdentifier;
        });
    }
    return found;
}

std::optional<ReminderList> ofType(DataManager& manager, const ListFilters& filters,
                                   const CliRequest& request, QString* error)
{
    const ListEntry asked = ListEntry::ofKind(ListKind(request.filter.value_or(0)));
    if (asked.isDateView())
        return period(manager, asked.kind(), request.completed);
    ListEntry entry = asked;
    switch (asked.kind()) {
    case ListKind::MergedList: {
        const std::optional<ListEntry> merged = mergedList(manager.defaults(), *request.tag);
        if (!merged) {
            *error = CliText::tr("no merged list is called \"%1\"").arg(*request.tag);
            return std::nullopt;
        }
        entry = *merged;
        break;
    }
    case ListKind::TagList: {
        // The tag word without the "#" it is written with.
        QString tag = request.tag->trimmed();
        while (tag.startsWith(u'#'))
            tag.remove(0, 1);
        entry = ListEntry::tagList(tag);
        break;
    }
    case ListKind::SavedSearch:
        entry = ListEntry::savedSearch(*request.tag);
        break;
    default:
        break;
    }
    return fromDictionary(filters, entry, request.completed);
}

// The search the snapshot answers, asked of the store instead: the tasks of the visible lists
// are tested where the store holds them, and only those found are copied.
std::optional<ReminderList> searched(DataManager& manager, const QString& text, bool completed)
{
    store::EventStore* eventStore = manager.eventStore();
    std::optional<SearchWords> words = SearchWords::of(text);
    if (!eventStore || !words)
        return std::nullopt;
    const QList<store::CalendarPtr> lists = manager.lists().visibleListsByCalendar();
    // The store reads no lists as every list.
    if (lists.isEmpty())
        return ReminderList();
    store::ReminderPredicate predicate = store::predicateForRemindersInCalendars(lists);
    predicate.accepts = [&words, completed](const store::Reminder& reminder) {
        return (completed || !reminder.completed) && words->matches(reminder);
    };
    return eventStore->remindersMatchingPredicate(predicate);
}

} // namespace

std::optional<ViewContent> selectView(DataManager& manager, const CliRequest& request,
                                      QString* error)
{
    const TaskViewMode mode = request.view.value_or(TaskViewMode::Day);
    const QDateTime day =
        request.viewDate ? request.viewDate->startOfDay() : manager.dates().today();
    const QDateTime start = TaskListAssembly::periodStart(mode, day);
    if (!start.isValid()) {
        *error = CliText::tr("that date cannot be shown");
        return std::nullopt;
    }
    // Fetched here and now: the window's own fetch would wait for an event loop.
    if (manager.defaults().boolForKey(PrefKey::viewEvents))
        manager.events().fetchEventsByTypeNow(int(mode), start);
    const bool showingCompleted =
        request.completed || manager.defaults().boolForKey(PrefKey::showCompleted);
    const TaskListAssembly assembly(manager);
    TaskListAssembly::Content content =
        assembly.fetchData(mode, entryForMode(mode), start, showingCompleted, QString());
    return ViewContent{std::move(content.reminders),
                       content.events.value_or(QList<store::EventPtr>())};
}

store::CalendarPtr listNamed(const QList<store::CalendarPtr>& lists, const QString& name)
{
    const QString wanted = name.trimmed().toLower();
    if (wanted.isEmpty())
        return nullptr;
    for (const store::CalendarPtr& list : lists) {
        if (list->calendarIdentifier == name.trimmed())
            return list;
    }
    store::CalendarPtr equal;
    store::CalendarPtr beginning;
    for (const store::CalendarPtr& list : lists) {
        const QString title = list->title.toLower();
        if (title == wanted)
            equal = list;
        else if (title.startsWith(wanted))
            beginning = list;
    }
    return equal ? equal : beginning;
}

bool readsSnapshot(const CliRequest& request)
{
    return !(request.command == CliRequest::Command::Tasks && request.search && !request.view);
}

std::optional<QList<store::ReminderPtr>> select(DataManager& manager, const CliRequest& request,
                                                QString* error)
{
    const ListFilters filters = manager.filters();
    std::optional<ReminderList> found;
    if (request.search && !manager.remindersArray())
        found = searched(manager, request.search->simplified(), request.completed);
    else if (request.search)
        found =
            filters.fetchRemindersFromSearchText(request.search->simplified(), request.completed);
    else if (request.list)
        found = ofList(manager, filters, request, error);
    else
        found = ofType(manager, filters, request, error);
    if (!found) {
        if (error->isEmpty())
            *error = CliText::tr("the tasks could not be read");
        return std::nullopt;
    }
    manager.lists().fetchSortDescriptors().sort(*found);
    return *found;
}

} // namespace CliTaskSelection
