#include "prefs/PreferenceSync.h"

#include "platform/Clock.h"
#include "platform/UbiquitousKeyValueStore.h"
#include "platform/UserDefaults.h"
#include "prefs/ListDirectory.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/TodayExtensionMirror.h"

#include <QSysInfo>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

using Key = QLatin1StringView;

// What a set's object value must look like before it may replace the local one. The readers
// of these keys trust their shape, so a value from a confused machine must not reach them.
enum class Shape { Time, Dictionary, ArrayOfDictionaries, Array, Anything };

struct ObjectKey
{
    Key key;
    Shape shape;
};

// Copied as they are, and only when present.
constexpr ObjectKey kObjectKeys[] = {
    {PrefKey::alarmTime, Shape::Time},
    {PrefKey::nightModeAutoStartTime, Shape::Time},
    {PrefKey::nightModeAutoEndTime, Shape::Time},
    {PrefKey::filters, Shape::Dictionary},
    {PrefKey::listNavArray, Shape::ArrayOfDictionaries},
    {PrefKey::locationLists, Shape::Array},
    // Written by older versions; nothing here reads it, it only travels on.
    {PrefKey::quickAction, Shape::Anything},
    {PrefKey::quickActions, Shape::ArrayOfDictionaries},
    {PrefKey::smartAddRules, Shape::ArrayOfDictionaries},
};

constexpr Key kBooleanKeys[] = {
    PrefKey::sundayFirst,
    PrefKey::alarmOn,
    PrefKey::soundOn,
    PrefKey::overdueNow,
    PrefKey::appIconBadgeOverdue,
    PrefKey::appIconBadgeUndated,
    PrefKey::backgroundRefresh,
    PrefKey::nightMode,
    PrefKey::nightModeAuto,
    PrefKey::viewEvents,
    PrefKey::sideBar,
    PrefKey::notifications,
    PrefKey::smartAdd,
    PrefKey::showMenuBar,
    PrefKey::alwaysOnTop,
    PrefKey::showEventDots,
    PrefKey::noDueTime,
};

constexpr Key kIntegerKeys[] = {
    PrefKey::appIconBadge, PrefKey::appIconBadgeType,  PrefKey::fontSize, PrefKey::minuteInterval,
    PrefKey::urlOpen,      PrefKey::notificationSound, PrefKey::snooze,   PrefKey::font,
    PrefKey::defaultFont,
};

// A number as the platform's integer read takes it: booleans are 0 and 1, reals are truncated.
// Anything else, and reals that fit no 64-bit integer, are no integer at all.
std::optional<qint64> integerFrom(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return value.toLongLong();
    case QMetaType::Float:
    case QMetaType::Double: {
        const double real = std::trunc(value.toDouble());
        // 2^63 is exactly representable; everything below it converts without overflow.
        if (!std::isfinite(real) || real >= 9223372036854775808.0 || real < -9223372036854775808.0)
            return std::nullopt;
        return qint64(real);
    }
    default:
        return std::nullopt;
    }
}

std::optional<bool> booleanFrom(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double real = value.toDouble();
        if (std::isnan(real))
            return std::nullopt;
        return real != 0.0;
    }
    if (const std::optional<qint64> number = integerFrom(value))
        return *number != 0;
    return std::nullopt;
}

bool isList(const QVariant& value)
{
    return value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList;
}

bool hasShape(const QVariant& value, Shape shape)
{
    switch (shape) {
    case Shape::Time:
        return value.typeId() == QMetaType::QString &&
               QTime::fromString(value.toString(), QStringLiteral("HH:mm")).isValid();
    case Shape::Dictionary:
        return value.typeId() == QMetaType::QVariantMap;
    case Shape::ArrayOfDictionaries: {
        if (value.typeId() != QMetaType::QVariantList)
            return false;
        const QVariantList items = value.toList();
        return std::all_of(items.begin(), items.end(), [](const QVariant& item) {
            return item.typeId() == QMetaType::QVariantMap;
        });
    }
    case Shape::Array:
        return isList(value);
    case Shape::Anything:
        return value.isValid();
    }
    return false;
}

// --- List references ---

QVariantMap referenceTo(const ListDirectory::Entry& list)
{
    return {{SyncedSetKey::title, list.title},
            {SyncedSetKey::type, QVariant::fromValue<qint64>(list.kind)}};
}

std::optional<ListDirectory::Entry> entryWithIdentifier(const QList<ListDirectory::Entry>& lists,
                                                        const QString& identifier)
{
    for (const ListDirectory::Entry& list : lists) {
        if (list.identifier == identifier)
            return list;
    }
    return std::nullopt;
}

// For each identifier, in that order, the list it names; identifiers of no list are passed over.
QVariantList referencesTo(const QStringList& identifiers, const QList<ListDirectory::Entry>& lists)
{
    QVariantList references;
    for (const QString& identifier : identifiers) {
        if (const auto list = entryWithIdentifier(lists, identifier))
            references << referenceTo(*list);
    }
    return references;
}

