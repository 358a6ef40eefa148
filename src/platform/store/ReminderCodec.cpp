#include "platform/store/ReminderCodec.h"

#include "platform/store/CacheStream.h"

#include <cmath>

namespace store {

namespace {

// How a date or a zone is kept.
enum class ZoneKind : quint8 { None = 0, Utc = 1, Named = 2 };
enum class TimeKind : quint8 { Invalid = 0, Local = 1, Utc = 2, Offset = 3, Zone = 4 };

// Counts above this are not a task's: the entry is damaged.
constexpr quint32 kMaxCount = 4096;

void writeZone(CacheWriter& out, const QTimeZone& zone)
{
    if (!zone.isValid()) {
        out.put(ZoneKind::None);
    } else if (zone == QTimeZone::utc()) {
        out.put(ZoneKind::Utc);
    } else {
        out.put(ZoneKind::Named);
        out.bytes(zone.id());
    }
}

void writeDateTime(CacheWriter& out, const QDateTime& dateTime)
{
    if (!dateTime.isValid()) {
        out.put(TimeKind::Invalid);
        return;
    }
    const qint64 msecs = dateTime.toMSecsSinceEpoch();
    switch (dateTime.timeSpec()) {
    case Qt::LocalTime:
        out.put(TimeKind::Local);
        out.put(msecs);
        break;
    case Qt::UTC:
        out.put(TimeKind::Utc);
        out.put(msecs);
        break;
    case Qt::OffsetFromUTC:
        out.put(TimeKind::Offset);
        out.put(msecs);
        out.put(qint32(dateTime.offsetFromUtc()));
        break;
    case Qt::TimeZone:
        out.put(TimeKind::Zone);
        out.put(msecs);
        out.bytes(dateTime.timeZone().id());
        break;
    }
}

void writeComponents(CacheWriter& out, const OptionalDateComponents& components)
{
    out.put(quint8(components.has_value()));
    if (!components)
        return;
    out.put(qint32(components->year));
    out.put(qint8(components->month));
    out.put(qint8(components->day));
    out.put(qint8(components->hour));
    out.put(qint8(components->minute));
    out.put(qint8(components->second));
    writeZone(out, components->timeZone);
}

void writeInts(CacheWriter& out, const QList<int>& values)
{
    out.put(quint32(values.size()));
    for (int value : values)
        out.put(qint32(value));
}

bool readInts(CacheReader& in, QList<int>* values)
{
    const quint32 count = in.get<quint32>();
    if (!in.ok() || count > kMaxCount)
        return false;
    values->reserve(count);
    for (quint32 i = 0; i < count; ++i)
        values->append(in.get<qint32>());
    return in.ok();
}

void writeAlarm(CacheWriter& out, const Alarm& alarm)
{
    writeDateTime(out, alarm.absoluteDate);
    out.put(alarm.relativeOffset);
    out.put(quint8(alarm.hasRelativeOffset));
    out.put(quint8(alarm.proximity));
    out.string(alarm.uid);
    out.put(quint8(alarm.structuredLocation.has_value()));
    if (const auto& place = alarm.structuredLocation) {
        out.string(place->title);
        out.put(place->latitude);
        out.put(place->longitude);
        out.put(place->radius);
        out.put(quint8(place->hasGeoLocation));
    }
}

void writeRule(CacheWriter& out, const RecurrenceRule& rule)
{
    out.put(quint8(rule.frequency));
    out.put(qint32(rule.interval));
    out.put(qint8(rule.firstDayOfTheWeek));
    out.put(quint32(rule.daysOfTheWeek.size()));
    for (const RecurrenceDayOfWeek& day : rule.daysOfTheWeek) {
        out.put(qint8(day.dayOfTheWeek));
        out.put(qint32(day.weekNumber));
    }
    writeInts(out, rule.daysOfTheMonth);
    writeInts(out, rule.monthsOfTheYear);
    writeInts(out, rule.weeksOfTheYear);
    writeInts(out, rule.daysOfTheYear);
    writeInts(out, rule.setPositions);
    out.put(quint8(rule.recurrenceEnd.has_value()));
    if (const auto& end = rule.recurrenceEnd) {
        writeDateTime(out, end->endDate);
        out.put(quint8(end->endDateIsAllDay));
        out.put(qint32(end->occurrenceCount));
    }
}

} // namespace

void ReminderCodec::write(CacheWriter& out, const Reminder& reminder)
{
    out.text(reminder.title);
    out.string(reminder.URL.isEmpty() ? QString() : reminder.URL.toString(QUrl::FullyEncoded));
    out.text(reminder.notes);
    out.put(qint8(reminder.priority));
    out.put(quint8(reminder.completed));
    writeDateTime(out, reminder.completionDate);
    writeComponents(out, reminder.dueDateComponents);
    writeComponents(out, reminder.startDateComponents);
    writeDateTime(out, reminder.creationDate);
    writeDateTime(out, reminder.lastModifiedDate);
    out.put(quint32(reminder.alarms.size()));
    for (const Alarm& alarm : reminder.alarms)
        writeAlarm(out, alarm);
    out.put(quint32(reminder.recurrenceRules.size()));
    for (const RecurrenceRule& rule : reminder.recurrenceRules)
        writeRule(out, rule);
    out.string(reminder.uid);
    out.string(reminder.parentUid);
    out.put(quint8(reminder.hidesSubtasks));
}

QTimeZone ReminderCodec::zoneWithId(QByteArrayView id)
{
    if (id == m_lastZoneId && !m_lastZoneId.isNull())
        return m_lastZone;
    m_lastZoneId = id.toByteArray();
    auto known = m_zones.constFind(m_lastZoneId);
    if (known == m_zones.constEnd())
        known = m_zones.insert(m_lastZoneId, QTimeZone(m_lastZoneId));
    m_lastZone = *known;
    return m_lastZone;
}

QTimeZone ReminderCodec::readZone(CacheReader& in)
{
    switch (ZoneKind(in.get<quint8>())) {
    case ZoneKind::None:
        return {};
    case ZoneKind::Utc:
        return m_utc;
    case ZoneKind::Named:
        return zoneWithId(in.bytesView());
    }
    in.fail();
    return {};
}

QDateTime ReminderCodec::readDateTime(CacheReader& in, Qt::TimeSpec localAs)
{
    const TimeKind kind = TimeKind(in.get<quint8>());
    if (kind == TimeKind::Invalid)
        return {};
    const qint64 msecs = in.get<qint64>();
    switch (kind) {
    case TimeKind::Local:
        return QDateTime::fromMSecsSinceEpoch(msecs, localAs);
    case TimeKind::Utc:
        return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
    case TimeKind::Offset:
        return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, in.get<qint32>());
    case TimeKind::Zone:
        return QDateTime::fromMSecsSinceEpoch(msecs, zoneWithId(in.bytesView()));
    case TimeKind::Invalid:
        break;
    }
    in.fail();
    return {};
}

