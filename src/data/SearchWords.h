#pragma once

#include "data/ReminderSnapshot.h"

#include <QString>
#include <QStringMatcher>
#include <QStringView>

#include <optional>
#include <vector>

// A case-insensitive substring test prepared once for a whole scan. It finds what a search of
// the case-folded needle in the case-folded text finds (Qt folds one character to one, and
// compares ignoring case by the same folding), without folding the texts into copies; the
// signatures are ReminderSnapshot's.
class TextNeedle
{
public:
    explicit TextNeedle(const QString& text);
    // An empty needle is never found: an empty tag or search word must not match everything.
    bool foundIn(QStringView haystack, quint64 haystackSignature) const;
    bool foundIn(const store::CompactText& haystack, quint64 haystackSignature) const;

private:
    template <typename View> bool foundInText(View haystack) const;
    // The next place at or after `from` of a character that folds to the anchor; -1 for none.
    qsizetype nextAnchor(QStringView haystack, qsizetype from) const;
    qsizetype nextAnchor(QLatin1StringView haystack, qsizetype from) const;
    template <typename Unit>
    qsizetype nextAnchorIn(const Unit* units, qsizetype size, qsizetype from) const;
    // Whether the haystack's characters from `at` fold to the needle.
    template <typename View> bool foldsToNeedleAt(View haystack, qsizetype at) const;

    QString m_folded;
    // The needle's character whose places in a text are looked for first, when it is ASCII:
    // the one least often met in text for an ASCII needle, else the first.
    qsizetype m_anchor = 0;
    // The anchor when it is ASCII, and the bit that makes its upper case its lower case (for
    // a letter), and the character beyond ASCII that folds to it (the Kelvin sign, the long
    // s); zero when there is none. A needle beginning beyond ASCII has no anchor and is looked
    // for by the matcher.
    char16_t m_anchorUnit = 0;
    char16_t m_caseBit = 0;
    char16_t m_otherAnchorUnit = 0;
    QStringMatcher m_matcher;
    quint64 m_signature;
};

// The words of a search: a task matches when its title holds every word, or its notes do
// (words spread over both do not match). Words are split at each space and matched ignoring
// case.
class SearchWords
{
public:
    // None for an empty text.
    static std::optional<SearchWords> of(const QString& text);

    // Over a snapshot's texts, with their signatures.
    bool matchTexts(const store::CompactText& title, quint64 titleSignature,
                    const store::CompactText& notes, quint64 notesSignature) const;
    // The same over a task's own texts, for a scan that keeps no signatures.
    bool matches(const store::Reminder& reminder) const;

private:
    SearchWords() = default;
    template <typename Text> bool allFoundIn(const Text& haystack, quint64 signature) const;

    std::vector<TextNeedle> m_words;
    // Two spaces in a row or a space at either end make an empty word, which is never found.
    bool m_hasEmptyWord = false;
};
