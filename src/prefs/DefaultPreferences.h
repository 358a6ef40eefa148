#pragma once

#include <QString>
#include <QVariantList>
#include <QVariantMap>

class ListCatalog;
class UserDefaults;

// The defaults of every preference, written by a versioned routine. "currentVersion" records
// which generation of defaults a store already has; each block is written only to stores older
// than its threshold, so an upgrade adds what is new without touching what the user chose,
// except for the smart lists, Smart Add rules and quick actions, which version 200 resets.
// Defaults that are a matter of local habit ("sundayFirst") are registered from QLocale() at
// every run instead of stored, so they follow the locale until a value is stored.
//
// Runs once per launch before any window opens. `lists` answers the store's list identifiers
// for recomputing "invisibleLists"; nullptr means no list is known yet (nothing is hidden).
void setupDefaultPreferences(UserDefaults& defaults, const ListCatalog* lists);

// The version the routine brings a store to.
inline constexpr qint64 kDefaultPreferencesVersion = 200;

// Default contents of the structured keys, for the routine and for the settings pages that
// offer "restore defaults". The names of lists and tags are translated when called; the Smart
// Add rules are the set of the interface's language (InterfaceLanguage::current()).
QVariantMap defaultFilters();
QVariantList defaultListNavArray();
QVariantList defaultSmartAddRules();
QVariantList defaultQuickActions();
// The value the routine writes for `key`; invalid for a key it does not write. Settings show it
// in place of a stored value of the wrong kind.
QVariant defaultPreferenceValue(const QString& key);
