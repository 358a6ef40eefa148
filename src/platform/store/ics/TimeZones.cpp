#include "platform/store/ics/TimeZones.h"

#include <QFile>
#include <QHash>

namespace store::ics {

namespace {

bool plausibleId(QByteArrayView id)
{
    if (id.isEmpty() || id.size() > 64 || id.front() == '/' || id.contains(".."))
        return false;
    for (const char c : id) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '+' || c == '-' || c == '/' ||
                        c == '.';
        if (!ok)
            return false;
    }
    return true;
}

// Whether the tz database has a zone of that name. Qt also makes zones of POSIX rules
// ("Nowhere", "ABC5"), which are no names a file means, and lists only canonical names as
// available, not links such as "US/Eastern"; so the database files decide.
bool inZoneDatabase(const QByteArray& id)
{
    if (QTimeZone::isTimeZoneIdAvailable(id))
        return true;
    QStringList folders{QStringLiteral("/usr/share/zoneinfo"), QStringLiteral("/usr/lib/zoneinfo"),
                        QStringLiteral("/usr/share/lib/zoneinfo")};
    if (const QString custom = qEnvironmentVariable("TZDIR"); !custom.isEmpty())
        folders.prepend(custom);
    for (const QString& folder : std::as_const(folders)) {
        QFile file(folder + QLatin1Char('/') + QString::fromLatin1(id));
        if (file.open(QIODevice::ReadOnly))
            return file.read(4) == "TZif";
    }
    return false;
}

QTimeZone systemZone(QByteArrayView id)
{
    if (!plausibleId(id))
        return {};
    const QByteArray key = id.toByteArray();
    if (!inZoneDatabase(key))
        return {};
    QTimeZone zone(key);
    return zone.isValid() ? zone : QTimeZone();
}

QTimeZone resolve(QByteArrayView tzid)
{
    const QByteArrayView id = tzid.trimmed();
    if (QTimeZone zone = systemZone(id); zone.isValid())
        return zone;
    const QByteArray windows = QTimeZone::windowsIdToDefaultIanaId(id.toByteArray());
    if (!windows.isEmpty()) {
        if (QTimeZone zone = systemZone(windows); zone.isValid())
            return zone;
    }
    // Vendor prefixes put the IANA id last: try its last three, then two segments.
    const QList<QByteArray> segments = id.toByteArray().split('/');
    for (const qsizetype count : {3, 2}) {
        if (segments.size() <= count)
            continue;
        const QByteArray candidate = segments.mid(segments.size() - count).join('/');
        if (QTimeZone zone = systemZone(candidate); zone.isValid())
            return zone;
    }
    return {};
}

QByteArray formatOffset(int seconds)
{
    const char sign = seconds < 0 ? '-' : '+';
    seconds = qAbs(seconds);
    QByteArray out(1, sign);
    out += QByteArray::number(seconds / 3600).rightJustified(2, '0');
    out += QByteArray::number(seconds / 60 % 60).rightJustified(2, '0');
    if (seconds % 60)
        out += QByteArray::number(seconds % 60).rightJustified(2, '0');
    return out;
}

QByteArray formatWallTime(const QDateTime& wall)
{
    return wall.toString(QStringLiteral("yyyyMMdd'T'HHmmss")).toLatin1();
}

QDateTime utcStartOfYear(int year)
{
    return QDateTime(QDate(year, 1, 1), QTime(0, 0), QTimeZone::utc());
}

// The wall-clock time just before a change, as DTSTART of an observance gives it.
QDateTime wallTimeBefore(const QTimeZone& zone, const QTimeZone::OffsetData& change)
{
    const int before = zone.offsetFromUtc(change.atUtc.addSecs(-1));
    const QDateTime utc = change.atUtc.toUTC();
    return QDateTime(utc.date(), utc.time(), QTimeZone::utc()).addSecs(before);
}

// A change on "the n-th (or last, n = -1) weekday of a month".
struct WeekdayRule
{
    int month = 0;
    int nth = 0;
    int weekday = 0; // 1 = Monday ... 7 = Sunday
    QTime time;

