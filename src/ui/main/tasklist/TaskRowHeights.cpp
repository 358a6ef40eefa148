#include "ui/main/tasklist/TaskRowHeights.h"

#include <QRectF>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool isAsciiLetter(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
}

// Letters and digits of the alphabetic scripts, between which the line breaker never breaks.
bool isPlainLetter(QChar c)
{
    const ushort u = c.unicode();
    if (u < 0x80)
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
    if (c.isSurrogate() || !c.isLetterOrNumber())
        return false;
    switch (c.script()) {
    case QChar::Script_Latin:
    case QChar::Script_Greek:
    case QChar::Script_Cyrillic:
        return true;
    default:
        return false;
    }
}

// Signs that glue to the letters around them: the line breaker finds no opportunity next to
// them as long as a letter stands before them and a blank, the end or a letter after them.
// Everything else ("-", "/", brackets, tabs, other scripts) goes to the engine.
bool isGluedSign(QChar c)
{
    switch (c.unicode()) {
    case '\'':
    case '"':
    case '#':
    case '&':
    case '@':
    case '*':
        return true;
    default:
        return false;
    }
}

// Breaks are allowed after "!" and "?" before a letter, and the full stop family may start a
// number; only their common place, at a word's end, is treated as plain.
bool isClosingSign(QChar c)
{
    switch (c.unicode()) {
    case '.':
    case ',':
    case ':':
    case ';':
    case '!':
    case '?':
        return true;
    default:
        return false;
    }
}

} // namespace

TaskRowHeights::TaskRowHeights()
    : m_metrics(QFont())
{
    setFont(QFont());
}

void TaskRowHeights::setFont(const QFont& font)
{
    if (font == m_font && m_spaceWidth > 0)
        return;
    m_font = font;
    m_metrics = QFontMetricsF(font);
    m_primaryFont = QRawFont::fromFont(font);
    m_spaceWidth = float(m_metrics.horizontalAdvance(QLatin1Char(' ')));
    QTextLayout layout;
    layout.setFont(font);
    m_firstLineHeight = layOutTitle(layout, QStringLiteral("x"), 1000000);
    m_lineStep = layOutTitle(layout, QStringLiteral("x\nx"), 1000000) - m_firstLineHeight;
    clear();
}

void TaskRowHeights::clear()
{
    m_wordWidths.clear();
    m_engineHeights.clear();
    m_oneLineHeights.clear();
    m_engineWidth = -1;
    m_drawnByFont.clear();
}

bool TaskRowHeights::drawnByFont(char32_t character)
{
    if (character < 0x80)
        return true;
    const auto known = m_drawnByFont.constFind(character);
    if (known != m_drawnByFont.constEnd())
        return known.value();
    // The font file itself, not the font with its fallbacks (which draw almost anything).
    const bool drawn = m_primaryFont.isValid() && m_primaryFont.supportsCharacter(uint(character));
    m_drawnByFont.insert(character, drawn);
    return drawn;
}

bool TaskRowHeights::allDrawnByFont(const QString& title)
{
    for (const char32_t character : title.toUcs4()) {
        if (!drawnByFont(character))
            return false;
    }
    return true;
}

void TaskRowHeights::MeasuredTitles::clear()
{
    m_entries.clear();
    m_previous.clear();
    m_segments.clear();
    m_texts.clear();
}

void TaskRowHeights::MeasuredTitles::restart()
{
    // The pools only grow while entries are taken over; once most of them is what titles that
    // went away left, everything is measured afresh.
    size_t live = 0;
    for (const Entry& entry : m_entries)
        live += entry.count + 1;
    if (m_segments.size() + size_t(m_texts.size()) > 2 * live + 4096) {
        clear();
        return;
    }
    m_previous = std::move(m_entries);
    m_entries.clear();
    m_walk = 0;
}

bool TaskRowHeights::MeasuredTitles::holds(const Entry& entry,
                                           const store::CompactText& title) const
{
    return entry.kind == Kind::Empty ? title.isEmpty() : m_texts.at(entry.text) == title;
}

bool TaskRowHeights::MeasuredTitles::takeOver(const store::CompactText& title)
{
    for (const size_t at : {m_walk, m_walk + 1}) {
        if (at < m_previous.size() && holds(m_previous[at], title)) {
            m_entries.push_back(m_previous[at]);
            m_walk = at + 1;
            return true;
        }
    }
    return false;
}

