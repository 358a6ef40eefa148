#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace contacts {

// One postal address of a contact, in the seven parts vCard gives it.
struct PostalAddress
{
    // The user's label for the address ("home", "work", "Holiday"), as the card writes it;
    // empty when it has none.
    QString label;
    QString poBox;
    QString extended;
    QString street;
    QString locality;
    QString region;
    QString postalCode;
    QString country;
    // The ready-made delivery label some programs add (LABEL); used when the parts are empty.
    QString labelText;

    bool operator==(const PostalAddress&) const = default;
};

// What the location search needs of one card: the parts of the name and the postal addresses.
struct Contact
{
    QString formattedName;
    QString firstName;
    QString lastName;
    QString organisation;
    QList<PostalAddress> addresses;
};

// Reads the cards of one vCard file (versions 2.1, 3.0 and 4.0): folded lines, escapes, the
// quoted-printable and character-set parameters of old files, grouped labels. A card that is
// not well formed is skipped and counted; the reader never fails as a whole.
class VCardReader
{
public:
    struct Result
    {
        QList<Contact> contacts;
        int brokenCards = 0;
    };

    static Result read(const QByteArray& data);
};

} // namespace contacts
