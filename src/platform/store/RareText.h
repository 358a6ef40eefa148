#pragma once

#include <QString>

#include <memory>

namespace store {

// A text most records leave empty, as most tasks name no parent: one pointer while it is,
// where a string takes three words. It reads as the string it holds (and converts to one);
// whatever changes it is assigned whole.
class RareText
{
public:
    RareText() = default;
    RareText(const QString& text) { *this = text; }
    RareText(const RareText& other) { *this = other.text(); }
    RareText(RareText&&) noexcept = default;
    RareText& operator=(const RareText& other)
    {
        if (this != &other)
            *this = other.text();
        return *this;
    }
    RareText& operator=(RareText&&) noexcept = default;
    RareText& operator=(const QString& text)
    {
        if (text.isEmpty())
            m_text.reset();
        else if (m_text)
            *m_text = text;
        else
            m_text = std::make_unique<QString>(text);
        return *this;
    }

    const QString& text() const { return m_text ? *m_text : none(); }
    operator const QString&() const { return text(); }

    bool isEmpty() const { return !m_text; }
    QString trimmed() const { return text().trimmed(); }
    void clear() { m_text.reset(); }

    friend bool operator==(const RareText& a, const RareText& b) { return a.text() == b.text(); }
    friend bool operator!=(const RareText& a, const RareText& b) { return a.text() != b.text(); }
    friend bool operator==(const RareText& a, const QString& b) { return a.text() == b; }
    friend bool operator!=(const RareText& a, const QString& b) { return a.text() != b; }
    friend bool operator==(const QString& a, const RareText& b) { return a == b.text(); }
    friend bool operator!=(const QString& a, const RareText& b) { return a != b.text(); }

private:
    static const QString& none()
    {
        static const QString empty;
        return empty;
    }

    std::unique_ptr<QString> m_text;
};

static_assert(sizeof(RareText) == sizeof(void*));

} // namespace store
