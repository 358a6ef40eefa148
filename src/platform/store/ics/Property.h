#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace store::ics {

// A parameter of a content line with its values decoded: quotes removed and the ^n ^' ^^
// escapes resolved.
struct Parameter
{
    QByteArray name;
    QList<QByteArray> values;
};

// iCalendar names (properties, parameters, components) are case-insensitive ASCII.
bool sameName(QByteArrayView a, QByteArrayView b);

// One logical line of a file: a property, a BEGIN/END line, or whatever else a file holds
// (blank lines, junk). It keeps the exact bytes it was read from, folds and line endings
// included, so an untouched line is written back unchanged; name, parameters and value are
// located lazily in the unfolded text.
class Property
{
public:
    Property() = default;

    // A line as read: its physical lines with their endings.
    static Property fromRaw(QByteArray raw);
    // A new line, folded at 75 octets, each physical line ended with `newline`.
    static Property build(QByteArrayView name, const QList<Parameter>& parameters,
                          QByteArrayView value, QByteArrayView newline);
    // A TEXT property with its value escaped.
    static Property text(QByteArrayView name, const QString& value, QByteArrayView newline);

    const QByteArray& raw() const { return m_raw; }
    // The unfolded line without its line ending.
    QByteArrayView content() const;

    // A line with a name and a value separator (everything else is kept but not read).
    bool isContentLine() const { return m_valueOffset >= 0; }
    bool isBlank() const;
    QByteArrayView name() const { return content().first(m_nameLength); }
    bool is(QByteArrayView propertyName) const
    {
        return isContentLine() && sameName(name(), propertyName);
    }

    // The value as written, escapes intact.
    QByteArrayView value() const;
    // The value as TEXT: unescaped and decoded from UTF-8.
    QString text() const;
    // The value with surrounding blanks removed, as most typed values are read.
    QByteArrayView trimmedValue() const;

    // The first value of the named parameter; nullopt when the line has none.
    std::optional<QByteArray> parameter(QByteArrayView parameterName) const;
    QList<Parameter> parameters() const;

private:
    void locate();

    QByteArray m_raw;
    QByteArray m_unfolded;         // only for folded lines; else the content is in m_raw
    qsizetype m_contentLength = 0; // of an unfolded line within m_raw
    qsizetype m_nameLength = 0;
    qsizetype m_valueOffset = -1;
    bool m_folded = false;
};

// TEXT escaping: backslash, semicolon, comma and line breaks.
QString unescapeText(QByteArrayView value);
QByteArray escapeText(const QString& text);
// A parameter value ready to write: ^-escaped and quoted when it holds ; : or ,.
QByteArray encodeParameterValue(QByteArrayView value);
// Splits a content line into physical lines of at most 75 octets, never inside a UTF-8
// sequence, each ended with `newline`.
QByteArray foldLine(QByteArrayView content, QByteArrayView newline);

} // namespace store::ics
