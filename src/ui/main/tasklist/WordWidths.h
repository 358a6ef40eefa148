#pragma once

#include <QChar>
#include <QtGlobal>

#include <optional>
#include <vector>

// The widths of the words of task titles, measured once each in the title font. A list of a
// hundred thousand titles asks for a few hundred thousand words but only a few thousand
// different ones, so what matters is the look-up: an open-addressing table over the words'
// characters kept side by side, hashed and compared without building a string per word.
class WordWidths
{
public:
    WordWidths();

    std::optional<float> find(const QChar* begin, qsizetype length) const;
    // A word not found before; an empty one is not kept.
    void insert(const QChar* begin, qsizetype length, float width);
    qsizetype size() const { return m_count; }
    void clear();

private:
    struct Slot
    {
        quint32 hash = 0;
        quint32 offset = 0; // into m_characters
        quint32 length = 0; // 0: an empty slot
        float width = 0;
    };

    static quint32 hashOf(const QChar* begin, qsizetype length);
    void place(const Slot& slot);

    std::vector<Slot> m_slots;
    std::vector<QChar> m_characters;
    qsizetype m_count = 0;
};
