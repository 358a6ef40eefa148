#include "cli/CliStoreScope.h"

#include "platform/store/ParseCache.h"

#include <algorithm>

namespace CliStoreScope {

store::StoreIndex::Scope oneList(const QString& name)
{
    const QString trimmed = name.trimmed();
    return [trimmed, wanted = trimmed.toLower()](const store::CollectionFolder& folder) {
        return folder.identifier == trimmed || folder.displayName.toLower().startsWith(wanted);
    };
}

store::StoreIndex::Scope someLists(const QStringList& names)
{
    QList<store::StoreIndex::Scope> each;
    for (const QString& name : names)
        each.append(oneList(name));
    return [each](const store::CollectionFolder& folder) {
        return std::any_of(each.cbegin(), each.cend(),
                           [&folder](const store::StoreIndex::Scope& one) { return one(folder); });
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
