#pragma once

#include "platform/Clock.h"
#include "platform/store/Event.h"
#include "platform/store/FolderWatch.h"
#include "platform/store/ParseCache.h"
#include "platform/store/Predicates.h"
#include "platform/store/Reminder.h"
#include "platform/store/StoreIndex.h"
#include "platform/trash/FolderSnapshot.h"
#include "platform/trash/RecentlyDeleted.h"

#include <QMutex>
#include <QObject>
#include <QSocketNotifier>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <functional>

class UserDefaults;

namespace store {

// The reminders and calendar store over vdir folders of iCalendar files, shared with todoman,
// khal and vdirsyncer. Reads go through an index that parses each file once (and, through the
// parse cache, once across runs) and looks again only at folders the kernel reports changed;
// writes are atomic, never overwrite a file another program changed since we read it, and
// change only the lines an edit touches. changed() follows every change, ours or another
// program's.
class EventStore : public QObject
{
    Q_OBJECT

public:
    using AccessCompletion = std::function<void(bool granted, const QString& error)>;
    using FetchCompletion = std::function<void(const QList<ReminderPtr>& reminders)>;

    explicit EventStore(const QStringList& roots, Clock& clock = Clock::system(),
                        QObject* parent = nullptr);
    // Reads only the collections in `scope` (a command about one list, or about events): the
    // others stand by what the parse cache knows of them, so that the lists and the tasks'
    // identifiers are those of the whole store, and are read only when it cannot tell. For
    // reading.
    EventStore(const QStringList& roots, StoreIndex::Scope scope, Clock& clock = Clock::system());
    ~EventStore() override;

    QStringList roots() const;
    // Where the parse cache's files go: by default one per store folder under
    // $XDG_CACHE_HOME/velmoran, named after `file` with a hash of the folder; empty turns it
    // off. Set before the first read.
    void setParseCacheFile(const QString& file);
    // Waits until the parse cache is written (tests, tools).
    void waitForParseCache();
    // Whose the records are that fetches hand out. Set before the first fetch.
    enum class RecordSharing {
        // Copies of the store's own: a caller changes them as it likes.
        Copies,
        // The store's own, with their list and identifier, to a command that answers one
        // question and exits (a hundred thousand copies were a third of a listing's memory);
        // every change of a task or list is refused, since it would reach the store's records.
        ReadingOnly,
        // The store's own, to the window, which holds every task of its lists. It changes a
        // record it was given only to what it saved, under a RecordLock; an edit in progress
        // goes to a copy, so that neither the store nor its next fetch sees it unsaved.
        WithEditor,
    };
    void setRecordSharing(RecordSharing sharing);
    // How many files were parsed so far, rather than found unchanged in memory or in the
    // parse cache (tests, benchmarks).
    quint64 parsedFileCount() const;

    // Granted when every store folder can be read and written. A first run creates the folder
    // with a task list "Reminders" and a calendar "Calendar". The completion runs on a worker.
    void requestAccessToEntityType(EntityType type, AccessCompletion completion);
    // The same, answered at once on the calling thread (the command line).
    bool accessToEntityType(EntityType type, QString* error = nullptr);

    QList<CalendarPtr> calendarsForEntityType(EntityType type);
    // Every collection, in the store's order: those of either kind and those of unknown kind.
    QList<CalendarPtr> calendars();
    CalendarPtr defaultCalendarForNewReminders();
    CalendarPtr calendarWithIdentifier(const QString& identifier);
    QList<SourcePtr> sources() const;

    // Returns at once; the completion runs later on a store thread with fresh objects.
    void fetchRemindersMatchingPredicate(const ReminderPredicate& predicate,
                                         FetchCompletion completion);
    // Synchronous fetch, for tools and tests.
    QList<ReminderPtr> remindersMatchingPredicate(const ReminderPredicate& predicate);

    QList<EventPtr> eventsMatchingPredicate(const EventPredicate& predicate);

    // New, unsaved records.
    ReminderPtr reminderWithEventStore();
    CalendarPtr calendarForEntityType(EntityType type);

    // Without commit the change waits for commit(). A failed save leaves the file as it was
    // and says why in `error`.
    bool saveReminder(const ReminderPtr& reminder, bool commit, QString* error = nullptr);
    // A removed task goes to Recently Deleted; `deletedId` gets its entry there (when the
    // change is not committed at once, at the commit: keep it alive until then).
    bool removeReminder(const ReminderPtr& reminder, bool commit, QString* error = nullptr,
                        QString* deletedId = nullptr);
    bool saveCalendar(const CalendarPtr& calendar, bool commit, QString* error = nullptr);
    // A removed list goes to Recently Deleted with its metadata and its tasks.
    bool removeCalendar(const CalendarPtr& calendar, bool commit, QString* error = nullptr,
                        QString* deletedId = nullptr);
    bool commit(QString* error = nullptr);

