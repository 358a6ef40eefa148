#include "VCardTarget.h"

#include "data/location/ContactPlaces.h"
#include "platform/contacts/VCardReader.h"

namespace {

using contacts::Contact;
using contacts::VCardReader;

bool sameContact(const Contact& a, const Contact& b)
{
    return a.formattedName == b.formattedName && a.firstName == b.firstName &&
           a.lastName == b.lastName && a.organisation == b.organisation &&
           a.addresses == b.addresses;
}

bool sameContacts(const QList<Contact>& a, const QList<Contact>& b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(), sameContact);
}

bool hasLineBreak(const QString& text)
{
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(0x2028)) ||
           text.contains(QChar(0x2029));
}

} // namespace

QStringList VCardTarget::run(QByteArrayView input)
{
    QStringList findings;
    const QByteArray bytes = input.toByteArray();
    const VCardReader::Result result = VCardReader::read(bytes);

    // A line whose text ends in a carriage return has no LF form: there the return would be
    // read as part of the line end.
    QByteArray unixEnds = bytes;
    unixEnds.replace("\r\n", "\n");
    const VCardReader::Result lf = bytes.contains("\r\r") ? result : VCardReader::read(unixEnds);
    if (!sameContacts(result.contacts, lf.contacts) || result.brokenCards != lf.brokenCards)
        findings << QStringLiteral("The file reads differently with LF line ends: %1/%2 cards "
                                   "against %3/%4")
                        .arg(result.contacts.size())
                        .arg(result.brokenCards)
                        .arg(lf.contacts.size())
                        .arg(lf.brokenCards);

    // The empty line keeps a first line that starts with a space from continuing the card.
    static const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zed Sentinel\r\n"
                                   "N:Sentinel;Zed;;;\r\nEND:VCARD\r\n\r\n";
    const VCardReader::Result prefixed = VCardReader::read(card + bytes);
    if (prefixed.contacts.isEmpty() ||
        prefixed.contacts.first().formattedName != QLatin1String("Zed Sentinel") ||
        !sameContacts(prefixed.contacts.mid(1), result.contacts) ||
        prefixed.brokenCards != result.brokenCards)
        findings << QStringLiteral("A card put in front of the file changes what the file holds");

    for (const bool lastFirst : {false, true}) {
        for (const ContactPlace& place : ContactPlaces::fromContacts(result.contacts, lastFirst)) {
            if (place.address.isEmpty() || hasLineBreak(place.address))
                findings << QStringLiteral("An address offered is empty or not one line: ") +
                                place.address.left(60);
            if (hasLineBreak(place.addressType))
                findings << QStringLiteral("An address label is not one line");
            ContactPlaces::matching({place}, place.string);
        }
    }
    return findings;
}
