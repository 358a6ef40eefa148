#pragma once

#include <QString>
#include <QVariantList>
#include <QVariantMap>

class UserDefaults;

// The smart lists the application keeps itself in "listNavArray": tag lists (type 8), merged
// lists (type 9) and saved searches (type 15). Each operation reads the array, changes a copy
// and stores it back at once, so the sidebar of another window sees the change on its next
// read.
namespace SmartLists {

// The entry that addSmartListType would append: {8, tag}, {9, tag, lists, priorities}, or
// {15, tag} for any other type.
QVariantMap smartListEntry(qint64 type, const QString& title, const QVariantList& lists,
                           const QVariantList& priorities);

// Appends a new entry; a title of "" does nothing.
void addSmartListType(UserDefaults& defaults, qint64 type, const QString& title,
                      const QVariantList& lists, const QVariantList& priorities);
// Replaces, in place, the first entry equal to `old`; a title of "" does nothing, and so does
// an `old` entry that is no longer stored (another window deleted it meanwhile: an edit must
// not bring a deleted list back).
void replaceSmartList(UserDefaults& defaults, const QVariantMap& old, qint64 type,
                      const QString& title, const QVariantList& lists,
                      const QVariantList& priorities);
// Finds the first stored entry of the same kind and tag (a merged list must also have equal
// "lists" and "priorities") and removes every entry equal to it. A "tag" of "" does nothing.
void deleteSmartListFromDictionary(UserDefaults& defaults, const QVariantMap& listDictionary);

} // namespace SmartLists
