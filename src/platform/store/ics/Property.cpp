#include "platform/store/ics/Property.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace store::ics {

namespace {

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

bool isBlankByte(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}

QByteArray decodeParameterValue(QByteArrayView value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.sliced(1, value.size() - 2);
    if (!value.contains('^'))
        return value.toByteArray();
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '^' && i + 1 < value.size()) {
            const char next = value[i + 1];
            if (next == 'n' || next == 'N') {
                out += '\n';
                ++i;
                continue;
            }
            if (next == '\'') {
                out += '"';
                ++i;
                continue;
            }
            if (next == '^') {
                out += '^';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// The next value of a parameter's comma-separated list starting at `i` (quotes kept), with
// `i` moved past it; -1 in `i` for an unterminated quote.
QByteArrayView nextParameterValue(QByteArrayView line, qsizetype& i)
{
    const qsizetype n = line.size();
    const qsizetype start = i;
    if (i < n && line[i] == '"') {
        const void* close = std::memchr(line.data() + i + 1, '"', size_t(n - i - 1));
        if (!close) {
            i = -1;
            return {};
        }
        i = static_cast<const char*>(close) - line.data() + 1;
    } else {
        while (i < n && line[i] != ',' && line[i] != ';' && line[i] != ':')
            ++i;
    }
    return line.sliced(start, i - start);
}

// Walks the parameters of an unfolded line, handing each name and the offset of its values
// to `visit`, which returns false to stop. Returns the offset of the value separator, or -1
// when the line has none (or an unterminated quote).
template <typename Visit>
qsizetype walkParameters(QByteArrayView line, qsizetype nameLength, Visit&& visit)
{
    const qsizetype n = line.size();
    qsizetype i = nameLength;
    while (i < n && line[i] == ';') {
        ++i;
        const qsizetype nameStart = i;
        while (i < n && line[i] != '=' && line[i] != ';' && line[i] != ':')
            ++i;
        const QByteArrayView parameterName = line.sliced(nameStart, i - nameStart);
        qsizetype valuesStart = -1;
        if (i < n && line[i] == '=') {
            valuesStart = ++i;
            for (;;) {
                nextParameterValue(line, i);
                if (i < 0)
                    return -1;
                if (i < n && line[i] == ',') {
                    ++i;
                    continue;
                }
                break;
            }
        }
        if (!visit(parameterName, valuesStart))
            return -2;
    }
    return (i < n && line[i] == ':') ? i : -1;
}

// The decoded values of a parameter whose list starts at `i`.
QList<QByteArray> parameterValues(QByteArrayView line, qsizetype i)
{
    QList<QByteArray> values;
    if (i < 0)
        return values;
    for (;;) {
        values.append(decodeParameterValue(nextParameterValue(line, i)));
        if (i < 0 || i >= line.size() || line[i] != ',')
            return values;
        ++i;
    }
}

} // namespace

bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

Property Property::fromRaw(QByteArray raw)
{
    Property property;
    property.m_raw = std::move(raw);
    const char* data = property.m_raw.constData();
    const qsizetype size = property.m_raw.size();
    const char* firstBreak = static_cast<const char*>(std::memchr(data, '\n', size_t(size)));
    if (!firstBreak || firstBreak - data + 1 >= size) {
        qsizetype length = firstBreak ? firstBreak - data : size;
        if (firstBreak && length > 0 && data[length - 1] == '\r')
            --length;
        property.m_contentLength = length;
    } else {
        // Folded: each continuation line starts with the one blank that marks it.
        property.m_folded = true;
        property.m_unfolded.reserve(size);
        qsizetype pos = 0;
        while (pos < size) {
            const char* lineBreak =
                static_cast<const char*>(std::memchr(data + pos, '\n', size_t(size - pos)));
            const qsizetype breakAt = lineBreak ? lineBreak - data : size;
            qsizetype end = breakAt;
            if (lineBreak && end > pos && data[end - 1] == '\r')
                --end;
            const qsizetype start = pos == 0 ? 0 : qMin(pos + 1, end);
            property.m_unfolded.append(data + start, end - start);
            pos = breakAt + 1;
        }
    }
    property.locate();
    return property;
}

Property Property::build(QByteArrayView name, const QList<Parameter>& parameters,
                         QByteArrayView value, QByteArrayView newline)
{
    QByteArray line;
    line.reserve(name.size() + value.size() + 16);
    line.append(name);
    for (const Parameter& parameter : parameters) {
        line += ';';
        line += parameter.name;
        line += '=';
        for (qsizetype i = 0; i < parameter.values.size(); ++i) {
            if (i > 0)
                line += ',';
            line += encodeParameterValue(parameter.values.at(i));
        }
    }
    line += ':';
    line.append(value);
    return fromRaw(foldLine(line, newline));
}

Property Property::text(QByteArrayView name, const QString& value, QByteArrayView newline)
{
    return build(name, {}, escapeText(value), newline);
}

QByteArrayView Property::content() const
{
    if (m_folded)
        return QByteArrayView(m_unfolded);
    return QByteArrayView(m_raw.constData(), m_contentLength);
}

bool Property::isBlank() const
{
    for (const char c : m_raw) {
        if (!isBlankByte(c))
            return false;
    }
    return true;
}

QByteArrayView Property::value() const
{
    if (m_valueOffset < 0)
        return {};
    return content().sliced(m_valueOffset);
}

QString Property::text() const
{
    return unescapeText(value());
}

QByteArrayView Property::trimmedValue() const
{
    return value().trimmed();
}

std::optional<QByteArray> Property::parameter(QByteArrayView parameterName) const
{
    if (m_valueOffset < 0 || m_valueOffset == m_nameLength + 1)
        return std::nullopt;
    std::optional<QByteArray> found;
    const QByteArrayView line = content();
    walkParameters(line, m_nameLength, [&](QByteArrayView name, qsizetype values) {
        if (!sameName(name.trimmed(), parameterName))
            return true;
        if (values < 0) {
            found = QByteArray();
        } else {
            qsizetype i = values;
            found = decodeParameterValue(nextParameterValue(line, i));
        }
        return false;
    });
    return found;
}

QList<Parameter> Property::parameters() const
{
    QList<Parameter> result;
    if (m_valueOffset < 0)
        return result;
    const QByteArrayView line = content();
    walkParameters(line, m_nameLength, [&](QByteArrayView name, qsizetype values) {
        result.append({name.toByteArray(), parameterValues(line, values)});
        return true;
    });
    return result;
}

void Property::locate()
{
    const QByteArrayView line = content();
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n && line[i] != ';' && line[i] != ':')
        ++i;
    m_nameLength = i;
    if (i == 0 || i == n) {
        m_valueOffset = -1;
        return;
    }
    if (line[i] == ':') {
        m_valueOffset = i + 1;
        return;
    }
    const qsizetype separator =
        walkParameters(line, m_nameLength, [](QByteArrayView, qsizetype) { return true; });
    m_valueOffset = separator >= 0 ? separator + 1 : -1;
}

namespace {

// A value that begins with U+FEFF keeps it: QString::fromUtf8() takes it for a byte-order mark
// and drops it, and the value would no longer read as it was written.
QString textFromUtf8(QByteArrayView bytes)
{
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(bytes);
}

} // namespace

// TEXT carries no control characters but tabs and escaped line breaks, and escapeText() drops
// the others. Reading drops them too, so that a value reads the same after it is written back;
// a bare CR, which only a damaged file holds, is read as the line break it is written as.
QString unescapeText(QByteArrayView value)
{
    const auto plain = [](char c) {
        return c != '\\' && (static_cast<unsigned char>(c) >= 0x20 || c == '\t');
    };
    if (std::all_of(value.begin(), value.end(), plain))
        return textFromUtf8(value);
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            // Writers escape more than TEXT needs ("\:" is common); the character itself is
            // meant.
            c = (next == 'n' || next == 'N') ? '\n' : next;
        }
        if (c == '\r')
            c = '\n';
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n')
            out += c;
    }
    return textFromUtf8(out);
}

