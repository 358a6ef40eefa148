#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>

namespace store {

// A long text that every record holds and few read through (a task's notes), kept in one byte
// a character while all of its characters are Latin-1, as in the notes of most tasks in the
// languages of Western Europe, and in UTF-16 otherwise: never more than the QString it stands
// for, and half of it for those. It reads as that QString (and converts to one); a search reads
// it in place through visit().
class CompactText
{
public:
    CompactText() = default;
    CompactText(const QString& text) { assign(text); }
    CompactText& operator=(const QString& text)
    {
        assign(text);
        return *this;
    }
    // Takes `text`, reusing this one's room when nothing else shares it.
    void assign(QStringView text);

    // Calls `read` with the text as a QLatin1StringView or as a QStringView, without a copy.
    template <typename Reader> decltype(auto) visit(Reader&& read) const
    {
        if (m_bytes.isEmpty())
            return read(QLatin1StringView());
        const qsizetype size = m_bytes.size() - 1;
        if (m_bytes.back() == kWide)
            return read(
                QStringView(reinterpret_cast<const char16_t*>(m_bytes.constData()), size / 2));
        return read(QLatin1StringView(m_bytes.constData(), size));
    }

    bool isEmpty() const { return m_bytes.isEmpty(); }
    qsizetype size() const
    {
        return visit([](auto view) { return view.size(); });
    }
    void clear() { m_bytes.clear(); }
    // Null for an empty text.
    QString toString() const
    {
        return visit([](auto view) { return view.toString(); });
    }
    operator QString() const { return toString(); }

    // Whether both hold the very same characters in memory: the same text, not an equal one.
    bool sharesCharactersWith(const CompactText& other) const
    {
        return m_bytes.constData() == other.m_bytes.constData() &&
               m_bytes.size() == other.m_bytes.size();
    }

    // One form for each text, so that equal texts hold equal bytes.
    friend bool operator==(const CompactText& a, const CompactText& b)
    {
        return a.m_bytes == b.m_bytes;
    }
    friend bool operator==(const CompactText& a, const QString& b)
    {
        return a.visit([&b](auto view) { return view == b; });
    }

private:
    // The last byte says which: the characters before it are Latin-1 bytes, or UTF-16 units in
    // the byte array's own alignment.
    static constexpr char kLatin1 = 'L';
    static constexpr char kWide = 'W';

    // `size` bytes to write the text into.
    char* room(qsizetype size);

    QByteArray m_bytes;
};

} // namespace store
