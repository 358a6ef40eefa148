#pragma once

#include "platform/store/RareValue.h"

#include <QList>

#include <initializer_list>

namespace store {

// A list that most records leave empty, as most tasks have no alarm and no repeat. Whatever
// changes it goes through it, and an edit of an empty one starts its list.
template <typename T> class RareList : public RareValue<QList<T>>
{
    using Base = RareValue<QList<T>>;

public:
    using value_type = T;
    using iterator = typename QList<T>::iterator;
    using const_iterator = typename QList<T>::const_iterator;

    using Base::Base;
    using Base::operator=;
    RareList(std::initializer_list<T> items)
        : Base(QList<T>(items))
    {}
    RareList& operator=(std::initializer_list<T> items)
    {
        Base::operator=(QList<T>(items));
        return *this;
    }

    const QList<T>& list() const { return this->get(); }
    qsizetype size() const { return list().size(); }
    const T& at(qsizetype i) const { return list().at(i); }
    T value(qsizetype i) const { return list().value(i); }
    const T& operator[](qsizetype i) const { return list().at(i); }
    T& operator[](qsizetype i) { return this->edit()[i]; }
    const T& first() const { return list().first(); }
    T& first() { return this->edit().first(); }

    // An empty one is walked without starting a list: a default iterator is its own end.
    iterator begin() { return this->holds() ? this->edit().begin() : iterator(); }
    iterator end() { return this->holds() ? this->edit().end() : iterator(); }
    const_iterator begin() const { return list().begin(); }
    const_iterator end() const { return list().end(); }
    const_iterator cbegin() const { return list().cbegin(); }
    const_iterator cend() const { return list().cend(); }

    void append(const T& item) { this->edit().append(item); }
    RareList& operator<<(const T& item)
    {
        append(item);
        return *this;
    }
    void reserve(qsizetype size)
    {
        if (size > 0)
            this->edit().reserve(size);
    }
    void removeAt(qsizetype i)
    {
        this->edit().removeAt(i);
        this->dropIfEmpty();
    }
    void removeLast()
    {
        this->edit().removeLast();
        this->dropIfEmpty();
    }
    template <typename Predicate> qsizetype removeIf(Predicate predicate)
    {
        const qsizetype removed = this->holds() ? this->edit().removeIf(predicate) : 0;
        this->dropIfEmpty();
        return removed;
    }
};

static_assert(sizeof(RareList<int>) == sizeof(void*));

} // namespace store
