#include "data/SearchWords.h"

#include <QStringList>
#include <QtAlgorithms>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <string>
#include <type_traits>

namespace {

char16_t asciiFolded(char16_t unit)
{
    return unit >= u'A' && unit <= u'Z' ? char16_t(unit + 32) : unit;
}

} // namespace

TextNeedle::TextNeedle(const QString& text)
    : m_folded(text.toCaseFolded())
    , m_matcher(m_folded, Qt::CaseInsensitive)
    , m_signature(ReminderSnapshot::signatureOf(text))
{
    if (m_folded.isEmpty() || m_folded.front().unicode() >= 0x80)
        return;
    // In an ASCII needle, the character least often met in text is looked for (each
    // character of a match then takes one place of the text); in any other, the first.
    const bool ascii =
        std::all_of(m_folded.cbegin(), m_folded.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        const auto rarity = [](char16_t c) {
            constexpr char kByFrequency[] = "etaoinsrhldcumfpgwybvkxjqz";
            const char* found = std::char_traits<char>::find(kByFrequency, 26, char(c));
            return found ? found - kByFrequency : 26;
        };
        for (qsizetype i = 1; i < m_folded.size(); ++i) {
            if (rarity(m_folded[i].unicode()) > rarity(m_folded[m_anchor].unicode()))
                m_anchor = i;
        }
    }
    m_anchorUnit = m_folded[m_anchor].unicode();
    m_caseBit = m_anchorUnit >= u'a' && m_anchorUnit <= u'z' ? 0x20 : 0;
    // The only characters beyond ASCII that fold to an ASCII one.
    for (const char16_t other : {u'\u212A', u'\u017F'}) {
        if (QChar::toCaseFolded(char32_t(other)) == m_anchorUnit)
            m_otherAnchorUnit = other;
    }
}

qsizetype TextNeedle::nextAnchor(QStringView haystack, qsizetype from) const
{
    return nextAnchorIn(reinterpret_cast<const char16_t*>(haystack.data()), haystack.size(), from);
}

qsizetype TextNeedle::nextAnchor(QLatin1StringView haystack, qsizetype from) const
{
    return nextAnchorIn(reinterpret_cast<const uchar*>(haystack.data()), haystack.size(), from);
}

template <typename Unit>
qsizetype TextNeedle::nextAnchorIn(const Unit* units, qsizetype size, qsizetype from) const
{
    qsizetype at = from;
    // An upper-case ASCII letter with the case bit set is its lower-case one; no other
    // character turns into a letter that way. The other characters that fold to the anchor
    // are beyond Latin-1, so only a text in UTF-16 can hold them.
#ifdef __SSE2__
    constexpr bool wide = sizeof(Unit) == 2;
    const auto filled = [](char16_t unit) {
        return wide ? _mm_set1_epi16(short(unit)) : _mm_set1_epi8(char(unit));
    };
    const auto equal = [](__m128i a, __m128i b) {
        return wide ? _mm_cmpeq_epi16(a, b) : _mm_cmpeq_epi8(a, b);
    };
    const __m128i caseBit = filled(m_caseBit);
    const __m128i anchor = filled(m_anchorUnit);
    const __m128i other = filled(m_otherAnchorUnit);
    constexpr qsizetype step = 16 / sizeof(Unit);
    for (; at + step <= size; at += step) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at));
        __m128i hits = equal(_mm_or_si128(block, caseBit), anchor);
        if (wide && m_otherAnchorUnit)
            hits = _mm_or_si128(hits, equal(block, other));
        if (const int bits = _mm_movemask_epi8(hits))
            return at + qCountTrailingZeroBits(unsigned(bits)) / sizeof(Unit);
    }
#endif
    for (; at < size; ++at) {
        const char16_t unit = units[at];
        if ((unit | m_caseBit) == m_anchorUnit || (m_otherAnchorUnit && unit == m_otherAnchorUnit))
            return at;
    }
    return -1;
}

template <typename View> bool TextNeedle::foldsToNeedleAt(View haystack, qsizetype at) const
{
    qsizetype n = 0;
    while (n < m_folded.size()) {
        if (at >= haystack.size())
            return false;
        const char16_t unit = haystack[at].unicode();
        if (unit < 0x80) {
            if (asciiFolded(unit) != m_folded[n].unicode())
                return false;
            ++at;
            ++n;
            continue;
        }
        const char32_t folded = ReminderSnapshot::foldedCodePointAt(haystack, at);
        if (QChar::requiresSurrogates(folded)) {
            if (n + 1 >= m_folded.size() || m_folded[n] != QChar(QChar::highSurrogate(folded)) ||
                m_folded[n + 1] != QChar(QChar::lowSurrogate(folded)))
                return false;
            n += 2;
        } else {
            if (m_folded[n] != QChar(char16_t(folded)))
                return false;
            ++n;
        }
    }
    return true;
}

bool TextNeedle::foundIn(QStringView haystack, quint64 haystackSignature) const
{
    if (m_folded.isEmpty() || (haystackSignature & m_signature) != m_signature)
        return false;
    return foundInText(haystack);
}

bool TextNeedle::foundIn(const store::CompactText& haystack, quint64 haystackSignature) const
{
    if (m_folded.isEmpty() || (haystackSignature & m_signature) != m_signature)
        return false;
    return haystack.visit([this](auto view) { return foundInText(view); });
}

template <typename View> bool TextNeedle::foundInText(View haystack) const
{
    if (!m_anchorUnit) {
        if constexpr (std::is_same_v<View, QStringView>)
            return m_matcher.indexIn(haystack) >= 0;
        else
            return m_matcher.indexIn(haystack.toString()) >= 0;
    }
    for (qsizetype at = nextAnchor(haystack, m_anchor); at >= 0;
         at = nextAnchor(haystack, at + 1)) {
        if (foldsToNeedleAt(haystack, at - m_anchor))
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

template <typename Text> bool SearchWords::allFoundIn(const Text& haystack, quint64 signature) const
{
    return std::all_of(m_words.cbegin(), m_words.cend(),
                       [&](const TextNeedle& word) { return word.foundIn(haystack, signature); });
}

bool SearchWords::matchTexts(const store::CompactText& title, quint64 titleSignature,
                             const store::CompactText& notes, quint64 notesSignature) const
{
    if (m_hasEmptyWord)
        return false;
    return allFoundIn(title, titleSignature) ||
           (!notes.isEmpty() && allFoundIn(notes, notesSignature));
}

bool SearchWords::matches(const store::Reminder& reminder) const
{
    // No signature: every bit set, so that each word is looked for.
    constexpr quint64 kAnyText = ~quint64(0);
    return matchTexts(reminder.title, kAnyText, reminder.notes, kAnyText);
}
