#pragma once

#include <QDateTime>
#include <QLatin1StringView>
#include <QList>
#include <QObject>
#include <QVariantMap>

#include <functional>

class Clock;
class ListDirectory;
class ModeManager;
class UbiquitousKeyValueStore;
class UserDefaults;

// Keys of a synced preference set beside the preference keys it carries, and of the list
// references inside it. Sets are read by other machines (and older versions), so these never
// change.
namespace SyncedSetKey {
inline constexpr QLatin1StringView device{"device"};         // string: the saving machine
inline constexpr QLatin1StringView date{"date"};             // date: the moment of saving
inline constexpr QLatin1StringView groupTheme{"groupTheme"}; // integer: the suite's "theme"
// A list reference: {"title": string, "type": unsigned integer, the list's source kind}.
inline constexpr QLatin1StringView title{"title"};
inline constexpr QLatin1StringView type{"type"};
} // namespace SyncedSetKey

// One saved set as the preferences window lists it.
struct SyncedPreferenceSet
{
    // Empty or invalid when the saving machine wrote something else there.
    QString device;
    QDateTime date;
    // The whole set, as loadPreferencesWithDict() takes it.
    QVariantMap values;
};

// Saves the current preferences as a set into the synced key-value store (newest first, under
// "syncedPreferences") and loads a saved set back into the preferences. Lists travel by title
// and source kind, since identifiers are private to a machine, and are resolved again against
// the lists of the machine that loads the set. Sets may come from other machines and other
// versions: anything of the wrong shape is passed over and leaves the local value as it is.
class PreferenceSync : public QObject
{
    Q_OBJECT

public:
    using LoadedCallback = std::function<void()>;

    // `standard` are the preferences, `suite` the store shared with the companion widget.
    // `loaded` runs after a set has been applied, so the application can redraw its windows
    // and rebuild its lists from the new values.
    PreferenceSync(UserDefaults& standard, UserDefaults& suite, UbiquitousKeyValueStore& cloud,
                   const ListDirectory& lists, ModeManager& modeManager, Clock& clock,
                   LoadedCallback loaded = {}, QObject* parent = nullptr);

    // The saved sets, newest first; entries that are not sets at all are left out.
    QList<SyncedPreferenceSet> syncedPreferenceSets() const;

    // Adds a set built from the current preferences in front of the saved ones.
    void uploadPreferences();
    // Applies `set` to the preferences. The work runs on this object's thread after the call
    // returns; the loaded callback follows it.
    void loadPreferencesWithDict(const QVariantMap& set);
    // Removes the first saved set equal to `set` from the array as it is now in the synced
    // store, so sets another machine added meanwhile survive. False when it was not found.
    bool removeSyncedPreferenceSet(const QVariantMap& set);

    // The set uploadPreferences() would add now.
    QVariantMap currentPreferenceSet() const;

    // The titles of the lists `set` names (default list, shown, hidden and calendars) that
    // match no list here by title and kind, each once, in the order the set names them. Loading
    // the set drops them.
    static QStringList missingListTitles(const QVariantMap& set, const ListDirectory& lists);

    // The machine's configured host name, else "Linux".
    static QString deviceName();

Q_SIGNALS:
    // The saved sets changed, here or on another machine.
    void syncedPreferenceSetsChanged();

private:
    void applyPreferenceSet(const QVariantMap& set);
    void writeSyncedSets(const QVariantList& sets);

    UserDefaults& m_standard;
    UserDefaults& m_suite;
    UbiquitousKeyValueStore& m_cloud;
    const ListDirectory& m_lists;
    ModeManager& m_modeManager;
    Clock& m_clock;
    LoadedCallback m_loaded;
};
