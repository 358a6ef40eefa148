#include "cli/JsonWriter.h"

#include <QLocale>

#include <charconv>
#include <cstring>

namespace {

// No character takes more than six bytes: \u escapes; UTF-8 of a surrogate pair is four for
// two units.
constexpr qsizetype kMostBytesPerUnit = 6;

char hexDigit(int value)
{
    value &= 0xf;
    return char(value < 10 ? '0' + value : 'a' + value - 10);
}

char* escapeUnit(char* out, char16_t unit)
{
    *out++ = '\\';
    *out++ = 'u';
    *out++ = hexDigit(unit >> 12);
    *out++ = hexDigit(unit >> 8);
    *out++ = hexDigit(unit >> 4);
    *out++ = hexDigit(unit);
    return out;
}

// Whether none of eight Latin-1 characters needs an escape or a second byte: each is printable
// ASCII other than a quote or a backslash. (Each test may only see a character where there is
// none when another of the eight is one: what passes is plain.)
bool plainAscii(quint64 eight)
{
    constexpr quint64 kOnes = 0x0101010101010101;
    constexpr quint64 kHighBits = 0x8080808080808080;
    const auto hasZero = [](quint64 v) { return (v - kOnes) & ~v & kHighBits; };
    return !(eight & kHighBits) && !((eight - 0x20 * kOnes) & kHighBits) &&
           !hasZero(eight ^ ('"' * kOnes)) && !hasZero(eight ^ ('\\' * kOnes));
}

// UTF-8 with JSON's escapes, as QJsonDocument writes strings: a lone surrogate becomes \uXXXX.
// `Unit` is char16_t for UTF-16 and uchar for Latin-1, whose characters are the first 256 of
// Unicode.
template <typename Unit> char* writeEscaped(char* out, const Unit* at, const Unit* const end)
{
    while (at != end) {
        if constexpr (sizeof(Unit) == 1) {
            // Most of a title or a note goes out as it is, eight characters at a time.
            while (end - at >= 8) {
                quint64 eight;
                std::memcpy(&eight, at, 8);
                if (!plainAscii(eight))
                    break;
                std::memcpy(out, &eight, 8);
                out += 8;
                at += 8;
            }
            if (at == end)
                break;
        }
        const char16_t unit = *at++;
        if (unit < 0x80) {
            if (unit >= 0x20 && unit != '"' && unit != '\\') {
                *out++ = char(unit);
                continue;
            }
            switch (unit) {
            case '"':
                *out++ = '\\';
                *out++ = '"';
                break;
            case '\\':
                *out++ = '\\';
                *out++ = '\\';
                break;
            case 0x8:
                *out++ = '\\';
                *out++ = 'b';
                break;
            case 0xc:
                *out++ = '\\';
                *out++ = 'f';
                break;
            case 0xa:
                *out++ = '\\';
                *out++ = 'n';
                break;
            case 0xd:
                *out++ = '\\';
                *out++ = 'r';
                break;
            case 0x9:
                *out++ = '\\';
                *out++ = 't';
                break;
            default:
                out = escapeUnit(out, unit);
            }
        } else if (unit < 0x800) {
            *out++ = char(0xc0 | (unit >> 6));
            *out++ = char(0x80 | (unit & 0x3f));
        } else if (QChar::isHighSurrogate(unit) && at != end && QChar::isLowSurrogate(*at)) {
            const char32_t code = QChar::surrogateToUcs4(unit, char16_t(*at++));
            *out++ = char(0xf0 | (code >> 18));
            *out++ = char(0x80 | ((code >> 12) & 0x3f));
            *out++ = char(0x80 | ((code >> 6) & 0x3f));
            *out++ = char(0x80 | (code & 0x3f));
        } else if (QChar::isSurrogate(unit)) {
            out = escapeUnit(out, unit);
        } else {
            *out++ = char(0xe0 | (unit >> 12));
            *out++ = char(0x80 | ((unit >> 6) & 0x3f));
            *out++ = char(0x80 | (unit & 0x3f));
        }
    }
    return out;
}

char* copy(char* out, QByteArrayView bytes)
{
    std::memcpy(out, bytes.data(), size_t(bytes.size()));
    return out + bytes.size();
}

} // namespace

char* JsonWriter::room(qsizetype count)
{
    if (m_out.size() - m_size < count)
        m_out.resize(std::max({m_size + count, 2 * m_out.size(), qsizetype(4096)}));
    // data() also detaches: a copied writer shares its bytes until it writes.
    return m_out.data() + m_size;
}

