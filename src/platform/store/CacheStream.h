#pragma once

#include <QByteArray>
#include <QString>

#include <cstring>

namespace store {

// The parse cache's binary form: fixed-size numbers in the machine's own byte order and
// strings as their UTF-16 code units, read straight from memory. (A cache file never travels
// between machines; its header names the byte order anyway.) QDataStream went through a
// QIODevice for every number and cost more than the rest of a start.
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
