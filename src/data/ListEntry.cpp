#include "data/ListEntry.h"

#include "platform/UserDefaults.h"

namespace {

const QString kType = QStringLiteral("type");
const QString kTitle = QStringLiteral("title");
const QString kTag = QStringLiteral("tag");
const QString kLists = QStringLiteral("lists");
const QString kPriorities = QStringLiteral("priorities");
const QString kIdentifier = QStringLiteral("identifier");

bool isString(const QVariant& value)
{
    return value.typeId() == QMetaType::QString;
}

std::optional<QStringList> stringsOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList();
    if (value.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QStringList strings;
    for (const QVariant& item : value.toList()) {
        if (!isString(item))
            return std::nullopt;
        strings << item.toString();
    }
    return strings;
}

std::optional<QList<qint64>> numbersOf(const QVariant& value)
{
    if (value.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QList<qint64> numbers;
    for (const QVariant& item : value.toList()) {
        if (!UserDefaults::isNumber(item))
            return std::nullopt;
        numbers << UserDefaults::integerValue(item);
    }
    return numbers;
}

// Numbers are written as 64-bit integers, the type the preference file reads back, so an entry
// written here compares equal to the same entry after a reload.
QVariantList storedNumbers(const QList<qint64>& numbers)
{
    QVariantList stored;
    stored.reserve(numbers.size());
    for (const qint64 number : numbers)
        stored << QVariant::fromValue(number);
    return stored;
}

QVariantList storedStrings(const QStringList& strings)
{
    QVariantList stored;
    stored.reserve(strings.size());
    for (const QString& string : strings)
        stored << string;
    return stored;
}

} // namespace

ListEntry ListEntry::ofKind(ListKind kind)
{
    ListEntry entry;
    entry.m_type = qint64(kind);
    return entry;
}

ListEntry ListEntry::tagList(const QString& tag)
{
    ListEntry entry = ofKind(ListKind::TagList);
    entry.m_tag = tag;
    return entry;
}

ListEntry ListEntry::mergedList(const QString& tag, const QStringList& lists,
                                const QList<qint64>& priorities)
{
    ListEntry entry = ofKind(ListKind::MergedList);
    entry.m_tag = tag;
    entry.m_lists = lists;
    entry.m_priorities = priorities;
    return entry;
}

ListEntry ListEntry::savedSearch(const QString& tag)
{
    ListEntry entry = ofKind(ListKind::SavedSearch);
    entry.m_tag = tag;
    return entry;
}

ListEntry ListEntry::userList(const QString& title, const QString& identifier)
{
    ListEntry entry = ofKind(ListKind::UserList);
    entry.m_title = title;
    entry.m_identifier = identifier;
    return entry;
}

ListEntry ListEntry::dateView(ListKind kind)
{
    ListEntry entry = ofKind(kind);
    entry.m_title = QString();
    return entry;
}

ListEntry ListEntry::search(const QString& title)
{
    ListEntry entry = ofKind(ListKind::Search);
    entry.m_title = title;
    return entry;
}

ListEntry ListEntry::smartList(ListKind kind, const QString& tag, const QStringList& lists,
                               const QList<qint64>& priorities)
{
    switch (kind) {
    case ListKind::TagList:
        return tagList(tag);
    case ListKind::MergedList:
        return mergedList(tag, lists, priorities);
    default:
        return savedSearch(tag);
    }
}

ListEntry ListEntry::fromStored(const QVariantMap& stored)
{
    ListEntry entry;
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        const QString& key = it.key();
        const QVariant& value = it.value();
        if (key == kType && UserDefaults::isNumber(value))
            entry.m_type = UserDefaults::integerValue(value);
        else if (key == kTitle && isString(value))
            entry.m_title = value.toString();
        else if (key == kTag && isString(value))
            entry.m_tag = value.toString();
        else if (key == kIdentifier && isString(value))
            entry.m_identifier = value.toString();
        else if (key == kLists && stringsOf(value))
            entry.m_lists = stringsOf(value);
        else if (key == kPriorities && numbersOf(value))
            entry.m_priorities = numbersOf(value);
        else
            entry.m_otherKeys.insert(key, value);
    }
    return entry;
}

QVariantMap ListEntry::toStored() const
{
    QVariantMap stored = m_otherKeys;
    if (m_type)
        stored.insert(kType, QVariant::fromValue(*m_type));
    if (m_title)
        stored.insert(kTitle, *m_title);
    if (m_tag)
        stored.insert(kTag, *m_tag);
    if (m_lists)
        stored.insert(kLists, storedStrings(*m_lists));
    if (m_priorities)
        stored.insert(kPriorities, storedNumbers(*m_priorities));
    if (m_identifier)
        stored.insert(kIdentifier, *m_identifier);
    return stored;
}

QList<ListEntry> ListEntry::fromStoredArray(const QVariantList& stored)
{
    QList<ListEntry> entries;
    entries.reserve(stored.size());
    for (const QVariant& value : stored)
        entries << fromStored(value.toMap());
    return entries;
}

QVariantList ListEntry::toStoredArray(const QList<ListEntry>& entries)
{
    QVariantList stored;
    stored.reserve(entries.size());
    for (const ListEntry& entry : entries)
        stored << entry.toStored();
    return stored;
}

bool ListEntry::isEmpty() const
{
    return !m_type && !m_title && !m_tag && !m_lists && !m_priorities && !m_identifier &&
           m_otherKeys.isEmpty();
}

qint64 ListEntry::storedType() const
{
    // A "type" of the wrong shape is kept aside untouched; it reads as 0, as it always has.
    return m_type.value_or(0);
}

ListKind ListEntry::kind() const
{
    const qint64 type = storedType();
    if (type < qint64(ListKind::AllTasks) || type > qint64(ListKind::SavedSearch))
        return ListKind::Unknown;
    return ListKind(type);
}

bool ListEntry::isPreset() const
{
    const ListKind k = kind();
    return k >= ListKind::AllTasks && k <= ListKind::LowPriorityTasks;
}

bool ListEntry::isSmartList() const
{
    const ListKind k = kind();
    return k == ListKind::TagList || k == ListKind::MergedList || k == ListKind::SavedSearch;
}

bool ListEntry::isDateView() const
{
    const ListKind k = kind();
    return k == ListKind::Day || k == ListKind::Week || k == ListKind::Month;
}
