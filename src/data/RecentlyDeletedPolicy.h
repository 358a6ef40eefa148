#pragma once

#include <QDateTime>

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

} // namespace RecentlyDeletedPolicy
