#include "cli/CliCommands.h"

#include "cli/CliDeleted.h"
#include "cli/CliEdit.h"
#include "cli/CliLists.h"
#include "cli/CliOutput.h"
#include "cli/CliReopen.h"
#include "cli/CliShow.h"
#include "cli/CliSubtasks.h"
#include "cli/CliTaskLookup.h"
#include "cli/CliTaskSelection.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommand.h"
#include "commands/ExternalTaskEntry.h"
#include "commands/UrlCommand.h"
#include "data/CalendarEvents.h"
#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "data/subtasks/SubtaskOperations.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QCoreApplication>
#include <QUrl>

#include <algorithm>
#include <optional>

namespace CliCommands {

namespace {

using CliOutput::fail;
using CliTaskLookup::unknownTask;

void warn(const QString& message)
{
    CliOutput::printError(CliText::tr("warning: %1").arg(message));
}

// With `tree`, each task is followed by its subtasks among those printed, indented. `known`
// is the tasks' tree as it was before a change that takes them out of the store. `unchanged`
// says this run changed nothing, so the tree may come from the snapshot.
void printTasks(DataManager& manager, const QList<store::ReminderPtr>& reminders, bool json,
                bool tree = false, std::optional<SubtaskTree> known = std::nullopt,
                bool unchanged = false)
{
    // Plain lines name no parent: without `tree` they need no tree at all.
    const auto around = [&] {
        if (known)
            return std::move(*known);
        if (!json && !tree)
            return SubtaskTree();
        return unchanged ? CliSubtasks::treeAroundUnchanged(manager, reminders)
                         : CliSubtasks::treeAround(manager, reminders);
    }();
    QList<store::ReminderPtr> ordered = reminders;
    QList<int> depths(reminders.size(), 0);
    if (tree) {
        const QList<SubtaskTree::Row> rows = around.arrange(reminders);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            ordered[i] = reminders.at(rows.at(i).shownIndex);
            depths[i] = rows.at(i).depth;
        }
    }
    if (json) {
        CliOutput::printRecordsJson(ordered, {}, CliSubtasks::parentOf(around));
        return;
    }
    CliOutput::Lines lines;
    for (qsizetype i = 0; i < ordered.size(); ++i)
        lines.add(CliOutput::taskLine(*ordered.at(i), depths.at(i)));
}

QString dueFormsHint()
{
    return CliText::tr("use HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd or yyyy-MM-dd HH:mm");
}

// The task as the store holds it now, after a change: a recurring task has moved on to its
// next occurrence. The given record when the store no longer has it.
store::ReminderPtr asStored(DataManager& manager, const store::ReminderPtr& reminder)
{
    store::EventStore* eventStore = manager.eventStore();
    if (!eventStore || !reminder->calendar)
        return reminder;
    const QList<store::ReminderPtr> stored = eventStore->remindersMatchingPredicate(
        store::predicateForRemindersInCalendars({reminder->calendar}));
    for (const store::ReminderPtr& each : stored) {
        if (each->calendarItemIdentifier == reminder->calendarItemIdentifier)
            return each;
    }
    return reminder;
}

int printResult(DataManager& manager, const UrlCommand::Result& result, const QString& identifier,
                bool json)
{
    switch (result.status) {
    case UrlCommand::Status::Saved:
    case UrlCommand::Status::Found:
        printTasks(manager, {result.reminder}, json);
        return 0;
    case UrlCommand::Status::NotFound:
        return fail(unknownTask(identifier));
    case UrlCommand::Status::NotSaved:
        return fail(
            result.command == UrlCommand::Command::SmartAdd
                ? CliText::tr("nothing was added: no title is left once the Smart Add words are "
                              "taken out, or the store refused the task")
                : CliText::tr("nothing was added: the title is empty, or the store refused the "
                              "task"));
    case UrlCommand::Status::Ignored:
        break;
    }
    return fail(CliText::tr("not a %1: URL with the command add, smartadd or open")
                    .arg(UrlCommand::schemeName()));
}

int runUrl(DataManager& manager, const CliRequest& request)
{
    const QUrl url(request.arguments.constFirst().trimmed(), QUrl::TolerantMode);
    const UrlCommand::QueryItems items = UrlCommand::queryItemsOf(url);
    // The URL runs as the application runs it; an unreadable due date is only pointed out.
    if (url.host().compare(QLatin1StringView("add"), Qt::CaseInsensitive) == 0) {
        const QString due = UrlCommand::cleanText(
            UrlCommand::valueForKey(QStringLiteral("due"), items).value_or(QString()), false);
        if (!due.isEmpty() &&
            !ExternalTaskEntry(manager).calculateDueDateFromDueString(due).isValid())
            warn(CliText::tr("the due date \"%1\" cannot be read; the task has no due date")
                     .arg(due));
    }
    UrlCommand command(manager);
    // The task "open" looks for, or the parent "add" looks for.
    const QString identifier =
        UrlCommand::valueForKey(QStringLiteral("uuid"), items)
            .value_or(UrlCommand::valueForKey(QStringLiteral("parent"), items).value_or(QString()));
    return printResult(manager, command.handleUrl(url), identifier, request.json);
}

bool someListIsNamed(const QList<store::CalendarPtr>& lists, const QString& name)
{
    const QString wanted = name.trimmed().toLower();
    return std::any_of(lists.cbegin(), lists.cend(), [&wanted](const store::CalendarPtr& list) {
        return list->title.toLower().startsWith(wanted);
    });
}

int runAdd(DataManager& manager, const CliRequest& request)
{
    const UrlCommand::AddArguments& add = request.add;
    if (!add.due.isEmpty() &&
        !ExternalTaskEntry(manager).calculateDueDateFromDueString(add.due).isValid())
        return fail(
            CliText::tr("cannot read the due date \"%1\"; %2").arg(add.due, dueFormsHint()));
    if (!add.dueAfter.isEmpty() &&
        !ExternalTaskEntry(manager).calculateDueDateFromDueAfterString(add.dueAfter).isValid())
        return fail(CliText::tr("--due-after %1 is too far in the future").arg(add.dueAfter));
    if (request.addListGiven && !someListIsNamed(manager.lists().allCalendars(), add.list)) {
        const store::CalendarPtr fallback = manager.lists().defaultList();
        warn(CliText::tr("no list is called \"%1\"; the task goes into \"%2\"")
                 .arg(add.list, fallback ? fallback->title : QString()));
    }
    UrlCommand::AddArguments arguments = add;
    arguments.parent = request.parent.value_or(QString());
    UrlCommand command(manager);
    return printResult(manager, command.add(arguments), arguments.parent, request.json);
}

int runSmartAdd(DataManager& manager, const CliRequest& request)
{
    UrlCommand command(manager);
    return printResult(manager, command.smartAdd(request.arguments.join(u' ')), QString(),
                       request.json);
}

// The files the window's message bar tells of; exit status 1 when there are any, so that a
// script can check the store.
int runListProblems(DataManager& manager, const CliRequest& request)
{
    manager.lists().allCalendars(); // a refresh: the files as they are now
    const QList<store::UnreadableFile> files = manager.eventStore()->unreadableFiles();
    QJsonArray array;
    for (const store::UnreadableFile& file : files) {
        if (request.json)
            array.append(CliOutput::unreadableFileObject(file));
        else
            CliOutput::print(CliOutput::unreadableFileLine(file));
    }
    if (request.json)
        CliOutput::printJson(array);
    return files.isEmpty() ? 0 : 1;
}

int runLists(DataManager& manager, const CliRequest& request)
{
    if (request.problems)
        return runListProblems(manager, request);
    CliLists::print(manager.lists().allCalendars(), manager.lists().visibleLists(), request.json);
    return 0;
}

// One JSON array, or one line per record: the tasks, then the events.
int runView(DataManager& manager, const CliRequest& request)
{
    QString error;
    const std::optional<CliTaskSelection::ViewContent> content =
        CliTaskSelection::selectView(manager, request, &error);
    if (!content)
        return fail(error);
    if (request.json) {
        const SubtaskTree around = CliSubtasks::treeAroundUnchanged(manager, content->reminders);
        CliOutput::printRecordsJson(content->reminders, content->events,
                                    CliSubtasks::parentOf(around));
        return 0;
    }
    printTasks(manager, content->reminders, false);
    CliOutput::Lines lines;
    for (const store::EventPtr& event : content->events)
        lines.add(CliOutput::eventLine(*event));
    return 0;
}

int runTasks(DataManager& manager, const CliRequest& request)
{
    if (request.view)
        return runView(manager, request);
    QString error;
    const std::optional<QList<store::ReminderPtr>> tasks =
        CliTaskSelection::select(manager, request, &error);
    if (!tasks)
        return fail(error);
    printTasks(manager, *tasks, request.json, request.tree, std::nullopt, true);
    return 0;
}

int runComplete(DataManager& manager, const CliRequest& request)
{
    const QString identifier = request.arguments.constFirst();
    const store::ReminderPtr reminder = CliTaskLookup::task(manager, identifier);
    if (!reminder)
        return fail(unknownTask(identifier));
    if (reminder->completed) {
        printTasks(manager, {reminder}, request.json);
        return 0;
    }
    QString error;
    if (!manager.tasks().checkReminder(reminder, true, &error))
        return fail(CliText::tr("the task could not be completed: %1").arg(error));
    printTasks(manager, {asStored(manager, reminder)}, request.json);
    return 0;
}

int runDelete(DataManager& manager, const CliRequest& request)
{
    const QString identifier = request.arguments.constFirst();
    const store::ReminderPtr reminder = CliTaskLookup::task(manager, identifier);
    if (!reminder)
        return fail(unknownTask(identifier));
    SubtaskTree before = CliSubtasks::treeAround(manager, {reminder});
    QString error;
    if (!manager.tasks().deleteReminder(reminder, &error))
        return fail(CliText::tr("the task could not be deleted: %1").arg(error));
    printTasks(manager, {reminder}, request.json, false, std::move(before));
    return 0;
}

int runMove(DataManager& manager, const CliRequest& request)
{
    const QString identifier = request.arguments.constFirst();
    const store::ReminderPtr reminder = CliTaskLookup::task(manager, identifier);
    if (!reminder)
        return fail(unknownTask(identifier));
    store::ReminderPtr parent;
    if (request.parent) {
        parent = CliTaskLookup::task(manager, *request.parent);
        if (!parent)
            return fail(unknownTask(*request.parent));
    }
    QString error;
    if (!manager.subtasks().setParent(reminder, parent, &error))
        return fail(CliText::tr("the task could not be moved: %1").arg(error));
    printTasks(manager, {asStored(manager, reminder)}, request.json);
    return 0;
}

// "YYYY-MM-DD" (the whole day: its start as FROM, the next day's start as TO) or an ISO
// date and time.
std::optional<QDateTime> momentFromText(const QString& text, bool asEnd)
{
    const QString trimmed = text.trimmed();
    const QDate day = QDate::fromString(trimmed, Qt::ISODate);
    if (day.isValid() && trimmed.size() == 10)
        return asEnd ? day.addDays(1).startOfDay() : day.startOfDay();
    const QDateTime moment = QDateTime::fromString(trimmed, Qt::ISODate);
    if (moment.isValid() && trimmed.size() >= 16)
        return moment;
    return std::nullopt;
}

int runEvents(DataManager& manager, const CliRequest& request)
{
    const QString fromText = request.arguments.at(0);
    const QString toText = request.arguments.at(1);
    const auto from = momentFromText(fromText, false);
    if (!from)
        return fail(CliText::tr("cannot read the date \"%1\"; use YYYY-MM-DD or YYYY-MM-DDTHH:MM")
                        .arg(fromText));
    const auto to = momentFromText(toText, true);
    if (!to)
        return fail(CliText::tr("cannot read the date \"%1\"; use YYYY-MM-DD or YYYY-MM-DDTHH:MM")
                        .arg(toText));
    if (*to <= *from)
        return fail(CliText::tr("%1 is not later than %2").arg(toText, fromText));

    // The calendars the application shows; none chosen (or none left) means all of them.
    const QStringList wanted = manager.defaults().stringArrayForKey(PrefKey::visibleCalendars);
    QList<store::CalendarPtr> calendars;
    for (const store::CalendarPtr& calendar : manager.events().allEventCalendars()) {
        if (wanted.contains(calendar->calendarIdentifier))
            calendars << calendar;
    }
    store::EventStore* eventStore = manager.eventStore();
    QList<store::EventPtr> events = eventStore->eventsMatchingPredicate(
        store::predicateForEventsWithStartDate(*from, *to, calendars));
    std::stable_sort(events.begin(), events.end(),
                     [](const store::EventPtr& a, const store::EventPtr& b) {
                         return a->startDate < b->startDate;
                     });
    if (request.json) {
        CliOutput::printJson(CliOutput::recordsJson({}, events));
        return 0;
    }
    CliOutput::Lines lines;
    for (const store::EventPtr& event : std::as_const(events))
        lines.add(CliOutput::eventLine(*event));
    return 0;
}

} // namespace

