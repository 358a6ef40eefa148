#include "data/ListFilters.h"

#include "data/SearchWords.h"
#include "prefs/PreferenceKeys.h"

#include <algorithm>
#include <vector>

namespace {

constexpr qint64 kNoDate = ReminderSnapshot::kNoDate;

// The class a merged list picks a task's priority by.
MergedPriority priorityClass(int priority)
{
    if (priority == 0)
        return MergedPriority::None;
    if (priority <= 4)
        return MergedPriority::High;
    return priority == 5 ? MergedPriority::Medium : MergedPriority::Low;
}

unsigned bitOf(MergedPriority priority)
{
    return 1u << unsigned(priority);
}

// One sidebar entry, read once, answering for each reminder of the snapshot whether the entry
// takes it. Needs a snapshot.
class Selection
{
public:
    Selection(const ListEntry& entry, bool includingCompleted, const ReminderQueries& queries)
        : m_kind(entry.kind())
        , m_includingCompleted(includingCompleted)
        , m_queries(queries)
        , m_snapshot(*queries.snapshot())
        , m_now(queries.dates().now.isValid() ? queries.dates().now.toMSecsSinceEpoch() : kNoDate)
        , m_needle(needleFor(m_kind, entry.tag()))
    {
        if (m_kind == ListKind::MergedList)
            readMergedList(entry);
        else
            m_listTaken = listsTitled(entry.title());
    }

    bool takes(qsizetype index) const
    {
        switch (m_kind) {
        case ListKind::UndatedTasks:
            return m_includingCompleted ? m_snapshot.dueKey(index) == kNoDate
                                        : m_queries.isSimple(index);
        case ListKind::RecurringTasks:
            return m_snapshot.hasRecurrenceRules(index);
        case ListKind::OverdueTasks:
            // Earlier than this instant, not than today's midnight: a task due today at 00:00
            // is overdue for the whole of today.
            return !m_snapshot.isCompleted(index) && m_snapshot.dueKey(index) != kNoDate &&
                   m_snapshot.dueKey(index) < m_now;
        default:
            break;
        }
        if (!m_includingCompleted && m_snapshot.isCompleted(index))
            return false;
        const int priority = m_snapshot.priority(index);
        switch (m_kind) {
        case ListKind::AllTasks:
            return true;
        case ListKind::LocationBasedTasks:
            return m_snapshot.hasLocationAlarm(index);
        case ListKind::HighPriorityTasks:
            return priority >= 1 && priority <= 4;
        case ListKind::MediumPriorityTasks:
            return priority == 5;
        case ListKind::LowPriorityTasks:
            return priority >= 6 && priority <= 9;
        case ListKind::TagList:
        case ListKind::SavedSearch:
            return m_needle.foundIn(m_snapshot.titleText(index),
                                    m_snapshot.titleSignature(index)) ||
                   m_needle.foundIn(m_snapshot.notesText(index), m_snapshot.notesSignature(index));
        case ListKind::MergedList:
            return inMergedLists(m_snapshot.listIndex(index)) &&
                   (m_priorityClasses & bitOf(priorityClass(priority))) != 0;
        default:
            // A user list, and any type this version does not know: by the list's title.
            return listTaken(m_snapshot.listIndex(index));
        }
    }

private:
    static QString needleFor(ListKind kind, const QString& tag)
    {
        if (tag.isEmpty())
            return {};
        return kind == ListKind::TagList ? QLatin1Char('#') + tag : tag;
    }

    // Which of the snapshot's lists a merged list takes, decided once per list, not per task.
    void readMergedList(const ListEntry& entry)
    {
        const QStringList lists = entry.lists();
        m_anyList = lists.isEmpty();
        m_listTaken.fill(false, m_snapshot.lists().size());
        for (const QString& list : lists) {
            const int index = m_snapshot.indexOfList(list);
            if (index >= 0)
                m_listTaken[index] = true;
        }
        for (const qint64 value : entry.priorities()) {
            if (value >= qint64(MergedPriority::High) && value <= qint64(MergedPriority::None))
                m_priorityClasses |= bitOf(MergedPriority(value));
        }
    }

    QList<bool> listsTitled(const QString& title) const
    {
        QList<bool> taken;
        taken.reserve(m_snapshot.lists().size());
        for (const store::CalendarPtr& list : m_snapshot.lists())
            taken.append(list->title == title);
        return taken;
    }

    bool listTaken(int listIndex) const { return listIndex >= 0 && m_listTaken[listIndex]; }
    bool inMergedLists(int listIndex) const { return m_anyList || listTaken(listIndex); }

