#include "data/RecentlyDeletedPolicy.h"

#include "platform/UserDefaults.h"
#include "platform/trash/RecentlyDeleted.h"
#include "prefs/PreferenceKeys.h"

namespace RecentlyDeletedPolicy {

namespace {

int storedInteger(const UserDefaults& defaults, QLatin1StringView key, int fallback)
{
    const QVariant stored = defaults.objectForKey(key);
    bool ok = false;
    const int value = stored.toInt(&ok);
    return stored.isValid() && ok ? value : fallback;
}

} // namespace

int keepDays(const UserDefaults& defaults)
{
    return storedInteger(defaults, PrefKey::deletedKeepDays, PrefKey::kDefaultDeletedKeepDays);
}

qint64 maxBytes(const UserDefaults& defaults)
{
    const int megabytes =
        storedInteger(defaults, PrefKey::deletedMaxMegabytes, PrefKey::kDefaultDeletedMaxMegabytes);
    return megabytes < 0 ? -1 : qint64(megabytes) * 1024 * 1024;
}

int purge(trash::RecentlyDeleted& trash, const UserDefaults& defaults, const QDateTime& now)
{
    return trash.purge(now, keepDays(defaults), maxBytes(defaults));
}

} // namespace RecentlyDeletedPolicy
