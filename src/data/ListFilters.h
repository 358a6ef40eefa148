#pragma once

#include "data/ListEntry.h"
#include "data/ReminderQueries.h"

#include <QVariantMap>

// What a sidebar entry selects, the day, week and month counts beside the date entries, the
// per-list open counts and the free-text search, all over one snapshot taken at construction. Cheap
// to build; the count job makes one per run and asks it for every entry.
class ListFilters
{
public:
    // `overdueNow` and `filters` are the preferences of the same names: whether overdue tasks
    // are listed under today, and the dictionary whose "dayUndated", "weekUndated" and
    // "monthUndated" entries (booleans, or the numbers 0 and 1) add the undated tasks.
    ListFilters(SnapshotPtr snapshot, QueryDates dates, bool overdueNow, QVariantMap filters);

    const ReminderQueries& queries() const { return m_queries; }

    // The entry's selection in snapshot order; the caller sorts.
    std::optional<ReminderList> fetchRemindersFromDictionary(const ListEntry& listDictionary) const;
    // The same without the "open" condition, for lists that show completed tasks; the
    // undated entry then takes every task without a due date and the overdue entry stays open.
    std::optional<ReminderList>
    fetchRemindersIncludingCompletedFromDictionary(const ListEntry& listDictionary) const;
    quint64 countForDict(const ListEntry& listDictionary) const;

    // The counts beside the date entries, from the first instant of the day, week or month.
    quint64 countForDayOnDate(const QDateTime& dayStart) const;
    quint64 countForWeekOnDate(const QDateTime& weekStart) const;
    quint64 countForMonthOnDate(const QDateTime& monthStart) const;

    // Open tasks of one list (compared by identifier), or of every list of the snapshot.
    quint64 countForUncompletedRemindersAtCalendar(const store::CalendarPtr& list) const;

    // Tasks whose title holds every word of `text`, or whose notes hold every word; words are
    // split at each space and matched ignoring case. None for "" or without a snapshot.
    std::optional<ReminderList> fetchRemindersFromSearchText(const QString& text,
                                                             bool completed) const;

private:
    enum class Span { Day, Week, Month };
    quint64 countForPeriod(Span span, const QDateTime& start, const QDateTime& current,
                           bool withUndated) const;
    bool filterOn(QLatin1StringView entry) const;

    ReminderQueries m_queries;
    bool m_overdueNow;
    QVariantMap m_filters;
};
