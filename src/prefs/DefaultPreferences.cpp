#include "prefs/DefaultPreferences.h"

#include "platform/UserDefaults.h"
#include "platform/i18n/InterfaceLanguage.h"
#include "prefs/InvisibleLists.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/SmartAddRuleSets.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

// Generations of defaults: a store whose "currentVersion" is at most the threshold gets the
// block. Stores written before versioning existed read as 0 and get everything.
constexpr qint64 kBlockAUpTo = 99;
constexpr qint64 kBlockBUpTo = 119;
constexpr qint64 kBlockCUpTo = 120;
// Block D goes to every store below kDefaultPreferencesVersion.

// Numbers are stored as 64-bit integers, the type every reader gets back from the file, so a
// value compares equal before and after a reload.
QVariant number(qint64 value)
{
    return QVariant::fromValue(value);
}

// Record keys of the list dictionaries and quick actions.
const QString kType = QStringLiteral("type");
const QString kTag = QStringLiteral("tag");
const QString kLists = QStringLiteral("lists");
const QString kPriorities = QStringLiteral("priorities");
const QString kNumber = QStringLiteral("number");

QVariantMap blockA()
{
    return {
        {PrefKey::visibleLists, QVariantList()},
        {PrefKey::showCompleted, true},
        {PrefKey::alarmOn, true},
        {PrefKey::alarmTime, QStringLiteral("08:00")},
        {PrefKey::defaultList, QStringLiteral("")},
        {PrefKey::soundOn, false},
        {PrefKey::addCount, number(0)},
        {PrefKey::overdueNow, true},
        {PrefKey::appIconBadgeType, number(0)},
        {PrefKey::appIconBadgeOverdue, true},
        {PrefKey::appIconBadgeUndated, false},
        {PrefKey::locationLists, QVariantList()},
        {PrefKey::backgroundRefresh, true},
        {PrefKey::nightMode, false},
        {PrefKey::nightModeAuto, true},
        {PrefKey::nightModeAutoStartTime, QStringLiteral("22:00")},
        {PrefKey::nightModeAutoEndTime, QStringLiteral("07:00")},
        {PrefKey::filters, defaultFilters()},
        {PrefKey::visibleCalendars, QVariantList()},
        {PrefKey::viewEvents, true},
        {PrefKey::eventsPosition, number(0)},
        {PrefKey::alwaysOnTop, false},
    };
}

QVariantMap blockB()
{
    return {
        {PrefKey::defaultFont, number(0)},
        {PrefKey::fontSize, number(1)},
        {PrefKey::appIconBadge, number(1)},
    };
}

QVariantMap blockC()
{
    return {{PrefKey::showMenuBar, true}};
}

// Block D up to the point where "invisibleLists" is recomputed.
QVariantMap blockDFirstPart()
{
    return {
        {PrefKey::listNavArray, defaultListNavArray()},
        {PrefKey::smartAdd, true},
        {PrefKey::smartAddRules, defaultSmartAddRules()},
        {PrefKey::quickActions, defaultQuickActions()},
        {PrefKey::snooze, number(10)},
        {PrefKey::notifications, false},
        {PrefKey::tagOnNotes, false},
        {PrefKey::showEventDots, true},
    };
}

QVariantMap blockDSecondPart()
{
    return {
        {PrefKey::autoAddNewList, true},
        {PrefKey::noDueTime, false},
        {PrefKey::updateNote, true},
    };
}

QVariantMap typed(qint64 type)
{
    return {{kType, number(type)}};
}

QVariantMap typed(qint64 type, const QString& key, const QVariant& value)
{
    return {{kType, number(type)}, {key, value}};
}

// The names of the lists and tags a new store starts with, in the user's language.
struct DefaultNames
{
    Q_DECLARE_TR_FUNCTIONS(DefaultPreferences)
};

QString homeTag()
{
    //: A tag of the default sidebar and quick actions, stored once at the first launch.
    return DefaultNames::tr("Home");
}

// Habits of the user's locale, for as long as the user sets nothing: registered, never stored,
// so that they follow the locale until a choice of the user's or a synced set is stored.
QVariantMap localeDefaults()
{
    return {{PrefKey::sundayFirst, QLocale().firstDayOfWeek() != Qt::Monday}};
}

// Switches that came after the versioned blocks: registered too, so every store, old or new,
// has them on until the user turns them off, and nothing is written for them.
QVariantMap laterDefaults()
{
    return {{PrefKey::smartAddRepeats, true}};
}

} // namespace

