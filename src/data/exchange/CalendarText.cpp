#include "data/exchange/CalendarText.h"

#include "platform/store/IcsItem.h"
#include "platform/store/ics/Component.h"
#include "platform/store/ics/DateTimeValue.h"
#include "platform/store/ics/TimeZones.h"

#include <QCoreApplication>
#include <QUuid>

namespace exchange {

namespace {

struct CalendarTextTr
{
    Q_DECLARE_TR_FUNCTIONS(CalendarText)
};

using store::ics::Component;
using store::ics::Property;

// One logical line: a physical line with the folded lines that continue it.
struct RawLine
{
    QByteArrayView raw;
    int number = 0;
};

QList<RawLine> logicalLines(const QByteArray& bytes)
{
    QList<RawLine> lines;
    qsizetype start = 0;
    int number = 1;
    while (start < bytes.size()) {
        qsizetype end = start;
        const int first = number;
        do {
            const qsizetype feed = bytes.indexOf('\n', end);
            end = feed < 0 ? bytes.size() : feed + 1;
            ++number;
        } while (end < bytes.size() && (bytes.at(end) == ' ' || bytes.at(end) == '\t'));
        lines.append({QByteArrayView(bytes).sliced(start, end - start), first});
        start = end;
    }
    return lines;
}

// "BEGIN" or "END" with the component's name in upper case; empty for any other line.
std::pair<QByteArray, QByteArray> beginOrEnd(QByteArrayView raw)
{
    const qsizetype colon = raw.indexOf(':');
    if (colon < 3 || colon > 5)
        return {};
    const QByteArray word = raw.first(colon).toByteArray().toUpper();
    if (word != "BEGIN" && word != "END")
        return {};
    QByteArray name = raw.sliced(colon + 1).toByteArray();
    name.replace("\r\n ", "").replace("\n ", "").replace("\r\n\t", "").replace("\n\t", "");
    return {word, name.trimmed().toUpper()};
}

QByteArray nameOfLine(QByteArrayView raw)
{
    qsizetype end = 0;
    while (end < raw.size() && raw.at(end) != ':' && raw.at(end) != ';')
        ++end;
    return raw.first(end).toByteArray().trimmed().toUpper();
}

void collectTzids(const Component& component, QSet<QByteArray>& tzids)
{
    for (const Component::Node& node : component.nodes()) {
        if (node.component)
            collectTzids(*node.component, tzids);
        else if (const std::optional<QByteArray> tzid = node.property.parameter("TZID"))
            tzids.insert(*tzid);
    }
}

// An item without a UID gets one made from its text, so that importing it again finds it.
QByteArray withUid(const QByteArray& block, const QByteArray& newline, QString* uid)
{
    static const QUuid madeUids(QStringLiteral("{4b0d5f61-8a53-4a4e-9f0e-2f4f0c6f7e19}"));
    *uid = QUuid::createUuidV5(madeUids, block).toString(QUuid::WithoutBraces).toUpper();
    const qsizetype afterBegin = block.indexOf('\n') + 1;
    QByteArray out = block;
    out.insert(afterBegin, "UID:" + uid->toLatin1() + newline);
    return out;
}

// One finished VTODO or VEVENT block, read into an item of its own; nullopt and a reason when
// it is broken.
struct ReadComponent
{
    CalendarItem item;
    bool isOverride = false;
};

std::optional<ReadComponent> readComponent(QByteArray block, ItemKind kind, int line,
                                           const QByteArray& newline, BrokenItem* broken)
{
    broken->line = line;
    QString error;
    std::optional<Component> document = Component::parseDocument(block, &error);
    const Component* component = document && !document->nodes().empty()
                                     ? document->nodes().front().component.get()
                                     : nullptr;
    if (!component) {
        broken->reason = error;
        return std::nullopt;
    }
    const Property* summary = component->property("SUMMARY");
    broken->title = summary ? summary->text().trimmed() : QString();
    for (const char* name : {"DTSTART", "DUE", "DTEND", "COMPLETED", "RECURRENCE-ID"}) {
        const Property* date = component->property(name);
        if (date && !store::ics::parseDateTime(*date)) {
            broken->reason =
                CalendarTextTr::tr("its %1 \"%2\" is not a date")
                    .arg(QLatin1StringView(name), QString::fromUtf8(date->trimmedValue()));
            return std::nullopt;
        }
    }
    if (kind == ItemKind::Event && !component->property("DTSTART")) {
        broken->reason = CalendarTextTr::tr("the event has no start (DTSTART)");
        return std::nullopt;
    }
    ReadComponent read;
    read.item.kind = kind;
    read.item.title = broken->title;
    read.item.line = line;
    read.isOverride = component->property("RECURRENCE-ID") != nullptr;
    const Property* uid = component->property("UID");
    read.item.uid = uid ? uid->text().trimmed() : QString();
    if (read.item.uid.isEmpty())
        block = withUid(block, newline, &read.item.uid);
    collectTzids(*component, read.item.tzids);
    read.item.components = {block};
    return read;
}

// Reads the lines of the calendars of a file into blocks: the calendar's own lines, its
// VTIMEZONEs and its items. A block left open when another item or the calendar's end comes
// is broken; what follows is read on.
class Splitter
{
public:
    explicit Splitter(CalendarText& text)
        : m_text(text)
    {}

