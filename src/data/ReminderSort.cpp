#include "data/ReminderSort.h"

#include <algorithm>
#include <limits>
#include <tuple>
#include <vector>

namespace {

// Absent dates take the largest key: after every present date, equal to each other.
constexpr qint64 kMissing = std::numeric_limits<qint64>::max();
constexpr int kNoPriorityRank = 10;

// Completion and creation dates on the same local wall clock, in milliseconds since the
// epoch: asking each date for its local time looked up the zone's offset for every reminder,
// which made sorting a long overdue list take longer than drawing it.
qint64 localClockKey(const QDateTime& date, LocalTimeOffsets& offsets)
{
    return date.isValid() ? offsets.wallMSecs(date) : kMissing;
}

ReminderSort::Keys keysWith(const store::Reminder& reminder, qint64 due, int listPosition,
                            LocalTimeOffsets& offsets)
{
    ReminderSort::Keys keys;
    keys.completed = reminder.completed;
    keys.completion = localClockKey(reminder.completionDate, offsets);
    keys.due = due;
    keys.priority = reminder.priority == 0 ? kNoPriorityRank : reminder.priority;
    keys.listPosition = listPosition;
    keys.creation = localClockKey(reminder.creationDate, offsets);
    return keys;
}

} // namespace

ReminderSort::ReminderSort(QStringList visibleLists)
    : m_visibleLists(std::move(visibleLists))
{
    m_listPositions.reserve(m_visibleLists.size());
    for (int i = 0; i < m_visibleLists.size(); ++i) {
        if (!m_listPositions.contains(m_visibleLists.at(i)))
            m_listPositions.insert(m_visibleLists.at(i), i);
    }
}

qint64 ReminderSort::dueKey(const store::Reminder& reminder) const
{
    if (!reminder.dueDateComponents)
        return kMissing;
    const std::optional<LocalWallClock::Reading> due =
        m_wallClock.reading(*reminder.dueDateComponents);
    return due ? LocalWallClock::key(*due) : kMissing;
}

ReminderSort::Keys ReminderSort::keysOf(const store::Reminder& reminder) const
{
    return keysOf(reminder, listPosition(reminder.calendar.get()));
}

int ReminderSort::listPosition(const store::Calendar* list) const
{
    return m_listPositions.value(list ? list->calendarIdentifier : QString(), -1);
}

ReminderSort::Keys ReminderSort::keysOf(const store::Reminder& reminder, int listPosition) const
{
    return keysWith(reminder, dueKey(reminder), listPosition, m_localOffsets);
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
    // Reminders come list by list: the list's position is looked up once per run of them, not
    // hashed again for each.
    const store::Calendar* list = nullptr;
    int position = listPosition(nullptr);
    for (store::ReminderPtr& reminder : reminders) {
        if (reminder->calendar.get() != list) {
            list = reminder->calendar.get();
            position = listPosition(list);
        }
        rows.push_back({keysOf(*reminder, position), std::move(reminder)});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.keys < b.keys; });
    for (qsizetype i = 0; i < reminders.size(); ++i)
        reminders[i] = std::move(rows[std::size_t(i)].reminder);
}
