#pragma once

#include "platform/store/Reminder.h"

#include <QBitArray>
#include <QHash>
#include <QLatin1StringView>
#include <QList>
#include <QStringView>

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>
#include <mutex>

// A case-folded text as a snapshot keeps it: in Latin-1 when every character fits, as in most
// texts, which halves what the folded copies take; in UTF-16 otherwise.
struct FoldedText
{
    FoldedText(QLatin1StringView text)
        : narrow(text)
    {}
    FoldedText(QStringView text)
        : wide(text)
        , isWide(true)
    {}

    static bool fitsLatin1(QStringView text)
    {
        return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xff; });
    }

    bool isEmpty() const { return isWide ? wide.isEmpty() : narrow.isEmpty(); }
    QString toString() const { return isWide ? wide.toString() : narrow.toString(); }

    QLatin1StringView narrow;
    QStringView wide;
    bool isWide = false;
};

// The data manager's snapshot: every reminder of the visible lists, completed or not, in the
// order the store delivered them, with what the queries test of each one worked out once:
// due and completion instants, completion flag, priority, list, alarm and recurrence flags,
// and case-folded texts. A query over a hundred thousand tasks then reads a few small arrays
// in order instead of visiting every reminder object, which costs a cache miss each.
// Immutable; a refresh replaces it whole, so a reminder edited in place is seen with the
// values it had when the snapshot was taken until the next refresh.
class ReminderSnapshot
{
public:
    static constexpr qint64 kNoDate = std::numeric_limits<qint64>::min();

    // When the texts are folded: now; on the first question that reads them, from the
    // reminders themselves, for a snapshot whose reminders nobody edits meanwhile (a
    // command-line run, which mostly never asks); or on the first question, from the texts as
    // they were when the snapshot was taken, for the window, whose detail pane edits reminders
    // in place while a search or a background count may be folding. Until then the snapshot
    // shares the texts rather than copying them, and a view that never searches never pays
    // for folding.
    enum class Folding { Now, OnFirstUse, OnFirstUseAsTaken };
    // What folding the taken texts gave, kept by a folded snapshot for the one that replaces
    // it: a refresh after one file changed folds again only the texts that are not the very
    // same strings at the same place (containers shared, not copied).
    struct Fold
    {
        QList<QString> texts;
        QByteArray folded;
        QList<qsizetype> bounds;
        QList<quint64> signatures;
        QBitArray isWide;
        QHash<qsizetype, QString> wide;
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

    // Title and notes case-folded (QString::toCaseFolded), for the tag lists and the search:
    // a case-insensitive substring test then becomes a plain one over memory read in order.
    // They take half the memory of the texts themselves, as much for texts beyond Latin-1: see
    // Folding.
    FoldedText foldedTitle(qsizetype index) const { return foldedText(2 * index); }
    FoldedText foldedNotes(qsizetype index) const { return foldedText(2 * index + 1); }
    // One bit per character class present in the folded text (signatureOf): a text can only
    // contain a word whose bits it all has, which rules most texts out without reading them.
    quint64 titleSignature(qsizetype index) const { return signatures()[2 * index]; }
    quint64 notesSignature(qsizetype index) const { return signatures()[2 * index + 1]; }
    static quint64 signatureOf(QStringView text)
    {
        quint64 signature = 0;
        for (const QChar c : text)
            signature |= quint64(1) << (c.unicode() & 63);
        return signature;
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
    FoldedText foldedText(qsizetype segment) const
    {
        std::call_once(m_foldOnce, [this] { foldTexts(); });
        if (m_foldedIsWide.testBit(segment))
            return QStringView(m_wideFolded.constFind(segment).value());
        const qsizetype from = m_foldedBounds[segment];
        return QLatin1StringView(m_folded).sliced(from, m_foldedBounds[segment + 1] - from);
    }
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
    // Every title and notes text folded, one after the other, in Latin-1; segment s (2i the
    // title and 2i+1 the notes of reminder i) runs from m_foldedBounds[s] to
    // m_foldedBounds[s + 1]. A text with a character beyond Latin-1 is empty there, marked in
    // m_foldedIsWide and kept in m_wideFolded.
    mutable std::once_flag m_foldOnce;
    mutable QByteArray m_folded;
    mutable QList<qsizetype> m_foldedBounds;
    mutable QBitArray m_foldedIsWide;
    mutable QHash<qsizetype, QString> m_wideFolded;
    mutable QList<quint64> m_signatures; // by segment, like m_foldedBounds
    // Folding::OnFirstUseAsTaken: the texts folded, by segment.
    QList<QString> m_takenTexts;
    mutable Fold m_previous; // given up once folded
    mutable std::atomic<bool> m_foldDone = false;
};

// Absent (null) while no snapshot exists: before the first fetch and while a refresh runs.
using SnapshotPtr = std::shared_ptr<const ReminderSnapshot>;
