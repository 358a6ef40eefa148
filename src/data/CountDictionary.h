#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

// The sidebar counts. Entries are keyed by a number (the entry's type, or 11/12/13 for the day,
// week and month) or by a string ("###" and a smart list's tag, or a list's title); the two
// kinds never collide, as a list titled "5" and the type 5 must not. A key that is not written
// again keeps its last count.
class CountDictionary
{
public:
    void setCount(qint64 type, quint64 count) { m_byNumber.insert(type, count); }
    void setCount(const QString& key, quint64 count) { m_byString.insert(key, count); }
    // A number or string key, as the count job writes it; 0 for a key never written.
    quint64 countForKey(const QVariant& key) const
    {
        if (key.typeId() == QMetaType::QString)
            return m_byString.value(key.toString());
        return m_byNumber.value(key.toLongLong());
    }
    bool contains(const QVariant& key) const
    {
        if (key.typeId() == QMetaType::QString)
            return m_byString.contains(key.toString());
        return m_byNumber.contains(key.toLongLong());
    }
    void merge(const CountDictionary& other)
    {
        for (auto it = other.m_byNumber.constBegin(); it != other.m_byNumber.constEnd(); ++it)
            m_byNumber.insert(it.key(), it.value());
        for (auto it = other.m_byString.constBegin(); it != other.m_byString.constEnd(); ++it)
            m_byString.insert(it.key(), it.value());
    }
    bool isEmpty() const { return m_byNumber.isEmpty() && m_byString.isEmpty(); }

private:
    QHash<qint64, quint64> m_byNumber;
    QHash<QString, quint64> m_byString;
};
