#include "presentation/detail/DetailServices.h"

#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QDesktopServices>

PreferredDetailServices::PreferredDetailServices(UserDefaults& defaults, QString tileFolder)
    : m_geocoder([&defaults] { return defaults.stringForKey(PrefKey::geocoderURL); })
    , m_tiles([&defaults] { return defaults.stringForKey(PrefKey::tileURL); },
              std::move(tileFolder))
    , m_addressBook([&defaults] { return defaults.stringForKey(PrefKey::contactsFolder); })
{}

DetailServices PreferredDetailServices::services()
{
    return {m_geocoder, m_tiles, m_addressBook,
            [](const QUrl& url) { return QDesktopServices::openUrl(url); }};
}
