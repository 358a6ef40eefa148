#include "data/SmartListSettings.h"

SmartListSettings SmartListSettings::fromListNav(const QList<ListEntry>& listNav)
{
    SmartListSettings settings;
    for (const ListEntry& entry : listNav) {
        const ListKind kind = entry.kind();
        if (kind == ListKind::TagList || kind == ListKind::MergedList ||
            kind == ListKind::SavedSearch) {
            settings.smartLists.append(entry);
            continue;
        }
        if (entry.isPreset())
            settings.presetSelected[size_t(entry.storedType())] = true;
        else if (kind == ListKind::Unknown)
            settings.otherEntries.append(entry);
    }
    return settings;
}

QList<ListEntry> SmartListSettings::toListNav() const
{
    QList<ListEntry> listNav;
    for (int type = 0; type < kPresetCount; ++type) {
        if (presetSelected[size_t(type)])
            listNav.append(ListEntry::ofKind(ListKind(type)));
    }
    listNav.append(smartLists);
    listNav.append(otherEntries);
    return listNav;
}

bool SmartListSettings::move(int from, int to)
{
    if (from < 0 || from >= smartLists.size() || to < 0 || to > smartLists.size())
        return false;
    const ListEntry moved = smartLists.at(from);
    if (from < to) {
        smartLists.insert(to, moved);
        smartLists.removeAt(from);
    } else {
        smartLists.removeAt(from);
        smartLists.insert(to, moved);
    }
    return true;
}