// The identifier of the first list (in store order) with the reference's exact title and kind.
// A reference without a title string or with a kind that is no unsigned number matches nothing;
// a missing kind reads as 0, the local source, as every absent number does.
std::optional<QString> resolve(const QVariant& reference, const QList<ListDirectory::Entry>& lists)
{
    if (reference.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap fields = reference.toMap();
    const QVariant title = fields.value(SyncedSetKey::title);
    if (title.typeId() != QMetaType::QString)
        return std::nullopt;
    qint64 kind = 0;
    if (fields.contains(SyncedSetKey::type)) {
        const std::optional<qint64> number = integerFrom(fields.value(SyncedSetKey::type));
        if (!number || *number < 0 || *number > std::numeric_limits<uint>::max())
            return std::nullopt;
        kind = *number;
    }
    for (const ListDirectory::Entry& list : lists) {
        if (list.title == title.toString() && list.kind == kind)
            return list.identifier;
    }
    return std::nullopt;
}

// The identifiers of the lists a set's reference array names, in its order. References that
// match nothing here are dropped, and so is a second reference to a list already named: a list
// shown twice would appear twice in the sidebar. Anything but an array names no list.
QStringList resolveAll(const QVariant& references, const QList<ListDirectory::Entry>& lists)
{
    QStringList identifiers;
    if (!isList(references))
        return identifiers;
    const QVariantList items = references.toList();
    for (const QVariant& reference : items) {
        if (const auto identifier = resolve(reference, lists);
            identifier && !identifiers.contains(*identifier))
            identifiers << *identifier;
    }
    return identifiers;
}

} // namespace

PreferenceSync::PreferenceSync(UserDefaults& standard, UserDefaults& suite,
                               UbiquitousKeyValueStore& cloud, const ListDirectory& lists,
                               ModeManager& modeManager, Clock& clock, LoadedCallback loaded,
                               QObject* parent)
    : QObject(parent)
    , m_standard(standard)
    , m_suite(suite)
    , m_cloud(cloud)
    , m_lists(lists)
    , m_modeManager(modeManager)
    , m_clock(clock)
    , m_loaded(std::move(loaded))
{
    connect(&m_cloud, &UbiquitousKeyValueStore::didChangeExternally, this,
            [this](const QStringList& keys) {
                if (keys.contains(PrefKey::syncedPreferences))
                    Q_EMIT syncedPreferenceSetsChanged();
            });
}

QString PreferenceSync::deviceName()
{
    const QString hostName = QSysInfo::machineHostName();
    return hostName.isEmpty() ? QStringLiteral("Linux") : hostName;
}

QList<SyncedPreferenceSet> PreferenceSync::syncedPreferenceSets() const
{
    QList<SyncedPreferenceSet> sets;
    const QVariantList stored = m_cloud.arrayForKey(PrefKey::syncedPreferences);
    for (const QVariant& item : stored) {
        if (item.typeId() != QMetaType::QVariantMap)
            continue;
        SyncedPreferenceSet set;
        set.values = item.toMap();
        const QVariant device = set.values.value(SyncedSetKey::device);
        if (device.typeId() == QMetaType::QString)
            set.device = device.toString();
        const QVariant date = set.values.value(SyncedSetKey::date);
        if (date.typeId() == QMetaType::QDateTime)
            set.date = date.toDateTime();
        sets << set;
    }
    return sets;
}

QVariantMap PreferenceSync::currentPreferenceSet() const
{
    const QList<ListDirectory::Entry> reminderLists = m_lists.reminderLists();
    QVariantMap set{
        {SyncedSetKey::device, deviceName()},
        {SyncedSetKey::date, m_clock.now()},
    };

    std::optional<ListDirectory::Entry> defaultList =
        entryWithIdentifier(reminderLists, m_standard.stringForKey(PrefKey::defaultList));
    if (!defaultList)
        defaultList = m_lists.defaultListForNewReminders();
    // A store without any list has no default to carry; the key stays out of the set.
    if (defaultList)
        set.insert(PrefKey::defaultList, referenceTo(*defaultList));

    set.insert(PrefKey::visibleLists,
               referencesTo(m_standard.stringArrayForKey(PrefKey::visibleLists), reminderLists));
    const QStringList invisible = m_standard.stringArrayForKey(PrefKey::invisibleLists);
    QVariantList invisibleReferences;
    for (const ListDirectory::Entry& list : reminderLists) {
        if (invisible.contains(list.identifier))
            invisibleReferences << referenceTo(list);
    }
    set.insert(PrefKey::invisibleLists, invisibleReferences);
    set.insert(PrefKey::visibleCalendars,
               referencesTo(m_standard.stringArrayForKey(PrefKey::visibleCalendars),
                            m_lists.eventCalendars()));

    for (const ObjectKey& object : kObjectKeys) {
        const QVariant value = m_standard.objectForKey(object.key);
        if (value.isValid())
            set.insert(object.key, value);
    }
    for (const Key key : kBooleanKeys)
        set.insert(key, m_standard.boolForKey(key));
    for (const Key key : kIntegerKeys)
        set.insert(key, QVariant::fromValue(m_standard.integerForKey(key)));
    set.insert(SyncedSetKey::groupTheme,
               QVariant::fromValue(m_suite.integerForKey(PrefKey::Suite::theme)));
    return set;
}

