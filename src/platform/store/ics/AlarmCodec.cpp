#include "platform/store/ics/AlarmCodec.h"

#include "platform/store/ics/ValueFormat.h"

namespace store::ics::AlarmCodec {

namespace {

enum class LocationKind { None, Location, Unsupported };

struct LocationRead
{
    LocationKind kind = LocationKind::None;
    StructuredLocation location;
    Alarm::Proximity proximity = Alarm::Proximity::None;
};

// "geo:52.52,13.405", "geo:40.443,-79.945;u=10", and todoman's "geo:52.52\,13.405".
bool parseGeoUri(QByteArrayView value, StructuredLocation& location)
{
    QByteArray text = value.trimmed().toByteArray();
    text.replace('\\', QByteArray());
    if (text.size() < 4 || !sameName(QByteArrayView(text).first(4), "geo:"))
        return false;
    const QList<QByteArray> parts = text.mid(4).split(';');
    const QList<QByteArray> coordinates = parts.first().split(',');
    if (coordinates.size() < 2)
        return false;
    bool latitudeOk = false;
    bool longitudeOk = false;
    const double latitude = coordinates.at(0).trimmed().toDouble(&latitudeOk);
    const double longitude = coordinates.at(1).trimmed().toDouble(&longitudeOk);
    if (!latitudeOk || !longitudeOk || qAbs(latitude) > 90 || qAbs(longitude) > 180)
        return false;
    location.latitude = latitude;
    location.longitude = longitude;
    location.hasGeoLocation = true;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray parameter = parts.at(i).trimmed();
        if (parameter.startsWith("u=") || parameter.startsWith("U=")) {
            bool ok = false;
            const double radius = parameter.mid(2).toDouble(&ok);
            if (ok && radius >= 0)
                location.radius = radius;
        }
    }
    return true;
}

// GEO:lat;lon (a comma is accepted too).
bool parseGeoProperty(const Property& geo, StructuredLocation& location)
{
    QByteArray text = geo.trimmedValue().toByteArray();
    text.replace('\\', QByteArray());
    text.replace(';', ',');
    return parseGeoUri("geo:" + text, location);
}

LocationRead readLocation(const Component& valarm)
{
    LocationRead result;
    const Property* proximity = valarm.property("X-APPLE-PROXIMITY");
    if (!proximity)
        proximity = valarm.property("PROXIMITY");
    if (proximity) {
        const QByteArrayView value = proximity->trimmedValue();
        if (sameName(value, "ARRIVE"))
            result.proximity = Alarm::Proximity::Enter;
        else if (sameName(value, "DEPART"))
            result.proximity = Alarm::Proximity::Leave;
        else
            return {LocationKind::Unsupported, {}, {}}; // CONNECT, DISCONNECT: vehicles
    }

    bool found = false;
    if (const Property* structured = valarm.property("X-APPLE-STRUCTURED-LOCATION")) {
        found = true;
        parseGeoUri(structured->value(), result.location);
        result.location.title =
            QString::fromUtf8(structured->parameter("X-TITLE").value_or(QByteArray()));
        // Without a title the address names the place, on one line.
        if (result.location.title.isEmpty()) {
            result.location.title =
                unescapeText(structured->parameter("X-ADDRESS").value_or(QByteArray()))
                    .replace(QLatin1Char('\n'), QStringLiteral(", "));
        }
        if (auto radius = structured->parameter("X-APPLE-RADIUS")) {
            bool ok = false;
            const double value = radius->toDouble(&ok);
            if (ok && value >= 0)
                result.location.radius = value;
        }
    } else if (const Component* place = valarm.child("VLOCATION")) {
        found = true;
        if (const Property* name = place->property("NAME"))
            result.location.title = name->text();
        if (const Property* url = place->property("URL"))
            parseGeoUri(url->value(), result.location);
        if (const Property* geo = place->property("GEO"); geo && !result.location.hasGeoLocation)
            parseGeoProperty(*geo, result.location);
    }
    if (!result.location.hasGeoLocation && (found || proximity)) {
        if (const Property* geo = valarm.property("GEO"))
            found = parseGeoProperty(*geo, result.location) || found;
    }
    if (found)
        result.kind = LocationKind::Location;
    else if (proximity)
        result.kind = LocationKind::Unsupported; // a proximity with no place to go to
    return result;
}

Component::Node line(QByteArrayView name, QByteArrayView value, QByteArrayView newline,
                     const QList<Parameter>& parameters = {})
{
    return Component::Node(Property::build(name, parameters, value, newline));
}

} // namespace

