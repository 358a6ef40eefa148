#include "cli/JsonWriter.h"

#include <QLocale>

namespace {

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

// UTF-8 with JSON's escapes, as QJsonDocument writes strings: a lone surrogate becomes \uXXXX.
// Written through a pointer into room made once (no unit takes more than six bytes): appending
// byte by byte checked the buffer's capacity for every character of every title and note.
void appendEscaped(QByteArray& buffer, const QString& text)
{
    const qsizetype before = buffer.size();
    buffer.resize(before + 6 * text.size());
    char* out = buffer.data() + before;
    const char16_t* at = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* const end = at + text.size();
    while (at != end) {
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
            const char32_t code = QChar::surrogateToUcs4(unit, *at++);
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
    buffer.resize(out - buffer.constData());
}

} // namespace

void JsonWriter::newline()
{
    // Appended as text: appending a count of spaces inserts them one by one, and every key of
    // every task goes on a line of its own.
    static constexpr char kSpaces[] = "                ";
    constexpr qsizetype kRun = sizeof(kSpaces) - 1;
    m_out += '\n';
    for (qsizetype indent = m_open.size() * 4; indent > 0; indent -= kRun)
        m_out.append(kSpaces, qMin(indent, kRun));
}

void JsonWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_open.isEmpty())
        return;
    if (m_open.last())
        m_out += ',';
    m_open.last() = true;
    newline();
}

void JsonWriter::close(char bracket)
{
    m_open.removeLast();
    newline();
    m_out += bracket;
    if (m_open.isEmpty())
        m_out += '\n';
    flushWhenLarge();
}

void JsonWriter::flushWhenLarge()
{
    // Chunks of this size keep the buffer from ever growing again, and the writes few.
    constexpr qsizetype kChunk = 64 * 1024;
    if (m_sink && m_open.size() <= 1 && m_out.size() >= kChunk)
        flush();
}

void JsonWriter::beginArray()
{
    beforeValue();
    m_out += '[';
    m_open.append(false);
}

void JsonWriter::endArray()
{
    close(']');
}

void JsonWriter::beginObject()
{
    beforeValue();
    m_out += '{';
    m_open.append(false);
}

void JsonWriter::endObject()
{
    close('}');
}

void JsonWriter::key(QLatin1StringView name)
{
    beforeValue();
    m_out += '"';
    m_out += name;
    m_out += "\": ";
    m_afterKey = true;
}

void JsonWriter::string(const QString& text)
{
    beforeValue();
    m_out += '"';
    appendEscaped(m_out, text);
    m_out += '"';
}

void JsonWriter::stringOrNull(const QString& text)
{
    if (text.isEmpty())
        null();
    else
        string(text);
}

void JsonWriter::null()
{
    beforeValue();
    m_out += "null";
}

void JsonWriter::boolean(bool value)
{
    beforeValue();
    m_out += value ? "true" : "false";
}

void JsonWriter::integer(qint64 value)
{
    beforeValue();
    m_out += QByteArray::number(value);
}

void JsonWriter::number(double value)
{
    beforeValue();
    // Infinities and NaN have no JSON form.
    m_out += qIsFinite(value) ? QByteArray::number(value, 'g', QLocale::FloatingPointShortest)
                              : QByteArray("null");
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
        m_out += ',';
    m_open.last() = true;
    m_out += members;
    flushWhenLarge();
}

QByteArray JsonWriter::take()
{
    return std::exchange(m_out, {});
}

void JsonWriter::flush()
{
    if (!m_sink)
        return;
    std::fwrite(m_out.constData(), 1, size_t(m_out.size()), m_sink);
    std::fflush(m_sink);
    // Cleared in place: the next chunk reuses the same allocation.
    m_out.resize(0);
}