void JsonWriter::append(QByteArrayView bytes)
{
    wrote(copy(room(bytes.size()), bytes));
}

char* JsonWriter::newline(char* out) const
{
    *out++ = '\n';
    std::memset(out, ' ', size_t(indent()));
    return out + indent();
}

char* JsonWriter::startValue(qsizetype bytes)
{
    char* out = room(2 + indent() + bytes);
    if (m_afterKey) {
        m_afterKey = false;
        return out;
    }
    if (m_open.isEmpty())
        return out;
    if (m_open.last())
        *out++ = ',';
    m_open.last() = true;
    return newline(out);
}

void JsonWriter::close(char bracket)
{
    m_open.removeLast();
    char* out = newline(room(3 + indent()));
    *out++ = bracket;
    if (m_open.isEmpty())
        *out++ = '\n';
    wrote(out);
    flushWhenLarge();
}

void JsonWriter::flushWhenLarge()
{
    // Chunks of this size keep the buffer from ever growing again, and the writes few.
    constexpr qsizetype kChunk = 64 * 1024;
    if (m_sink && m_open.size() <= 1 && m_size >= kChunk)
        flush();
}

void JsonWriter::beginArray()
{
    char* out = startValue(1);
    *out++ = '[';
    wrote(out);
    m_open.append(false);
}

void JsonWriter::endArray()
{
    close(']');
}

void JsonWriter::beginObject()
{
    char* out = startValue(1);
    *out++ = '{';
    wrote(out);
    m_open.append(false);
}

void JsonWriter::endObject()
{
    close('}');
}

void JsonWriter::key(QLatin1StringView name)
{
    char* out = startValue(name.size() + 4);
    *out++ = '"';
    out = copy(out, name);
    out = copy(out, "\": ");
    wrote(out);
    m_afterKey = true;
}

template <typename Unit> void JsonWriter::quoted(const Unit* units, qsizetype size)
{
    char* out = startValue(2 + kMostBytesPerUnit * size);
    *out++ = '"';
    out = writeEscaped(out, units, units + size);
    *out++ = '"';
    wrote(out);
}

void JsonWriter::string(QStringView text)
{
    quoted(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

void JsonWriter::string(QLatin1StringView text)
{
    quoted(reinterpret_cast<const uchar*>(text.data()), text.size());
}

void JsonWriter::string(const store::CompactText& text)
{
    text.visit([this](auto view) { string(view); });
}

void JsonWriter::stringOrNull(QStringView text)
{
    if (text.isEmpty())
        null();
    else
        string(text);
}

void JsonWriter::stringOrNull(const store::CompactText& text)
{
    if (text.isEmpty())
        null();
    else
        string(text);
}

void JsonWriter::null()
{
    wrote(copy(startValue(4), "null"));
}

void JsonWriter::boolean(bool value)
{
    wrote(copy(startValue(5), value ? "true" : "false"));
}

void JsonWriter::integer(qint64 value)
{
    constexpr qsizetype kMostDigits = 20;
    char* out = startValue(kMostDigits);
    wrote(std::to_chars(out, out + kMostDigits, value).ptr);
}

void JsonWriter::number(double value)
{
    // Infinities and NaN have no JSON form.
    if (!qIsFinite(value)) {
        null();
        return;
    }
    if (m_lastNumberText.isNull() || value != m_lastNumber) {
        m_lastNumber = value;
        m_lastNumberText = QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
    }
    wrote(copy(startValue(m_lastNumberText.size()), m_lastNumberText));
}

JsonWriter JsonWriter::memberWriter() const
{
    Q_ASSERT(!m_open.isEmpty() && !m_afterKey);
    // At the same depth, as though no member came before: joinMembers() puts the comma.
    JsonWriter members;
    members.m_open = QList<bool>(m_open.size(), true);
    members.m_open.last() = false;
    return members;
}

void JsonWriter::joinMembers(const QByteArray& members)
{
    if (members.isEmpty())
        return;
    if (m_open.last())
        append(",");
    m_open.last() = true;
    append(members);
    flushWhenLarge();
}

QByteArray JsonWriter::take()
{
    m_out.truncate(m_size);
    m_size = 0;
    return std::exchange(m_out, {});
}

void JsonWriter::flush()
{
    if (!m_sink)
        return;
    std::fwrite(m_out.constData(), 1, size_t(m_size), m_sink);
    std::fflush(m_sink);
    // The room stays for the next chunk.
    m_size = 0;
}