    // Recently Deleted: what this program, other programs and syncs took out of the store.
    trash::RecentlyDeleted& recentlyDeleted() { return m_trash; }
    struct RestoreOutcome
    {
        trash::EntryKind kind = trash::EntryKind::Task;
        QString title;
        // The list it went back to (for a list, the list itself).
        QString listTitle;
        QString calendarIdentifier;
        // The task's own list was gone: it went into the default list.
        bool intoDefaultList = false;
        QStringList paths;
    };
    // Puts an entry of Recently Deleted back into the store: a task under its old name in its
    // list (the default list when that is gone), a list with its tasks. Refused, with nothing
    // changed, when the name or the task's UID is taken by then or another program took the
    // entry first.
    bool restoreDeleted(const QString& id, RestoreOutcome* outcome, QString* error);
    // The task read from a file of the store, as a fetch would give it; null when the file
    // holds none.
    ReminderPtr reminderInFile(const QString& path);
    // Around a sync run: files the sync removes are kept as removed by the sync. The snapshot
    // of every folder is made current before the sync starts.
    void beginSync();
    void endSync();

    // The files of the store's folders that are not shown because they could not be taken in
    // as items, as of the last refresh; unreadableFilesChanged() follows every change of it.
    QList<UnreadableFile> unreadableFiles() const;

    // Waits until every fetch started so far has delivered (tests, shutdown).
    void waitForFetches();
    // Runs before each asynchronous fetch, on the fetch thread: lets a caller hold fetches back
    // (tests of what happens while a fetch is under way).
    void setBeforeFetch(std::function<void()> hook);

Q_SIGNALS:
    void changed();
    void unreadableFilesChanged();

private:
    struct PendingChange
    {
        enum class Kind { SaveReminder, RemoveReminder, SaveCalendar, RemoveCalendar };
        Kind kind;
        ReminderPtr reminder;
        CalendarPtr calendar;
        QString* deletedId = nullptr;
    };

    bool ensureFirstRunLocked(QString* error);
    void refreshLocked();
    QList<ReminderPtr> matchLocked(const ReminderPredicate& predicate);
    bool applyLocked(const PendingChange& change, QString* error);
    bool writeReminderLocked(Reminder& reminder, QString* error);
    bool mayMoveLocked(const Reminder& reminder, const QString& oldFolder, const Calendar& target,
                       QString* error) const;
    bool removeReminderLocked(const Reminder& reminder, QString* deletedId, QString* error);
    trash::RecentlyDeleted::TaskInfo deletedTaskInfo(const Reminder& reminder) const;
    // Files other programs removed since the last listing go to Recently Deleted, unless their
    // task is still in the store under another name (moved or renamed).
    void keepRemovedFilesLocked();
    // Deletes a task from a file that holds more (other tasks, events): the file is written
    // again without it, every other line as it was.
    bool cutOutLocked(IcsItem item, const Reminder& reminder, QString* deletedId, QString* error);
    // Keeps a task cut out of a shared file in Recently Deleted, as a file of its own; false
    // (and nothing deleted) when it cannot be kept.
    bool keepDeletedComponentLocked(const QByteArray& standalone, const Reminder& reminder,
                                    QString* deletedId, QString* error);
    bool writeCalendarLocked(Calendar& calendar, QString* error);
    bool removeCalendarLocked(const Calendar& calendar, QString* deletedId, QString* error);
    bool restoreTaskLocked(const trash::DeletedEntry& entry, RestoreOutcome* outcome,
                           QString* error);
    bool restoreListLocked(const trash::DeletedEntry& entry, RestoreOutcome* outcome,
                           QString* error);
    // A shared file our own write changed: the tasks of it still pending in this commit were
    // read from an earlier version, and those whose components every write since left as
    // they were (`untouched`, by UID) go on from the new one.
    void noteRewrittenLocked(const ItemOrigin& before, const ItemOriginPtr& after,
                             const QStringList& untouched);
    void carryOriginLocked(Reminder& reminder) const;
    bool queueOrApply(PendingChange change, bool commit, QString* error);
    void announceChange();
    void checkFoldersChanged();
    void saveParseCacheLocked();

    Clock& m_clock;
    mutable QMutex m_mutex;
    FolderWatch m_watch;
    StoreIndex m_index;
    QThreadPool m_cachePool;
    QList<PendingChange> m_pending;
    struct Rewrite
    {
        ItemOrigin before;
        ItemOriginPtr after;
        QStringList untouched;
    };
    QHash<QString, QList<Rewrite>> m_rewritten; // by path, in write order, during a commit
    QThreadPool m_fetchPool;
    QSocketNotifier* m_watchNotifier = nullptr;
    QTimer m_settle;
    bool m_ownChangePending = false;
    std::function<void()> m_beforeFetch;
    trash::RecentlyDeleted m_trash;
    trash::FolderSnapshot m_snapshot;
    struct VanishedFile
    {
        QString folderPath;
        QString listTitle;
        QString fileName;
    };
    // Filled by the folders' listings, which run side by side.
    QMutex m_vanishedMutex;
    QList<VanishedFile> m_vanished;
    trash::DeletedBy m_outsideRemovalsBy = trash::DeletedBy::OtherProgram;
    std::atomic<RecordSharing> m_sharing = RecordSharing::Copies;
};

} // namespace store
