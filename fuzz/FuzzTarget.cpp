#include "FuzzTarget.h"

#include "IcsTarget.h"
#include "PreferenceFileTarget.h"
#include "RecurrenceTarget.h"
#include "SmartAddTarget.h"
#include "UrlCommandTarget.h"

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
    return nullptr;
}

QStringList FuzzTarget::names()
{
    return {QStringLiteral("ics"), QStringLiteral("recurrence"), QStringLiteral("urlcommand"),
            QStringLiteral("smartadd"), QStringLiteral("preferences")};
}
