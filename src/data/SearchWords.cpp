#include "data/SearchWords.h"

#include <QStringList>

#include <algorithm>

TextNeedle::TextNeedle(const QString& text)
    : m_folded(text.toCaseFolded())
    , m_signature(ReminderSnapshot::signatureOf(m_folded))
{
    if (FoldedText::fitsLatin1(m_folded))
        m_narrow = m_folded.toLatin1();
}

bool TextNeedle::foundIn(FoldedText foldedHaystack, quint64 haystackSignature) const
{
    if (m_folded.isEmpty() || (haystackSignature & m_signature) != m_signature)
        return false;
    if (foldedHaystack.isWide)
        return foundInWide(foldedHaystack.wide);
    return !m_narrow.isEmpty() &&
           QByteArrayView(foldedHaystack.narrow.data(), foldedHaystack.narrow.size())
                   .indexOf(m_narrow) >= 0;
}

bool TextNeedle::foundInWide(QStringView foldedHaystack) const
{
    const qsizetype length = m_folded.size();
    const QChar first = m_folded.front();
    const qsizetype last = foldedHaystack.size() - length;
    for (qsizetype from = 0; from <= last; ++from) {
        from = foldedHaystack.indexOf(first, from);
        if (from < 0 || from > last)
            return false;
        if (foldedHaystack.sliced(from + 1, length - 1) == QStringView(m_folded).sliced(1))
            return true;
    }
    return false;
}

std::optional<SearchWords> SearchWords::of(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    SearchWords words;
    const QStringList split = text.split(QLatin1Char(' '));
    words.m_hasEmptyWord = split.contains(QString());
    words.m_words.reserve(size_t(split.size()));
    for (const QString& word : split)
        words.m_words.emplace_back(word);
    return words;
}

bool SearchWords::allFoundIn(FoldedText haystack, quint64 signature) const
{
    return std::all_of(m_words.cbegin(), m_words.cend(),
                       [&](const TextNeedle& word) { return word.foundIn(haystack, signature); });
}

bool SearchWords::matchFolded(FoldedText foldedTitle, quint64 titleSignature,
                              FoldedText foldedNotes, quint64 notesSignature) const
{
    if (m_hasEmptyWord)
        return false;
    return allFoundIn(foldedTitle, titleSignature) ||
           (!foldedNotes.isEmpty() && allFoundIn(foldedNotes, notesSignature));
}

namespace {

// Folds into a buffer that keeps its allocation from one task to the next.
void foldInto(QString& buffer, const QString& text)
{
    buffer.resize(text.size());
    char16_t* out = reinterpret_cast<char16_t*>(buffer.data());
    const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* const end = in + text.size();
    while (in != end) {
        const char16_t unit = *in++;
        if (unit < 0x80) {
            *out++ = unit >= u'A' && unit <= u'Z' ? char16_t(unit + 32) : unit;
            continue;
        }
        // Anything beyond ASCII (surrogate pairs included) goes the way QString folds it.
        buffer.truncate(out - reinterpret_cast<char16_t*>(buffer.data()));
        buffer.append(QStringView(in - 1, end).toString().toCaseFolded());
        return;
    }
}

} // namespace

bool SearchWords::matches(const store::Reminder& reminder) const
{
    if (m_hasEmptyWord)
        return false;
    foldInto(m_foldedTitle, reminder.title);
    if (allFoundIn(QStringView(m_foldedTitle), ReminderSnapshot::signatureOf(m_foldedTitle)))
        return true;
    if (reminder.notes.isEmpty())
        return false;
    foldInto(m_foldedNotes, reminder.notes);
    return allFoundIn(QStringView(m_foldedNotes), ReminderSnapshot::signatureOf(m_foldedNotes));
}