void TaskRowHeights::MeasuredTitles::reserve(qsizetype count)
{
    m_entries.reserve(size_t(count));
    m_segments.reserve(size_t(count) * 5);
    m_texts.reserve(count);
}

int TaskRowHeights::rowHeight(const QString& title, bool hasNotes, int tableWidth)
{
    return titleHeight(title, tableWidth - kTitleInset) + kFixedHeight +
           (hasNotes ? kNotesHeight : 0);
}

int TaskRowHeights::heightForLines(int lines) const
{
    const qreal height = m_firstLineHeight + (lines - 1) * m_lineStep;
    return std::min(int(std::ceil(height)), int(kMaxTitleHeight));
}

int TaskRowHeights::measuredTitleHeight(const QString& title, int textWidth) const
{
    if (title.isEmpty())
        return 0;
    QTextLayout layout;
    layout.setFont(m_font);
    const qreal height = layOutTitle(layout, title, std::max(textWidth, 1));
    return std::min(int(std::ceil(height)), int(kMaxTitleHeight));
}

qreal TaskRowHeights::layOutTitle(QTextLayout& layout, const QString& title, int textWidth)
{
    QString text = title;
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    layout.setText(text);
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    // Lines stacked as the painter stacks wrapped text: the font's leading between them.
    const qreal leading = QFontMetricsF(layout.font()).leading();
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(textWidth, 1));
        if (line.lineNumber() > 0)
            height += leading;
        line.setPosition(QPointF(0, height));
        height += line.height();
        if (height > kMaxTitleHeight)
            break;
    }
    layout.endLayout();
    return height;
}

float TaskRowHeights::wordWidth(const QChar* begin, qsizetype length)
{
    if (const std::optional<float> known = m_wordWidths.find(begin, length))
        return *known;
    const float width = float(m_metrics.horizontalAdvance(QString(begin, length)));
    m_wordWidths.insert(begin, length, width);
    return width;
}

bool TaskRowHeights::splitPlainWords(const QString& title, std::vector<Segment>& segments)
{
    segments.clear();
    const QChar* text = title.constData();
    const qsizetype length = title.size();
    const auto letterAt = [&](qsizetype at) {
        return at >= 0 && at < length && isPlainLetter(text[at]);
    };
    float gap = 0;
    qsizetype i = 0;
    while (i < length) {
        if (text[i] == QLatin1Char(' ')) {
            gap += m_spaceWidth;
            ++i;
            continue;
        }
        const qsizetype wordStart = i;
        qsizetype start = i;
        while (i < length && text[i] != QLatin1Char(' ')) {
            const QChar c = text[i];
            // Most titles are ASCII letters, which every font draws.
            if (isAsciiLetter(c) || (isPlainLetter(c) && drawnByFont(c.unicode())) ||
                isGluedSign(c)) {
                ++i;
                continue;
            }
            // A hyphen between letters is a break opportunity of its own: the piece before
            // it ends there, with no blank between it and the next.
            if (c == QLatin1Char('-') && letterAt(i - 1) && letterAt(i + 1)) {
                ++i;
                segments.push_back({gap, wordWidth(text + start, i - start)});
                gap = 0;
                start = i;
                continue;
            }
            if (isClosingSign(c) && i > wordStart) {
                const bool atWordEnd = i + 1 == length || text[i + 1] == QLatin1Char(' ') ||
                                       isClosingSign(text[i + 1]);
                const bool beforeLetter =
                    letterAt(i + 1) && c != QLatin1Char('!') && c != QLatin1Char('?');
                if (atWordEnd || beforeLetter) {
                    ++i;
                    continue;
                }
            }
            return false;
        }
        segments.push_back({gap, wordWidth(text + start, i - start)});
        gap = 0;
    }
    return true;
}

