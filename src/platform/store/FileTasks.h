#pragma once

#include "platform/store/RareList.h"
#include "platform/store/Reminder.h"

#include <memory>

namespace store {

// The tasks an item file holds: one for nearly every file, several for an export or a
// calendar file, none for a file of events. The one is held in place and the others behind a
// pointer, in three words where a list with room for one in place took five.
class FileTasks
{
public:
    using Task = std::shared_ptr<const Reminder>;

    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Task;
        using difference_type = qsizetype;
        using pointer = const Task*;
        using reference = const Task&;

        const_iterator() = default;
        const_iterator(const FileTasks* tasks, qsizetype at)
            : m_tasks(tasks)
            , m_at(at)
        {}
        const Task& operator*() const { return (*m_tasks)[m_at]; }
        const Task* operator->() const { return &(*m_tasks)[m_at]; }
        const_iterator& operator++()
        {
            ++m_at;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++m_at;
            return before;
        }
        bool operator==(const const_iterator& other) const { return m_at == other.m_at; }
        bool operator!=(const const_iterator& other) const { return m_at != other.m_at; }

    private:
        const FileTasks* m_tasks = nullptr;
        qsizetype m_at = 0;
    };

    bool isEmpty() const { return !m_first; }
    qsizetype size() const { return m_first ? 1 + m_more.size() : 0; }
    const Task& operator[](qsizetype i) const { return i == 0 ? m_first : m_more.at(i - 1); }
    const Task& at(qsizetype i) const { return (*this)[i]; }
    const Task& first() const { return m_first; }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

    void append(Task task)
    {
        if (!m_first)
            m_first = std::move(task);
        else
            m_more.append(std::move(task));
    }
    void reserve(qsizetype size) { m_more.reserve(size - 1); }

private:
    Task m_first;
    RareList<Task> m_more;
};

} // namespace store