    QDate dateIn(int year) const
    {
        if (nth > 0) {
            QDate date(year, month, 1);
            date = date.addDays((weekday - date.dayOfWeek() + 7) % 7);
            return date.addDays(7 * (nth - 1));
        }
        QDate date(year, month, QDate(year, month, 1).daysInMonth());
        return date.addDays(-((date.dayOfWeek() - weekday + 7) % 7));
    }
    QByteArray rrule() const
    {
        static const char* const days[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
        return "FREQ=YEARLY;BYMONTH=" + QByteArray::number(month) +
               ";BYDAY=" + QByteArray::number(nth) + days[weekday - 1];
    }
};

WeekdayRule ruleFor(const QDateTime& wall)
{
    const QDate date = wall.date();
    WeekdayRule rule{date.month(), (date.day() - 1) / 7 + 1, date.dayOfWeek(), wall.time()};
    if (date.day() + 7 > date.daysInMonth())
        rule.nth = -1;
    return rule;
}

Component observance(bool daylight, int from, int to, const QString& name,
                     const QList<QDateTime>& starts, const QByteArray& rrule,
                     QByteArrayView newline)
{
    Component result(daylight ? "DAYLIGHT" : "STANDARD", newline);
    result.append(
        Component::Node(Property::build("DTSTART", {}, formatWallTime(starts.first()), newline)));
    result.append(
        Component::Node(Property::build("TZOFFSETFROM", {}, formatOffset(from), newline)));
    result.append(Component::Node(Property::build("TZOFFSETTO", {}, formatOffset(to), newline)));
    if (!name.isEmpty())
        result.append(Component::Node(Property::text("TZNAME", name, newline)));
    if (!rrule.isEmpty())
        result.append(Component::Node(Property::build("RRULE", {}, rrule, newline)));
    if (starts.size() > 1) {
        QByteArray dates;
        for (qsizetype i = 1; i < starts.size(); ++i)
            dates += (i > 1 ? "," : "") + formatWallTime(starts.at(i));
        result.append(Component::Node(Property::build("RDATE", {}, dates, newline)));
    }
    return result;
}

// Both changes of `year` as yearly weekday rules, when those rules also give the changes of
// the following years.
bool appendYearlyRules(Component& vtimezone, const QTimeZone& zone, int year,
                       const QList<QTimeZone::OffsetData>& changes, QByteArrayView newline)
{
    if (changes.size() != 2)
        return false;
    QList<WeekdayRule> rules;
    for (const QTimeZone::OffsetData& change : changes)
        rules.append(ruleFor(wallTimeBefore(zone, change)));
    for (int later = year + 1; later <= year + 4; ++later) {
        const auto laterChanges =
            zone.transitions(utcStartOfYear(later), utcStartOfYear(later + 1));
        if (laterChanges.size() != 2)
            return false;
        for (int i = 0; i < 2; ++i) {
            const QDateTime wall = wallTimeBefore(zone, laterChanges.at(i));
            if (laterChanges.at(i).offsetFromUtc != changes.at(i).offsetFromUtc ||
                wall.date() != rules.at(i).dateIn(later) || wall.time() != rules.at(i).time)
                return false;
        }
    }
    const int higher = qMax(changes.at(0).offsetFromUtc, changes.at(1).offsetFromUtc);
    for (int i = 0; i < 2; ++i) {
        const QTimeZone::OffsetData& change = changes.at(i);
        const WeekdayRule& rule = rules.at(i);
        const QDateTime start(rule.dateIn(1970), rule.time, QTimeZone::utc());
        vtimezone.append(Component::Node(
            observance(change.offsetFromUtc == higher, changes.at(1 - i).offsetFromUtc,
                       change.offsetFromUtc, change.abbreviation, {start}, rule.rrule(), newline)));
    }
    return true;
}

void appendExplicitChanges(Component& vtimezone, const QTimeZone& zone, int year,
                           QByteArrayView newline)
{
    struct Group
    {
        bool daylight;
        int from;
        int to;
        QString name;
        QList<QDateTime> starts;
    };
    QList<Group> groups;
    for (const QTimeZone::OffsetData& change :
         zone.transitions(utcStartOfYear(year - 1), utcStartOfYear(year + 11))) {
        const int from = zone.offsetFromUtc(change.atUtc.addSecs(-1));
        const bool daylight = change.daylightTimeOffset > 0;
        const QDateTime wall = wallTimeBefore(zone, change);
        auto group = std::find_if(groups.begin(), groups.end(), [&](const Group& g) {
            return g.daylight == daylight && g.from == from && g.to == change.offsetFromUtc &&
                   g.name == change.abbreviation;
        });
        if (group == groups.end())
            groups.append({daylight, from, change.offsetFromUtc, change.abbreviation, {wall}});
        else
            group->starts.append(wall);
    }
    for (const Group& group : std::as_const(groups)) {
        vtimezone.append(Component::Node(observance(group.daylight, group.from, group.to,
                                                    group.name, group.starts, {}, newline)));
    }
}

} // namespace

QTimeZone zoneForTzid(QByteArrayView tzid)
{
    thread_local QHash<QByteArray, QTimeZone> cache;
    const QByteArray key = tzid.toByteArray();
    const auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    const QTimeZone zone = resolve(tzid);
    if (cache.size() > 512)
        cache.clear();
    cache.insert(key, zone);
    return zone;
}

QByteArray tzidForZone(const QTimeZone& zone)
{
    if (!zone.isValid())
        return {};
    const QByteArray id = zone.id();
    static const char* const utcNames[] = {"UTC",     "GMT",       "Etc/UTC", "Etc/GMT", "Z",
                                           "Etc/UCT", "Universal", "Zulu",    "Etc/Zulu"};
    for (const char* name : utcNames) {
        if (id == name)
            return {};
    }
    if (id.startsWith("UTC") || !plausibleId(id))
        return {};
    return id;
}

Component makeTimeZone(const QTimeZone& zone, int year, QByteArrayView newline)
{
    Component vtimezone("VTIMEZONE", newline);
    vtimezone.append(Component::Node(Property::build("TZID", {}, tzidForZone(zone), newline)));
    const auto changes = zone.transitions(utcStartOfYear(year), utcStartOfYear(year + 1));
    if (changes.isEmpty()) {
        const QDateTime midYear(QDate(year, 7, 1), QTime(12, 0), QTimeZone::utc());
        const int offset = zone.offsetFromUtc(midYear);
        const QDateTime start(QDate(1970, 1, 1), QTime(0, 0), QTimeZone::utc());
        vtimezone.append(Component::Node(
            observance(false, offset, offset, zone.abbreviation(midYear), {start}, {}, newline)));
    } else if (!appendYearlyRules(vtimezone, zone, year, changes, newline)) {
        appendExplicitChanges(vtimezone, zone, year, newline);
    }
    return vtimezone;
}

} // namespace store::ics
