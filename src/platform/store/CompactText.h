#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

#include <atomic>
#include <cstdint>
#include <utility>

namespace store {

// A text that every record holds and that is read for few of them at a time (a task's title
// and notes: a view reads the rows it shows, a search all of them once), kept in one byte a
// character while all of its characters are Latin-1, as in most tasks in the languages of
// Western Europe, and in UTF-16 otherwise: never more than the QString it stands for, and half
// of it for those. It reads as that QString (and converts to one); a search reads it in place
// through visit().
//
// The handle is one pointer (a record holds one whether or not it has notes) to characters
// shared between copies, counted across threads as QString counts its own.
class CompactText
{
public:
    CompactText() = default;
    CompactText(const QString& text) { assign(text); }
    CompactText(const CompactText& other) noexcept
        : m_bits(other.m_bits)
    {
        if (Block* block = other.block())
            block->references.fetch_add(1, std::memory_order_relaxed);
    }
    CompactText(CompactText&& other) noexcept
        : m_bits(std::exchange(other.m_bits, 0))
    {}
    CompactText& operator=(const CompactText& other) noexcept
    {
        CompactText(other).swap(*this);
        return *this;
    }
    CompactText& operator=(CompactText&& other) noexcept
    {
        CompactText(std::move(other)).swap(*this);
        return *this;
    }
    CompactText& operator=(const QString& text)
    {
        assign(text);
        return *this;
    }
    ~CompactText() { release(); }
    void swap(CompactText& other) noexcept { std::swap(m_bits, other.m_bits); }

    void assign(QStringView text);
    void assign(QLatin1StringView text);

    // Calls `read` with the text as a QLatin1StringView or as a QStringView, without a copy.
    template <typename Reader> decltype(auto) visit(Reader&& read) const
    {
        const Block* held = block();
        if (!held)
            return read(QLatin1StringView());
        if (isWide())
            return read(QStringView(reinterpret_cast<const char16_t*>(held + 1), held->units));
        return read(QLatin1StringView(reinterpret_cast<const char*>(held + 1), held->units));
    }

    bool isEmpty() const { return m_bits == 0; }
    qsizetype size() const { return m_bits ? block()->units : 0; }
    void clear() { CompactText().swap(*this); }
    // Null for an empty text.
    QString toString() const
    {
        return visit([](auto view) { return view.toString(); });
    }
    operator QString() const { return toString(); }

    // Whether both hold the very same characters in memory: the same text, not an equal one.
    bool sharesCharactersWith(const CompactText& other) const { return m_bits == other.m_bits; }

    // One form for each text, so that equal texts hold equal bytes.
    friend bool operator==(const CompactText& a, const CompactText& b);
    friend bool operator==(const CompactText& a, const QString& b)
    {
        return a.visit([&b](auto view) { return view == b; });
    }

private:
    // The characters follow the block: Latin-1 bytes, or UTF-16 units (the block keeps them
    // aligned). No empty text has one.
    struct Block
    {
        std::atomic<quint32> references;
        quint32 units;
    };
    static_assert(sizeof(Block) == 8 && alignof(Block) <= 8);
    // The low bit of the pointer, free by the block's alignment, says the characters are
    // UTF-16.
    static constexpr std::uintptr_t kWide = 1;

    static Block* allocate(qsizetype units, bool wide);
    void adopt(Block* made, bool wide);
    Block* block() const { return reinterpret_cast<Block*>(m_bits & ~kWide); }
    bool isWide() const { return m_bits & kWide; }
    void release() noexcept;

    std::uintptr_t m_bits = 0;
};

static_assert(sizeof(CompactText) == sizeof(void*));

} // namespace store
