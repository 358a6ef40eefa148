#include "data/SmartLists.h"

#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <algorithm>

namespace SmartLists {

namespace {

const QString kType = QStringLiteral("type");
const QString kTag = QStringLiteral("tag");
const QString kLists = QStringLiteral("lists");
const QString kPriorities = QStringLiteral("priorities");

constexpr qint64 kTagList = 8;
constexpr qint64 kMergedList = 9;
constexpr qint64 kSavedSearch = 15;

// Numbers are stored as 64-bit integers, the type the preference file reads back, so an entry
// built here compares equal to the same entry after a reload.
QVariant number(qint64 value)
{
    return QVariant::fromValue(value);
}

QVariantList numbers(const QVariantList& values)
{
    QVariantList result;
    result.reserve(values.size());
    for (const QVariant& value : values)
        result.append(number(value.toLongLong()));
    return result;
}

QVariantList strings(const QVariantList& values)
{
    QVariantList result;
    result.reserve(values.size());
    for (const QVariant& value : values)
        result.append(value.toString());
    return result;
}

qint64 typeOf(const QVariantMap& entry)
{
    return entry.value(kType).toLongLong();
}

// The kind of stored entry a type stands for: everything that is not a tag or merged list is
// kept as a saved search.
qint64 storedType(qint64 type)
{
    return type == kTagList || type == kMergedList ? type : kSavedSearch;
}

QVariantList readEntries(const UserDefaults& defaults)
{
    return defaults.arrayForKey(PrefKey::listNavArray);
}

void writeEntries(UserDefaults& defaults, const QVariantList& entries)
{
    defaults.setObject(entries, PrefKey::listNavArray);
}

} // namespace

QVariantMap smartListEntry(qint64 type, const QString& title, const QVariantList& lists,
                           const QVariantList& priorities)
{
    QVariantMap entry{{kType, number(storedType(type))}, {kTag, title}};
    if (storedType(type) == kMergedList) {
        entry.insert(kLists, strings(lists));
        entry.insert(kPriorities, numbers(priorities));
    }
    return entry;
}

void addSmartListType(UserDefaults& defaults, qint64 type, const QString& title,
                      const QVariantList& lists, const QVariantList& priorities)
{
    if (title.isEmpty())
        return;
    QVariantList entries = readEntries(defaults);
    entries.append(smartListEntry(type, title, lists, priorities));
    writeEntries(defaults, entries);
}

void replaceSmartList(UserDefaults& defaults, const QVariantMap& old, qint64 type,
                      const QString& title, const QVariantList& lists,
                      const QVariantList& priorities)
{
    if (title.isEmpty())
        return;
    QVariantList entries = readEntries(defaults);
    for (QVariant& entry : entries) {
        if (entry.toMap() == old) {
            entry = smartListEntry(type, title, lists, priorities);
            writeEntries(defaults, entries);
            return;
        }
    }
}

void deleteSmartListFromDictionary(UserDefaults& defaults, const QVariantMap& listDictionary)
{
    const QString tag = listDictionary.value(kTag).toString();
    if (tag.isEmpty())
        return;
    const qint64 type = storedType(typeOf(listDictionary));
    const auto matches = [&](const QVariantMap& entry) {
        if (typeOf(entry) != type || entry.value(kTag).toString() != tag)
            return false;
        if (type != kMergedList)
            return true;
        return strings(entry.value(kLists).toList()) ==
                   strings(listDictionary.value(kLists).toList()) &&
               numbers(entry.value(kPriorities).toList()) ==
                   numbers(listDictionary.value(kPriorities).toList());
    };

    QVariantList entries = readEntries(defaults);
    const auto found = std::find_if(entries.cbegin(), entries.cend(),
                                    [&](const QVariant& entry) { return matches(entry.toMap()); });
    if (found == entries.cend())
        return;
    const QVariantMap target = found->toMap();
    entries.removeIf([&](const QVariant& entry) { return entry.toMap() == target; });
    writeEntries(defaults, entries);
}

} // namespace SmartLists
