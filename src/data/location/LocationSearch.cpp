#include "data/location/LocationSearch.h"

#include "data/location/LocationAlarms.h"

#include <QPointer>

LocationSearch::LocationSearch(geo::Geocoder& geocoder, QObject* parent)
    : QObject(parent)
    , m_geocoder(geocoder)
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(700);
    connect(&m_delay, &QTimer::timeout, this, &LocationSearch::startMapSearch);
}

void LocationSearch::prepare(QList<ContactPlace> names)
{
    m_names = std::move(names);
    m_results.clear();
    m_text.clear();
    m_arrival = true;
    m_delay.stop();
    m_geocoder.cancelSearch();
    dropAlarm();
    setValidity(QString());
}

void LocationSearch::textChanged(const QString& text)
{
    m_text = text;
    if (text.isEmpty()) {
        dropAlarm();
        m_delay.stop();
        m_geocoder.cancelSearch();
        m_results.clear();
        Q_EMIT resultsChanged(false);
        return;
    }
    setValidity(QString());
    // The address book answers at once; the map's places join when the service has answered.
    setResults({});
    m_geocoder.cancelSearch();
    m_delay.start();
}

void LocationSearch::startMapSearch()
{
    const QString text = m_text;
    const QPointer<LocationSearch> self(this);
    m_geocoder.search(text, [self, this, text](bool ok, const QList<geo::Place>& places) {
        // A failed search leaves the address book's entries alone, as on a system without
        // map search.
        if (self && ok && text == m_text)
            setResults(places);
    });
}

void LocationSearch::setResults(const QList<geo::Place>& places)
{
    m_results.clear();
    for (const ContactPlace& contact : ContactPlaces::matching(m_names, m_text))
        m_results << LocationResult{LocationResult::Kind::Contact, contact.string, contact, {}};
    for (const geo::Place& place : places)
        m_results << LocationResult{LocationResult::Kind::MapItem, place.name, {}, place};
    Q_EMIT resultsChanged(!m_results.isEmpty());
}

QStringList LocationSearch::resultTexts() const
{
    QStringList texts;
    for (const LocationResult& result : m_results)
        texts << result.text;
    return texts;
}

QString LocationSearch::completedString(const QString& typed) const
{
    for (const LocationResult& result : m_results) {
        const qsizetype length = std::min(typed.size(), result.text.size());
        if (QStringView(result.text)
                .left(length)
                .compare(QStringView(typed).left(length), Qt::CaseInsensitive) == 0)
            return result.text;
    }
    return {};
}

void LocationSearch::chooseArrival(const QString& fieldText)
{
    m_arrival = true;
    checkValidLocation(fieldText);
}

void LocationSearch::chooseDeparture(const QString& fieldText)
{
    m_arrival = false;
    checkValidLocation(fieldText);
}

void LocationSearch::checkValidLocation(const QString& fieldText)
{
    m_checkedText = fieldText;
    const qsizetype index = resultTexts().indexOf(fieldText);
    if (index < 0) {
        setValidity(tr("Location is not valid"));
        return;
    }
    setValidity(QString());
    const LocationResult result = m_results.at(index);
    const quint64 check = ++m_check;
    m_proximity = m_arrival ? store::Alarm::Proximity::Enter : store::Alarm::Proximity::Leave;
    m_place.reset();
    if (result.kind == LocationResult::Kind::MapItem) {
        m_place = store::StructuredLocation{fieldText, result.place.latitude,
                                            result.place.longitude, LocationAlarms::kRadius, true};
        return;
    }
    setValidity(tr("validating.."));
    // The geocoder may outlive the pop-over that asked.
    const QPointer<LocationSearch> self(this);
    m_geocoder.geocodeAddress(result.contact.postal, [self, this, check, fieldText](
                                                         bool, const QList<geo::Place>& places) {
        if (!self || check != m_check)
            return;
        if (places.isEmpty()) {
            dropAlarm();
            setValidity(tr("Location is not valid"));
            return;
        }
        m_place =
            store::StructuredLocation{fieldText, places.first().latitude, places.first().longitude,
                                      LocationAlarms::kRadius, true};
        setValidity(QString());
    });
}

std::optional<store::Alarm> LocationSearch::alarmToSave(const QString& fieldText) const
{
    if (!m_validity.isEmpty() || !m_proximity || !m_place || fieldText != m_checkedText ||
        m_place->title != fieldText)
        return std::nullopt;
    return store::Alarm::withLocation(*m_place, *m_proximity);
}

void LocationSearch::setValidity(const QString& text)
{
    if (text == m_validity)
        return;
    m_validity = text;
    Q_EMIT validityChanged(text);
}

void LocationSearch::dropAlarm()
{
    ++m_check;
    m_checkedText.clear();
    m_proximity.reset();
    m_place.reset();
}