    bool run(const QByteArray& bytes)
    {
        bool sawCalendar = false;
        for (const RawLine& line : logicalLines(bytes)) {
            const auto [word, name] = beginOrEnd(line.raw);
            if (!m_inCalendar) {
                if (word == "BEGIN" && name == "VCALENDAR")
                    m_inCalendar = sawCalendar = true;
                continue;
            }
            if (m_open.isEmpty()) {
                calendarLine(line, word, name);
                continue;
            }
            blockLine(line, word, name);
        }
        if (!m_open.isEmpty())
            abandon(CalendarTextTr::tr("the file ends before its END:%1")
                        .arg(QString::fromLatin1(m_open.constFirst())));
        return sawCalendar;
    }

    QList<std::pair<ReadComponent, int>> components;

private:
    void calendarLine(const RawLine& line, const QByteArray& word, const QByteArray& name)
    {
        if (word == "END" && name == "VCALENDAR") {
            m_inCalendar = false;
            m_headerDone = true;
        } else if (word == "BEGIN") {
            m_open = {name};
            m_block = line.raw.toByteArray();
            m_blockLine = line.number;
        } else if (!m_headerDone && !word.isEmpty()) {
            // A stray END: nothing to keep.
        } else if (!m_headerDone) {
            const QByteArray property = nameOfLine(line.raw);
            if (property == "VERSION" || property == "PRODID" || property == "CALSCALE")
                m_text.header.append(line.raw.toByteArray());
        }
    }

    void blockLine(const RawLine& line, const QByteArray& word, const QByteArray& name)
    {
        const bool isItem = name == "VTODO" || name == "VEVENT";
        if ((word == "END" && name == "VCALENDAR") || (word == "BEGIN" && isItem)) {
            abandon(CalendarTextTr::tr("its END:%1 is missing")
                        .arg(QString::fromLatin1(m_open.constFirst())));
            if (word == "END") {
                m_inCalendar = false;
                m_headerDone = true;
            } else {
                m_open = {name};
                m_block = line.raw.toByteArray();
                m_blockLine = line.number;
            }
            return;
        }
        m_block += line.raw;
        if (word == "BEGIN") {
            m_open.append(name);
        } else if (word == "END") {
            if (name != m_open.constLast()) {
                abandon(
                    CalendarTextTr::tr("END:%1 closes BEGIN:%2")
                        .arg(QString::fromLatin1(name), QString::fromLatin1(m_open.constLast())));
                return;
            }
            m_open.removeLast();
            if (m_open.isEmpty())
                finish(name);
        }
    }

    void finish(const QByteArray& name)
    {
        if (!m_block.endsWith('\n'))
            m_block += m_text.newline;
        if (name == "VTIMEZONE") {
            std::optional<Component> zone = Component::parseDocument(m_block, nullptr);
            const Component* component =
                zone && !zone->nodes().empty() ? zone->nodes().front().component.get() : nullptr;
            const Property* tzid = component ? component->property("TZID") : nullptr;
            if (tzid && !m_text.zones.contains(tzid->trimmedValue().toByteArray()))
                m_text.zones.insert(tzid->trimmedValue().toByteArray(), m_block);
        } else if (name == "VTODO" || name == "VEVENT") {
            BrokenItem broken;
            const ItemKind kind = name == "VTODO" ? ItemKind::Task : ItemKind::Event;
            if (std::optional<ReadComponent> read =
                    readComponent(m_block, kind, m_blockLine, m_text.newline, &broken))
                components.append({std::move(*read), m_blockLine});
            else
                m_text.broken.append(broken);
        }
        m_block.clear();
    }

