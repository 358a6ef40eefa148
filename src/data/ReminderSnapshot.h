#pragma once

#include "platform/store/Reminder.h"

#include <QHash>
#include <QList>
#include <QStringView>

#include <atomic>
#include <limits>
#include <memory>
#include <mutex>

// The data manager's snapshot: every reminder of the visible lists, completed or not, in the
// order the store delivered them, with what the queries test of each one worked out once:
// due and completion instants, completion flag, priority, list, alarm and recurrence flags,
// and the signatures of the case-folded texts. A query over a hundred thousand tasks then reads a
// few small arrays in order instead of visiting every reminder object, which costs a cache miss
// each. Immutable; a refresh replaces it whole, so a reminder edited in place is seen with the
// values it had when the snapshot was taken until the next refresh.
class ReminderSnapshot
{
public:
    static constexpr qint64 kNoDate = std::numeric_limits<qint64>::min();

    // When the texts' signatures are worked out: now; on the first question that reads them,
    // from the reminders' own texts, for a snapshot whose reminders nobody edits meanwhile (a
    // command-line run, which mostly never asks); or on the first question, from the texts as
    // they were when the snapshot was taken, for the window, whose detail pane edits reminders
    // in place while a search or a background count may be reading. The snapshot shares the
    // texts rather than copying them, and a view that never searches never pays for folding.
    enum class Folding { Now, OnFirstUse, OnFirstUseAsTaken };
    // What a snapshot worked out from the taken texts, kept for the one that replaces it: a
    // refresh after one file changed folds again only the texts that are not the very same
    // strings at the same place (containers shared, not copied).
    struct Fold
    {
        QList<store::CompactText> titles;
        QList<store::CompactText> notes;
        QList<quint64> signatures;
    };
    explicit ReminderSnapshot(QList<store::ReminderPtr> reminders, Folding folding = Folding::Now,
                              Fold previous = {});
    // Empty until this snapshot's taken texts are folded.
    Fold finishedFold() const;

    const QList<store::ReminderPtr>& reminders() const { return m_reminders; }
    qsizetype size() const { return m_reminders.size(); }
    // The due date (from the due date components, in the local time zone) in milliseconds
    // since the epoch; kNoDate for a reminder without due date components.
    qint64 dueKey(qsizetype index) const { return m_due[index]; }
    // The completion date in milliseconds since the epoch; kNoDate when there is none.
    qint64 completionKey(qsizetype index) const { return m_completion[index]; }

    bool isCompleted(qsizetype index) const { return m_facts[index].flags & Completed; }
    int priority(qsizetype index) const { return m_facts[index].priority; }
    bool hasAlarms(qsizetype index) const { return m_facts[index].flags & HasAlarms; }
    bool hasLocationAlarm(qsizetype index) const { return m_facts[index].flags & HasLocation; }
    bool hasRecurrenceRules(qsizetype index) const { return m_facts[index].flags & Recurring; }
    // The reminder's list as an index into lists(); -1 for a reminder without a list.
    int listIndex(qsizetype index) const { return m_facts[index].list; }
    // The distinct lists of the reminders (one per identifier), in order of first appearance.
    const QList<store::CalendarPtr>& lists() const { return m_lists; }
    // The index into lists() of the list with this identifier; -1 when no reminder is in it.
    int indexOfList(const QString& identifier) const { return m_listIndexes.value(identifier, -1); }

    // Title and notes, for the tag lists and the search, as the snapshot took them; they are
    // searched ignoring case (TextNeedle), which matches as a search of the texts case-folded
    // (QString::toCaseFolded) would, without a folded copy of a hundred thousand texts.
    const store::CompactText& titleText(qsizetype index) const
    {
        return m_takenTitles.isEmpty() ? m_reminders[index]->title : m_takenTitles[index];
    }
    const store::CompactText& notesText(qsizetype index) const
    {
        return m_takenNotes.isEmpty() ? m_reminders[index]->notes : m_takenNotes[index];
    }
    // One bit per character class present in the case-folded text (signatureOf): a text can
    // only contain a word whose bits it all has, which rules most texts out without reading
    // them.
    quint64 titleSignature(qsizetype index) const { return signatures()[2 * index]; }
    quint64 notesSignature(qsizetype index) const { return signatures()[2 * index + 1]; }
    // The signature of `text` case-folded, worked out without folding it into a copy; the
    // same for a text and for its folding.
    template <typename View> static quint64 signatureOf(View text)
    {
        quint64 signature = 0;
        const auto add = [&signature](char16_t unit) { signature |= quint64(1) << (unit & 63); };
        for (qsizetype at = 0; at < text.size();) {
            const char32_t folded = foldedCodePointAt(text, at);
            if (QChar::requiresSurrogates(folded)) {
                add(QChar::highSurrogate(folded));
                add(QChar::lowSurrogate(folded));
            } else {
                add(char16_t(folded));
            }
        }
        return signature;
    }
    // The character at `at` case-folded as QString::toCaseFolded folds it (a surrogate pair as
    // one character, a lone surrogate as itself); `at` moves past it.
    static char32_t foldedCodePointAt(QStringView text, qsizetype& at)
    {
        const char16_t unit = text[at++].unicode();
        if (QChar::isHighSurrogate(unit) && at < text.size() && text[at].isLowSurrogate())
            return QChar::toCaseFolded(QChar::surrogateToUcs4(unit, text[at++].unicode()));
        return QChar::toCaseFolded(char32_t(unit));
    }
    static char32_t foldedCodePointAt(QLatin1StringView text, qsizetype& at)
    {
        return QChar::toCaseFolded(char32_t(text[at++].unicode()));
    }

private:
    enum Flag : quint8 { Completed = 1, HasAlarms = 2, HasLocation = 4, Recurring = 8 };
    struct Facts
    {
        qint32 list = -1;
        qint16 priority = 0;
        quint8 flags = 0;
    };

    int listIndexOf(const store::CalendarPtr& list);
    void foldTexts() const;
    const QList<quint64>& signatures() const
    {
        std::call_once(m_foldOnce, [this] { foldTexts(); });
        return m_signatures;
    }

    QList<store::ReminderPtr> m_reminders;
    QList<qint64> m_due;
    QList<qint64> m_completion;
    QList<Facts> m_facts;
    QList<store::CalendarPtr> m_lists;
    QHash<QString, int> m_listIndexes;
    // The signature of every title and notes text: segment 2i the title and 2i+1 the notes of
    // reminder i.
    mutable std::once_flag m_foldOnce;
    mutable QList<quint64> m_signatures;
    // Folding::OnFirstUseAsTaken: the texts, by reminder.
    QList<store::CompactText> m_takenTitles;
    QList<store::CompactText> m_takenNotes;
    mutable Fold m_previous; // given up once folded
    mutable std::atomic<bool> m_foldDone = false;
};

// Absent (null) while no snapshot exists: before the first fetch and while a refresh runs.
using SnapshotPtr = std::shared_ptr<const ReminderSnapshot>;
