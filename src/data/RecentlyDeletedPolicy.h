#pragma once

#include <QDateTime>
#include <QString>

class UserDefaults;
namespace trash {
class RecentlyDeleted;
}

// How long and how much Recently Deleted keeps, as the preferences "deletedKeepDays" and
// "deletedMaxMegabytes" say (30 days and 500 MB when absent; a negative value keeps without
// limit).
namespace RecentlyDeletedPolicy {

int keepDays(const UserDefaults& defaults);
qint64 maxBytes(const UserDefaults& defaults);
// Lets go of what the limits no longer cover; answers how many items went.
int purge(trash::RecentlyDeleted& trash, const UserDefaults& defaults, const QDateTime& now);

// What a deletion's question says about where the items go and for how long, so that nobody
// reads "for good" into a deletion that can be taken back.
enum class Deletion { List, CompletedTasks };
QString whereDeletedItemsGo(Deletion deletion, const UserDefaults& defaults);

} // namespace RecentlyDeletedPolicy
