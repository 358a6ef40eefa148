#include "cli/CliOutput.h"

#include "platform/LocalTimeOffsets.h"
#include "platform/store/Recurrence.h"

#include <QCoreApplication>

#include <QJsonDocument>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace CliOutput {

namespace {

// What a command learns of the zones while it writes dates: it lives for one answer, on the
// zone it started in, and each thread that writes keeps its own.
LocalTimeOffsets& offsets()
{
    thread_local LocalTimeOffsets offsets;
    return offsets;
}

void appendDigits(char16_t*& at, int value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        at[i] = char16_t(u'0' + value % 10);
        value /= 10;
    }
    at += width;
}

// Dates written by hand: thousands go out in one listing, and QDate::toString() formats each
// through a printf.
bool handWritten(QDate date)
{
    return date.year() >= 1000 && date.year() <= 9999;
}

void appendDate(char16_t*& at, QDate date)
{
    appendDigits(at, date.year(), 4);
    *at++ = u'-';
    appendDigits(at, date.month(), 2);
    *at++ = u'-';
    appendDigits(at, date.day(), 2);
}

QString isoDate(QDate date)
{
    if (!handWritten(date))
        return date.toString(Qt::ISODate);
    QString text(10, Qt::Uninitialized);
    char16_t* at = reinterpret_cast<char16_t*>(text.data());
    appendDate(at, date);
    return text;
}

// The minute of a UTC date-time holding a local wall clock.
QString wallMinute(const QDateTime& wall)
{
    const QDate date = wall.date();
    if (!handWritten(date))
        return wall.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm"));
    const QTime time = wall.time();
    QString text(16, Qt::Uninitialized);
    char16_t* at = reinterpret_cast<char16_t*>(text.data());
    appendDate(at, date);
    *at++ = u'T';
    appendDigits(at, time.hour(), 2);
    *at++ = u':';
    appendDigits(at, time.minute(), 2);
    return text;
}

} // namespace

std::optional<QString> dueText(const store::OptionalDateComponents& due)
{
    if (!due || !due->isValid())
        return std::nullopt;
    if (!due->hasTimeOfDay())
        return isoDate(due->date());
    if (due->timeZone.isValid()) {
        const QTime time(due->hour, due->minute, due->second);
        if (const std::optional<qint64> instant =
                offsets().instantOf(due->date(), time, due->timeZone)) {
            return wallMinute(
                QDateTime::fromMSecsSinceEpoch(offsets().wallMSecs(*instant), Qt::UTC));
        }
    }
    return localMinute(due->toDateTime());
}

void writeAlarm(JsonWriter& json, const store::Alarm& alarm)
{
    if (const auto& place = alarm.structuredLocation) {
        json.beginObject();
        json.key("latitude"_L1);
        json.number(place->latitude);
        json.key("location"_L1);
        json.string(place->title);
        json.key("longitude"_L1);
        json.number(place->longitude);
        json.key("proximity"_L1);
        json.string(alarm.proximity == store::Alarm::Proximity::Leave ? u"leave"_s : u"arrive"_s);
        json.key("radius"_L1);
        json.number(place->radius);
        json.endObject();
    } else if (alarm.absoluteDate.isValid()) {
        json.beginObject();
        json.key("date"_L1);
        json.string(localMinute(alarm.absoluteDate));
        json.endObject();
    } else if (alarm.hasRelativeOffset) {
        json.beginObject();
        json.key("offset"_L1);
        json.number(alarm.relativeOffset);
        json.endObject();
    }
}

