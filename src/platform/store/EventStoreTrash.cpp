// The trash half of EventStore: what leaves the store goes to Recently Deleted, whoever took
// it out, and comes back from there.

#include "platform/store/AtomicFile.h"
#include "platform/store/EventStore.h"
#include "platform/store/FolderLock.h"
#include "platform/store/LocalFileName.h"
#include "platform/store/LocalFiles.h"
#include "platform/store/VdirCollections.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMutexLocker>

#include <sys/stat.h>

Q_DECLARE_LOGGING_CATEGORY(lcVdir)

namespace store {

trash::RecentlyDeleted::TaskInfo EventStore::deletedTaskInfo(const Reminder& reminder) const
{
    trash::RecentlyDeleted::TaskInfo info;
    info.title = reminder.title;
    info.uid = reminder.uid;
    const CalendarPtr list =
        reminder.calendar ? m_index.calendarWithIdentifier(reminder.calendar->calendarIdentifier)
                          : nullptr;
    info.listTitle = list ? VdirCollections::titleForRecord(list->folderPath, list->title)
                     : reminder.calendar ? reminder.calendar->title
                                         : QString();
    return info;
}

void EventStore::keepRemovedFilesLocked()
{
    QList<VanishedFile> vanished;
    {
        QMutexLocker lock(&m_vanishedMutex);
        vanished = std::exchange(m_vanished, {});
    }
    if (vanished.isEmpty())
        return;
    QSet<QString> uidsInStore;
    for (const ParsedItemPtr& item : m_index.allItems()) {
        for (const std::shared_ptr<const Reminder>& reminder : item->reminders)
            uidsInStore.insert(reminder->uid);
    }
    for (const VanishedFile& file : vanished) {
        const QString kept = m_snapshot.take(file.folderPath, file.fileName);
        if (kept.isEmpty())
            continue; // another program keeps it
        // Another name of the same file means it lives on: in Recently Deleted already (a
        // deletion of ours another program's listing saw half done) or elsewhere in the store.
        struct stat status;
        if (::stat(LocalFileName::encode(kept).constData(), &status) == 0 && status.st_nlink > 1) {
            AtomicFile::remove(kept, nullptr);
            continue;
        }
        QByteArray bytes;
        FileStamp stamp;
        std::optional<IcsItem> item;
        if (AtomicFile::read(kept, &bytes, &stamp, nullptr))
            item = IcsItem::parse(bytes);
        // Only tasks are kept; a task still in the store under another name was moved.
        if (!item || !item->hasTodo() || uidsInStore.contains(item->uid())) {
            AtomicFile::remove(kept, nullptr);
            continue;
        }
        trash::RecentlyDeleted::TaskInfo info;
        info.title = item->toReminder().title;
        info.uid = item->uid();
        info.listTitle = file.listTitle;
        info.folderPath = file.folderPath;
        info.fileName = file.fileName;
        QString error;
        if (!m_trash.moveTask(kept, info, m_outsideRemovalsBy, m_clock.now(), nullptr, &error))
            qCWarning(lcVdir).noquote()
                << tr("A task removed from %1 cannot be kept in Recently Deleted: %2")
                       .arg(LocalFileName::forDisplay(file.folderPath), error);
    }
}

void EventStore::beginSync()
{
    QMutexLocker lock(&m_mutex);
    refreshLocked();
    m_outsideRemovalsBy = trash::DeletedBy::Sync;
}

void EventStore::endSync()
{
    QMutexLocker lock(&m_mutex);
    refreshLocked();
    m_outsideRemovalsBy = trash::DeletedBy::OtherProgram;
}

ReminderPtr EventStore::reminderInFile(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    refreshLocked();
    const QString folder = QFileInfo(path).absolutePath();
    for (const CalendarPtr& calendar : m_index.calendars()) {
        if (QFileInfo(calendar->folderPath).absoluteFilePath() != folder)
            continue;
        for (const ParsedItemPtr& item : m_index.items(calendar->calendarIdentifier)) {
            if (item->file().path() != path || item->reminders.isEmpty())
                continue;
            const Reminder& parsed = *item->reminders.first();
            auto reminder = std::make_shared<Reminder>(parsed);
            reminder->calendar = calendar;
            reminder->calendarItemIdentifier = m_index.identifierOf(parsed);
            return reminder;
        }
    }
    return nullptr;
}

bool EventStore::restoreDeleted(const QString& id, RestoreOutcome* outcome, QString* error)
{
    RestoreOutcome result;
    bool restored = false;
    {
        QMutexLocker lock(&m_mutex);
        refreshLocked();
        const std::optional<trash::DeletedEntry> entry = m_trash.entry(id);
        if (!entry) {
            if (error)
                *error = tr("\"%1\" is not in Recently Deleted.").arg(id);
            return false;
        }
        result.kind = entry->kind;
        result.title = entry->title;
        restored = entry->kind == trash::EntryKind::Task
                       ? restoreTaskLocked(*entry, &result, error)
                       : restoreListLocked(*entry, &result, error);
        if (restored)
            refreshLocked();
    }
    if (!restored)
        return false;
    announceChange();
    if (outcome)
        *outcome = result;
    return true;
}

bool EventStore::restoreTaskLocked(const trash::DeletedEntry& entry, RestoreOutcome* outcome,
                                   QString* error)
{
    for (const ParsedItemPtr& item : m_index.allItems()) {
        for (const std::shared_ptr<const Reminder>& reminder : item->reminders) {
            if (entry.uid.isEmpty() || reminder->uid != entry.uid)
                continue;
            if (error)
                *error = tr("\"%1\" cannot be restored: the task is in the store already (%2).")
                             .arg(entry.title, LocalFileName::forDisplay(item->file().path()));
            return false;
        }
    }
    CalendarPtr target;
    const QString folder = QDir::cleanPath(entry.folderPath);
    for (const CalendarPtr& calendar : m_index.calendars()) {
        if (!folder.isEmpty() && QDir::cleanPath(calendar->folderPath) == folder &&
            calendar->allowsContentModifications())
            target = calendar;
    }
    if (!target) {
        // Its list is gone: the first list new tasks may go to takes it.
        for (const CalendarPtr& calendar : m_index.calendars()) {
            if (calendar->holdsReminders && calendar->allowsContentModifications()) {
                target = calendar;
                break;
            }
        }
        outcome->intoDefaultList = true;
    }
    if (!target) {
        if (error)
            *error =
                tr("\"%1\" cannot be restored: there is no list to put it in.").arg(entry.title);
        return false;
    }
    FolderLock lock(target->folderPath);
    if (!lock.isLocked())
        return FolderLock::failed(target->folderPath, lock, error);
    QString path;
    if (!m_trash.restoreTask(entry.id, target->folderPath, &path, error))
        return false;
    outcome->listTitle = target->title;
    outcome->calendarIdentifier = target->calendarIdentifier;
    outcome->paths = {path};
    return true;
}

bool EventStore::restoreListLocked(const trash::DeletedEntry& entry, RestoreOutcome* outcome,
                                   QString* error)
{
    // Back where it was when that is still one of the store's folders; otherwise into the
    // first store folder under a name of its own.
    QString folder = QDir::cleanPath(entry.folderPath);
    const QString root = QFileInfo(folder).absolutePath();
    const QStringList roots = m_index.roots();
    const bool rootInUse = std::any_of(
        roots.cbegin(), roots.cend(), [&](const QString& r) { return QDir::cleanPath(r) == root; });
    if (folder.isEmpty() || !rootInUse) {
        const QString first = roots.first();
        folder = first + QLatin1Char('/') + VdirCollections::newFolderName(first, entry.title);
        outcome->intoDefaultList = true;
    }
    std::optional<FolderLock> lock;
    if (LocalFiles::isFolder(folder)) {
        lock.emplace(folder);
        if (!lock->isLocked())
            return FolderLock::failed(folder, *lock, error);
    }
    if (!m_trash.restoreList(entry.id, folder, &outcome->paths, error))
        return false;
    refreshLocked();
    for (const CalendarPtr& calendar : m_index.calendars()) {
        if (QDir::cleanPath(calendar->folderPath) == folder) {
            outcome->listTitle = calendar->title;
            outcome->calendarIdentifier = calendar->calendarIdentifier;
        }
    }
    return true;
}

} // namespace store
