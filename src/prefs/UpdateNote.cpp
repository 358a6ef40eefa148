#include "prefs/UpdateNote.h"

#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

namespace UpdateNote {

void settleForRelease(UserDefaults& defaults, const QString& release)
{
    const QString key = QString::fromLatin1(kVersionKey);
    if (defaults.hasStoredValue(key) && defaults.stringForKey(key) == release)
        return;
    // Until the onboarding is completed this is a first installation, whatever the defaults
    // routine has set.
    defaults.setBool(!defaults.boolForKey(PrefKey::initialLaunch), PrefKey::updateNote);
    defaults.setString(release, key);
    defaults.synchronize();
}

} // namespace UpdateNote