void PreferenceSync::uploadPreferences()
{
    // Look at the folder first: a set another machine saved since the last look must not be
    // written over.
    m_cloud.synchronize();
    QVariantList sets = m_cloud.arrayForKey(PrefKey::syncedPreferences);
    sets.prepend(currentPreferenceSet());
    writeSyncedSets(sets);
}

bool PreferenceSync::removeSyncedPreferenceSet(const QVariantMap& set)
{
    m_cloud.synchronize();
    QVariantList sets = m_cloud.arrayForKey(PrefKey::syncedPreferences);
    const qsizetype index = sets.indexOf(QVariant(set));
    if (index < 0)
        return false;
    sets.removeAt(index);
    writeSyncedSets(sets);
    return true;
}

void PreferenceSync::writeSyncedSets(const QVariantList& sets)
{
    m_cloud.setObject(sets, PrefKey::syncedPreferences);
    m_cloud.synchronize();
    Q_EMIT syncedPreferenceSetsChanged();
}

void PreferenceSync::loadPreferencesWithDict(const QVariantMap& set)
{
    QMetaObject::invokeMethod(
        this, [this, set] { applyPreferenceSet(set); }, Qt::QueuedConnection);
}

void PreferenceSync::applyPreferenceSet(const QVariantMap& set)
{
    QVariantMap changes;
    for (const ObjectKey& object : kObjectKeys) {
        const QVariant value = set.value(object.key);
        if (hasShape(value, object.shape))
            changes.insert(object.key, value);
    }
    for (const Key key : kBooleanKeys) {
        if (const std::optional<bool> value = booleanFrom(set.value(key)))
            changes.insert(key, *value);
    }
    for (const Key key : kIntegerKeys) {
        if (const std::optional<qint64> value = integerFrom(set.value(key)))
            changes.insert(key, QVariant::fromValue(*value));
    }

    const QList<ListDirectory::Entry> reminderLists = m_lists.reminderLists();
    if (const auto defaultList = resolve(set.value(PrefKey::defaultList), reminderLists))
        changes.insert(PrefKey::defaultList, *defaultList);
    changes.insert(PrefKey::visibleLists,
                   resolveAll(set.value(PrefKey::visibleLists), reminderLists));
    changes.insert(PrefKey::invisibleLists,
                   resolveAll(set.value(PrefKey::invisibleLists), reminderLists));
    changes.insert(PrefKey::visibleCalendars,
                   resolveAll(set.value(PrefKey::visibleCalendars), m_lists.eventCalendars()));
    m_standard.setObjects(changes);

    if (const std::optional<qint64> theme = integerFrom(set.value(SyncedSetKey::groupTheme)))
        m_suite.setInteger(*theme, PrefKey::Suite::theme);

    m_standard.synchronize();
    m_suite.synchronize();
    matchPreferencesForTodayExtension(m_standard, m_suite);
    m_modeManager.setupDefaultFont();
    if (m_loaded)
        m_loaded();
}

QStringList PreferenceSync::missingListTitles(const QVariantMap& set, const ListDirectory& lists)
{
    QStringList missing;
    const auto check = [&missing](const QVariant& reference,
                                  const QList<ListDirectory::Entry>& candidates) {
        const QVariant title = reference.toMap().value(SyncedSetKey::title);
        if (reference.typeId() == QMetaType::QVariantMap && title.typeId() == QMetaType::QString &&
            !resolve(reference, candidates) && !missing.contains(title.toString()))
            missing << title.toString();
    };
    const QList<ListDirectory::Entry> reminderLists = lists.reminderLists();
    const QList<ListDirectory::Entry> calendars = lists.eventCalendars();
    check(set.value(PrefKey::defaultList), reminderLists);
    for (const Key key : {PrefKey::visibleLists, PrefKey::invisibleLists}) {
        const QVariant references = set.value(key);
        if (isList(references)) {
            for (const QVariant& reference : references.toList())
                check(reference, reminderLists);
        }
    }
    const QVariant calendarReferences = set.value(PrefKey::visibleCalendars);
    if (isList(calendarReferences)) {
        for (const QVariant& reference : calendarReferences.toList())
            check(reference, calendars);
    }
    return missing;
}
