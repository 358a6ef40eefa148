#include "data/CountDictionary.h"

bool CountDictionary::countedByKind(const ListEntry& entry)
{
    return entry.isPreset() || entry.isDateView();
}

QString CountDictionary::nameKey(const ListEntry& entry)
{
    if (entry.isSmartList())
        return QStringLiteral("###") + entry.tag();
    return entry.title();
}

void CountDictionary::setCount(const ListEntry& entry, quint64 count)
{
    if (countedByKind(entry))
        m_byKind.insert(entry.storedType(), count);
    else
        m_byName.insert(nameKey(entry), count);
}

std::optional<quint64> CountDictionary::countFor(const ListEntry& entry) const
{
    if (entry.isEmpty())
        return std::nullopt;
    if (countedByKind(entry)) {
        const auto found = m_byKind.constFind(entry.storedType());
        return found == m_byKind.cend() ? std::nullopt : std::optional<quint64>(*found);
    }
    const auto found = m_byName.constFind(nameKey(entry));
    return found == m_byName.cend() ? std::nullopt : std::optional<quint64>(*found);
}

void CountDictionary::merge(const CountDictionary& other)
{
    for (auto it = other.m_byKind.constBegin(); it != other.m_byKind.constEnd(); ++it)
        m_byKind.insert(it.key(), it.value());
    for (auto it = other.m_byName.constBegin(); it != other.m_byName.constEnd(); ++it)
        m_byName.insert(it.key(), it.value());
}