    void abandon(const QString& reason)
    {
        const QByteArray name = m_open.constFirst();
        if (name == "VTODO" || name == "VEVENT") {
            BrokenItem broken{m_blockLine, QString(), reason};
            const qsizetype summary = m_block.indexOf("\nSUMMARY");
            if (summary >= 0) {
                const qsizetype colon = m_block.indexOf(':', summary);
                const qsizetype end = m_block.indexOf('\n', colon);
                broken.title = QString::fromUtf8(m_block.mid(colon + 1, end - colon - 1)).trimmed();
            }
            m_text.broken.append(broken);
        }
        m_open.clear();
        m_block.clear();
    }

    CalendarText& m_text;
    bool m_inCalendar = false;
    bool m_headerDone = false;
    QList<QByteArray> m_open;
    QByteArray m_block;
    int m_blockLine = 0;
};

QByteArray newlineOf(const QByteArray& bytes)
{
    const qsizetype feed = bytes.indexOf('\n');
    return feed > 0 && bytes.at(feed - 1) != '\r' ? QByteArray("\n") : QByteArray("\r\n");
}

} // namespace

std::optional<CalendarText> splitCalendar(const QByteArray& bytes, QString* error)
{
    CalendarText text;
    text.newline = newlineOf(bytes);
    Splitter splitter(text);
    if (!splitter.run(bytes)) {
        if (error)
            *error = CalendarTextTr::tr("it is not an iCalendar file (no BEGIN:VCALENDAR)");
        return std::nullopt;
    }
    // Overrides join the item of their UID; a second item with a UID already taken is broken.
    QHash<std::pair<int, QString>, qsizetype> byUid;
    QSet<std::pair<int, QString>> withMaster;
    for (auto& [read, line] : splitter.components) {
        const std::pair<int, QString> key{int(read.item.kind), read.item.uid};
        const auto found = byUid.constFind(key);
        if (found != byUid.cend()) {
            if (!read.isOverride && withMaster.contains(key)) {
                text.broken.append({line, read.item.title,
                                    CalendarTextTr::tr("its UID %1 is another item's already")
                                        .arg(read.item.uid)});
                continue;
            }
            CalendarItem& item = text.items[*found];
            item.components.append(read.item.components);
            item.tzids.unite(read.item.tzids);
            if (!read.isOverride)
                item.title = read.item.title;
            item.hasMaster = item.hasMaster || !read.isOverride;
        } else {
            byUid.insert(key, text.items.size());
            text.items.append(read.item);
            text.items.last().hasMaster = !read.isOverride;
        }
        if (!read.isOverride)
            withMaster.insert(key);
    }
    // What the store cannot take in is broken too.
    for (qsizetype i = text.items.size() - 1; i >= 0; --i) {
        const CalendarItem& item = text.items.at(i);
        QString parseError;
        if (!store::IcsItem::parse(
                assembleCalendar({}, text.zones, item.components, {}, 0, text.newline),
                &parseError)) {
            text.broken.append({item.line, item.title, parseError});
            text.items.removeAt(i);
        }
    }
    std::sort(text.broken.begin(), text.broken.end(),
              [](const BrokenItem& a, const BrokenItem& b) { return a.line < b.line; });
    return text;
}

QByteArray assembleCalendar(const QList<QByteArray>& header,
                            const QHash<QByteArray, QByteArray>& zones,
                            const QList<QByteArray>& components, const QSet<QByteArray>& tzids,
                            int year, const QByteArray& newline)
{
    QByteArray out = "BEGIN:VCALENDAR" + newline;
    bool hasVersion = false;
    bool hasProduct = false;
    for (const QByteArray& line : header) {
        const QByteArray name = nameOfLine(line);
        hasVersion = hasVersion || name == "VERSION";
        hasProduct = hasProduct || name == "PRODID";
    }
    if (!hasVersion)
        out += "VERSION:2.0" + newline;
    if (!hasProduct)
        out += "PRODID:" + store::kProductId.toByteArray() + newline;
    for (const QByteArray& line : header)
        out += line;
    QList<QByteArray> sorted(tzids.cbegin(), tzids.cend());
    std::sort(sorted.begin(), sorted.end());
    for (const QByteArray& tzid : std::as_const(sorted)) {
        if (const auto zone = zones.constFind(tzid); zone != zones.cend()) {
            out += *zone;
            continue;
        }
        const QTimeZone system = store::ics::zoneForTzid(tzid);
        if (system.isValid() && store::ics::tzidForZone(system) == tzid)
            out += store::ics::makeTimeZone(system, year, newline).serialize();
    }
    for (const QByteArray& component : components)
        out += component;
    out += "END:VCALENDAR" + newline;
    return out;
}

} // namespace exchange