std::optional<DateComponents> ReminderCodec::readComponents(CacheReader& in)
{
    if (!in.boolean())
        return std::nullopt;
    DateComponents components;
    components.year = in.get<qint32>();
    components.month = in.get<qint8>();
    components.day = in.get<qint8>();
    components.hour = in.get<qint8>();
    components.minute = in.get<qint8>();
    components.second = in.get<qint8>();
    components.timeZone = readZone(in);
    return components;
}

bool ReminderCodec::readAlarm(CacheReader& in, Alarm* alarm)
{
    alarm->absoluteDate = readDateTime(in);
    alarm->relativeOffset = in.get<double>();
    // Offsets are rounded to whole seconds wherever they are used: one no integer holds (or no
    // number at all) was never written by us.
    if (!std::isfinite(alarm->relativeOffset) || std::abs(alarm->relativeOffset) > 1e15)
        return false;
    alarm->hasRelativeOffset = in.boolean();
    const quint8 proximity = in.get<quint8>();
    if (proximity > quint8(Alarm::Proximity::Leave))
        return false;
    alarm->proximity = Alarm::Proximity(proximity);
    alarm->uid = in.string();
    if (in.boolean()) {
        StructuredLocation place;
        place.title = in.string();
        place.latitude = in.get<double>();
        place.longitude = in.get<double>();
        place.radius = in.get<double>();
        place.hasGeoLocation = in.boolean();
        alarm->structuredLocation = place;
    }
    return in.ok();
}

