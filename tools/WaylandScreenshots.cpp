#include "WaylandScreenshots.h"
#include "KeptPreferences.h"
#include "ScreenshotFiles.h"

#include "data/DataManager.h"
#include "hotkeys/PTKeyCombo.h"
#include "platform/UserDefaults.h"
#include "platform/UserNotificationCenter.h"
#include "prefs/PreferenceKeys.h"
#include "ui/prefs/PreferenceObject.h"
#include "ui/prefs/PreferenceWindowController.h"

int saveWaylandHelp(DataManager& manager, ModeManager& modes, const QString& output,
                    const QString& suffix)
{
    UserDefaults& defaults = manager.defaults();
    const KeptPreferences kept(defaults,
                               {PrefKey::shortcut, PrefKey::shortcut2, PrefKey::showMenuBar});
    const int ctrlAlt = PTKeyCombo::controlKeyMask | PTKeyCombo::optionKeyMask;
    defaults.setObject(QVariantMap{{"keyCode", 27}, {"modifierFlags", ctrlAlt}}, PrefKey::shortcut);
    defaults.setObject(QVariantMap{{"keyCode", 33}, {"modifierFlags", ctrlAlt}},
                       PrefKey::shortcut2);
    defaults.setBool(true, PrefKey::showMenuBar);

    struct Session
    {
        const char* name;
        DesktopSession session;
    };
    const Session sessions[] = {
        {"gnome", DesktopSession{true, QStringLiteral("GNOME"), false, true, false}},
        {"sway", DesktopSession{true, QStringLiteral("sway"), false, false, true}},
    };
    int failures = 0;
    for (const Session& session : sessions) {
        PreferenceRelays relays;
        const DesktopSession told = session.session;
        relays.desktopSession = [told] { return told; };
        PreferenceObject object(manager, modes, defaults,
                                UserNotificationCenter::defaultUserNotificationCenter(), relays);
        PreferenceWindowController window(&object);
        window.setPalette(object.palette());
        window.show();
        window.selectPanelAtIndex(PreferenceObject::General);
        window.resize(800, 600);
        failures += !ScreenshotFiles::writeWindow(&window,
                                                  output + "/prefs-general-wayland-" +
                                                      QLatin1String(session.name) + suffix + ".png",
                                                  400);
    }

    return failures;
}
