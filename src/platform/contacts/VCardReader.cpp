#include "platform/contacts/VCardReader.h"

#include <QHash>
#include <QStringDecoder>

#include <optional>

namespace contacts {

namespace {

struct Property
{
    QByteArray group;                      // lower case, "" without one
    QByteArray name;                       // upper case
    QHash<QByteArray, QStringList> params; // upper-case keys; bare 2.1 types go under "TYPE"
    QByteArray value;
};

// Parameter values may be quoted, and carry the caret escapes of RFC 6868.
QString parameterText(QByteArray raw)
{
    if (raw.size() >= 2 && raw.startsWith('"') && raw.endsWith('"'))
        raw = raw.mid(1, raw.size() - 2);
    QString text = QString::fromUtf8(raw);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'^' && i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if (next == u'n' || next == u'N' || next == u'^' || next == u'\'') {
                out += next == u'^' ? QChar(u'^') : next == u'\'' ? QChar(u'"') : QChar(u'\n');
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// Splits at `separator` outside double quotes.
QList<QByteArray> splitOutsideQuotes(const QByteArray& text, char separator)
{
    QList<QByteArray> parts;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == separator && !quoted) {
            parts << text.mid(start, i - start);
            start = i + 1;
        }
    }
    parts << text.mid(start);
    return parts;
}

// The position of the colon that ends the name and parameters, or -1.
qsizetype valueColon(const QByteArray& line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return -1;
}

std::optional<Property> parseLine(const QByteArray& line)
{
    const qsizetype colon = valueColon(line);
    if (colon <= 0)
        return std::nullopt;
    const QList<QByteArray> head = splitOutsideQuotes(line.left(colon), ';');
    Property property;
    QByteArray name = head.first().trimmed();
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0) {
        property.group = name.left(dot).toLower();
        name = name.mid(dot + 1);
    }
    if (name.isEmpty())
        return std::nullopt;
    property.name = name.toUpper();
    for (qsizetype i = 1; i < head.size(); ++i) {
        const QByteArray param = head[i].trimmed();
        const qsizetype equals = param.indexOf('=');
        const QByteArray key = equals < 0 ? QByteArray("TYPE") : param.left(equals).toUpper();
        const QByteArray values = equals < 0 ? param : param.mid(equals + 1);
        // A quoted LABEL is one value even when it holds commas.
        const QList<QByteArray> list =
            key == "LABEL" ? QList<QByteArray>{values} : splitOutsideQuotes(values, ',');
        for (const QByteArray& value : list)
            property.params[key] << parameterText(value.trimmed());
    }
    property.value = line.mid(colon + 1);
    return property;
}

bool hasParam(const Property& property, const QByteArray& key, const QString& value)
{
    for (const QString& v : property.params.value(key))
        if (v.compare(value, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool isQuotedPrintable(const QByteArray& headUpper)
{
    return headUpper.contains("QUOTED-PRINTABLE");
}

QByteArray decodeQuotedPrintable(const QByteArray& in)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '=' && i + 2 < in.size()) {
            bool ok = false;
            const int byte = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += char(byte);
                i += 2;
                continue;
            }
        }
        out += in[i];
    }
    return out;
}

// Text of a value: the CHARSET parameter when given, else UTF-8, else the Windows code page
// most old address books wrote.
QString decodeText(const Property& property)
{
    QByteArray bytes = property.value;
    if (hasParam(property, "ENCODING", QStringLiteral("QUOTED-PRINTABLE")) ||
        hasParam(property, "TYPE", QStringLiteral("QUOTED-PRINTABLE")))
        bytes = decodeQuotedPrintable(bytes);
    const QStringList charsets = property.params.value("CHARSET");
    if (!charsets.isEmpty()) {
        QStringDecoder decoder(charsets.first().toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252");
    if (windows.isValid())
        return windows.decode(bytes);
    return QString::fromLatin1(bytes);
}

QString unescaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            out += (next == u'n' || next == u'N') ? QChar(u'\n') : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The components of a structured value (N, ADR, ORG), split at unescaped semicolons.
QStringList components(const QString& text)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (text[i] == u';') {
            parts << unescaped(text.mid(start, i - start)).trimmed();
            start = i + 1;
        }
    }
    parts << unescaped(text.mid(start)).trimmed();
    return parts;
}

// Address book programs write their own labels in a frame: "_$!<Home>!$_".
QString plainLabel(QString label)
{
    if (label.startsWith(QLatin1String("_$!<")) && label.endsWith(QLatin1String(">!$_")))
        label = label.mid(4, label.size() - 8);
    if (label.startsWith(QLatin1String("x-"), Qt::CaseInsensitive))
        label = label.mid(2);
    return label.trimmed();
}

// The first TYPE that names the address rather than its use in delivery.
QString labelOfTypes(const QStringList& types)
{
    static const QStringList technical = {
        QStringLiteral("pref"),    QStringLiteral("dom"),    QStringLiteral("intl"),
        QStringLiteral("postal"),  QStringLiteral("parcel"), QStringLiteral("quoted-printable"),
        QStringLiteral("base64"),  QStringLiteral("b"),      QStringLiteral("8bit"),
        QStringLiteral("internet")};
    for (const QString& type : types) {
        if (type.isEmpty() || technical.contains(type, Qt::CaseInsensitive))
            continue;
        if (type.startsWith(QLatin1String("charset="), Qt::CaseInsensitive))
            continue;
        return plainLabel(type);
    }
    return {};
}

