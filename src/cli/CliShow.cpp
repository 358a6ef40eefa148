#include "cli/CliShow.h"

#include "cli/CliOutput.h"
#include "cli/CliSubtasks.h"
#include "cli/CliTaskLookup.h"
#include "data/detail/RepeatChoices.h"
#include "data/detail/TaskDetailEdits.h"
#include "platform/store/AtomicFile.h"
#include "platform/store/LocalFileName.h"
#include "platform/store/Recurrence.h"

using namespace Qt::StringLiterals;

namespace CliShow {

namespace {

// What the details show of a task, as text; empty where it has nothing.
struct Shown
{
    QString repeat;
    QString rrule;
    QString location;
    QStringList alarms; // when each time alarm goes off, and each place one's place
    QString file;
};

QString priorityWord(int priority)
{
    static const QStringList words{u"none"_s, u"low"_s, u"medium"_s, u"high"_s};
    return words.at(TaskDetailEdits::priorityButtonForPriority(priority));
}

Shown shownOf(const store::Reminder& task)
{
    Shown shown;
    if (const store::RecurrenceRule* rule =
            task.recurrenceRules.isEmpty() ? nullptr : &task.recurrenceRules.first()) {
        const QDateTime due = TaskDetailEdits::dueDate(task);
        shown.repeat = RepeatChoices::description(rule, due.date());
        const bool allDay = !task.dueDateComponents || !task.dueDateComponents->hasTimeOfDay();
        shown.rrule = store::Recurrence::formatRule(*rule, due, allDay);
    }
    for (const store::Alarm& alarm : task.alarms) {
        if (alarm.structuredLocation) {
            const QString place = alarm.structuredLocation->title;
            if (shown.location.isEmpty())
                shown.location = place;
            shown.alarms << (alarm.proximity == store::Alarm::Proximity::Leave ? u"leave "_s
                                                                               : u"arrive "_s) +
                                place;
            continue;
        }
        const QDateTime fires = TaskDetailEdits::alarmFireDate(task, alarm);
        if (fires.isValid())
            shown.alarms << CliOutput::localMinute(fires);
    }
    if (task.origin)
        shown.file = store::LocalFileName::forDisplay(task.origin->path());
    return shown;
}

QString minuteOrNothing(const QDateTime& moment)
{
    return moment.isValid() ? CliOutput::localMinute(moment) : QString();
}

void writeJson(const store::Reminder& task, const Shown& shown, const QString& parent,
               const std::optional<QByteArray>& raw)
{
    // The keys in QJsonObject's (sorted) order.
    JsonWriter json;
    json.beginObject();
    json.key("alarms"_L1);
    json.beginArray();
    for (const store::Alarm& alarm : task.alarms)
        CliOutput::writeAlarm(json, alarm);
    json.endArray();
    json.key("completed"_L1);
    json.boolean(task.completed);
    json.key("completionDate"_L1);
    json.stringOrNull(minuteOrNothing(task.completionDate));
    json.key("created"_L1);
    json.stringOrNull(minuteOrNothing(task.creationDate));
    json.key("due"_L1);
    json.stringOrNull(CliOutput::dueText(task.dueDateComponents).value_or(QString()));
    json.key("file"_L1);
    json.stringOrNull(shown.file);
    json.key("id"_L1);
    json.string(task.calendarItemIdentifier);
    json.key("list"_L1);
    json.stringOrNull(task.calendar ? task.calendar->title : QString());
    json.key("listId"_L1);
    json.stringOrNull(task.calendar ? task.calendar->calendarIdentifier : QString());
    json.key("location"_L1);
    json.stringOrNull(shown.location);
    json.key("modified"_L1);
    json.stringOrNull(minuteOrNothing(task.lastModifiedDate));
    json.key("notes"_L1);
    json.stringOrNull(task.notes);
    json.key("parent"_L1);
    json.stringOrNull(parent);
    json.key("priority"_L1);
    json.integer(task.priority);
    if (raw) {
        json.key("raw"_L1);
        json.string(QString::fromUtf8(*raw));
    }
    json.key("repeat"_L1);
    json.stringOrNull(shown.repeat);
    json.key("rrule"_L1);
    json.stringOrNull(shown.rrule);
    json.key("start"_L1);
    json.stringOrNull(CliOutput::dueText(task.startDateComponents).value_or(QString()));
    json.key("title"_L1);
    json.string(task.title);
    json.key("url"_L1);
    json.stringOrNull(task.URL.toString());
    json.endObject();
    CliOutput::printJson(json.take());
}

void printLines(const store::Reminder& task, const Shown& shown, const QString& parent)
{
    const auto line = [](const char* name, const QString& value) {
        QString flat = value.isEmpty() ? u"-"_s : value;
        flat.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
        CliOutput::print(QLatin1StringView(name) + u'\t' + flat);
    };
    line("id", task.calendarItemIdentifier);
    line("title", task.title);
    line("list", task.calendar ? task.calendar->title : QString());
    line("parent", parent);
    line("due", CliOutput::dueText(task.dueDateComponents).value_or(QString()));
    line("start", CliOutput::dueText(task.startDateComponents).value_or(QString()));
    line("repeat", shown.repeat);
    line("rrule", shown.rrule);
    if (shown.alarms.isEmpty())
        line("alarm", QString());
    for (const QString& alarm : shown.alarms)
        line("alarm", alarm);
    line("location", shown.location);
    line("priority", priorityWord(task.priority));
    line("url", task.URL.toString());
    line("notes", task.notes);
    line("completed", task.completed ? minuteOrNothing(task.completionDate) : QString());
    line("created", minuteOrNothing(task.creationDate));
    line("modified", minuteOrNothing(task.lastModifiedDate));
    line("file", shown.file);
}

} // namespace

int run(DataManager& manager, const CliRequest& request)
{
    const QString identifier = request.arguments.constFirst();
    const store::ReminderPtr task = CliTaskLookup::task(manager, identifier);
    if (!task)
        return CliOutput::fail(CliTaskLookup::unknownTask(identifier));
    std::optional<QByteArray> raw;
    if (request.raw) {
        QByteArray bytes;
        store::FileStamp stamp;
        QString error;
        if (!task->origin || !store::AtomicFile::read(task->origin->path(), &bytes, &stamp, &error))
            return CliOutput::fail(CliText::tr("the task's file cannot be read: %1").arg(error));
        raw = bytes;
    }
    const Shown shown = shownOf(*task);
    const SubtaskTree around = CliSubtasks::treeAround(manager, {task});
    const QString parent =
        CliSubtasks::parentIds(around, {task}).value(task->calendarItemIdentifier);
    if (request.json) {
        writeJson(*task, shown, parent, raw);
        return 0;
    }
    printLines(*task, shown, parent);
    if (raw) {
        CliOutput::print(QString());
        CliOutput::printJson(*raw);
    }
    return 0;
}

} // namespace CliShow
