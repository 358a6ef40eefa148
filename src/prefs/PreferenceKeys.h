#pragma once

#include <QLatin1StringView>

// Every key of the preference store, of the "filters" dictionary and of the suite shared with
// the companion widget. The strings are part of the stored format (and of synced preference
// sets written on other machines), so they never change; code names a key only through this
// table. Types and defaults are listed beside each key; the defaults themselves are written by
// setupDefaultPreferences (DefaultPreferences.h), block by block.
namespace PrefKey {

using Key = QLatin1StringView;

// --- Block A (written for stores older than version 100) ---
inline constexpr Key visibleLists{"visibleLists"};         // string array: lists shown, user order
inline constexpr Key sundayFirst{"sundayFirst"};           // bool, true: weeks start on Sunday
inline constexpr Key showCompleted{"showCompleted"};       // bool, true
inline constexpr Key alarmOn{"alarmOn"};                   // bool, true: new due dates get an alarm
inline constexpr Key alarmTime{"alarmTime"};               // string "HH:mm", "08:00"
inline constexpr Key defaultList{"defaultList"};           // string list id, "" = store default
inline constexpr Key soundOn{"soundOn"};                   // bool, false
inline constexpr Key addCount{"addCount"};                 // integer, 0: tasks added so far
inline constexpr Key overdueNow{"overdueNow"};             // bool, true: overdue shown under today
inline constexpr Key appIconBadgeType{"appIconBadgeType"}; // integer, 0: none/day/week/month
inline constexpr Key appIconBadgeOverdue{"appIconBadgeOverdue"};       // bool, true
inline constexpr Key appIconBadgeUndated{"appIconBadgeUndated"};       // bool, false
inline constexpr Key locationLists{"locationLists"};                   // array, empty (sync only)
inline constexpr Key backgroundRefresh{"backgroundRefresh"};           // bool, true (sync only)
inline constexpr Key nightMode{"nightMode"};                           // bool, false
inline constexpr Key nightModeAuto{"nightModeAuto"};                   // bool, true
inline constexpr Key nightModeAutoStartTime{"nightModeAutoStartTime"}; // string, "22:00"
inline constexpr Key nightModeAutoEndTime{"nightModeAutoEndTime"};     // string, "07:00"
inline constexpr Key filters{"filters"};                   // dictionary, the nine entries below
inline constexpr Key visibleCalendars{"visibleCalendars"}; // string array, empty
inline constexpr Key viewEvents{"viewEvents"};             // bool, true
inline constexpr Key eventsPosition{"eventsPosition"};     // integer, 0
inline constexpr Key alwaysOnTop{"alwaysOnTop"};           // bool, false

// --- Block B (stores older than version 120) ---
inline constexpr Key defaultFont{"defaultFont"};   // integer, 0: system/Helvetica/Avenir/Arial
inline constexpr Key fontSize{"fontSize"};         // integer, 1: 13/15/18 points
inline constexpr Key appIconBadge{"appIconBadge"}; // integer, 1: none/computed/all incomplete

// --- Block C (stores older than version 121) ---
inline constexpr Key showMenuBar{"showMenuBar"}; // bool, true

// --- Block D (stores older than version 200) ---
inline constexpr Key listNavArray{"listNavArray"};     // array of list dictionaries
inline constexpr Key smartAdd{"smartAdd"};             // bool, true
inline constexpr Key smartAddRules{"smartAddRules"};   // array of rule records
inline constexpr Key quickActions{"quickActionsMac"};  // array of quick action records
inline constexpr Key snooze{"snooze"};                 // integer minutes, 10
inline constexpr Key notifications{"notifications"};   // bool, false
inline constexpr Key tagOnNotes{"tagOnNotes"};         // bool, false
inline constexpr Key showEventDots{"showEventDots"};   // bool, true
inline constexpr Key autoAddNewList{"autoAddNewList"}; // bool, true
inline constexpr Key noDueTime{"noDueTime"};           // bool, false
inline constexpr Key updateNote{"updateNote"};         // bool, true
inline constexpr Key currentVersion{"currentVersion"}; // integer, 200

// --- First launch and derived ---
inline constexpr Key firstRun{"FirstRun"};             // bool, registered (volatile) true
inline constexpr Key initialLaunch{"initialLaunch"};   // bool, true until onboarding has shown
inline constexpr Key invisibleLists{"invisibleLists"}; // string array, lists hidden, store order

// --- Keys without a default (absent until the user sets them) ---
inline constexpr Key shortcut{"shortcut"};   // dictionary {keyCode, modifierFlags}: main window
inline constexpr Key shortcut2{"shortcut2"}; // dictionary {keyCode, modifierFlags}: panel
inline constexpr Key alwaysOnTopMenuBar{"alwaysOnTopMenuBar"}; // bool: panel pinned
inline constexpr Key frameString{"frameString"}; // string: main window split view frame
// bool: speak English whatever the desktop's language (read at start)
inline constexpr Key useEnglishInterface{"useEnglishInterface"};
// string "x,y": where the preferences window was left, title bar included
inline constexpr Key preferencesFrameString{"preferencesFrameString"};
// strings "{{x, y}, {width, height}}" as frameString: where the help, Recently Deleted,
// quick-add and about windows were left, title bar included, and their size without it.
inline constexpr Key helpFrameString{"helpFrameString"};
inline constexpr Key recentlyDeletedFrameString{"recentlyDeletedFrameString"};
inline constexpr Key quickAddFrameString{"quickAddFrameString"};
inline constexpr Key aboutFrameString{"aboutFrameString"};
// bool, absent = off: an XDG autostart entry starts the application in the background at login.
inline constexpr Key startAtLogin{"startAtLogin"};
// bool, absent = on: Smart Add reads repeat phrases ("every Monday") beside the user's rules.
inline constexpr Key smartAddRepeats{"smartAddRepeats"};
// string array, absent = the default folder: the vdir roots the store reads (the environment
// variable VELMORAN_STORE overrides it).
inline constexpr Key storeFolders{"storeFolders"};
// string, absent = the default folder: where synced preference sets are kept (the environment
// variable VELMORAN_SYNC_DIR overrides it).
inline constexpr Key syncFolder{"syncFolder"};
// string, absent = khard's address books: the vdir folder of vCard files places are found in.
inline constexpr Key contactsFolder{"contactsFolder"};
// string, absent = the public OpenStreetMap service: a Nominatim-compatible geocoder.
inline constexpr Key geocoderURL{"geocoderURL"};
// string, absent = no tiles: a raster tile server ("https://host/{z}/{x}/{y}.png") for maps.
inline constexpr Key tileURL{"tileURL"};
// integer minutes, absent = 15: how often the CalDAV accounts sync besides at start, after a
// change and on demand; 0 turns the periodic sync off.
inline constexpr Key syncInterval{"syncInterval"};
inline constexpr int kDefaultSyncIntervalMinutes = 15;
// string, absent = none: the user's own vdirsyncer configuration, synced as it is (only
// "vdirsyncer sync"; nothing of it is written).
inline constexpr Key syncUserConfig{"syncUserConfig"};
// integer days, absent = 30: how long Recently Deleted keeps what was deleted.
inline constexpr Key deletedKeepDays{"deletedKeepDays"};
inline constexpr int kDefaultDeletedKeepDays = 30;
// integer megabytes, absent = 500: past this size Recently Deleted lets its oldest items go.
inline constexpr Key deletedMaxMegabytes{"deletedMaxMegabytes"};
inline constexpr int kDefaultDeletedMaxMegabytes = 500;
// string, absent = ask each time: what completing a task with open subtasks does — "all"
// completes its subtasks with it, "only" the task alone (a choice the user asked to be
// remembered; the General page's "Ask" forgets it).
inline constexpr Key subtaskCompletion{"subtaskCompletion"};
inline constexpr Key kSubtaskCompletionAll{"all"};
inline constexpr Key kSubtaskCompletionOnly{"only"};
// Carried in synced preference sets only; nothing here acts on them.
inline constexpr Key sideBar{"sideBar"};               // bool
inline constexpr Key minuteInterval{"minuteInterval"}; // integer
inline constexpr Key urlOpen{"urlOpen"};               // integer
inline constexpr Key font{"font"};                     // integer
inline constexpr Key notificationSound{"notiSound"};   // integer
inline constexpr Key quickAction{"quickAction"};       // object of older versions

// --- Entries of the "filters" dictionary (readers take 0/1 numbers as booleans) ---
namespace Filter {
inline constexpr Key dayUndated{"dayUndated"};
inline constexpr Key dayCompleted{"dayCompleted"};
inline constexpr Key dayEvents{"dayEvents"};
inline constexpr Key weekUndated{"weekUndated"};
inline constexpr Key weekCompleted{"weekCompleted"};
inline constexpr Key weekEvents{"weekEvents"};
inline constexpr Key monthUndated{"monthUndated"};
inline constexpr Key monthCompleted{"monthCompleted"};
inline constexpr Key monthEvents{"monthEvents"};
// Written (always true) by the Filters page beside the nine above; read by nothing.
inline constexpr Key listAll{"listAll"};
inline constexpr Key listUndated{"listUndated"};
inline constexpr Key listRecurring{"listRecurring"};
} // namespace Filter

// --- The suite shared with the companion widget ---
inline constexpr Key suiteName{"K31415926Z.group.marrowfieldlabs.velmoran"};
namespace Suite {
inline constexpr Key overdueNow{"overdueNow"};     // bool, from the standard "overdueNow"
inline constexpr Key undated{"undated"};           // bool, from filters/dayUndated
inline constexpr Key visibleLists{"visibleLists"}; // string array, from "visibleLists"
inline constexpr Key defaultList{"defaultList"};   // string, from "defaultList"
inline constexpr Key viewEvents{"viewEvents"};     // bool, from "viewEvents"
inline constexpr Key theme{"theme"};               // integer, written when a synced set loads
} // namespace Suite

// --- The cloud key-value store ---
inline constexpr Key syncedPreferences{"syncedPreferences"}; // array of synced preference sets

} // namespace PrefKey
