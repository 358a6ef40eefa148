#include "data/location/ContactPlaces.h"

#include <QCoreApplication>

namespace ContactPlaces {

namespace {

struct LocationPopoverText
{
    Q_DECLARE_TR_FUNCTIONS(LocationPopover)
};

QString oneLine(QString text)
{
    // A lone carriage return (a card written by hand on another system) or a Unicode line
    // separator breaks the line in the drop-down as much as a line feed does.
    for (QChar& c : text) {
        if (c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85) ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u'\n';
    }
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    return lines.join(QStringLiteral(", "));
}

} // namespace

bool lastNameFirst(const QLocale& locale)
{
    switch (locale.language()) {
    case QLocale::Chinese:
    case QLocale::Hungarian:
    case QLocale::Japanese:
    case QLocale::Korean:
    case QLocale::Vietnamese:
        return true;
    default:
        return false;
    }
}

QString formattedAddress(const contacts::PostalAddress& address)
{
    const QString town =
        QStringList{oneLine(address.postalCode), oneLine(address.locality)}.join(u' ').trimmed();
    QStringList parts{oneLine(address.poBox),  oneLine(address.extended),
                      oneLine(address.street), town,
                      oneLine(address.region), oneLine(address.country)};
    parts.removeAll(QString());
    if (parts.isEmpty())
        return oneLine(address.labelText);
    return parts.join(QStringLiteral(", "));
}

QString addressTypeTitle(const QString& label)
{
    // Shown in brackets after the name on one line of the drop-down, whatever the card holds.
    const QString flat = oneLine(label);
    const QString lower = flat.toLower();
    if (lower == QLatin1String("home"))
        return LocationPopoverText::tr("Home");
    if (lower == QLatin1String("work"))
        return LocationPopoverText::tr("Work");
    if (lower == QLatin1String("other"))
        return LocationPopoverText::tr("Other");
    QString title = flat;
    if (title.startsWith(QLatin1String("x-"), Qt::CaseInsensitive))
        title = title.mid(2);
    if (!title.isEmpty())
        title[0] = title[0].toUpper();
    return title;
}

QList<ContactPlace> fromContacts(const QList<contacts::Contact>& cards, bool lastFirst)
{
    QList<ContactPlace> places;
    for (const contacts::Contact& card : cards) {
        QString name;
        if (card.firstName.isEmpty() && card.lastName.isEmpty())
            name = card.organisation;
        else if (lastFirst)
            name = QStringLiteral("%1 %2").arg(card.lastName, card.firstName).trimmed();
        else
            name = QStringLiteral("%1 %2").arg(card.firstName, card.lastName).trimmed();
        // vCard 4.0 needs no N and many cards carry only the formatted name.
        if (name.isEmpty())
            name = card.formattedName;
        for (const contacts::PostalAddress& postal : card.addresses) {
            const QString address = formattedAddress(postal);
            if (address.isEmpty())
                continue;
            ContactPlace place;
            place.name = name;
            place.address = address;
            place.addressType = addressTypeTitle(postal.label);
            place.string = place.addressType.isEmpty()
                               ? name
                               : QStringLiteral("%1 (%2)").arg(name, place.addressType);
            place.postal = postal;
            places << place;
        }
    }
    return places;
}

QList<ContactPlace> matching(const QList<ContactPlace>& places, const QString& text)
{
    if (text.isEmpty())
        return {};
    const QStringList words = text.split(u' ');
    if (words.contains(QString()))
        return {};
    QList<ContactPlace> found;
    for (const ContactPlace& place : places) {
        const bool all = std::all_of(words.cbegin(), words.cend(), [&](const QString& word) {
            return place.string.contains(word, Qt::CaseInsensitive);
        });
        if (all)
            found << place;
    }
    return found;
}

} // namespace ContactPlaces
