#include "ui/main/tasklist/WordWidths.h"

#include <cstring>

namespace {

constexpr size_t kFirstSlots = 1024; // a power of two

} // namespace

WordWidths::WordWidths()
    : m_slots(kFirstSlots)
{}

quint32 WordWidths::hashOf(const QChar* begin, qsizetype length)
{
    // FNV-1a over the UTF-16 units: words are short, so a hash that starts at once beats one
    // that is faster per byte.
    quint32 hash = 2166136261u;
    for (qsizetype i = 0; i < length; ++i) {
        hash ^= begin[i].unicode();
        hash *= 16777619u;
    }
    return hash;
}

std::optional<float> WordWidths::find(const QChar* begin, qsizetype length) const
{
    if (length <= 0)
        return std::nullopt;
    const quint32 hash = hashOf(begin, length);
    const size_t mask = m_slots.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = m_slots[at];
        if (slot.length == 0)
            return std::nullopt;
        if (slot.hash == hash && slot.length == quint32(length) &&
            std::memcmp(m_characters.data() + slot.offset, begin, size_t(length) * sizeof(QChar)) ==
                0)
            return slot.width;
    }
}

void WordWidths::insert(const QChar* begin, qsizetype length, float width)
{
    if (length <= 0)
        return;
    // Kept at most half full, so that a miss ends at an empty slot after a step or two.
    if (size_t(m_count + 1) * 2 > m_slots.size()) {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        for (const Slot& slot : old) {
            if (slot.length != 0)
                place(slot);
        }
    }
    place({hashOf(begin, length), quint32(m_characters.size()), quint32(length), width});
    m_characters.insert(m_characters.end(), begin, begin + length);
    ++m_count;
}

void WordWidths::place(const Slot& slot)
{
    const size_t mask = m_slots.size() - 1;
    size_t at = slot.hash & mask;
    while (m_slots[at].length != 0)
        at = (at + 1) & mask;
    m_slots[at] = slot;
}

void WordWidths::clear()
{
    m_slots.assign(kFirstSlots, Slot());
    m_characters.clear();
    m_count = 0;
}
