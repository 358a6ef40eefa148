#pragma once

#include <QString>
#include <QStringList>

class UserDefaults;

// Where the store's folders come from and whether each can serve as one: the settings show
// this beside the folders and refuse a folder the store could not open.
namespace StoreFolders {

// The folders to use: $VELMORAN_STORE (folders separated by ':'), else the preference
// "storeFolders", else $XDG_DATA_HOME/velmoran/store.
// A relative folder there is left out (it would land wherever the program was started).
QStringList configuredRoots(const UserDefaults& defaults);
// What is wrong with $VELMORAN_STORE, in one sentence; empty when nothing is.
QString storeVariableProblem();
QString defaultRoot();

enum class Source {
    Environment, // $VELMORAN_STORE, which a user set on purpose and only they can change
    Preference,  // "storeFolders"
    Default,     // the folder under the XDG data folder
};
Source source(const UserDefaults& defaults);

enum class State {
    Usable,
    Missing,
    NotAFolder,
    Unreadable, // cannot be listed, or cannot be written (the store writes beside each item)
};
State check(const QString& path);
// The collections (non-hidden sub-folders) a usable folder holds.
int collectionCount(const QString& path);

// The folders in use with `folder` added (cleaned; nothing when it is there already).
QStringList withFolder(const UserDefaults& defaults, const QString& folder);
// The folders in use without `folder`; never empty: the default folder stands for none.
QStringList withoutFolder(const UserDefaults& defaults, const QString& folder);

} // namespace StoreFolders
