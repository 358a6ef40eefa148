#pragma once

#include "data/LocalWallClock.h"
#include "data/ReminderQueries.h"
#include "platform/LocalTimeOffsets.h"

#include <QHash>
#include <QStringList>
#include <QTimeZone>

// The one order in which every task list is shown, as a chain of keys where each decides only
// between reminders the previous ones tie:
//   1. open before completed;
//   2. completion date, earlier first;
//   3. due date, earlier first;
//   4. priority 1 first, then 2 to 9, then none (0 counts as 10);
//   5. position of the reminder's list in the user's list order ("visibleLists"); a list not
//      found there counts as -1 and so comes before every list that is;
//   6. creation date, earlier first.
// A missing date (undated, no completion date, no creation date) sorts after every present
// one and ties with another missing one, so the order stays a strict weak ordering and the
// later keys decide between undated tasks. Full ties keep their incoming order.
class ReminderSort
{
public:
    explicit ReminderSort(QStringList visibleLists);

    const QStringList& visibleLists() const { return m_visibleLists; }

    bool lessThan(const store::Reminder& a, const store::Reminder& b) const;
    void sort(ReminderList& reminders) const;

    // The six keys of one reminder, worked out once so that sorting a long list compares
    // integers. Exposed for callers that keep their own decorated rows.
    struct Keys
    {
        bool completed = false;
        qint64 completion = 0;
        qint64 due = 0;
        int priority = 0;
        int listPosition = 0;
        qint64 creation = 0;

        bool operator<(const Keys& other) const;
    };
    Keys keysOf(const store::Reminder& reminder) const;
    // The same for a caller going through the reminders list by list, with the list's
    // position looked up once for all of them.
    int listPosition(const store::Calendar* list) const;
    Keys keysOf(const store::Reminder& reminder, int listPosition) const;

private:
    qint64 dueKey(const store::Reminder& reminder) const;

    QStringList m_visibleLists;
    QHash<QString, int> m_listPositions;
    LocalWallClock m_wallClock;
    // What it learns of the local zone while reading dates: a sort is a copy of its own, used
    // on one thread.
    mutable LocalTimeOffsets m_localOffsets;
};
