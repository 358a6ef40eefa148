#include "cli/CliStoreScope.h"

#include "platform/store/ParseCache.h"

namespace CliStoreScope {

store::StoreIndex::Scope oneList(const QString& name)
{
    const QString trimmed = name.trimmed();
    return [trimmed, wanted = trimmed.toLower()](const store::CollectionFolder& folder) {
        return folder.identifier == trimmed || folder.displayName.toLower().startsWith(wanted);
    };
}

store::StoreIndex::Scope eventCalendars(const QStringList& roots)
{
    const store::ParseCache cache(store::ParseCache::fileForRoots(roots));
    return [cache, roots](const store::CollectionFolder& folder) {
        if (folder.createdFor == QLatin1String("VEVENT"))
            return true;
        const std::optional<store::ParseCache::Summary> summary = cache.summary(roots, folder);
        return !summary || summary->holdsEvents;
    };
}

} // namespace CliStoreScope
