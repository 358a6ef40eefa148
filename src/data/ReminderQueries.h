#pragma once

#include "data/ReminderSnapshot.h"

#include <QDateTime>
#include <QList>

#include <optional>

// The shared date state the queries measure periods against.
struct QueryDates
{
    QDateTime now;
    QDateTime today;         // local midnight starting the current day
    QDateTime thisWeekDate;  // first day of the week containing today
    QDateTime thisMonthDate; // first day of the month containing today
};

using ReminderList = QList<store::ReminderPtr>;

// Which reminders one period query takes: open ones by their due date, completed ones by their
// completion date, each within [from, until). Bounds are milliseconds since the epoch.
struct PeriodSelection
{
    enum class Which { Uncompleted, Completed, Both };
    static constexpr qint64 kUnbounded = ReminderSnapshot::kNoDate;

    Which which = Which::Both;
    qint64 from = kUnbounded; // kUnbounded: everything before `until`, overdue included
    qint64 until = kUnbounded;
    // A period whose bounds could not be worked out (an invalid date) takes nothing.
    bool valid = true;
};

// The period queries over one snapshot. The snapshot pointer is taken once, at construction,
// so a refresh that replaces the data manager's snapshot meanwhile cannot change the answer
// half-way. Periods are half-open and their ends are calendar arithmetic in local time, so a
// day across a daylight-saving change is 23 or 25 hours long; each reminder is then judged on
// the snapshot's precomputed keys alone. Results keep the snapshot's order.
class ReminderQueries
{
public:
    ReminderQueries(SnapshotPtr snapshot, QueryDates dates);

    bool hasSnapshot() const { return m_snapshot != nullptr; }
    const SnapshotPtr& snapshot() const { return m_snapshot; }
    const QueryDates& dates() const { return m_dates; }

    // One day, from its first instant.
    std::optional<ReminderList> fetchRemindersOnDate(const QDateTime& day) const;
    std::optional<ReminderList> fetchUncompletedRemindersOnDate(const QDateTime& day) const;
    std::optional<ReminderList> fetchCompletedRemindersOnDate(const QDateTime& day) const;
    // Today's open tasks and every overdue one.
    std::optional<ReminderList> fetchUncompletedRemindersUntilToday() const;

    // One week of seven days, from its first day.
    std::optional<ReminderList> fetchRemindersFromStartingDate(const QDateTime& week) const;
    std::optional<ReminderList>
    fetchUncompletedRemindersFromStartingDate(const QDateTime& week) const;
    std::optional<ReminderList>
    fetchCompletedRemindersFromStartingDate(const QDateTime& week) const;
    std::optional<ReminderList>
    fetchUncompletedRemindersUntilStartingDate(const QDateTime& week) const;

    // One calendar month, from its first day.
    std::optional<ReminderList> fetchRemindersMonthlyFromStartingDate(const QDateTime& month) const;
    std::optional<ReminderList>
    fetchUncompletedRemindersMonthlyFromStartingDate(const QDateTime& month) const;
    std::optional<ReminderList>
    fetchCompletedRemindersMonthlyFromStartingDate(const QDateTime& month) const;
    std::optional<ReminderList>
    fetchUncompletedRemindersMonthlyUntilStartingDate(const QDateTime& month) const;

    std::optional<ReminderList> fetchUncompletedRemindersUntilCertainDate(const QDateTime& x) const;
    std::optional<ReminderList> fetchUncompletedRemindersFromDate(const QDateTime& from,
                                                                  const QDateTime& to) const;
    // Open tasks with at least one alarm.
    std::optional<ReminderList> fetchRemindersWithAlarm() const;
    // The undated open tasks: no due date, not completed and no completion date. Empty (not
    // none) without a snapshot.
    ReminderList fetchSimpleReminders() const;

    // The building blocks of the named queries, for callers that only count.
    static PeriodSelection day(const QDateTime& start, PeriodSelection::Which which);
    static PeriodSelection week(const QDateTime& start, PeriodSelection::Which which);
    static PeriodSelection month(const QDateTime& start, PeriodSelection::Which which);
    // Open tasks due before `end`; an invalid `end` selects nothing.
    static PeriodSelection until(const QDateTime& end);
    static PeriodSelection between(const QDateTime& from, const QDateTime& to);

    std::optional<ReminderList> fetch(const PeriodSelection& selection) const;
    std::optional<quint64> count(const PeriodSelection& selection) const;
    quint64 countSimpleReminders() const;
    // Whether the reminder at `index` of the snapshot is one of fetchSimpleReminders; needs a
    // snapshot.
    bool isSimple(qsizetype index) const;

private:
    template <typename Visit> void scan(const PeriodSelection& selection, Visit&& visit) const;

    SnapshotPtr m_snapshot;
    QueryDates m_dates;
};