int runWithStore(DataManager& manager, const CliRequest& request)
{
    switch (request.command) {
    case CliRequest::Command::Url:
        return runUrl(manager, request);
    case CliRequest::Command::Add:
        return runAdd(manager, request);
    case CliRequest::Command::SmartAdd:
        return runSmartAdd(manager, request);
    case CliRequest::Command::Lists:
        return runLists(manager, request);
    case CliRequest::Command::Tasks:
        return runTasks(manager, request);
    case CliRequest::Command::Complete:
        return runComplete(manager, request);
    case CliRequest::Command::Delete:
        return runDelete(manager, request);
    case CliRequest::Command::Move:
        return runMove(manager, request);
    case CliRequest::Command::Show:
        return CliShow::run(manager, request);
    case CliRequest::Command::Edit:
        return CliEdit::run(manager, request);
    case CliRequest::Command::Reopen:
        return CliReopen::run(manager, request);
    case CliRequest::Command::Events:
        return runEvents(manager, request);
    case CliRequest::Command::Deleted:
        return CliDeleted::runDeleted(*manager.eventStore(), request);
    case CliRequest::Command::Restore:
        return CliDeleted::runRestore(*manager.eventStore(), request);
    case CliRequest::Command::Import:
        return ImportCommand::run(manager, request);
    case CliRequest::Command::Export:
        return ExportCommand::run(manager, request);
    case CliRequest::Command::PrefsGet:
    case CliRequest::Command::PrefsSet:
    case CliRequest::Command::Sync:
    case CliRequest::Command::AccountAdd:
    case CliRequest::Command::AccountLists:
    case CliRequest::Command::SyncConflict:
        break;
    }
    return fail(CliText::tr("this command does not use the task store"));
}

} // namespace CliCommands