bool ReminderCodec::readRule(CacheReader& in, RecurrenceRule* rule)
{
    const quint8 frequency = in.get<quint8>();
    if (frequency > quint8(RecurrenceRule::Frequency::Yearly))
        return false;
    rule->frequency = RecurrenceRule::Frequency(frequency);
    rule->interval = in.get<qint32>();
    rule->firstDayOfTheWeek = in.get<qint8>();
    const quint32 days = in.get<quint32>();
    if (!in.ok() || days > kMaxCount)
        return false;
    for (quint32 i = 0; i < days; ++i) {
        RecurrenceDayOfWeek day;
        day.dayOfTheWeek = in.get<qint8>();
        day.weekNumber = in.get<qint32>();
        rule->daysOfTheWeek.append(day);
    }
    if (!readInts(in, &rule->daysOfTheMonth) || !readInts(in, &rule->monthsOfTheYear) ||
        !readInts(in, &rule->weeksOfTheYear) || !readInts(in, &rule->daysOfTheYear) ||
        !readInts(in, &rule->setPositions))
        return false;
    if (in.boolean()) {
        RecurrenceEnd end;
        end.endDate = readDateTime(in);
        end.endDateIsAllDay = in.boolean();
        end.occurrenceCount = in.get<qint32>();
        rule->recurrenceEnd = end;
    }
    return in.ok();
}

bool ReminderCodec::read(CacheReader& in, Reminder* reminder)
{
    readText(in, reminder->title);
    const QString url = in.string();
    if (!url.isNull()) {
        reminder->URL = QUrl(url, QUrl::TolerantMode);
        // The writer keeps the fully encoded form; other text (raw non-characters, say) would
        // read as another address than the same task read again after a save.
        if (reminder->URL.toString(QUrl::FullyEncoded) != url)
            in.fail();
    }
    readText(in, reminder->notes);
    reminder->priority = in.get<qint8>();
    reminder->completed = in.boolean();
    reminder->completionDate = readTaskDate(in);
    reminder->dueDateComponents = readComponents(in);
    reminder->startDateComponents = readComponents(in);
    reminder->creationDate = readTaskDate(in);
    reminder->lastModifiedDate = readTaskDate(in);
    const quint32 alarms = in.get<quint32>();
    if (!in.ok() || alarms > kMaxCount)
        return false;
    // Exactly as many as there are: grown one by one, a hundred thousand tasks' alarm lists
    // held twice the room they use. None takes no room at all (reserving nothing allocates).
    if (alarms > 0)
        reminder->alarms.reserve(alarms);
    for (quint32 i = 0; i < alarms; ++i) {
        Alarm alarm;
        if (!readAlarm(in, &alarm))
            return false;
        reminder->alarms.append(alarm);
    }
    const quint32 rules = in.get<quint32>();
    if (!in.ok() || rules > kMaxCount)
        return false;
    if (rules > 0)
        reminder->recurrenceRules.reserve(rules);
    for (quint32 i = 0; i < rules; ++i) {
        RecurrenceRule rule;
        if (!readRule(in, &rule))
            return false;
        reminder->recurrenceRules.append(rule);
    }
    reminder->uid = in.string();
    reminder->parentUid = in.string();
    reminder->hidesSubtasks = in.boolean();
    return in.ok();
}

