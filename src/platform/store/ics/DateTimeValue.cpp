#include "platform/store/ics/DateTimeValue.h"

#include "platform/store/ics/TimeZones.h"

#include <libical/ical.h>

namespace store::ics {

namespace {

// libical wants a terminated string; values are short, so a stack buffer does.
template <size_t N> bool copyValue(QByteArrayView text, char (&buffer)[N])
{
    if (text.isEmpty() || size_t(text.size()) >= N)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        buffer[i] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    }
    buffer[text.size()] = '\0';
    return true;
}

const Component* findTimeZone(const Component& component, const QByteArray& tzid, int depth)
{
    for (const Component::Node& node : component.nodes()) {
        if (!node.component)
            continue;
        const Component& child = *node.component;
        if (child.is("VTIMEZONE")) {
            const Property* id = child.property("TZID");
            if (id && id->trimmedValue() == tzid)
                return &child;
        } else if (depth < 2) {
            if (const Component* found = findTimeZone(child, tzid, depth + 1))
                return found;
        }
    }
    return nullptr;
}

const QTimeZone& utcZone()
{
    static const QTimeZone utc = QTimeZone::utc();
    return utc;
}

int digits(const char* text, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The forms nearly every file uses (20261206, 20261206T093000, 20261206T093000Z), read
// without a scanf per value since every task holds several; anything else goes to libical.
std::optional<DateTimeValue> parseBasicForm(QByteArrayView text)
{
    const qsizetype size = text.size();
    if (size != 8 && size != 15 && size != 16)
        return std::nullopt;
    const char* data = text.data();
    const int year = digits(data, 4);
    const int month = digits(data + 4, 2);
    const int day = digits(data + 6, 2);
    if (year < 0 || month < 0 || day < 0)
        return std::nullopt;
    DateTimeValue value;
    value.date = QDate(year, month, day);
    if (!value.date.isValid())
        return std::nullopt;
    if (size == 8) {
        value.isDate = true;
        value.time = QTime(0, 0);
        return value;
    }
    if (data[8] != 'T' || (size == 16 && data[15] != 'Z' && data[15] != 'z'))
        return std::nullopt;
    const int hour = digits(data + 9, 2);
    const int minute = digits(data + 11, 2);
    const int second = digits(data + 13, 2);
    if (hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    // A leap second is read as the last second before it.
    value.time = QTime(hour, minute, qMin(second, 59));
    if (!value.time.isValid())
        return std::nullopt;
    value.isUtc = size == 16;
    return value;
}

} // namespace

std::optional<DateTimeValue> parseDateTime(QByteArrayView text, QByteArrayView tzid)
{
    text = text.trimmed();
    if (std::optional<DateTimeValue> basic = parseBasicForm(text)) {
        if (!basic->isUtc && !basic->isDate)
            basic->tzid = tzid.trimmed().toByteArray();
        return basic;
    }
    char buffer[32];
    if (!copyValue(text, buffer))
        return std::nullopt;
    const icaltimetype parsed = icaltime_from_string(buffer);
    if (icaltime_is_null_time(parsed))
        return std::nullopt;
    DateTimeValue value;
    value.date = QDate(parsed.year, parsed.month, parsed.day);
    if (!value.date.isValid())
        return std::nullopt;
    if (parsed.is_date) {
        value.isDate = true;
        value.time = QTime(0, 0);
        return value;
    }
    // A leap second is read as the last second before it.
    value.time = QTime(parsed.hour, parsed.minute, qMin(parsed.second, 59));
    if (!value.time.isValid())
        return std::nullopt;
    value.isUtc = icaltime_is_utc(parsed);
    if (!value.isUtc)
        value.tzid = tzid.trimmed().toByteArray();
    return value;
}

std::optional<DateTimeValue> parseDateTime(const Property& line)
{
    const QByteArrayView value = line.trimmedValue();
    // Most lines carry no parameters; only then is looking for a TZID skipped.
    if (line.content().size() == line.name().size() + 1 + line.value().size())
        return parseDateTime(value);
    return parseDateTime(value, line.parameter("TZID").value_or(QByteArray()));
}

QList<DateTimeValue> parseDateTimeList(const Property& line)
{
    QList<DateTimeValue> result;
    const QByteArray tzid = line.parameter("TZID").value_or(QByteArray());
    const QByteArrayView values = line.value();
    qsizetype start = 0;
    while (start <= values.size()) {
        qsizetype end = values.indexOf(',', start);
        if (end < 0)
            end = values.size();
        QByteArrayView item = values.sliced(start, end - start);
        const qsizetype slash = item.indexOf('/');
        if (slash >= 0)
            item = item.first(slash);
        if (auto value = parseDateTime(item, tzid))
            result.append(*value);
        start = end + 1;
    }
    return result;
}

std::optional<Duration> parseDuration(QByteArrayView text)
{
    char buffer[64];
    if (!copyValue(text.trimmed(), buffer))
        return std::nullopt;
    const icaldurationtype parsed = icaldurationtype_from_string(buffer);
    if (icaldurationtype_is_bad_duration(parsed))
        return std::nullopt;
    Duration duration;
    duration.days = qint64(parsed.weeks) * 7 + parsed.days;
    duration.seconds = qint64(parsed.hours) * 3600 + qint64(parsed.minutes) * 60 + parsed.seconds;
    if (parsed.is_neg == 1) {
        duration.days = -duration.days;
        duration.seconds = -duration.seconds;
    }
    return duration;
}

QByteArray formatDuration(qint64 seconds)
{
    if (seconds == 0)
        return "PT0S";
    QByteArray out = seconds < 0 ? "-P" : "P";
    qint64 rest = qAbs(seconds);
    if (rest % (7 * 86400) == 0)
        return out + QByteArray::number(rest / (7 * 86400)) + 'W';
    if (rest >= 86400) {
        out += QByteArray::number(rest / 86400) + 'D';
        rest %= 86400;
    }
    if (rest > 0) {
        out += 'T';
        if (rest >= 3600)
            out += QByteArray::number(rest / 3600) + 'H';
        if (rest % 3600 >= 60)
            out += QByteArray::number(rest % 3600 / 60) + 'M';
        if (rest % 60)
            out += QByteArray::number(rest % 60) + 'S';
    }
    return out;
}

struct ZoneResolver::FileZone
{
    icaltimezone* zone = nullptr;

    FileZone() = default;
    FileZone(const FileZone&) = delete;
    FileZone& operator=(const FileZone&) = delete;
    ~FileZone()
    {
        if (zone)
            icaltimezone_free(zone, 1);
    }

    QDateTime toUtc(const QDate& date, const QTime& time) const
    {
        icaltimetype wall = icaltime_null_time();
        wall.year = date.year();
        wall.month = date.month();
        wall.day = date.day();
        wall.hour = time.hour();
        wall.minute = time.minute();
        wall.second = time.second();
        icaltimezone_convert_time(&wall, zone, icaltimezone_get_utc_timezone());
        const QDate utcDate(wall.year, wall.month, wall.day);
        const QTime utcTime(wall.hour, wall.minute, wall.second);
        if (!utcDate.isValid() || !utcTime.isValid())
            return QDateTime(date, time, utcZone());
        return QDateTime(utcDate, utcTime, utcZone());
    }
};

ZoneResolver::ZoneResolver(const Component& document)
    : m_document(document)
{}

ZoneResolver::~ZoneResolver() = default;

const ZoneResolver::FileZone* ZoneResolver::fileZone(const QByteArray& tzid) const
{
    const auto known = m_fileZones.constFind(tzid);
    if (known != m_fileZones.constEnd())
        return known->get();
    std::shared_ptr<FileZone> result;
    if (const Component* definition = findTimeZone(m_document, tzid, 0)) {
        const QByteArray text = definition->serialize();
        icalcomponent* parsed = icalparser_parse_string(text.constData());
        if (parsed && icalcomponent_isa(parsed) == ICAL_VTIMEZONE_COMPONENT) {
            icaltimezone* zone = icaltimezone_new();
            if (icaltimezone_set_component(zone, parsed)) {
                result = std::make_shared<FileZone>();
                result->zone = zone;
                parsed = nullptr; // owned by the zone now
            } else {
                icaltimezone_free(zone, 1);
            }
        }
        if (parsed)
            icalcomponent_free(parsed);
    }
    m_fileZones.insert(tzid, result);
    return result.get();
}

QDateTime ZoneResolver::toDateTime(const DateTimeValue& value) const
{
    if (value.isDate)
        return QDateTime(value.date, QTime(0, 0));
    if (value.isUtc)
        return QDateTime(value.date, value.time, utcZone());
    if (!value.tzid.isEmpty()) {
        const QTimeZone zone = zoneForTzid(value.tzid);
        if (zone.isValid())
            return QDateTime(value.date, value.time, zone);
        if (const FileZone* defined = fileZone(value.tzid))
            return defined->toUtc(value.date, value.time);
    }
    return QDateTime(value.date, value.time);
}

DateComponents ZoneResolver::toComponents(const DateTimeValue& value) const
{
    DateComponents components;
    components.year = value.date.year();
    components.month = value.date.month();
    components.day = value.date.day();
    // Midnight is a day without a time of day (a save writes it as a DATE): the day as
    // written, in no time zone.
    if (value.isDate || (value.time.hour() == 0 && value.time.minute() == 0))
        return components;
    components.hour = value.time.hour();
    components.minute = value.time.minute();
    components.second = value.time.second();
    if (value.isUtc) {
        components.timeZone = utcZone();
    } else if (!value.tzid.isEmpty()) {
        const QTimeZone zone = zoneForTzid(value.tzid);
        if (zone.isValid()) {
            components.timeZone = zone;
        } else if (const FileZone* defined = fileZone(value.tzid)) {
            const QDateTime inUtc = defined->toUtc(value.date, value.time);
            components.year = inUtc.date().year();
            components.month = inUtc.date().month();
            components.day = inUtc.date().day();
            components.hour = inUtc.time().hour();
            components.minute = inUtc.time().minute();
            components.second = inUtc.time().second();
            components.timeZone = utcZone();
        }
    }
    return components;
}

} // namespace store::ics
