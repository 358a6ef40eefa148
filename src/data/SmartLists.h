#pragma once

#include "data/ListEntry.h"

class UserDefaults;

// The sidebar entries the application keeps itself in "listNavArray" — the preset lists it shows
// and the smart lists the user made: tag lists, merged lists and saved searches. This is where
// the stored dictionaries become entries and back. Each change reads the array, changes a copy
// and stores it back at once, so the sidebar of another window sees the change on its next read.
namespace SmartLists {

QList<ListEntry> listNavArray(const UserDefaults& defaults);
void setListNavArray(UserDefaults& defaults, const QList<ListEntry>& entries);

// Appends a new entry (see ListEntry::smartList); a title of "" does nothing.
void addSmartListType(UserDefaults& defaults, ListKind type, const QString& title,
                      const QStringList& lists, const QList<qint64>& priorities);
// Replaces, in place, the first entry equal to `old`; a title of "" does nothing, and so does
// an `old` entry that is no longer stored (another window deleted it meanwhile: an edit must
// not bring a deleted list back).
void replaceSmartList(UserDefaults& defaults, const ListEntry& old, ListKind type,
                      const QString& title, const QStringList& lists,
                      const QList<qint64>& priorities);
// Finds the first stored entry of the same kind and tag (a merged list must also have equal
// lists and priorities) and removes every entry equal to it. A tag of "" does nothing; any kind
// but a tag list or merged list stands for a saved search.
void deleteSmartListFromDictionary(UserDefaults& defaults, const ListEntry& listDictionary);

} // namespace SmartLists
