#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

// The sixteen kinds of sidebar entry. The numbers are the "type" stored in "listNavArray" and in
// synced preference sets, so they never change.
enum class ListKind : qint64 {
    // A stored number this version does not know; it selects like a user list, by title.
    Unknown = -1,
    AllTasks = 0,
    UndatedTasks = 1,
    RecurringTasks = 2,
    LocationBasedTasks = 3,
    OverdueTasks = 4,
    HighPriorityTasks = 5,
    MediumPriorityTasks = 6,
    LowPriorityTasks = 7,
    TagList = 8,
    MergedList = 9,
    UserList = 10,
    Day = 11,
    Week = 12,
    Month = 13,
    Search = 14,
    SavedSearch = 15,
};

// The priority classes a merged list picks ("priorities").
enum class MergedPriority : qint64 { High = 0, Medium = 1, Low = 2, None = 3 };

// One sidebar entry: a preset list, a smart list (tag list, merged list, saved search), one of
// the user's lists, a date view or the search. It is what the sidebar selects, what the task
// list shows and what the counts are kept for.
//
// Stored entries are dictionaries; they become entries here and nowhere else, and an entry
// written back gives the dictionary it was read from: keys this version does not know, and
// values of a shape it cannot use, are carried along untouched, and a key that was absent
// stays absent. Two entries are equal when their stored dictionaries would be.
class ListEntry
{
public:
    // The empty entry: a divider row, nothing selected.
    ListEntry() = default;

    // An entry of nothing but its kind: a preset list, or the bare kind of a list the caller
    // fills in.
    static ListEntry ofKind(ListKind kind);
    static ListEntry tagList(const QString& tag);
    static ListEntry mergedList(const QString& tag, const QStringList& lists,
                                const QList<qint64>& priorities);
    static ListEntry savedSearch(const QString& tag);
    static ListEntry userList(const QString& title, const QString& identifier);
    // The day, week and month entries carry an empty title.
    static ListEntry dateView(ListKind kind);
    static ListEntry search(const QString& title);
    // The smart list of `kind` (a tag list or merged list; any other kind is stored as a saved
    // search), as the smart-list sheets create it.
    static ListEntry smartList(ListKind kind, const QString& tag, const QStringList& lists,
                               const QList<qint64>& priorities);

    static ListEntry fromStored(const QVariantMap& stored);
    QVariantMap toStored() const;
    static QList<ListEntry> fromStoredArray(const QVariantList& stored);
    static QVariantList toStoredArray(const QList<ListEntry>& entries);

    bool isEmpty() const;
    // A missing or non-numeric "type" reads as 0, all tasks, as it always has.
    ListKind kind() const;
    qint64 storedType() const;
    // Whether the entry carries a numeric "type" at all.
    bool hasStoredType() const { return m_type.has_value(); }
    bool is(ListKind kind) const { return this->kind() == kind; }
    bool isPreset() const;
    bool isSmartList() const;
    bool isDateView() const;

    QString title() const { return m_title.value_or(QString()); }
    QString tag() const { return m_tag.value_or(QString()); }
    QStringList lists() const { return m_lists.value_or(QStringList()); }
    QList<qint64> priorities() const { return m_priorities.value_or(QList<qint64>()); }
    QString identifier() const { return m_identifier.value_or(QString()); }

    bool operator==(const ListEntry& other) const = default;

private:
    std::optional<qint64> m_type;
    std::optional<QString> m_title;
    std::optional<QString> m_tag;
    std::optional<QStringList> m_lists;
    std::optional<QList<qint64>> m_priorities;
    std::optional<QString> m_identifier;
    QVariantMap m_otherKeys;
};