namespace {

QString recurrenceText(const store::Reminder& reminder)
{
    if (reminder.recurrenceRules.isEmpty())
        return {};
    const store::OptionalDateComponents& due = reminder.dueDateComponents;
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

void write(FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

void write(FILE* stream, const QString& text)
{
    write(stream, text.toUtf8());
}

} // namespace

QString localMinute(const QDateTime& dateTime)
{
    return wallMinute(offsets().wallClock(dateTime));
}

void writeTask(JsonWriter& json, const store::Reminder& reminder, const QString& parentId)
{
    // The keys in QJsonObject's (sorted) order.
    const store::CalendarPtr& list = reminder.calendar;
    json.beginObject();
    json.key("alarms"_L1);
    json.beginArray();
    for (const store::Alarm& alarm : reminder.alarms)
        writeAlarm(json, alarm);
    json.endArray();
    json.key("completed"_L1);
    json.boolean(reminder.completed);
    json.key("completionDate"_L1);
    if (reminder.completionDate.isValid())
        json.string(localMinute(reminder.completionDate));
    else
        json.null();
    json.key("due"_L1);
    if (const std::optional<QString> due = dueText(reminder.dueDateComponents))
        json.string(*due);
    else
        json.null();
    json.key("id"_L1);
    json.string(reminder.calendarItemIdentifier);
    json.key("list"_L1);
    if (list)
        json.string(list->title);
    else
        json.null();
    json.key("listId"_L1);
    if (list)
        json.string(list->calendarIdentifier);
    else
        json.null();
    json.key("notes"_L1);
    json.stringOrNull(reminder.notes);
    json.key("parent"_L1);
    json.stringOrNull(parentId);
    json.key("priority"_L1);
    json.integer(reminder.priority);
    json.key("recurrence"_L1);
    if (reminder.recurrenceRules.isEmpty())
        json.null();
    else
        json.string(recurrenceText(reminder));
    json.key("title"_L1);
    json.string(reminder.title);
    json.key("url"_L1);
    json.stringOrNull(reminder.URL.toString());
    json.endObject();
}

QString taskLine(const store::Reminder& reminder, int depth)
{
    const std::optional<QString> due = dueText(reminder.dueDateComponents);
    return QStringList{reminder.calendarItemIdentifier,
                       reminder.completed ? QStringLiteral("[x]") : QStringLiteral("[ ]"),
                       due.value_or(QStringLiteral("-")),
                       field(reminder.calendar ? reminder.calendar->title : QString()),
                       QString(2 * depth, u' ') + field(reminder.title)}
        .join(u'\t');
}

QJsonObject listObject(const store::Calendar& list, bool visible)
{
    return QJsonObject{
        {"id", list.calendarIdentifier},
        {"title", list.title},
        {"color",
         list.color.isValid() ? QJsonValue(list.color.name()) : QJsonValue(QJsonValue::Null)},
        {"visible", visible},
    };
}

QString listLine(const store::Calendar& list, bool visible)
{
    return QStringList{list.calendarIdentifier, field(list.title),
                       visible ? QStringLiteral("visible") : QStringLiteral("hidden")}
        .join(u'\t');
}

QJsonObject unreadableFileObject(const store::UnreadableFile& file)
{
    return QJsonObject{
        {"path", file.path},
        {"list", file.listTitle},
        {"listId", file.listIdentifier},
        {"reason", file.reason()},
    };
}

QString unreadableFileLine(const store::UnreadableFile& file)
{
    return QStringList{field(file.path), field(file.listTitle), field(file.reason())}.join(u'\t');
}

void writeEvent(JsonWriter& json, const store::Event& event)
{
    // The keys in QJsonObject's (sorted) order.
    const store::CalendarPtr& calendar = event.calendar;
    json.beginObject();
    json.key("allDay"_L1);
    json.boolean(event.isAllDay);
    json.key("calendar"_L1);
    if (calendar)
        json.string(calendar->title);
    else
        json.null();
    json.key("calendarId"_L1);
    if (calendar)
        json.string(calendar->calendarIdentifier);
    else
        json.null();
    json.key("end"_L1);
    json.string(eventTime(event.endDate, event.isAllDay));
    json.key("id"_L1);
    json.string(event.eventIdentifier);
    json.key("location"_L1);
    json.stringOrNull(event.location);
    json.key("notes"_L1);
    json.stringOrNull(event.notes);
    json.key("start"_L1);
    json.string(eventTime(event.startDate, event.isAllDay));
    json.key("title"_L1);
    json.string(event.title);
    json.key("url"_L1);
    json.stringOrNull(event.URL.toString());
    json.endObject();
}

QString eventLine(const store::Event& event)
{
    return QStringList{
        eventTime(event.startDate, event.isAllDay), eventTime(event.endDate, event.isAllDay),
        field(event.calendar ? event.calendar->title : QString()), field(event.title)}
        .join(u'\t');
}

namespace {

void writeRecords(JsonWriter& json, const QList<store::ReminderPtr>& reminders,
                  const QList<store::EventPtr>& events, const ParentOf& parentOf)
{
    json.beginArray();
    for (const store::ReminderPtr& reminder : reminders)
        writeTask(json, *reminder, parentOf(*reminder));
    for (const store::EventPtr& event : events)
        writeEvent(json, *event);
    json.endArray();
}

} // namespace

QByteArray recordsJson(const QList<store::ReminderPtr>& reminders,
                       const QList<store::EventPtr>& events, const ParentIds& parents)
{
    JsonWriter json;
    writeRecords(json, reminders, events, [&parents](const store::Reminder& reminder) {
        return parents.value(reminder.calendarItemIdentifier);
    });
    return json.take();
}

void printRecordsJson(const QList<store::ReminderPtr>& reminders,
                      const QList<store::EventPtr>& events, const ParentOf& parentOf)
{
    JsonWriter json(stdout);
    writeRecords(json, reminders, events, parentOf);
    json.flush();
}

Lines::~Lines()
{
    flush();
}

void Lines::add(const QString& line)
{
    m_pending += line.toUtf8();
    m_pending += '\n';
    flushWhenFull();
}

void Lines::addEncoded(const QByteArray& lines)
{
    m_pending += lines;
    flushWhenFull();
}

void Lines::flushWhenFull()
{
    if (m_pending.size() >= 64 * 1024)
        flush();
}

void Lines::flush()
{
    if (m_pending.isEmpty())
        return;
    write(stdout, m_pending);
    m_pending.resize(0);
}

void print(const QString& text)
{
    write(stdout, text + u'\n');
}

void printJson(const QJsonArray& array)
{
    write(stdout, QJsonDocument(array).toJson(QJsonDocument::Indented));
}

void printJson(const QByteArray& document)
{
    write(stdout, document);
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

} // namespace CliOutput