    ListKind m_kind;
    bool m_includingCompleted;
    const ReminderQueries& m_queries;
    const ReminderSnapshot& m_snapshot;
    qint64 m_now;
    TextNeedle m_needle;
    QList<bool> m_listTaken; // by index into the snapshot's lists
    bool m_anyList = false;
    unsigned m_priorityClasses = 0;
};

template <typename Visit>
void select(const Selection& selection, const ReminderSnapshot& snapshot, Visit&& visit)
{
    for (qsizetype i = 0, n = snapshot.size(); i < n; ++i) {
        if (selection.takes(i))
            visit(i);
    }
}

std::optional<ReminderList> fetchSelection(const ReminderQueries& queries, const ListEntry& entry,
                                           bool includingCompleted)
{
    if (!queries.hasSnapshot())
        return std::nullopt;
    const Selection selection(entry, includingCompleted, queries);
    const QList<store::ReminderPtr>& reminders = queries.snapshot()->reminders();
    ReminderList taken;
    select(selection, *queries.snapshot(), [&](qsizetype i) { taken.append(reminders[i]); });
    return taken;
}

} // namespace

ListFilters::ListFilters(SnapshotPtr snapshot, QueryDates dates, bool overdueNow,
                         QVariantMap filters)
    : m_queries(std::move(snapshot), std::move(dates))
    , m_overdueNow(overdueNow)
    , m_filters(std::move(filters))
{}

std::optional<ReminderList>
ListFilters::fetchRemindersFromDictionary(const ListEntry& listDictionary) const
{
    return fetchSelection(m_queries, listDictionary, false);
}

std::optional<ReminderList>
ListFilters::fetchRemindersIncludingCompletedFromDictionary(const ListEntry& listDictionary) const
{
    return fetchSelection(m_queries, listDictionary, true);
}

quint64 ListFilters::countForDict(const ListEntry& listDictionary) const
{
    if (!m_queries.hasSnapshot())
        return 0;
    const Selection selection(listDictionary, false, m_queries);
    quint64 total = 0;
    select(selection, *m_queries.snapshot(), [&](qsizetype) { ++total; });
    return total;
}

bool ListFilters::filterOn(QLatin1StringView entry) const
{
    // The Filters page stores its check boxes as the numbers 0 and 1, the defaults as booleans.
    return m_filters.value(entry).toBool();
}

quint64 ListFilters::countForPeriod(Span span, const QDateTime& start, const QDateTime& current,
                                    bool withUndated) const
{
    using Which = PeriodSelection::Which;
    const auto period = [&](Which which) {
        switch (span) {
        case Span::Day:
            return ReminderQueries::day(start, which);
        case Span::Week:
            return ReminderQueries::week(start, which);
        case Span::Month:
            break;
        }
        return ReminderQueries::month(start, which);
    };
    const auto undated = [&] { return withUndated ? m_queries.countSimpleReminders() : 0; };

    if (!m_queries.hasSnapshot())
        return 0;
    if (!m_overdueNow) {
        if (start == current)
            return *m_queries.count(period(Which::Both)) + undated();
        return *m_queries.count(period(Which::Uncompleted));
    }
    // Overdue tasks are counted under the current period, so an earlier one has none left.
    if (start == current) {
        PeriodSelection upToEnd = period(Which::Uncompleted);
        upToEnd.from = PeriodSelection::kUnbounded;
        return *m_queries.count(upToEnd) + undated();
    }
    if (start > current)
        return *m_queries.count(period(Which::Uncompleted));
    return 0;
}

quint64 ListFilters::countForDayOnDate(const QDateTime& dayStart) const
{
    return countForPeriod(Span::Day, dayStart, m_queries.dates().today,
                          filterOn(PrefKey::Filter::dayUndated));
}

quint64 ListFilters::countForWeekOnDate(const QDateTime& weekStart) const
{
    return countForPeriod(Span::Week, weekStart, m_queries.dates().thisWeekDate,
                          filterOn(PrefKey::Filter::weekUndated));
}

quint64 ListFilters::countForMonthOnDate(const QDateTime& monthStart) const
{
    return countForPeriod(Span::Month, monthStart, m_queries.dates().thisMonthDate,
                          filterOn(PrefKey::Filter::monthUndated));
}

quint64 ListFilters::countForUncompletedRemindersAtCalendar(const store::CalendarPtr& list) const
{
    if (!m_queries.hasSnapshot())
        return 0;
    const ReminderSnapshot& snapshot = *m_queries.snapshot();
    const int listIndex = list ? snapshot.indexOfList(list->calendarIdentifier) : -1;
    if (list && listIndex < 0)
        return 0;
    quint64 total = 0;
    for (qsizetype i = 0, n = snapshot.size(); i < n; ++i) {
        if (!snapshot.isCompleted(i) && (!list || snapshot.listIndex(i) == listIndex))
            ++total;
    }
    return total;
}

std::optional<ReminderList> ListFilters::fetchRemindersFromSearchText(const QString& text,
                                                                      bool completed) const
{
    if (text.isEmpty() || !m_queries.hasSnapshot())
        return std::nullopt;
    const std::optional<SearchWords> words = SearchWords::of(text);
    ReminderList matches;
    const ReminderSnapshot& snapshot = *m_queries.snapshot();
    for (qsizetype i = 0, n = snapshot.size(); i < n; ++i) {
        if (!completed && snapshot.isCompleted(i))
            continue;
        if (words->matchTexts(snapshot.titleText(i), snapshot.titleSignature(i),
                              snapshot.notesText(i), snapshot.notesSignature(i)))
            matches.append(snapshot.reminders()[i]);
    }
    return matches;
}
