#include "GeocoderTarget.h"

#include "data/location/ContactPlaces.h"

#include <QUrlQuery>

#include <cmath>

namespace {

// The parts as the service is asked for them: one line each, as UTF-8 carries them.
QString expectedPart(const QString& text)
{
    QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    for (QString& line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    return QString::fromUtf8(lines.join(QStringLiteral(", ")).toUtf8());
}

// A query the service reads as we meant it: only unreserved characters, '=' and '&' between
// the items, and percent escapes.
bool isCleanQuery(const QByteArray& query)
{
    for (const char c : query) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (!unreserved && c != '=' && c != '&' && c != '%')
            return false;
    }
    return true;
}

QStringList checkUrl(const QUrl& url, const QList<std::pair<QString, QString>>& expected)
{
    QStringList findings;
    if (!url.isValid())
        return {QStringLiteral("A query address is not valid: ") + url.errorString()};
    const QByteArray query = url.query(QUrl::FullyEncoded).toLatin1();
    if (!isCleanQuery(query))
        findings << QStringLiteral("A query holds unencoded characters: ") +
                        QString::fromLatin1(query.left(80));
    const QUrlQuery items(url);
    for (const auto& [key, value] : expected) {
        const QStringList values = items.allQueryItemValues(key, QUrl::FullyDecoded);
        if (values.size() != 1 || values.first() != value)
            findings
                << QStringLiteral("The query's %1 does not decode to the address's text").arg(key);
    }
    return findings;
}

contacts::PostalAddress addressOfLines(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    contacts::PostalAddress address;
    QString* parts[] = {&address.poBox,  &address.extended,   &address.street,  &address.locality,
                        &address.region, &address.postalCode, &address.country, &address.labelText};
    for (qsizetype i = 0; i < lines.size() && i < qsizetype(std::size(parts)); ++i)
        *parts[i] =
            QString::fromUtf8(lines.at(i)).replace(QLatin1String("\\n"), QLatin1String("\n"));
    return address;
}

} // namespace

GeocoderTarget::GeocoderTarget()
    : m_geocoder([] { return QStringLiteral("http://127.0.0.1:9/geocoder/"); })
{}

QStringList GeocoderTarget::checkAddress(const contacts::PostalAddress& address) const
{
    const QUrl url = m_geocoder.addressUrl(address);
    const std::pair<const char*, const QString*> parts[] = {{"street", &address.street},
                                                            {"city", &address.locality},
                                                            {"state", &address.region},
                                                            {"postalcode", &address.postalCode},
                                                            {"country", &address.country}};
    QList<std::pair<QString, QString>> expected;
    for (const auto& [key, value] : parts) {
        const QString part = expectedPart(*value);
        if (!part.isEmpty())
            expected.append({QLatin1String(key), part});
    }
    if (expected.isEmpty()) {
        const QString label = expectedPart(address.labelText);
        if (label.isEmpty())
            return url.isEmpty() ? QStringList()
                                 : QStringList{QStringLiteral("An empty address is searched")};
        expected.append({QStringLiteral("q"), label});
    }
    if (url.isEmpty())
        return {QStringLiteral("An address with text gives no query")};
    return checkUrl(url, expected);
}

QStringList GeocoderTarget::checkSearch(const QString& text) const
{
    const QUrl url = m_geocoder.searchUrl(text);
    if (text.trimmed().isEmpty())
        return url.isEmpty() ? QStringList()
                             : QStringList{QStringLiteral("An empty search asks the service")};
    if (url.isEmpty())
        return {QStringLiteral("A search text gives no query")};
    return checkUrl(url, {{QStringLiteral("q"), QString::fromUtf8(text.trimmed().toUtf8())}});
}

QStringList GeocoderTarget::run(QByteArrayView input)
{
    QStringList findings;
    const QByteArray bytes = input.toByteArray();
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArray contactSide = nul < 0 ? bytes : bytes.left(nul);
    const QByteArray answerSide = nul < 0 ? bytes : bytes.mid(nul + 1);

    const contacts::VCardReader::Result cards = contacts::VCardReader::read(contactSide);
    int checked = 0;
    for (const ContactPlace& place : ContactPlaces::fromContacts(cards.contacts, false)) {
        if (++checked > 16)
            break;
        findings << checkAddress(place.postal);
        findings << checkSearch(place.string);
    }
    findings << checkAddress(addressOfLines(contactSide));
    findings << checkSearch(QString::fromUtf8(contactSide.left(contactSide.indexOf('\n'))));

    bool ok = false;
    const QList<geo::Place> places = geo::Geocoder::parseAnswer(answerSide, &ok);
    if (!ok && !places.isEmpty())
        findings << QStringLiteral("An answer that is no array gives places");
    for (const geo::Place& place : places) {
        if (place.name.isEmpty() || place.name != place.name.trimmed())
            findings << QStringLiteral("A place has a blank or untrimmed name");
        if (!std::isfinite(place.latitude) || !std::isfinite(place.longitude) ||
            std::abs(place.latitude) > 90.0 || std::abs(place.longitude) > 180.0)
            findings << QStringLiteral("A place lies off the globe: %1, %2")
                            .arg(place.latitude)
                            .arg(place.longitude);
    }
    findings.removeDuplicates();
    return findings;
}
