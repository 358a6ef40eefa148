#pragma once

#include "cli/JsonWriter.h"
#include "platform/store/Event.h"
#include "platform/store/Reminder.h"
#include "platform/store/UnreadableFile.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <functional>

// How the command-line front end writes tasks, lists and events: a JSON object per record for
// --json, a tab-separated line otherwise. Dates are local wall-clock times to the minute.
// The command line's own messages, translated like the application's; its JSON output and
// its command words are not.
struct CliText
{
    Q_DECLARE_TR_FUNCTIONS(CliText)
};

namespace CliOutput {

// "id", "title", "list", "listId", "due", "priority", "completed", "completionDate", "notes",
// "url", "alarms", "recurrence", and "parent": the identifier of the task it is a subtask of,
// null for a task on its own.
void writeTask(JsonWriter& json, const store::Reminder& reminder, const QString& parentId = {});
// {"date"}, {"offset"} in seconds, or the place of a location alarm.
void writeAlarm(JsonWriter& json, const store::Alarm& alarm);
// A due or start date as written: a day, or a local time to the minute (midnight is a day
// without a time of day, whatever zone the components carry); nothing without one.
std::optional<QString> dueText(const store::OptionalDateComponents& due);
// id, [ ] or [x], due (or -), list, title; the title indented two spaces a level.
QString taskLine(const store::Reminder& reminder, int depth = 0);

// "id", "title", "color", "visible".
QJsonObject listObject(const store::Calendar& list, bool visible);
QString listLine(const store::Calendar& list, bool visible);

// "path", "list", "listId", "reason".
QJsonObject unreadableFileObject(const store::UnreadableFile& file);
// path, list, reason.
QString unreadableFileLine(const store::UnreadableFile& file);

// "id", "title", "calendar", "calendarId", "start", "end", "allDay", "location", "notes", "url".
void writeEvent(JsonWriter& json, const store::Event& event);
QString eventLine(const store::Event& event);

// The parent identifier of each task written, by its identifier; absent for tasks on their own.
using ParentIds = QHash<QString, QString>;

// One JSON array: the tasks, then the events.
QByteArray recordsJson(const QList<store::ReminderPtr>& reminders,
                       const QList<store::EventPtr>& events = {}, const ParentIds& parents = {});
// The identifier of the task a task is a subtask of; empty for a task on its own.
using ParentOf = std::function<QString(const store::Reminder&)>;
// The same array written to standard output as it is produced.
void printRecordsJson(const QList<store::ReminderPtr>& reminders,
                      const QList<store::EventPtr>& events, const ParentOf& parentOf);

// Lines for standard output, gathered and written in large pieces instead of a system call
// each: a listing has tens of thousands of them. What is left goes out on destruction.
class Lines
{
public:
    Lines() = default;
    Lines(const Lines&) = delete;
    Lines& operator=(const Lines&) = delete;
    ~Lines();
    void add(const QString& line);
    // Lines already in UTF-8, each ended by its line break.
    void addEncoded(const QByteArray& lines);

private:
    void flushWhenFull();
    void flush();
    QByteArray m_pending;
};

// Writes to standard output and standard error in UTF-8.
void print(const QString& text);
void printJson(const QJsonArray& array);
void printJson(const QByteArray& document);
void printError(const QString& message);
// Prints the message as an error and answers the exit status of bad input.
int fail(const QString& message);
// A JSON value on its own (a preference value).
QString jsonText(const QJsonValue& value);

// "YYYY-MM-DDTHH:MM" in local time.
QString localMinute(const QDateTime& dateTime);

} // namespace CliOutput