std::optional<Alarm> read(const Component& valarm, const ZoneResolver& zones,
                          const AlarmAnchors& anchors)
{
    QString uid;
    if (const Property* id = valarm.property("UID"))
        uid = id->text().trimmed();
    else if (const Property* alarmId = valarm.property("X-WR-ALARMUID"))
        uid = alarmId->text().trimmed();

    const LocationRead place = readLocation(valarm);
    if (place.kind == LocationKind::Unsupported)
        return std::nullopt;
    if (place.kind == LocationKind::Location) {
        Alarm alarm = Alarm::withLocation(place.location, place.proximity);
        alarm.uid = uid;
        return alarm;
    }

    const Property* trigger = valarm.property("TRIGGER");
    if (!trigger)
        return std::nullopt;
    const QByteArrayView value = trigger->trimmedValue();
    const std::optional<QByteArray> valueType = trigger->parameter("VALUE");
    const bool absolute = valueType
                              ? sameName(*valueType, "DATE-TIME")
                              : !value.isEmpty() && value.front() >= '0' && value.front() <= '9';
    Alarm alarm;
    if (absolute) {
        const std::optional<DateTimeValue> at = parseDateTime(*trigger);
        if (!at || (at->isUtc && value == locationSentinel))
            return std::nullopt;
        alarm = Alarm::withAbsoluteDate(zones.toDateTime(*at).toLocalTime());
    } else {
        const std::optional<Duration> offset = parseDuration(value);
        if (!offset)
            return std::nullopt;
        qint64 seconds = offset->totalSeconds();
        const std::optional<QByteArray> related = trigger->parameter("RELATED");
        if (related && sameName(related->trimmed(), "START") && anchors.start &&
            anchors.start->isValid() && anchors.due && anchors.due->isValid())
            seconds += anchors.due->toDateTime().secsTo(anchors.start->toDateTime());
        alarm = Alarm::withRelativeOffset(double(seconds));
    }
    alarm.uid = uid;
    return alarm;
}

Component write(const Alarm& alarm, const QString& description, const QString& uid,
                QByteArrayView newline)
{
    Component valarm("VALARM", newline);
    valarm.append(line("ACTION", "DISPLAY", newline));
    valarm.append(Component::Node(Property::text("DESCRIPTION", description, newline)));
    valarm.append(Component::Node(Property::text("UID", uid, newline)));
    valarm.append(Component::Node(Property::text("X-WR-ALARMUID", uid, newline)));
    if (alarm.structuredLocation) {
        const StructuredLocation& place = *alarm.structuredLocation;
        valarm.append(line("TRIGGER", locationSentinel, newline, {{"VALUE", {"DATE-TIME"}}}));
        if (alarm.proximity != Alarm::Proximity::None) {
            valarm.append(line("X-APPLE-PROXIMITY",
                               alarm.proximity == Alarm::Proximity::Enter ? "ARRIVE" : "DEPART",
                               newline));
        }
        QList<Parameter> parameters{{"VALUE", {"URI"}}};
        if (place.radius > 0)
            parameters.append(Parameter{"X-APPLE-RADIUS", {formatNumber(place.radius)}});
        parameters.append(Parameter{"X-TITLE", {place.title.toUtf8()}});
        const QByteArray geo = place.hasGeoLocation ? "geo:" + formatNumber(place.latitude) + ',' +
                                                          formatNumber(place.longitude)
                                                    : QByteArray();
        valarm.append(line("X-APPLE-STRUCTURED-LOCATION", geo, newline, parameters));
    } else if (alarm.hasRelativeOffset) {
        valarm.append(line("TRIGGER", formatDuration(qRound64(alarm.relativeOffset)), newline,
                           {{"RELATED", {"END"}}}));
    } else {
        valarm.append(
            line("TRIGGER", formatUtc(alarm.absoluteDate), newline, {{"VALUE", {"DATE-TIME"}}}));
    }
    return valarm;
}

} // namespace store::ics::AlarmCodec
