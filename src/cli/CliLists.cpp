#include "cli/CliLists.h"

#include "cli/CliOptions.h"
#include "cli/CliOutput.h"
#include "data/VisibleListCheck.h"
#include "platform/UserDefaults.h"
#include "platform/store/CalendarCatalog.h"
#include "platform/store/LocalFileName.h"
#include "platform/store/StoreFolders.h"
#include "prefs/PreferenceKeys.h"
#include "prefs/TodayExtensionMirror.h"

#include <QJsonArray>

#include <algorithm>
#include <unistd.h>

namespace CliLists {

namespace {

bool readyToUse(const QString& root)
{
    return ::access(store::LocalFileName::encode(root).constData(), R_OK | W_OK | X_OK) == 0;
}

} // namespace

std::optional<int> runFromFolders(UserDefaults& defaults, const CliRequest& request)
{
    const QStringList roots = StoreFolders::configuredRoots(defaults);
    if (roots.isEmpty() || !std::all_of(roots.cbegin(), roots.cend(), readyToUse))
        return std::nullopt;
    const QList<store::CalendarPtr> calendars = store::CalendarCatalog::read(roots);
    if (std::none_of(calendars.cbegin(), calendars.cend(), [&roots](const store::CalendarPtr& c) {
            return c->source && c->source->rootPath == roots.first();
        }))
        return std::nullopt;

    const QStringList stored = defaults.stringArrayForKey(PrefKey::visibleLists);
    const QStringList invisible = defaults.stringArrayForKey(PrefKey::invisibleLists);
    const QList<store::CalendarPtr> lists =
        VisibleListCheck::taskListsOf(calendars, stored, invisible);
    QStringList all;
    for (const store::CalendarPtr& list : lists)
        all << list->calendarIdentifier;
    const VisibleListCheck::Outcome outcome = VisibleListCheck::check(
        all, stored, invisible, defaults.boolForKey(PrefKey::autoAddNewList));
    if (outcome.apply) {
        VisibleListCheck::storeLists(defaults, outcome);
        if (outcome.refreshEverything)
            matchPreferencesForTodayExtension(defaults, UserDefaults::suite(PrefKey::suiteName));
    }
    // As the data manager reads them again: a list whose kind is unknown is one only while the
    // preferences name it.
    const QStringList visible = defaults.stringArrayForKey(PrefKey::visibleLists);
    const QList<store::CalendarPtr> shown = VisibleListCheck::taskListsOf(
        calendars, visible, defaults.stringArrayForKey(PrefKey::invisibleLists));
    QStringList shownIdentifiers;
    for (const store::CalendarPtr& list : shown)
        shownIdentifiers << list->calendarIdentifier;
    print(shown, visible.isEmpty() ? shownIdentifiers : visible, request.json);
    defaults.synchronize();
    return 0;
}

void print(const QList<store::CalendarPtr>& lists, const QStringList& visible, bool json)
{
    QJsonArray array;
    for (const store::CalendarPtr& list : lists) {
        const bool shown = visible.contains(list->calendarIdentifier);
        if (json)
            array.append(CliOutput::listObject(*list, shown));
        else
            CliOutput::print(CliOutput::listLine(*list, shown));
    }
    if (json)
        CliOutput::printJson(array);
}

} // namespace CliLists
