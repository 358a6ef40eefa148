#pragma once

#include "platform/store/CompactText.h"
#include "ui/main/tasklist/WordWidths.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QString>
#include <QTextLayout>

#include <vector>

// How high a task or event row is: its title wrapped at word boundaries in the title font
// within the table's width less the row's margins, plus the fixed lines below it. A word wider
// than the line (an address, a long number) is broken inside, so no title runs past the row.
//
// A list can hold a hundred thousand rows and every change of the table's width asks for all
// of them again, so titles are not laid out one by one. Titles made of plain words (the great
// majority) are wrapped here from cached word widths, which gives the same lines as the text
// layout engine; titles where the engine could break elsewhere (hyphens, slashes, scripts
// without spaces, hard line breaks, a word wider than the line) are measured by the engine
// itself and remembered.
class TaskRowHeights
{
    struct Segment
    {
        float gap;  // the blanks before the piece
        float word; // a word, or the part of a hyphenated word up to a break after its hyphen
    };

public:
    // The row's margins around the title: the check button on the left, a gutter on the right.
    static constexpr int kTitleInset = 59;
    // Padding above the title and the line of list, date and icons below it.
    static constexpr int kFixedHeight = 32;
    static constexpr int kNotesHeight = 18;
    static constexpr int kMaxTitleHeight = 20000;
    // A subtask is indented a step a level; past a few levels the title keeps its width, so a
    // deep tree stays readable in a narrow window.
    static constexpr int kIndentStep = 20;
    static constexpr int kMaxIndentLevels = 4;
    // The small line naming the parent of a subtask shown without it.
    static constexpr int kParentLineHeight = 16;
    static constexpr int indentFor(int depth)
    {
        return (depth < kMaxIndentLevels ? (depth < 0 ? 0 : depth) : kMaxIndentLevels) *
               kIndentStep;
    }

    // Titles measured once in the rule's font, to be wrapped again at every width without
    // looking at their text: what a list keeps so that a change of the table's width costs
    // little more than adding up widths.
    class MeasuredTitles
    {
    public:
        void clear();
        // Starts the titles of new content in the same font: those measured for the last one
        // that come again in about the same order (a refresh after one task changed) are
        // taken over rather than measured again.
        void restart();
        void reserve(qsizetype count);
        qsizetype size() const { return qsizetype(m_entries.size()); }

    private:
        friend class TaskRowHeights;
        enum class Kind : quint8 { Empty, Plain, Engine };
        struct Entry
        {
            Kind kind = Kind::Empty;
            quint32 first = 0; // into m_segments, plain titles
            quint32 count = 0;
            // Into m_texts: engine titles, and plain ones for a line narrower than a word.
            qint32 text = -1;
            float natural = 0; // one-line width of an engine title; infinite with hard breaks
        };
        // Whether `entry` was measured from this very text.
        bool holds(const Entry& entry, const store::CompactText& title) const;
        // Takes over the last content's entry at the walk's place or just past it (a row that
        // left); false when neither is `title`'s.
        bool takeOver(const store::CompactText& title);

        std::vector<Entry> m_entries;
        // The last content's entries, walked in step with the new one; their segments and texts
        // stay in the pools below, so taking one over copies the entry alone.
        std::vector<Entry> m_previous;
        size_t m_walk = 0;
        std::vector<Segment> m_segments;
        QList<store::CompactText> m_texts;
    };

    TaskRowHeights();

    // The title font; a different font forgets everything measured so far (titles measured
    // before must be measured again).
    void setFont(const QFont& font);
    const QFont& font() const { return m_font; }

    // The row for a title and a table `tableWidth` wide. An empty title takes no height.
    int rowHeight(const QString& title, bool hasNotes, int tableWidth);
    // The wrapped title within `textWidth`, at most kMaxTitleHeight.
    int titleHeight(const QString& title, int textWidth);
    // The same, always through the text layout engine: the reference the fast path matches.
    int measuredTitleHeight(const QString& title, int textWidth) const;
    // Lays `title` out in `layout` (which has the title font) in lines of `textWidth`, as the
    // rows draw it, and answers its height; lines past kMaxTitleHeight are left out.
    static qreal layOutTitle(QTextLayout& layout, const QString& title, int textWidth);

    // Appends `title` to `titles`, which keep the text itself (a task's own title, shared).
    void measure(MeasuredTitles& titles, const store::CompactText& title);
    int titleHeight(const MeasuredTitles& titles, qsizetype index, int textWidth);

    void clear();

private:
    // Splits `title` into pieces when only its blanks and hyphens between letters can break a
    // line; false otherwise.
    bool splitPlainWords(const QString& title, std::vector<Segment>& segments);
    float wordWidth(const QChar* begin, qsizetype length);
    // -1 when a piece is wider than the line: only the engine knows where it breaks.
    int linesFor(const Segment* segments, size_t count, int textWidth) const;
    int heightForLines(int lines) const;
    float naturalWidth(const QString& title) const;
    int engineHeight(const QString& title, float natural, int textWidth);
    // Whether the font itself draws the character: one it lacks comes from a fallback font,
    // whose taller lines the line heights measured on "x" do not know.
    bool drawnByFont(char32_t character);
    bool allDrawnByFont(const QString& title);

    QFont m_font;
    QFontMetricsF m_metrics;
    QRawFont m_primaryFont;
    float m_spaceWidth = 0;
    qreal m_firstLineHeight = 0;
    qreal m_lineStep = 0;
    WordWidths m_wordWidths;
    // Heights of titles that needed the engine, at m_engineWidth.
    QHash<QString, int> m_engineHeights;
    // Heights of engine titles that fit on one line, at any width.
    QHash<QString, int> m_oneLineHeights;
    int m_engineWidth = -1;
    QHash<char32_t, bool> m_drawnByFont;
    std::vector<Segment> m_scratch;
};
