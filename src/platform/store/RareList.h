#pragma once

#include <QList>

#include <initializer_list>
#include <memory>

namespace store {

// A list that most records leave empty, as most tasks have no alarm and no repeat: one pointer
// while it is, where a list takes three words. It reads as the list it holds (and converts to
// one); whatever changes it goes through it, and an edit of an empty one starts its list.
template <typename T> class RareList
{
public:
    using value_type = T;
    using iterator = typename QList<T>::iterator;
    using const_iterator = typename QList<T>::const_iterator;

    RareList() = default;
    RareList(const QList<T>& list) { *this = list; }
    RareList(QList<T>&& list) { *this = std::move(list); }
    RareList(std::initializer_list<T> items)
        : RareList(QList<T>(items))
    {}
    RareList(const RareList& other) { *this = other.list(); }
    RareList(RareList&&) noexcept = default;
    RareList& operator=(const RareList& other)
    {
        if (this != &other)
            *this = other.list();
        return *this;
    }
    RareList& operator=(RareList&&) noexcept = default;
    RareList& operator=(std::initializer_list<T> items) { return *this = QList<T>(items); }
    RareList& operator=(const QList<T>& list)
    {
        if (list.isEmpty())
            m_list.reset();
        else if (m_list)
            *m_list = list;
        else
            m_list = std::make_unique<QList<T>>(list);
        return *this;
    }
    RareList& operator=(QList<T>&& list)
    {
        if (list.isEmpty())
            m_list.reset();
        else if (m_list)
            *m_list = std::move(list);
        else
            m_list = std::make_unique<QList<T>>(std::move(list));
        return *this;
    }

    const QList<T>& list() const { return m_list ? *m_list : none(); }
    operator const QList<T>&() const { return list(); }

    bool isEmpty() const { return !m_list || m_list->isEmpty(); }
    qsizetype size() const { return m_list ? m_list->size() : 0; }
    const T& at(qsizetype i) const { return list().at(i); }
    T value(qsizetype i) const { return list().value(i); }
    const T& operator[](qsizetype i) const { return list().at(i); }
    T& operator[](qsizetype i) { return edit()[i]; }
    const T& first() const { return list().first(); }
    const T& constFirst() const { return list().constFirst(); }
    T& first() { return edit().first(); }
    const T& last() const { return list().last(); }
    T& last() { return edit().last(); }

    // An empty one is walked without starting a list: a default iterator is its own end.
    iterator begin() { return m_list ? m_list->begin() : iterator(); }
    iterator end() { return m_list ? m_list->end() : iterator(); }
    const_iterator begin() const { return list().begin(); }
    const_iterator end() const { return list().end(); }
    const_iterator cbegin() const { return list().cbegin(); }
    const_iterator cend() const { return list().cend(); }

    void append(const T& item) { edit().append(item); }
    RareList& operator<<(const T& item)
    {
        append(item);
        return *this;
    }
    void reserve(qsizetype size)
    {
        if (size > 0)
            edit().reserve(size);
    }
    void removeAt(qsizetype i)
    {
        edit().removeAt(i);
        dropIfEmpty();
    }
    void removeLast()
    {
        edit().removeLast();
        dropIfEmpty();
    }
    template <typename Predicate> qsizetype removeIf(Predicate predicate)
    {
        const qsizetype removed = m_list ? m_list->removeIf(predicate) : 0;
        dropIfEmpty();
        return removed;
    }
    void clear() { m_list.reset(); }

    friend bool operator==(const RareList& a, const RareList& b) { return a.list() == b.list(); }
    friend bool operator!=(const RareList& a, const RareList& b) { return !(a == b); }
    friend bool operator==(const RareList& a, const QList<T>& b) { return a.list() == b; }
    friend bool operator!=(const RareList& a, const QList<T>& b) { return a.list() != b; }
    friend bool operator==(const QList<T>& a, const RareList& b) { return a == b.list(); }
    friend bool operator!=(const QList<T>& a, const RareList& b) { return a != b.list(); }

private:
    QList<T>& edit()
    {
        if (!m_list)
            m_list = std::make_unique<QList<T>>();
        return *m_list;
    }
    void dropIfEmpty()
    {
        if (m_list && m_list->isEmpty())
            m_list.reset();
    }
    static const QList<T>& none()
    {
        static const QList<T> empty;
        return empty;
    }

    std::unique_ptr<QList<T>> m_list;
};

static_assert(sizeof(RareList<int>) == sizeof(void*));

} // namespace store
