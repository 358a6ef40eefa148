#pragma once

#include "data/ListEntry.h"

#include <functional>

class QMenu;

// The three list submenus of the menu bar ("Preset Lists", "Smart Lists", "Lists"): one item
// for each of the first nine entries of the matching sidebar group, named as the sidebar names
// it, with the digit as its shortcut. Rebuilt whenever a menu is about to open, so it always
// matches the sidebar. Shortcuts: Ctrl+digit for the preset lists, Ctrl+Shift+digit for the
// smart lists and Ctrl+Alt+digit for the user's lists; Super+digit belongs to the desktop on
// Linux.
namespace ListMenus {

inline constexpr int kMaximumItems = 9;

// Called with the entry's position, from 1.
using Choose = std::function<void(int position)>;

void setupPresetListsMenu(QMenu* menu, const QList<ListEntry>& entries, const Choose& choose);
void setupSmartListsMenu(QMenu* menu, const QList<ListEntry>& entries, const Choose& choose);
void setupListsMenu(QMenu* menu, const QList<ListEntry>& entries, const Choose& choose);

} // namespace ListMenus
