#pragma once

#include "data/ListEntry.h"

#include <array>

// What the smart-list tab of the preferences edits, read from "listNavArray": which of the eight
// preset lists are switched on, and the user's smart lists (tag lists, merged lists, saved
// searches) in their own order. Written back, the presets always come first and in kind order;
// only the smart lists keep the order the user gave them.
struct SmartListSettings
{
    static constexpr int kPresetCount = 8;

    std::array<bool, kPresetCount> presetSelected{};
    QList<ListEntry> smartLists;
    // Entries of a kind this version does not know (a newer one wrote them): not shown, but
    // written back after the smart lists rather than lost.
    QList<ListEntry> otherEntries;

    static SmartListSettings fromListNav(const QList<ListEntry>& listNav);
    QList<ListEntry> toListNav() const;

    // Moves the smart list at `from` so it lands above the one at `to` (`to` may be the count:
    // the end). False, changing nothing, when either index is out of range.
    bool move(int from, int to);
};
