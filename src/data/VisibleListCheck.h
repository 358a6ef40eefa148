#pragma once

#include "platform/store/Calendar.h"

#include <QList>
#include <QStringList>

#include <optional>

class UserDefaults;

// Keeping the preferences "visibleLists" and "invisibleLists" in step with the lists the store
// holds: a list made or deleted elsewhere joins or leaves them. Pure apart from `store`, so
// that the window's lists and a command that reads only the folders' metadata decide alike.
namespace VisibleListCheck {

// The task lists among a store's calendars. A folder whose marker of what it holds could not
// be read this time (an I/O error) and that holds nothing yet stays the list the user's
// preferences know it as: it must neither vanish nor be pruned from them, losing its place and
// visibility. One they do not name, a calendar perhaps, does not turn into a list.
QList<store::CalendarPtr> taskListsOf(const QList<store::CalendarPtr>& calendars,
                                      const QStringList& visible, const QStringList& invisible);

struct Outcome
{
    bool listsDiffer = false; // the lists and the preferences disagree in number
    bool apply = false;
    QStringList visible;
    std::optional<QStringList> invisible;
    bool refreshEverything = false;
};

// What the check decides from every list of the store and the two preferences.
Outcome check(const QStringList& all, const QStringList& visible, const QStringList& invisible,
              bool autoAdd);
// Writes the lists of an outcome that applies to the preferences.
void storeLists(UserDefaults& defaults, const Outcome& outcome);

} // namespace VisibleListCheck