class CardBuilder
{
public:
    void add(const Property& property)
    {
        const QByteArray& name = property.name;
        if (name == "FN") {
            m_contact.formattedName = unescaped(decodeText(property)).trimmed();
        } else if (name == "N") {
            const QStringList parts = components(decodeText(property));
            m_contact.lastName = parts.value(0);
            m_contact.firstName = parts.value(1);
        } else if (name == "ORG") {
            m_contact.organisation = components(decodeText(property)).value(0);
        } else if (name == "ADR") {
            addAddress(property);
        } else if (name == "X-ABLABEL" && !property.group.isEmpty()) {
            m_groupLabels.insert(property.group, plainLabel(unescaped(decodeText(property))));
        } else if (name == "LABEL" && !m_addressOfGroup.isEmpty()) {
            // The 3.0 form: a LABEL line after its ADR, tied to it by a group when grouped.
            const qsizetype index = m_addressOfGroup.value(property.group, -1);
            if (index >= 0 && m_contact.addresses[index].labelText.isEmpty())
                m_contact.addresses[index].labelText = unescaped(decodeText(property));
        }
    }

    Contact finish()
    {
        for (auto it = m_addressOfGroup.cbegin(); it != m_addressOfGroup.cend(); ++it) {
            const QString label = m_groupLabels.value(it.key());
            if (!it.key().isEmpty() && !label.isEmpty())
                m_contact.addresses[it.value()].label = label;
        }
        return m_contact;
    }

private:
    void addAddress(const Property& property)
    {
        const QStringList parts = components(decodeText(property));
        PostalAddress address;
        address.poBox = parts.value(0);
        address.extended = parts.value(1);
        address.street = parts.value(2);
        address.locality = parts.value(3);
        address.region = parts.value(4);
        address.postalCode = parts.value(5);
        address.country = parts.value(6);
        address.label = labelOfTypes(property.params.value("TYPE"));
        const QStringList labelParam = property.params.value("LABEL");
        if (!labelParam.isEmpty())
            address.labelText = unescaped(labelParam.first());
        m_contact.addresses << address;
        m_addressOfGroup.insert(property.group, m_contact.addresses.size() - 1);
    }

    Contact m_contact;
    QHash<QByteArray, qsizetype> m_addressOfGroup;
    QHash<QByteArray, QString> m_groupLabels;
};

// The logical lines of a file: line ends of any kind, folded lines joined, and the soft line
// breaks of quoted-printable values joined as well.
QList<QByteArray> logicalLines(const QByteArray& data)
{
    QList<QByteArray> lines;
    bool quotedPrintable = false;
    bool softBreak = false;
    for (QByteArray line : data.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const bool indented = line.startsWith(' ') || line.startsWith('\t');
        if (softBreak && !lines.isEmpty()) {
            lines.last().chop(1); // the "=" of the soft break
            lines.last() += indented ? line.mid(1) : line;
        } else if (indented && !lines.isEmpty()) {
            lines.last() += line.mid(1);
        } else {
            // Whether the value is quoted-printable is known from the line's start; looking
            // again at every continuation would make long folded values (photos) quadratic.
            const qsizetype colon = valueColon(line);
            quotedPrintable = colon > 0 && isQuotedPrintable(line.left(colon).toUpper());
            lines << line;
        }
        softBreak = quotedPrintable && lines.last().endsWith('=');
    }
    return lines;
}

bool isLine(const QByteArray& line, const char* text)
{
    return line.trimmed().compare(text, Qt::CaseInsensitive) == 0;
}

} // namespace

VCardReader::Result VCardReader::read(const QByteArray& data)
{
    Result result;
    std::optional<CardBuilder> card;
    bool broken = false;
    bool inBase64 = false;
    for (const QByteArray& line : logicalLines(data)) {
        if (isLine(line, "BEGIN:VCARD")) {
            // A card that never ended (a cut file) is lost, not the one that follows it.
            if (card)
                ++result.brokenCards;
            card.emplace();
            broken = false;
            inBase64 = false;
            continue;
        }
        if (!card)
            continue; // text between cards belongs to no card
        if (isLine(line, "END:VCARD")) {
            if (broken)
                ++result.brokenCards;
            else
                result.contacts << card->finish();
            card.reset();
            continue;
        }
        if (line.trimmed().isEmpty()) {
            inBase64 = false;
            continue;
        }
        const std::optional<Property> property = parseLine(line);
        if (!property) {
            // Old files continue base64 data on unindented lines up to an empty line.
            if (!inBase64)
                broken = true;
            continue;
        }
        inBase64 = hasParam(*property, "ENCODING", QStringLiteral("BASE64")) ||
                   hasParam(*property, "TYPE", QStringLiteral("BASE64"));
        card->add(*property);
    }
    if (card)
        ++result.brokenCards;
    return result;
}

} // namespace contacts
