#include "data/ReminderSnapshot.h"

#include <QHash>

#include <algorithm>

namespace {

// Due dates in milliseconds since the epoch, remembered by their wall time: tasks share due
// days and times, and turning floating components into an instant asks the C library's time
// zone rules each time. Components pinned to a zone are worked out one by one.
class DueKeys
{
public:
    qint64 of(const store::OptionalDateComponents& due)
    {
        if (!due || !due->isValid())
            return ReminderSnapshot::kNoDate;
        if (due->timeZone.isValid() || !packable(*due))
            return keyOf(*due);
        const quint64 wallTime = quint64(due->year) << 32 | quint64(due->month) << 26 |
                                 quint64(due->day) << 20 | quint64(due->hour) << 14 |
                                 quint64(due->minute) << 7 | quint64(due->second);
        const auto known = m_keys.constFind(wallTime);
        if (known != m_keys.constEnd())
            return known.value();
        const qint64 key = keyOf(*due);
        m_keys.insert(wallTime, key);
        return key;
    }

private:
    // Whether the fields fit the bits they are given, so that no two wall times share a key.
    static bool packable(const store::DateComponents& due)
    {
        return due.year >= 0 && due.year <= 65535 && due.hour >= 0 && due.hour < 64 &&
               due.minute >= 0 && due.minute < 64 && due.second >= 0 && due.second < 64;
    }
    static qint64 keyOf(const store::DateComponents& due)
    {
        const QDateTime instant = due.toDateTime();
        return instant.isValid() ? instant.toMSecsSinceEpoch() : ReminderSnapshot::kNoDate;
    }

    QHash<quint64, qint64> m_keys;
};

} // namespace

ReminderSnapshot::ReminderSnapshot(QList<store::ReminderPtr> reminders, Folding folding,
                                   Fold previous)
    : m_reminders(std::move(reminders))
{
    const qsizetype count = m_reminders.size();
    m_due.reserve(count);
    m_completion.reserve(count);
    m_facts.reserve(count);

    // Tasks mostly arrive list by list, so the previous reminder's list is usually the answer.
    const store::Calendar* previousList = nullptr;
    int previousIndex = -1;
    DueKeys dueKeys;
    for (const store::ReminderPtr& reminder : std::as_const(m_reminders)) {
        m_due.append(dueKeys.of(reminder->dueDateComponents));
        m_completion.append(reminder->completionDate.isValid()
                                ? reminder->completionDate.toMSecsSinceEpoch()
                                : kNoDate);

        Facts facts;
        if (!reminder->calendar || reminder->calendar.get() != previousList) {
            previousList = reminder->calendar.get();
            previousIndex = listIndexOf(reminder->calendar);
        }
        facts.list = previousIndex;
        facts.priority = qint16(reminder->priority);
        facts.flags = (reminder->completed ? Completed : 0) |
                      (reminder->hasAlarms() ? HasAlarms : 0) |
                      (reminder->hasRecurrenceRules() ? Recurring : 0);
        if (std::any_of(reminder->alarms.cbegin(), reminder->alarms.cend(),
                        [](const store::Alarm& alarm) { return alarm.isLocationAlarm(); }))
            facts.flags |= HasLocation;
        m_facts.append(facts);
    }
    if (folding != Folding::OnFirstUse) {
        m_takenTitles.reserve(count);
        m_takenNotes.reserve(count);
        for (const store::ReminderPtr& reminder : std::as_const(m_reminders)) {
            m_takenTitles.append(reminder->title);
            m_takenNotes.append(reminder->notes);
        }
        m_previous = std::move(previous);
    }
    if (folding == Folding::Now)
        std::call_once(m_foldOnce, [this] { foldTexts(); });
}

void ReminderSnapshot::foldTexts() const
{
    const qsizetype count = m_reminders.size();
    m_signatures.reserve(2 * count);
    // The previous fold's strings are kept alive by it, so one of them at the same place with
    // the same characters in memory is the same text, not a new one in reused memory.
    const Fold& previous = m_previous;
    const qsizetype reusable = previous.signatures.size() == 2 * previous.titles.size() &&
                                       previous.notes.size() == previous.titles.size()
                                   ? previous.titles.size()
                                   : 0;
    for (qsizetype index = 0; index < count; ++index) {
        const store::CompactText& title = titleText(index);
        const store::CompactText& notes = notesText(index);
        const bool known = index < reusable;
        m_signatures.append(known && previous.titles[index].sharesCharactersWith(title)
                                ? previous.signatures[2 * index]
                                : title.visit([](auto view) { return signatureOf(view); }));
        m_signatures.append(known && previous.notes[index].sharesCharactersWith(notes)
                                ? previous.signatures[2 * index + 1]
                                : notes.visit([](auto view) { return signatureOf(view); }));
    }
    m_previous = Fold();
    m_foldDone.store(true, std::memory_order_release);
}

ReminderSnapshot::Fold ReminderSnapshot::finishedFold() const
{
    if (m_takenTitles.isEmpty() || !m_foldDone.load(std::memory_order_acquire))
        return {};
    return {m_takenTitles, m_takenNotes, m_signatures};
}

int ReminderSnapshot::listIndexOf(const store::CalendarPtr& list)
{
    if (!list)
        return -1;
    const auto found = m_listIndexes.constFind(list->calendarIdentifier);
    if (found != m_listIndexes.constEnd())
        return found.value();
    m_lists.append(list);
    m_listIndexes.insert(list->calendarIdentifier, int(m_lists.size() - 1));
    return int(m_lists.size() - 1);
}
