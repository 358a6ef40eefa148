#pragma once

#include "data/ReminderSnapshot.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// A case-insensitive substring test prepared once for a whole scan, run over case-folded texts
// so that each test is a plain character search; the signatures are ReminderSnapshot's.
class TextNeedle
{
public:
    explicit TextNeedle(const QString& text);
    // An empty needle is never found: an empty tag or search word must not match everything.
    bool foundIn(FoldedText foldedHaystack, quint64 haystackSignature) const;

private:
    bool foundInWide(QStringView foldedHaystack) const;

    QString m_folded;
    // The folded needle in Latin-1; empty when a character does not fit, and then no Latin-1
    // text holds it.
    QByteArray m_narrow;
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

    bool matchFolded(FoldedText foldedTitle, quint64 titleSignature, FoldedText foldedNotes,
                     quint64 notesSignature) const;
    // The same over a task's own texts, folded here: for a scan that keeps no folded copies.
    // Not thread-safe: the folded texts go into buffers kept for the next task.
    bool matches(const store::Reminder& reminder) const;

private:
    SearchWords() = default;
    bool allFoundIn(FoldedText haystack, quint64 signature) const;

    std::vector<TextNeedle> m_words;
    // Two spaces in a row or a space at either end make an empty word, which is never found.
    bool m_hasEmptyWord = false;
    mutable QString m_foldedTitle;
    mutable QString m_foldedNotes;
};
