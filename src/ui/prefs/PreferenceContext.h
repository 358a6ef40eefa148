#pragma once

#include "ui/prefs/PreferenceRelays.h"

class DataManager;
class ModeManager;
class PreferenceBinder;
class UserDefaults;
class UserNotificationCenter;

// The collaborators every settings page works with, handed down from the preferences object.
struct PreferenceContext
{
    DataManager& manager;
    ModeManager& modeManager;
    UserDefaults& defaults;
    UserNotificationCenter& notificationCenter;
    PreferenceBinder& binder;
    const PreferenceRelays& relays;
};
