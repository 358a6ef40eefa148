#include "prefs/TodayExtensionMirror.h"

#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

namespace {

// The filter dictionary holds booleans or, as written by the Filters page, the numbers 0 and
// 1; anything else counts as off, as it does for every other reader.
bool filterEntryIsOn(const QVariant& entry)
{
    switch (entry.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return entry.toDouble() != 0.0;
    default:
        return false;
    }
}

} // namespace

void matchPreferencesForTodayExtension(UserDefaults& standard, UserDefaults& suite)
{
    QVariantMap values{
        {PrefKey::Suite::overdueNow, standard.boolForKey(PrefKey::overdueNow)},
        {PrefKey::Suite::undated,
         filterEntryIsOn(
             standard.dictionaryForKey(PrefKey::filters).value(PrefKey::Filter::dayUndated))},
        {PrefKey::Suite::viewEvents, standard.boolForKey(PrefKey::viewEvents)},
    };
    QStringList removals;
    const auto copyObject = [&](QLatin1StringView from, QLatin1StringView to) {
        const QVariant value = standard.objectForKey(from);
        if (value.isValid())
            values.insert(to, value);
        else
            removals << to;
    };
    copyObject(PrefKey::visibleLists, PrefKey::Suite::visibleLists);
    copyObject(PrefKey::defaultList, PrefKey::Suite::defaultList);

    suite.setObjects(values);
    for (const QString& key : std::as_const(removals)) {
        if (suite.hasStoredValue(key))
            suite.removeObjectForKey(key);
    }
    suite.synchronize();
}
