#include "prefs/InvisibleLists.h"

#include "platform/UserDefaults.h"
#include "prefs/ListCatalog.h"
#include "prefs/PreferenceKeys.h"

#include <QSet>

QStringList invisibleListsAccordingToVisibleList(const QStringList& visibleLists,
                                                 const ListCatalog* lists)
{
    if (visibleLists.isEmpty() || !lists)
        return {};
    const QSet<QString> visible(visibleLists.cbegin(), visibleLists.cend());
    QStringList invisible;
    const QStringList all = lists->allListIdentifiers();
    for (const QString& identifier : all) {
        if (!visible.contains(identifier))
            invisible << identifier;
    }
    return invisible;
}

void makeInvisibleListAccordingToVisibleList(UserDefaults& defaults, const ListCatalog* lists,
                                             const QStringList& visibleLists)
{
    defaults.setObject(invisibleListsAccordingToVisibleList(visibleLists, lists),
                       PrefKey::invisibleLists);
}
