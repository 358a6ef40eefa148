#pragma once

class UserDefaults;

// Copies the five values the companion widget reads ("overdueNow", the day view's "undated"
// filter, "visibleLists", "defaultList", "viewEvents") from the standard store into the shared
// suite and flushes it. Called after every change of the visible lists, after a synced set is
// loaded and when the preferences window closes. An absent boolean is mirrored as false, an
// absent list array or default list removes the suite's key.
void matchPreferencesForTodayExtension(UserDefaults& standard, UserDefaults& suite);