namespace {

bool skipZone(CacheReader& in)
{
    const quint8 kind = in.get<quint8>();
    if (kind == quint8(ZoneKind::Named))
        in.skipBytes();
    return kind <= quint8(ZoneKind::Named);
}

bool skipDateTime(CacheReader& in)
{
    const TimeKind kind = TimeKind(in.get<quint8>());
    if (kind == TimeKind::Invalid)
        return true;
    in.get<qint64>();
    if (kind == TimeKind::Offset)
        in.get<qint32>();
    else if (kind == TimeKind::Zone)
        in.skipBytes();
    return quint8(kind) <= quint8(TimeKind::Zone);
}

bool skipComponents(CacheReader& in)
{
    if (!in.boolean())
        return true;
    in.get<qint32>();
    for (int i = 0; i < 5; ++i)
        in.get<qint8>();
    return skipZone(in);
}

bool skipInts(CacheReader& in)
{
    const quint32 count = in.get<quint32>();
    if (!in.ok() || count > kMaxCount)
        return false;
    for (quint32 i = 0; i < count; ++i)
        in.get<qint32>();
    return in.ok();
}

bool skipAlarm(CacheReader& in)
{
    if (!skipDateTime(in))
        return false;
    const double offset = in.get<double>();
    if (!std::isfinite(offset) || std::abs(offset) > 1e15)
        return false;
    in.boolean();
    if (in.get<quint8>() > quint8(Alarm::Proximity::Leave))
        return false;
    in.skipString();
    if (in.boolean()) {
        in.skipString();
        in.get<double>();
        in.get<double>();
        in.get<double>();
        in.boolean();
    }
    return in.ok();
}

bool skipRule(CacheReader& in)
{
    if (in.get<quint8>() > quint8(RecurrenceRule::Frequency::Yearly))
        return false;
    in.get<qint32>();
    in.get<qint8>();
    const quint32 days = in.get<quint32>();
    if (!in.ok() || days > kMaxCount)
        return false;
    for (quint32 i = 0; i < days; ++i) {
        in.get<qint8>();
        in.get<qint32>();
    }
    for (int list = 0; list < 5; ++list) {
        if (!skipInts(in))
            return false;
    }
    if (in.boolean()) {
        if (!skipDateTime(in))
            return false;
        in.boolean();
        in.get<qint32>();
    }
    return in.ok();
}

} // namespace

bool ReminderCodec::skip(CacheReader& in, Outline* outline)
{
    in.skipText();
    const char* url = in.skipString();
    if (in.ok() && !CacheReader::isEmptyAt(url)) {
        QString text;
        CacheReader::stringAt(url, text);
        if (QUrl(text, QUrl::TolerantMode).toString(QUrl::FullyEncoded) != text)
            return false;
    }
    in.skipText();
    in.get<qint8>();
    in.boolean();
    if (!skipDateTime(in) || !skipComponents(in) || !skipComponents(in) || !skipDateTime(in) ||
        !skipDateTime(in))
        return false;
    const quint32 alarms = in.get<quint32>();
    if (!in.ok() || alarms > kMaxCount)
        return false;
    for (quint32 i = 0; i < alarms; ++i) {
        if (!skipAlarm(in))
            return false;
    }
    const quint32 rules = in.get<quint32>();
    if (!in.ok() || rules > kMaxCount)
        return false;
    for (quint32 i = 0; i < rules; ++i) {
        if (!skipRule(in))
            return false;
    }
    outline->uid = in.skipString();
    outline->parentUid = in.skipString();
    in.boolean();
    return in.ok();
}

void ReminderCodec::readText(CacheReader& in, CompactText& text)
{
    const char* at = in.skipText();
    if (in.ok())
        CacheReader::textAt(at, text, m_text);
}

void ReminderCodec::readHead(CacheReader& in, Reminder* reminder)
{
    readText(in, reminder->title);
    in.skipString();
    readText(in, reminder->notes);
    reminder->priority = in.get<qint8>();
    reminder->completed = in.boolean();
    reminder->completionDate = readTaskDate(in);
    reminder->dueDateComponents = readComponents(in);
    skipComponents(in);
    reminder->creationDate = readTaskDate(in);
}

} // namespace store
