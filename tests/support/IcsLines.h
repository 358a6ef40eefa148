#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// What changed between two versions of an iCalendar file, by property: an edit that touches
// one attribute must leave every other line as it was. The stamps a save always renews
// (DTSTAMP, LAST-MODIFIED, SEQUENCE) and added time-zone definitions are not counted; a line
// inside an alarm counts as "VALARM".
namespace IcsLines {

inline QList<QByteArray> unfolded(const QByteArray& file)
{
    QList<QByteArray> lines;
    for (QByteArray line : file.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!lines.isEmpty() && (line.startsWith(' ') || line.startsWith('\t')))
            lines.last() += line.mid(1);
        else if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

inline QByteArray nameOf(const QByteArray& line)
{
    const qsizetype colon = line.indexOf(':');
    const qsizetype semicolon = line.indexOf(';');
    return line.left(semicolon >= 0 && (colon < 0 || semicolon < colon) ? semicolon : colon);
}

// The counted lines, each tagged with the property it belongs to.
inline QList<QPair<QByteArray, QByteArray>> counted(const QByteArray& file)
{
    QList<QPair<QByteArray, QByteArray>> result;
    QList<QByteArray> components;
    for (const QByteArray& line : unfolded(file)) {
        const QByteArray name = nameOf(line);
        if (name == "BEGIN" || name == "END") {
            if (name == "BEGIN")
                components << line.mid(6);
            if (!components.isEmpty() && components.last() == "VALARM")
                result << qMakePair(QByteArray("VALARM"), line);
            if (name == "END" && !components.isEmpty())
                components.removeLast();
            continue;
        }
        if (components.contains("VTIMEZONE") || name == "DTSTAMP" || name == "LAST-MODIFIED" ||
            name == "SEQUENCE")
            continue;
        result << qMakePair(components.contains("VALARM") ? QByteArray("VALARM") : name, line);
    }
    return result;
}

// The properties whose lines differ, sorted.
inline QStringList changedProperties(const QByteArray& before, const QByteArray& after)
{
    QList<QPair<QByteArray, QByteArray>> a = counted(before);
    QList<QPair<QByteArray, QByteArray>> b = counted(after);
    QStringList names;
    for (const auto& line : std::as_const(a)) {
        const qsizetype at = b.indexOf(line);
        if (at >= 0)
            b.removeAt(at);
        else
            names << QString::fromUtf8(line.first);
    }
    for (const auto& line : std::as_const(b))
        names << QString::fromUtf8(line.first);
    names.removeDuplicates();
    names.sort();
    return names;
}

// The value of the first line of `property` outside the time-zone definitions.
inline QByteArray value(const QByteArray& file, const QByteArray& property)
{
    for (const auto& [name, line] : counted(file)) {
        if (nameOf(line) == property)
            return line.mid(line.indexOf(':') + 1);
    }
    return {};
}

} // namespace IcsLines