int TaskRowHeights::linesFor(const Segment* segments, size_t count, int textWidth) const
{
    // Greedy filling as the layout engine does it: a piece goes on the line when the line, the
    // blanks before the piece and the piece fit; blanks at a line's end take no room.
    const float limit = float(std::max(textWidth, 1));
    for (size_t i = 0; i < count; ++i) {
        if (segments[i].word > limit)
            return -1;
    }
    int lines = 1;
    float line = count > 0 ? segments[0].gap + segments[0].word : 0;
    // Leading blanks wider than the line fill a line of their own.
    if (count > 0 && segments[0].gap > limit) {
        ++lines;
        line = segments[0].word;
    }
    for (size_t i = 1; i < count; ++i) {
        const Segment& segment = segments[i];
        const float extended = line + segment.gap + segment.word;
        if (extended > limit) {
            ++lines;
            line = segment.word;
        } else {
            line = extended;
        }
    }
    return lines;
}

float TaskRowHeights::naturalWidth(const QString& title) const
{
    for (const QChar c : title) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t') ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return std::numeric_limits<float>::infinity();
    }
    return float(m_metrics.horizontalAdvance(title));
}

int TaskRowHeights::engineHeight(const QString& title, float natural, int textWidth)
{
    // A title that fits on one line has one line wherever the engine may break it. That line
    // is as tall as the font's own when the font itself draws every character; otherwise a
    // fallback font (CJK, emoji) may make it taller, and the engine measures it once.
    if (natural <= float(textWidth)) {
        if (allDrawnByFont(title))
            return heightForLines(1);
        auto line = m_oneLineHeights.constFind(title);
        if (line == m_oneLineHeights.constEnd())
            line = m_oneLineHeights.insert(title, measuredTitleHeight(title, int(kMaxTitleHeight)));
        return line.value();
    }
    if (textWidth != m_engineWidth) {
        m_engineHeights.clear();
        m_engineWidth = textWidth;
    }
    auto known = m_engineHeights.constFind(title);
    if (known == m_engineHeights.constEnd())
        known = m_engineHeights.insert(title, measuredTitleHeight(title, textWidth));
    return known.value();
}

int TaskRowHeights::titleHeight(const QString& title, int textWidth)
{
    if (title.isEmpty())
        return 0;
    textWidth = std::max(textWidth, 1);
    if (!splitPlainWords(title, m_scratch))
        return engineHeight(title, naturalWidth(title), textWidth);
    const int lines = linesFor(m_scratch.data(), m_scratch.size(), textWidth);
    if (lines < 0)
        return engineHeight(title, naturalWidth(title), textWidth);
    return heightForLines(lines);
}

void TaskRowHeights::measure(MeasuredTitles& titles, const store::CompactText& kept)
{
    if (titles.takeOver(kept))
        return;
    const QString title = kept;
    MeasuredTitles::Entry entry;
    if (title.isEmpty()) {
        entry.kind = MeasuredTitles::Kind::Empty;
    } else if (splitPlainWords(title, m_scratch)) {
        entry.kind = MeasuredTitles::Kind::Plain;
        entry.first = quint32(titles.m_segments.size());
        entry.count = quint32(m_scratch.size());
        titles.m_segments.insert(titles.m_segments.end(), m_scratch.begin(), m_scratch.end());
        // Shared, not copied: kept for a table narrower than one of its words.
        entry.text = qint32(titles.m_texts.size());
        titles.m_texts.append(kept);
    } else {
        entry.kind = MeasuredTitles::Kind::Engine;
        entry.text = qint32(titles.m_texts.size());
        entry.natural = naturalWidth(title);
        titles.m_texts.append(kept);
    }
    titles.m_entries.push_back(entry);
}

int TaskRowHeights::titleHeight(const MeasuredTitles& titles, qsizetype index, int textWidth)
{
    if (index < 0 || index >= titles.size())
        return 0;
    const MeasuredTitles::Entry& entry = titles.m_entries[size_t(index)];
    textWidth = std::max(textWidth, 1);
    switch (entry.kind) {
    case MeasuredTitles::Kind::Empty:
        return 0;
    case MeasuredTitles::Kind::Plain: {
        const int lines = linesFor(titles.m_segments.data() + entry.first, entry.count, textWidth);
        if (lines >= 0)
            return heightForLines(lines);
        // Wider than the line in one piece, it cannot fit on one line.
        return engineHeight(titles.m_texts.at(entry.text), std::numeric_limits<float>::infinity(),
                            textWidth);
    }
    case MeasuredTitles::Kind::Engine:
        return engineHeight(titles.m_texts.at(entry.text), entry.natural, textWidth);
    }
    return 0;
}
