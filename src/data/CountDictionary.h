#pragma once

#include "data/ListEntry.h"

#include <QHash>
#include <QString>

#include <optional>

// The sidebar counts. A preset or date entry's count is kept under its kind, a smart list's
// under "###" and its tag (so two smart lists with one tag share a count, as the stored
// dictionaries always have), and a user list's under its title. Numbers and strings never
// collide: a list titled "5" and the kind 5 have counts of their own. A key that is not written
// again keeps its last count.
class CountDictionary
{
public:
    void setCount(const ListEntry& entry, quint64 count);
    // None when no count was ever written for the entry (or for the empty entry).
    std::optional<quint64> countFor(const ListEntry& entry) const;

    void merge(const CountDictionary& other);
    bool isEmpty() const { return m_byKind.isEmpty() && m_byName.isEmpty(); }

private:
    static bool countedByKind(const ListEntry& entry);
    static QString nameKey(const ListEntry& entry);

    QHash<qint64, quint64> m_byKind;
    QHash<QString, quint64> m_byName;
};
