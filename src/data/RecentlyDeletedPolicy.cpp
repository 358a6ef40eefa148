#include "data/RecentlyDeletedPolicy.h"

#include "platform/UserDefaults.h"
#include "platform/trash/RecentlyDeleted.h"
#include "prefs/PreferenceKeys.h"

#include <QCoreApplication>

namespace RecentlyDeletedPolicy {

namespace {

int storedInteger(const UserDefaults& defaults, QLatin1StringView key, int fallback)
{
    const QVariant stored = defaults.objectForKey(key);
    bool ok = false;
    const int value = stored.toInt(&ok);
    return stored.isValid() && ok ? value : fallback;
}

struct RecentlyDeletedPolicyText
{
    Q_DECLARE_TR_FUNCTIONS(RecentlyDeletedPolicy)
};

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

QString whereDeletedItemsGo(Deletion deletion, const UserDefaults& defaults)
{
    const int days = keepDays(defaults);
    if (deletion == Deletion::List) {
        if (days < 0)
            return RecentlyDeletedPolicyText::tr(
                "The list and its tasks go to Recently Deleted (Edit → Recently Deleted…), "
                "where they are kept until you delete them there.");
        return RecentlyDeletedPolicyText::tr(
            "The list and its tasks go to Recently Deleted (Edit → Recently Deleted…), where they "
            "are kept for %n day(s).",
            nullptr, days);
    }
    if (days < 0)
        return RecentlyDeletedPolicyText::tr(
            "The completed tasks go to Recently Deleted (Edit → Recently Deleted…), where "
            "they are kept until you delete them there.");
    return RecentlyDeletedPolicyText::tr(
        "The completed tasks go to Recently Deleted (Edit → Recently Deleted…), where they are "
        "kept for %n day(s).",
        nullptr, days);
}

} // namespace RecentlyDeletedPolicy
