#pragma once

#include "data/location/ContactPlaces.h"
#include "platform/geo/Geocoder.h"
#include "platform/store/Alarm.h"

#include <QObject>
#include <QTimer>

#include <optional>

// One result of the location search: an address of the address book or a place the map
// search found.
struct LocationResult
{
    enum class Kind { Contact, MapItem };
    Kind kind = Kind::MapItem;
    QString text;
    ContactPlace contact;
    geo::Place place;
};

// The state of the location pop-over apart from its widgets: the address book's entries, the
// results for the typed text (address-book entries first, then map places), the alarm being
// prepared with its proximity and, once resolved, its place, and the validity text under the
// field. The pane turns the prepared alarm into a saved one.
class LocationSearch : public QObject
{
    Q_OBJECT

public:
    explicit LocationSearch(geo::Geocoder& geocoder, QObject* parent = nullptr);

    // The map search waits until typing pauses: the shared service is no autocomplete service.
    void setSearchDelay(int milliseconds) { m_delay.setInterval(milliseconds); }

    // Opening the pop-over: new address-book entries, arrival chosen, nothing typed or checked.
    void prepare(QList<ContactPlace> names);
    // The field's text changed (typed or chosen).
    void textChanged(const QString& text);
    // The drop-down's items and what they stand for, in the same order.
    QStringList resultTexts() const;
    const QList<LocationResult>& results() const { return m_results; }
    // The first result text that starts like `typed` (or that `typed` starts with), without
    // regard to case.
    QString completedString(const QString& typed) const;

    // The radio buttons; each then checks the field's text.
    void chooseArrival(const QString& fieldText);
    void chooseDeparture(const QString& fieldText);
    bool arrivalChosen() const { return m_arrival; }
    // Prepares the alarm for the field's text when it is one of the results.
    void checkValidLocation(const QString& fieldText);

    QString validityText() const { return m_validity; }
    bool hasPreparedAlarm() const { return m_proximity.has_value(); }
    // The text the prepared alarm was checked for.
    QString checkedText() const { return m_checkedText; }
    // The place and proximity Save would store for the field's text: only when nothing is
    // being checked, the place is resolved and the field still holds the checked text.
    std::optional<store::Alarm> alarmToSave(const QString& fieldText) const;

Q_SIGNALS:
    // The results changed; the drop-down opens when `open`, else it closes.
    void resultsChanged(bool open);
    void validityChanged(const QString& text);

private:
    void startMapSearch();
    void setResults(const QList<geo::Place>& places);
    void setValidity(const QString& text);
    void dropAlarm();

    geo::Geocoder& m_geocoder;
    QTimer m_delay;
    QList<ContactPlace> m_names;
    QList<LocationResult> m_results;
    QString m_text;
    QString m_validity;
    QString m_checkedText;
    bool m_arrival = true;
    // The alarm being prepared: its proximity, and its place once resolved.
    std::optional<store::Alarm::Proximity> m_proximity;
    std::optional<store::StructuredLocation> m_place;
    // Counts checks, so that a late address answer for an older check is dropped.
    quint64 m_check = 0;
};
