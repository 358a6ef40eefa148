#pragma once

#include "platform/store/CompactText.h"

#include <QByteArray>
#include <QString>

#include <cstring>

namespace store {

// The parse cache's binary form: fixed-size numbers in the machine's own byte order and
// strings as their UTF-16 code units, read straight from memory. (A cache file never travels
// between machines; its header names the byte order anyway.) QDataStream went through a
// QIODevice for every number and cost more than the rest of a start.
//
// A task's title and notes are kept in the compact form the task holds them in: Latin-1 bytes
// where every character is Latin-1, and reading them back is then one copy, not a look at
// every character to find the form again.
namespace CacheText {
// A text's count of characters, with this bit set when they are Latin-1 bytes rather than
// UTF-16 units.
constexpr quint32 kLatin1 = 0x80000000;
constexpr qsizetype kMostCharacters = 0x7fffffff;
inline qsizetype bytesOf(quint32 header)
{
    const qsizetype characters = qsizetype(header & ~kLatin1);
    return header & kLatin1 ? characters : characters * qsizetype(sizeof(QChar));
}
} // namespace CacheText

class CacheWriter
{
public:
    explicit CacheWriter(QByteArray& out)
        : m_out(out)
    {}
    template <typename T> void put(T value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        m_out.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void string(const QString& text)
    {
        // A null string stays null: some readers tell "absent" from "empty".
        if (text.isNull()) {
            put(quint32(0xffffffff));
            return;
        }
        put(quint32(text.size()));
        m_out.append(reinterpret_cast<const char*>(text.constData()),
                     text.size() * qsizetype(sizeof(QChar)));
    }
    void bytes(const QByteArray& data)
    {
        put(quint32(data.size()));
        m_out.append(data);
    }
    void text(const CompactText& text)
    {
        // Four gigabytes of one title would not be a task the store could have read.
        if (text.size() > CacheText::kMostCharacters)
            qBadAlloc();
        text.visit([this](auto view) {
            if constexpr (std::is_same_v<decltype(view), QLatin1StringView>) {
                put(quint32(view.size()) | CacheText::kLatin1);
                m_out.append(view.data(), view.size());
            } else {
                put(quint32(view.size()));
                m_out.append(reinterpret_cast<const char*>(view.utf16()),
                             view.size() * qsizetype(sizeof(QChar)));
            }
        });
    }

private:
    QByteArray& m_out;
};

class CacheReader
{
public:
    CacheReader(const char* begin, const char* end)
        : m_at(begin)
        , m_end(end)
    {}
    // False once a read ran past the end or met a value that cannot be: nothing read after
    // that counts.
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_end; }
    qsizetype remaining() const { return m_end - m_at; }
    void fail() { m_ok = false; }

    template <typename T> T get()
    {
        static_assert(std::is_trivially_copyable_v<T>);
        T value{};
        if (!take(sizeof value))
            return value;
        std::memcpy(&value, m_at - sizeof value, sizeof value);
        return value;
    }
    bool boolean() { return get<quint8>() != 0; }
    QString string()
    {
        const quint32 size = get<quint32>();
        if (size == 0xffffffff)
            return {};
        if (!take(qsizetype(size) * qsizetype(sizeof(QChar))))
            return {};
        QString text(qsizetype(size), Qt::Uninitialized);
        std::memcpy(text.data(), m_at - size * sizeof(QChar), size * sizeof(QChar));
        return text;
    }
    QByteArray bytes()
    {
        const quint32 size = get<quint32>();
        if (!take(qsizetype(size)))
            return {};
        return QByteArray(m_at - size, qsizetype(size));
    }
    // The same bytes in place, valid while the cache's bytes are.
    QByteArrayView bytesView()
    {
        const quint32 size = get<quint32>();
        if (!take(qsizetype(size)))
            return {};
        return QByteArrayView(m_at - size, qsizetype(size));
    }
    // Where the next value begins: readers that come back to a value later keep this.
    const char* position() const { return m_at; }
    // Past a string without making one; where it began.
    const char* skipString()
    {
        const char* at = m_at;
        const quint32 size = get<quint32>();
        if (size != 0xffffffff)
            take(qsizetype(size) * qsizetype(sizeof(QChar)));
        return at;
    }
    // Past a text CacheWriter::text() wrote; where it began, for textAt().
    const char* skipText()
    {
        const char* at = m_at;
        take(CacheText::bytesOf(get<quint32>()));
        return at;
    }
    // A text skipText() walked, into `into`; `room` holds UTF-16 units on their way, aligned.
    static void textAt(const char* at, CompactText& into, QString& room)
    {
        quint32 header;
        std::memcpy(&header, at, sizeof header);
        at += sizeof header;
        if (header & CacheText::kLatin1) {
            into.assign(QLatin1StringView(at, qsizetype(header & ~CacheText::kLatin1)));
            return;
        }
        room.resize(qsizetype(header));
        std::memcpy(room.data(), at, size_t(header) * sizeof(QChar));
        into.assign(room);
    }
    void skipBytes()
    {
        const quint32 size = get<quint32>();
        take(qsizetype(size));
    }
    // A string read before (at a position skipString gave) into `into`, reusing its room: a
    // listing of many tasks then allocates nothing for their texts. Null reads as empty.
    static void stringAt(const char* at, QString& into)
    {
        quint32 size;
        std::memcpy(&size, at, sizeof size);
        if (size == 0xffffffff)
            size = 0;
        into.resize(qsizetype(size));
        std::memcpy(into.data(), at + sizeof size, size * sizeof(QChar));
    }
    // Whether a string read before holds no character (null or empty).
    static bool isEmptyAt(const char* at)
    {
        quint32 size;
        std::memcpy(&size, at, sizeof size);
        return size == 0 || size == 0xffffffff;
    }

private:
    bool take(qsizetype size)
    {
        if (!m_ok || size < 0 || m_end - m_at < size) {
            m_ok = false;
            return false;
        }
        m_at += size;
        return true;
    }

    const char* m_at;
    const char* m_end;
    bool m_ok = true;
};

} // namespace store
