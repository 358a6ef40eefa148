#include "data/ReminderQueries.h"

namespace {

using Which = PeriodSelection::Which;

PeriodSelection period(const QDateTime& start, const QDateTime& end, Which which)
{
    PeriodSelection selection;
    selection.which = which;
    selection.valid = start.isValid() && end.isValid();
    if (selection.valid) {
        selection.from = start.toMSecsSinceEpoch();
        selection.until = end.toMSecsSinceEpoch();
    }
    return selection;
}

bool within(qint64 key, const PeriodSelection& selection)
{
    // kNoDate is the smallest qint64, so an absent date must be refused before the bounds
    // test: it would otherwise pass every "before the end" test of the Until queries.
    return key != ReminderSnapshot::kNoDate && key < selection.until && key >= selection.from;
}

} // namespace

ReminderQueries::ReminderQueries(SnapshotPtr snapshot, QueryDates dates)
    : m_snapshot(std::move(snapshot))
    , m_dates(std::move(dates))
{}

PeriodSelection ReminderQueries::day(const QDateTime& start, Which which)
{
    return period(start, start.addDays(1), which);
}

PeriodSelection ReminderQueries::week(const QDateTime& start, Which which)
{
    return period(start, start.addDays(7), which);
}

PeriodSelection ReminderQueries::month(const QDateTime& start, Which which)
{
    return period(start, start.addMonths(1), which);
}

PeriodSelection ReminderQueries::until(const QDateTime& end)
{
    PeriodSelection selection = period(end, end, Which::Uncompleted);
    selection.from = PeriodSelection::kUnbounded;
    return selection;
}

PeriodSelection ReminderQueries::between(const QDateTime& from, const QDateTime& to)
{
    return period(from, to, Which::Uncompleted);
}

template <typename Visit>
void ReminderQueries::scan(const PeriodSelection& selection, Visit&& visit) const
{
    if (!selection.valid)
        return;
    const ReminderSnapshot& snapshot = *m_snapshot;
    const bool open = selection.which != Which::Completed;
    const bool done = selection.which != Which::Uncompleted;
    for (qsizetype i = 0, n = snapshot.size(); i < n; ++i) {
        if (snapshot.isCompleted(i)) {
            if (done && within(snapshot.completionKey(i), selection))
                visit(i);
        } else if (open && within(snapshot.dueKey(i), selection)) {
            visit(i);
        }
    }
}

std::optional<ReminderList> ReminderQueries::fetch(const PeriodSelection& selection) const
{
    if (!m_snapshot)
        return std::nullopt;
    ReminderList taken;
    const QList<store::ReminderPtr>& reminders = m_snapshot->reminders();
    scan(selection, [&](qsizetype i) { taken.append(reminders[i]); });
    return taken;
}

std::optional<quint64> ReminderQueries::count(const PeriodSelection& selection) const
{
    if (!m_snapshot)
        return std::nullopt;
    quint64 total = 0;
    scan(selection, [&](qsizetype) { ++total; });
    return total;
}

bool ReminderQueries::isSimple(qsizetype index) const
{
    // A completed task that lacks its completion date is still done: it has no place among
    // the open undated tasks.
    return m_snapshot->dueKey(index) == ReminderSnapshot::kNoDate &&
           m_snapshot->completionKey(index) == ReminderSnapshot::kNoDate &&
           !m_snapshot->isCompleted(index);
}

ReminderList ReminderQueries::fetchSimpleReminders() const
{
    ReminderList taken;
    if (!m_snapshot)
        return taken;
    const QList<store::ReminderPtr>& reminders = m_snapshot->reminders();
    for (qsizetype i = 0, n = m_snapshot->size(); i < n; ++i) {
        if (isSimple(i))
            taken.append(reminders[i]);
    }
    return taken;
}

quint64 ReminderQueries::countSimpleReminders() const
{
    if (!m_snapshot)
        return 0;
    quint64 total = 0;
    for (qsizetype i = 0, n = m_snapshot->size(); i < n; ++i)
        total += isSimple(i) ? 1 : 0;
    return total;
}

std::optional<ReminderList> ReminderQueries::fetchRemindersWithAlarm() const
{
    if (!m_snapshot)
        return std::nullopt;
    ReminderList taken;
    for (qsizetype i = 0, n = m_snapshot->size(); i < n; ++i) {
        if (!m_snapshot->isCompleted(i) && m_snapshot->hasAlarms(i))
            taken.append(m_snapshot->reminders()[i]);
    }
    return taken;
}

std::optional<ReminderList> ReminderQueries::fetchRemindersOnDate(const QDateTime& day) const
{
    return fetch(ReminderQueries::day(day, Which::Both));
}

std::optional<ReminderList>
ReminderQueries::fetchUncompletedRemindersOnDate(const QDateTime& day) const
{
    return fetch(ReminderQueries::day(day, Which::Uncompleted));
}

std::optional<ReminderList>
ReminderQueries::fetchCompletedRemindersOnDate(const QDateTime& day) const
{
    return fetch(ReminderQueries::day(day, Which::Completed));
}

std::optional<ReminderList> ReminderQueries::fetchUncompletedRemindersUntilToday() const
{
    return fetch(until(m_dates.today.addDays(1)));
}

std::optional<ReminderList>
ReminderQueries::fetchRemindersFromStartingDate(const QDateTime& week) const
{
    return fetch(ReminderQueries::week(week, Which::Both));
}

std::optional<ReminderList>
ReminderQueries::fetchUncompletedRemindersFromStartingDate(const QDateTime& week) const
{
    return fetch(ReminderQueries::week(week, Which::Uncompleted));
}

std::optional<ReminderList>
ReminderQueries::fetchCompletedRemindersFromStartingDate(const QDateTime& week) const
{
    return fetch(ReminderQueries::week(week, Which::Completed));
}

std::optional<ReminderList>
ReminderQueries::fetchUncompletedRemindersUntilStartingDate(const QDateTime& week) const
{
    return fetch(until(week.addDays(7)));
}

std::optional<ReminderList>
ReminderQueries::fetchRemindersMonthlyFromStartingDate(const QDateTime& month) const
{
    return fetch(ReminderQueries::month(month, Which::Both));
}

std::optional<ReminderList>
ReminderQueries::fetchUncompletedRemindersMonthlyFromStartingDate(const QDateTime& month) const
{
    return fetch(ReminderQueries::month(month, Which::Uncompleted));
}

std::optional<ReminderList>
ReminderQueries::fetchCompletedRemindersMonthlyFromStartingDate(const QDateTime& month) const
{
    return fetch(ReminderQueries::month(month, Which::Completed));
}

std::optional<ReminderList>
ReminderQueries::fetchUncompletedRemindersMonthlyUntilStartingDate(const QDateTime& month) const
{
    return fetch(until(month.addMonths(1)));
}

std::optional<ReminderList>
ReminderQueries::fetchUncompletedRemindersUntilCertainDate(const QDateTime& x) const
{
    return fetch(until(x));
}

std::optional<ReminderList>
ReminderQueries::fetchUncompletedRemindersFromDate(const QDateTime& from, const QDateTime& to) const
{
    return fetch(between(from, to));
}