QVariantMap defaultFilters()
{
    QVariantMap filters;
    for (const QLatin1StringView entry :
         {PrefKey::Filter::dayUndated, PrefKey::Filter::dayCompleted, PrefKey::Filter::dayEvents,
          PrefKey::Filter::weekUndated, PrefKey::Filter::weekCompleted, PrefKey::Filter::weekEvents,
          PrefKey::Filter::monthUndated, PrefKey::Filter::monthCompleted,
          PrefKey::Filter::monthEvents})
        filters.insert(entry, true);
    return filters;
}

QVariantList defaultListNavArray()
{
    //: The name of the merged list of the default sidebar, stored once at the first launch.
    QVariantMap smartList = typed(9, kTag, DefaultNames::tr("Smart List"));
    smartList.insert(kLists, QVariantList());
    smartList.insert(kPriorities, QVariantList{number(3)});
    return {
        typed(0),
        typed(1),
        typed(2),
        typed(3),
        typed(4),
        typed(5),
        typed(8, kTag, homeTag()),
        //: A tag of the default sidebar, stored once at the first launch.
        typed(8, kTag, DefaultNames::tr("Later")),
        smartList,
    };
}

QVariantList defaultSmartAddRules()
{
    return SmartAddRuleSets::forLanguage(InterfaceLanguage::current());
}

QVariantList defaultQuickActions()
{
    return {
        typed(0),
        typed(2, kTag, homeTag()),
        typed(3),
        typed(4),
        typed(6, kNumber, number(5)),
        typed(6, kNumber, number(30)),
        typed(8, kNumber, number(1)),
        typed(8, kNumber, number(3)),
        typed(10, kNumber, number(1)),
        typed(12, kNumber, number(1)),
    };
}

QVariant defaultPreferenceValue(const QString& key)
{
    for (const QVariantMap& block : {localeDefaults(), laterDefaults(), blockA(), blockB(),
                                     blockC(), blockDFirstPart(), blockDSecondPart()}) {
        const auto it = block.constFind(key);
        if (it != block.constEnd())
            return *it;
    }
    return {};
}

void setupDefaultPreferences(UserDefaults& defaults, const ListCatalog* lists)
{
    defaults.registerDefaults(localeDefaults());
    defaults.registerDefaults(laterDefaults());
    // An unreadable file seems to lack "FirstRun": the setup would write the defaults of a new
    // user over the group file the user's lists and choices are kept in.
    if (!defaults.storedValuesKnown())
        return;
    defaults.registerDefaults({{PrefKey::firstRun, true}});
    if (defaults.boolForKey(PrefKey::firstRun)) {
        if (defaults.hasStoredValue(PrefKey::currentVersion)) {
            // A store that has a version but lost its "FirstRun" (edited by hand, copied in
            // part) is not new: restarting it at version 1 would overwrite every choice the
            // user made with the defaults.
            defaults.setBool(false, PrefKey::firstRun);
        } else {
            defaults.setObjects({{PrefKey::firstRun, false},
                                 {PrefKey::currentVersion, number(1)},
                                 {PrefKey::initialLaunch, true}});
        }
    }

    const qint64 version = defaults.integerForKey(PrefKey::currentVersion);
    if (version >= kDefaultPreferencesVersion)
        return;

    // The blocks up to the "invisibleLists" step go out in one write; nothing reads the store
    // in between, so the result is the same as writing them key by key.
    QVariantMap values;
    if (version <= kBlockAUpTo)
        values.insert(blockA());
    if (version <= kBlockBUpTo)
        values.insert(blockB());
    if (version <= kBlockCUpTo)
        values.insert(blockC());
    values.insert(blockDFirstPart());
    defaults.setObjects(values);

    // The recomputation reads "visibleLists" as just written. The version goes out in the
    // same last write as the rest of block D, so an interrupted run is simply repeated.
    QVariantMap closing = blockDSecondPart();
    if (defaults.hasStoredValue(PrefKey::visibleLists)) {
        closing.insert(PrefKey::invisibleLists,
                       invisibleListsAccordingToVisibleList(
                           defaults.stringArrayForKey(PrefKey::visibleLists), lists));
    }
    closing.insert(PrefKey::currentVersion, number(kDefaultPreferencesVersion));
    defaults.setObjects(closing);
    defaults.synchronize();
}