QByteArray escapeText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 8);
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case ';':
            out += "\\;";
            break;
        case ',':
            out += "\\,";
            break;
        case '\r':
            out += "\\n";
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            // Other control characters have no escape in TEXT and break readers.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
                out += c;
        }
    }
    return out;
}

QByteArray encodeParameterValue(QByteArrayView value)
{
    QByteArray out;
    out.reserve(value.size() + 2);
    bool needsQuotes = false;
    for (const char c : value) {
        switch (c) {
        case '^':
            out += "^^";
            break;
        case '\n':
            out += "^n";
            break;
        case '"':
            out += "^'";
            break;
        case '\r':
            break;
        case ';':
        case ':':
        case ',':
            needsQuotes = true;
            out += c;
            break;
        default:
            out += c;
        }
    }
    if (needsQuotes)
        return '"' + out + '"';
    return out;
}

QByteArray foldLine(QByteArrayView content, QByteArrayView newline)
{
    QByteArray out;
    const qsizetype n = content.size();
    out.reserve(n + (n / 74 + 1) * (newline.size() + 1));
    qsizetype pos = 0;
    bool first = true;
    do {
        const qsizetype limit = first ? 75 : 74;
        qsizetype cut = n;
        if (n - pos > limit) {
            cut = pos + limit;
            while (cut > pos && (static_cast<unsigned char>(content[cut]) & 0xC0) == 0x80)
                --cut;
            if (cut == pos)
                cut = pos + limit;
        }
        if (!first)
            out += ' ';
        out.append(content.sliced(pos, cut - pos));
        out.append(newline);
        pos = cut;
        first = false;
    } while (pos < n);
    return out;
}

} // namespace store::ics
