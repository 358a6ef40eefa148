#include "cli/CliOutput.h"

#include "platform/store/Recurrence.h"

#include <QCoreApplication>

#include <QJsonDocument>

#include <cstdio>

namespace CliOutput {

namespace {

QJsonValue textOrNull(const QString& text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

QJsonValue dueValue(const std::optional<store::DateComponents>& due)
{
    if (!due || !due->isValid())
        return QJsonValue::Null;
    // Midnight is a due day without a time of day, whatever zone the components carry.
    if (!due->hasTimeOfDay())
        return due->date().toString(Qt::ISODate);
    return localMinute(due->toDateTime());
}

QJsonValue alarmValue(const store::Alarm& alarm)
{
    if (const auto& place = alarm.structuredLocation) {
        return QJsonObject{
            {"location", place->title},
            {"proximity", alarm.proximity == store::Alarm::Proximity::Leave ? "leave" : "arrive"},
            {"latitude", place->latitude},
            {"longitude", place->longitude},
            {"radius", place->radius},
        };
    }
    if (alarm.absoluteDate.isValid())
        return QJsonObject{{"date", localMinute(alarm.absoluteDate)}};
    if (alarm.hasRelativeOffset)
        return QJsonObject{{"offset", alarm.relativeOffset}};
    return QJsonValue::Undefined;
}

QJsonValue recurrenceValue(const store::Reminder& reminder)
{
    if (reminder.recurrenceRules.isEmpty())
        return QJsonValue::Null;
    const std::optional<store::DateComponents>& due = reminder.dueDateComponents;
    const QDateTime start = due && due->isValid() ? due->toDateTime() : QDateTime();
    const bool allDay = !due || !due->hasTimeOfDay();
    return store::Recurrence::formatRule(reminder.recurrenceRules.first(), start, allDay);
}

QString eventTime(const QDateTime& dateTime, bool allDay)
{
    if (!dateTime.isValid())
        return QString();
    return allDay ? dateTime.toLocalTime().date().toString(Qt::ISODate) : localMinute(dateTime);
}

// Tabs and line breaks inside a field would break the columns.
QString field(const QString& text)
{
    QString flat = text;
    for (QChar& c : flat) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return flat;
}

void write(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

QString localMinute(const QDateTime& dateTime)
{
    return dateTime.toLocalTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm"));
}

QJsonObject taskObject(const store::Reminder& reminder)
{
    QJsonArray alarms;
    for (const store::Alarm& alarm : reminder.alarms) {
        const QJsonValue value = alarmValue(alarm);
        if (!value.isUndefined())
            alarms.append(value);
    }
    const store::CalendarPtr& list = reminder.calendar;
    return QJsonObject{
        {"id", reminder.calendarItemIdentifier},
        {"title", reminder.title},
        {"list", list ? QJsonValue(list->title) : QJsonValue(QJsonValue::Null)},
        {"listId", list ? QJsonValue(list->calendarIdentifier) : QJsonValue(QJsonValue::Null)},
        {"due", dueValue(reminder.dueDateComponents)},
        {"priority", reminder.priority},
        {"completed", reminder.completed},
        {"completionDate", reminder.completionDate.isValid()
                               ? QJsonValue(localMinute(reminder.completionDate))
                               : QJsonValue(QJsonValue::Null)},
        {"notes", textOrNull(reminder.notes)},
        {"url", textOrNull(reminder.URL.toString())},
        {"alarms", alarms},
        {"recurrence", recurrenceValue(reminder)},
    };
}

QString taskLine(const store::Reminder& reminder)
{
    const QJsonValue due = dueValue(reminder.dueDateComponents);
    return QStringList{reminder.calendarItemIdentifier,
                       reminder.completed ? QStringLiteral("[x]") : QStringLiteral("[ ]"),
                       due.isNull() ? QStringLiteral("-") : due.toString(),
                       field(reminder.calendar ? reminder.calendar->title : QString()),
                       field(reminder.title)}
        .join(u'\t');
}

QJsonObject listObject(const store::Calendar& list, bool visible)
{
    return QJsonObject{
        {"id", list.calendarIdentifier},
        {"title", list.title},
        {"color", list.color.isValid() ? QJsonValue(list.color.name(QColor::HexRgb))
                                       : QJsonValue(QJsonValue::Null)},
        {"visible", visible},
    };
}

QString listLine(const store::Calendar& list, bool visible)
{
    return QStringList{list.calendarIdentifier, field(list.title),
                       visible ? QStringLiteral("visible") : QStringLiteral("hidden")}
        .join(u'\t');
}

QJsonObject eventObject(const store::Event& event)
{
    const store::CalendarPtr& calendar = event.calendar;
    return QJsonObject{
        {"id", event.eventIdentifier},
        {"title", event.title},
        {"calendar", calendar ? QJsonValue(calendar->title) : QJsonValue(QJsonValue::Null)},
        {"calendarId",
         calendar ? QJsonValue(calendar->calendarIdentifier) : QJsonValue(QJsonValue::Null)},
        {"start", eventTime(event.startDate, event.isAllDay)},
        {"end", eventTime(event.endDate, event.isAllDay)},
        {"allDay", event.isAllDay},
        {"location", textOrNull(event.location)},
        {"notes", textOrNull(event.notes)},
        {"url", textOrNull(event.URL.toString())},
    };
}

QString eventLine(const store::Event& event)
{
    return QStringList{
        eventTime(event.startDate, event.isAllDay), eventTime(event.endDate, event.isAllDay),
        field(event.calendar ? event.calendar->title : QString()), field(event.title)}
        .join(u'\t');
}

QJsonArray tasksArray(const QList<store::ReminderPtr>& reminders)
{
    QJsonArray array;
    for (const store::ReminderPtr& reminder : reminders)
        array.append(taskObject(*reminder));
    return array;
}

void print(const QString& text)
{
    write(stdout, text + u'\n');
}

void printJson(const QJsonArray& array)
{
    write(stdout, QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented)));
}

void printError(const QString& message)
{
    write(stderr, QStringLiteral("velmoran-cli: ") + message + u'\n');
}

QString jsonText(const QJsonValue& value)
{
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(wrapped.mid(1, wrapped.size() - 2));
}

int fail(const QString& message)
{
    printError(message);
    return 1;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("velmoran-cli", text);
}

} // namespace CliOutput
