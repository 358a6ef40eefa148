#include "FuzzTarget.h"

#include "AccountsTarget.h"
#include "GeocoderTarget.h"
#include "IcsTarget.h"
#include "ParseCacheTarget.h"
#include "PeerConfigTarget.h"
#include "PreferenceFileTarget.h"
#include "RecurrenceTarget.h"
#include "SmartAddTarget.h"
#include "SyncOutputTarget.h"
#include "SyncedPrefsTarget.h"
#include "TileCacheTarget.h"
#include "UrlCommandTarget.h"
#include "VCardTarget.h"

std::unique_ptr<FuzzTarget> FuzzTarget::create(const QString& name, const QString& workFolder)
{
    if (name == QLatin1StringView("ics"))
        return std::make_unique<IcsTarget>();
    if (name == QLatin1StringView("recurrence"))
        return std::make_unique<RecurrenceTarget>();
    if (name == QLatin1StringView("urlcommand"))
        return std::make_unique<UrlCommandTarget>(workFolder);
    if (name == QLatin1StringView("smartadd"))
        return std::make_unique<SmartAddTarget>(workFolder);
    if (name == QLatin1StringView("preferences"))
        return std::make_unique<PreferenceFileTarget>(workFolder);
    if (name == QLatin1StringView("vcard"))
        return std::make_unique<VCardTarget>();
    if (name == QLatin1StringView("geocoder"))
        return std::make_unique<GeocoderTarget>();
    if (name == QLatin1StringView("tilecache"))
        return std::make_unique<TileCacheTarget>(workFolder);
    if (name == QLatin1StringView("peerconfig"))
        return std::make_unique<PeerConfigTarget>(workFolder);
    if (name == QLatin1StringView("parsecache"))
        return std::make_unique<ParseCacheTarget>(workFolder);
    if (name == QLatin1StringView("syncoutput"))
        return std::make_unique<SyncOutputTarget>(workFolder);
    if (name == QLatin1StringView("accounts"))
        return std::make_unique<AccountsTarget>(workFolder);
    if (name == QLatin1StringView("syncedprefs"))
        return std::make_unique<SyncedPrefsTarget>(workFolder);
    return nullptr;
}

QStringList FuzzTarget::names()
{
    return {
        QStringLiteral("ics"),        QStringLiteral("recurrence"),  QStringLiteral("urlcommand"),
        QStringLiteral("smartadd"),   QStringLiteral("preferences"), QStringLiteral("vcard"),
        QStringLiteral("geocoder"),   QStringLiteral("tilecache"),   QStringLiteral("peerconfig"),
        QStringLiteral("parsecache"), QStringLiteral("syncoutput"),  QStringLiteral("accounts"),
        QStringLiteral("syncedprefs")};
}
