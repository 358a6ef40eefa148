#include "platform/store/CompactText.h"

#include <cstring>
#include <limits>
#include <new>

namespace store {

CompactText::Block* CompactText::allocate(qsizetype units, bool wide)
{
    // Past what the block counts: no file the store reads holds a text a thousandth as long.
    if (units > qsizetype(std::numeric_limits<quint32>::max()))
        qBadAlloc();
    // Exactly the room the text takes: it is read once and kept for as long as its task.
    void* room = ::operator new(sizeof(Block) + size_t(units) * (wide ? 2 : 1));
    return new (room) Block{{1}, quint32(units)};
}

void CompactText::adopt(Block* made, bool wide)
{
    // The text may have been this one's own characters (a view of them): they go only now.
    release();
    m_bits = reinterpret_cast<std::uintptr_t>(made) | (wide ? kWide : 0);
}

void CompactText::assign(QStringView text)
{
    const qsizetype size = text.size();
    if (size == 0) {
        clear();
        return;
    }
    const char16_t* units = text.utf16();
    // No early exit: the loop is then one the compiler turns into vector instructions.
    char16_t any = 0;
    for (qsizetype i = 0; i < size; ++i)
        any |= units[i];
    const bool wide = any > 0xff;
    Block* made = allocate(size, wide);
    auto* characters = reinterpret_cast<char*>(made + 1);
    if (wide) {
        std::memcpy(characters, units, size_t(size) * 2);
    } else {
        for (qsizetype i = 0; i < size; ++i)
            characters[i] = char(units[i]);
    }
    adopt(made, wide);
}

void CompactText::assign(QLatin1StringView text)
{
    if (text.isEmpty()) {
        clear();
        return;
    }
    Block* made = allocate(text.size(), false);
    std::memcpy(reinterpret_cast<char*>(made + 1), text.data(), size_t(text.size()));
    adopt(made, false);
}

void CompactText::release() noexcept
{
    Block* held = block();
    if (held && held->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        held->~Block();
        ::operator delete(held);
    }
    m_bits = 0;
}

bool operator==(const CompactText& a, const CompactText& b)
{
    if (a.m_bits == b.m_bits)
        return true;
    if (!a.m_bits || !b.m_bits || a.isWide() != b.isWide() || a.size() != b.size())
        return false;
    return std::memcmp(a.block() + 1, b.block() + 1, size_t(a.size()) * (a.isWide() ? 2 : 1)) == 0;
}

} // namespace store
