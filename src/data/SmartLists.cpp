#include "data/SmartLists.h"

#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <algorithm>

namespace SmartLists {

namespace {

// The kind of stored entry a kind stands for: everything that is not a tag or merged list is
// kept as a saved search.
ListKind storedKind(ListKind kind)
{
    return kind == ListKind::TagList || kind == ListKind::MergedList ? kind : ListKind::SavedSearch;
}

} // namespace

QList<ListEntry> listNavArray(const UserDefaults& defaults)
{
    return ListEntry::fromStoredArray(defaults.arrayForKey(PrefKey::listNavArray));
}

void setListNavArray(UserDefaults& defaults, const QList<ListEntry>& entries)
{
    defaults.setObject(ListEntry::toStoredArray(entries), PrefKey::listNavArray);
}

void addSmartListType(UserDefaults& defaults, ListKind type, const QString& title,
                      const QStringList& lists, const QList<qint64>& priorities)
{
    if (title.isEmpty())
        return;
    QList<ListEntry> entries = listNavArray(defaults);
    entries.append(ListEntry::smartList(type, title, lists, priorities));
    setListNavArray(defaults, entries);
}

void replaceSmartList(UserDefaults& defaults, const ListEntry& old, ListKind type,
                      const QString& title, const QStringList& lists,
                      const QList<qint64>& priorities)
{
    if (title.isEmpty())
        return;
    QList<ListEntry> entries = listNavArray(defaults);
    const auto found = std::find(entries.begin(), entries.end(), old);
    if (found == entries.end())
        return;
    *found = ListEntry::smartList(type, title, lists, priorities);
    setListNavArray(defaults, entries);
}

void deleteSmartListFromDictionary(UserDefaults& defaults, const ListEntry& listDictionary)
{
    const QString tag = listDictionary.tag();
    if (tag.isEmpty())
        return;
    const ListKind kind = storedKind(listDictionary.kind());
    const auto matches = [&](const ListEntry& entry) {
        if (entry.kind() != kind || entry.tag() != tag)
            return false;
        return kind != ListKind::MergedList || (entry.lists() == listDictionary.lists() &&
                                                entry.priorities() == listDictionary.priorities());
    };

    QList<ListEntry> entries = listNavArray(defaults);
    const auto found = std::find_if(entries.cbegin(), entries.cend(), matches);
    if (found == entries.cend())
        return;
    const ListEntry target = *found;
    entries.removeIf([&](const ListEntry& entry) { return entry == target; });
    setListNavArray(defaults, entries);
}

} // namespace SmartLists
