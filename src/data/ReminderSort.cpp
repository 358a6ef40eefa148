#include "data/ReminderSort.h"

#include <algorithm>
#include <limits>
#include <tuple>
#include <vector>

namespace {

// Absent dates take the largest key: after every present date, equal to each other.
constexpr qint64 kMissing = std::numeric_limits<qint64>::max();
constexpr int kNoPriorityRank = 10;
constexpr qint64 kSecondsPerDay = 86400;

qint64 instantKey(const QDateTime& date)
{
    return date.isValid() ? date.toMSecsSinceEpoch() : kMissing;
}

// The wall-clock reading of a local date and time, in seconds. Due dates in the local zone
// compare as their instants do except within the hour a daylight-saving change skips or
// repeats, and the key needs no time-zone lookup per reminder, which would make sorting a
// hundred thousand tasks take a noticeable moment.
qint64 wallClockKey(const QDate& date, const QTime& time)
{
    return date.toJulianDay() * kSecondsPerDay + time.msecsSinceStartOfDay() / 1000;
}

} // namespace

ReminderSort::ReminderSort(QStringList visibleLists)
    : m_visibleLists(std::move(visibleLists))
    , m_systemZone(QTimeZone::systemTimeZone())
{
    m_listPositions.reserve(m_visibleLists.size());
    for (int i = 0; i < m_visibleLists.size(); ++i) {
        if (!m_listPositions.contains(m_visibleLists.at(i)))
            m_listPositions.insert(m_visibleLists.at(i), i);
    }
}

qint64 ReminderSort::dueKey(const store::Reminder& reminder) const
{
    if (!reminder.dueDateComponents || !reminder.dueDateComponents->isValid())
        return kMissing;
    const store::DateComponents& due = *reminder.dueDateComponents;
    const QTime time(due.hour, due.minute, due.second);
    if (!due.timeZone.isValid() || due.timeZone == m_systemZone)
        return wallClockKey(due.date(), time.isValid() ? time : QTime(0, 0));
    // A due date pinned to another zone is read on the local clock, as the user sees it.
    const QDateTime local = due.toDateTime();
    return local.isValid() ? wallClockKey(local.date(), local.time()) : kMissing;
}

ReminderSort::Keys ReminderSort::keysOf(const store::Reminder& reminder) const
{
    Keys keys;
    keys.completed = reminder.completed;
    keys.completion = instantKey(reminder.completionDate);
    keys.due = dueKey(reminder);
    keys.priority = reminder.priority == 0 ? kNoPriorityRank : reminder.priority;
    const QString listIdentifier =
        reminder.calendar ? reminder.calendar->calendarIdentifier : QString();
    keys.listPosition = m_listPositions.value(listIdentifier, -1);
    keys.creation = instantKey(reminder.creationDate);
    return keys;
}

bool ReminderSort::Keys::operator<(const Keys& other) const
{
    return std::tie(completed, completion, due, priority, listPosition, creation) <
           std::tie(other.completed, other.completion, other.due, other.priority,
                    other.listPosition, other.creation);
}

bool ReminderSort::lessThan(const store::Reminder& a, const store::Reminder& b) const
{
    return keysOf(a) < keysOf(b);
}

void ReminderSort::sort(ReminderList& reminders) const
{
    struct Row
    {
        Keys keys;
        store::ReminderPtr reminder;
    };
    std::vector<Row> rows;
    rows.reserve(reminders.size());
    for (store::ReminderPtr& reminder : reminders)
        rows.push_back({keysOf(*reminder), std::move(reminder)});
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.keys < b.keys; });
    for (qsizetype i = 0; i < reminders.size(); ++i)
        reminders[i] = std::move(rows[std::size_t(i)].reminder);
}
