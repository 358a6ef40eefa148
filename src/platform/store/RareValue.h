#pragma once

#include <memory>

namespace store {

// A value most records leave empty (a list, a text): one pointer while it is, where the value
// itself takes three words. It reads as the value it holds (and converts to one); an empty
// value assigned drops what it held.
template <typename T> class RareValue
{
public:
    RareValue() = default;
    RareValue(const T& value) { *this = value; }
    RareValue(T&& value) { *this = std::move(value); }
    RareValue(const RareValue& other) { *this = other.get(); }
    RareValue(RareValue&&) noexcept = default;
    RareValue& operator=(const RareValue& other)
    {
        if (this != &other)
            *this = other.get();
        return *this;
    }
    RareValue& operator=(RareValue&&) noexcept = default;
    RareValue& operator=(const T& value) { return *this = T(value); }
    RareValue& operator=(T&& value)
    {
        if (value.isEmpty())
            m_value.reset();
        else if (m_value)
            *m_value = std::move(value);
        else
            m_value = std::make_unique<T>(std::move(value));
        return *this;
    }

    const T& get() const { return m_value ? *m_value : none(); }
    operator const T&() const { return get(); }

    bool isEmpty() const { return !m_value || m_value->isEmpty(); }
    void clear() { m_value.reset(); }

    friend bool operator==(const RareValue& a, const RareValue& b) { return a.get() == b.get(); }
    friend bool operator!=(const RareValue& a, const RareValue& b) { return a.get() != b.get(); }
    friend bool operator==(const RareValue& a, const T& b) { return a.get() == b; }
    friend bool operator!=(const RareValue& a, const T& b) { return a.get() != b; }
    friend bool operator==(const T& a, const RareValue& b) { return a == b.get(); }
    friend bool operator!=(const T& a, const RareValue& b) { return a != b.get(); }

protected:
    // For an edit in place: starts the value of an empty one.
    T& edit()
    {
        if (!m_value)
            m_value = std::make_unique<T>();
        return *m_value;
    }
    bool holds() const { return bool(m_value); }
    void dropIfEmpty()
    {
        if (m_value && m_value->isEmpty())
            m_value.reset();
    }

private:
    static const T& none()
    {
        static const T empty;
        return empty;
    }

    std::unique_ptr<T> m_value;
};

} // namespace store
