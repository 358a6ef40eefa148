#pragma once

#include "platform/contacts/VCardReader.h"

#include <QList>
#include <QLocale>
#include <QString>

// One postal address of the address book as the location search offers it.
struct ContactPlace
{
    QString name;        // the person's name, or the organisation for a card without one
    QString address;     // the address on one line
    QString addressType; // the address's label, localised and capitalised; "" without one
    QString string;      // what the search matches and the drop-down shows
    contacts::PostalAddress postal; // what the geocoder is asked for

    bool operator==(const ContactPlace&) const = default;
};

// The address-book side of the location search: the entries built from the cards, and which
// of them a typed text matches.
namespace ContactPlaces {

// Every postal address of every card, in the cards' order; addresses without any text are
// left out.
QList<ContactPlace> fromContacts(const QList<contacts::Contact>& cards, bool lastNameFirst);
// Whether names are written family name first where the user lives.
bool lastNameFirst(const QLocale& locale);
QString formattedAddress(const contacts::PostalAddress& address);
QString addressTypeTitle(const QString& label);
// The entries whose text holds every word of `text` (cut at single spaces), without regard
// to case. An empty word, from two spaces in a row or one at either end, is found nowhere.
QList<ContactPlace> matching(const QList<ContactPlace>& places, const QString& text);

} // namespace ContactPlaces
