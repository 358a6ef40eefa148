#include "data/VisibleListCheck.h"

#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

namespace VisibleListCheck {

QList<store::CalendarPtr> taskListsOf(const QList<store::CalendarPtr>& calendars,
                                      const QStringList& visible, const QStringList& invisible)
{
    QList<store::CalendarPtr> lists;
    for (const store::CalendarPtr& calendar : calendars) {
        const QString& identifier = calendar->calendarIdentifier;
        if (calendar->holdsReminders ||
            (calendar->kindUnknown() &&
             (visible.contains(identifier) || invisible.contains(identifier))))
            lists << calendar;
    }
    return lists;
}

Outcome check(const QStringList& all, const QStringList& visible, const QStringList& invisible,
              bool autoAdd)
{
    Outcome outcome;
    QStringList existing;
    for (const QString& identifier : visible) {
        if (all.contains(identifier))
            existing << identifier;
    }
    if (visible.size() + invisible.size() == all.size()) {
        outcome.apply = existing.size() != visible.size();
        outcome.visible = existing;
        outcome.refreshEverything = true;
        return outcome;
    }
    outcome.listsDiffer = true;
    outcome.apply = true;
    QStringList added;
    for (const QString& identifier : all) {
        if (!invisible.contains(identifier) && !existing.contains(identifier))
            added << identifier;
    }
    if (autoAdd) {
        outcome.visible = existing + added;
        outcome.refreshEverything = true;
    } else {
        outcome.visible = existing.size() != visible.size() ? existing : visible;
        outcome.invisible = invisible + added;
    }
    return outcome;
}

void storeLists(UserDefaults& defaults, const Outcome& outcome)
{
    defaults.setObject(outcome.visible, PrefKey::visibleLists);
    if (outcome.invisible)
        defaults.setObject(*outcome.invisible, PrefKey::invisibleLists);
}

} // namespace VisibleListCheck
