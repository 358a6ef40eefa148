// The write half of EventStore: turning saved and removed records into files.

#include "platform/store/AtomicFile.h"
#include "platform/store/EventStore.h"
#include "platform/store/FolderLock.h"
#include "platform/store/LocalFileName.h"
#include "platform/store/LocalFiles.h"
#include "platform/store/RecurringCompletion.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QUuid>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace store {

namespace {

struct EventStoreText
{
    Q_DECLARE_TR_FUNCTIONS(EventStore)
};

QString newUid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

// Writes a new item file, choosing another name if the wanted one is taken.
bool createItem(const QString& folder, const QString& uid, const QByteArray& bytes, QString* path,
                QString* error)
{
    QString fileName = VdirCollections::fileNameForUid(uid);
    for (int attempt = 0; attempt < 5; ++attempt) {
        const QString candidate = folder + QLatin1Char('/') + fileName;
        bool exists = false;
        if (AtomicFile::create(candidate, bytes, error, &exists)) {
            *path = candidate;
            return true;
        }
        if (!exists)
            return false;
        fileName = newUid() + QStringLiteral(".ics");
    }
    return false;
}

// The completed copy of an occurrence goes under a name that follows from its UID, the same
// on every attempt, and is created only where no file has that name: completing again after a
// crash between writing the copy and moving the task on finds the copy and leaves it.
bool createCompletedCopy(const QString& folder, const IcsItem& copy, QString* path, bool* created,
                         QString* error)
{
    static const QUuid copyNames(QStringLiteral("{6f1c1f3e-3c55-4b8e-9a43-0c2a4be1d2a7}"));
    const QString uid = copy.uid();
    const QString fileName =
        VdirCollections::isSafeName(uid)
            ? uid + QStringLiteral(".ics")
            : QUuid::createUuidV5(copyNames, uid).toString(QUuid::WithoutBraces).toUpper() +
                  QStringLiteral(".ics");
    const QString candidate = folder + QLatin1Char('/') + fileName;
    const QByteArray bytes = copy.serialize();
    bool exists = false;
    *created = AtomicFile::create(candidate, bytes, error, &exists);
    if (*created)
        *path = candidate;
    if (*created || !exists)
        return *created;
    QByteArray there;
    FileStamp stamp;
    if (AtomicFile::read(candidate, &there, &stamp, nullptr)) {
        const std::optional<IcsItem> item = IcsItem::parse(there);
        if (item && item->uid() == uid) {
            *path = candidate;
            return true;
        }
    }
    // Some other item has the name; the copy takes one of its own.
    *created = createItem(folder, uid, bytes, path, error);
    return *created;
}

ItemOriginPtr originOf(const QString& path, const QByteArray& written)
{
    return ItemOriginPtr::make(
        ItemOrigin::of(path, AtomicFile::stampOf(path), AtomicFile::contentHash(written)));
}

// A file that keeps something when one task leaves it: other tasks, or events.
bool holdsMoreThan(const IcsItem& item)
{
    return item.todoUids().size() > 1 || item.hasEvent();
}

// Reads the file a record came from, refusing when another program changed it since.
std::optional<IcsItem> readUnchanged(const ItemOrigin& origin, const QString& title, QString* error)
{
    QByteArray bytes;
    FileStamp stamp;
    if (!AtomicFile::read(origin.path(), &bytes, &stamp, error))
        return std::nullopt;
    if (stamp != origin.stamp || AtomicFile::contentHash(bytes) != origin.contentHash) {
        if (error)
            *error = EventStoreText::tr(
                         "\"%1\" was changed by another program after it was read; nothing was "
                         "overwritten, and the new version will be shown.")
                         .arg(title);
        return std::nullopt;
    }
    QString parseError;
    std::optional<IcsItem> item = IcsItem::parse(bytes, &parseError);
    if (!item && error)
        *error = EventStoreText::tr("%1 cannot be read (%2) and is left as it is.")
                     .arg(origin.path(), parseError);
    return item;
}

} // namespace

bool EventStore::writeReminderLocked(Reminder& reminder, QString* error)
{
    const CalendarPtr calendar =
        reminder.calendar ? m_index.calendarWithIdentifier(reminder.calendar->calendarIdentifier)
                          : nullptr;
    if (!calendar) {
        if (error)
            *error = EventStoreText::tr("The list of \"%1\" does not exist.").arg(reminder.title);
        return false;
    }
    if (calendar->immutable) {
        if (error)
            *error = EventStoreText::tr("The list \"%1\" cannot be changed.").arg(calendar->title);
        return false;
    }
    const QString folder = calendar->folderPath;
    const QDateTime now = m_clock.now();
    FolderLock lock(folder);
    if (!lock.isLocked())
        return FolderLock::failed(folder, lock, error);

    if (reminder.isNew()) {
        if (reminder.uid.isEmpty())
            reminder.uid = newUid();
        if (!reminder.creationDate.isValid())
            reminder.creationDate = now;
        reminder.lastModifiedDate = now;
        QString path;
        const QByteArray bytes = IcsItem::fromReminder(reminder).serialize();
        if (!createItem(folder, reminder.uid, bytes, &path, error))
            return false;
        reminder.origin = ItemOriginPtr::make(
            ItemOrigin::of(path, AtomicFile::stampOf(path), AtomicFile::contentHash(bytes)));
        reminder.calendar = calendar;
        if (reminder.calendarItemIdentifier.isEmpty())
            reminder.calendarItemIdentifier = reminder.uid;
        return true;
    }

    const ItemOrigin origin = *reminder.origin;
    const QString oldFolder = QFileInfo(origin.path()).absolutePath();
    std::optional<FolderLock> oldLock;
    if (oldFolder != QFileInfo(folder).absoluteFilePath()) {
        if (!mayMoveLocked(reminder, oldFolder, *calendar, error))
            return false;
        oldLock.emplace(oldFolder);
        if (!oldLock->isLocked())
            return FolderLock::failed(oldFolder, *oldLock, error);
    }
    std::optional<IcsItem> item = readUnchanged(origin, reminder.title, error);
    if (!item) {
        m_index.invalidate(origin.path());
        return false;
    }

    // A file holding several tasks is their shared home: a task in it is written by its UID,
    // and one moving to another list leaves the file (the rest stay) for a file of its own.
    const QStringList uids = item->todoUids();
    const bool shared = uids.size() > 1;
    if (shared && !uids.contains(reminder.uid)) {
        m_index.invalidate(origin.path());
        if (error)
            *error = EventStoreText::tr("\"%1\" is no longer in %2; nothing was changed.")
                         .arg(reminder.title, LocalFileName::forDisplay(origin.path()));
        return false;
    }
    std::optional<IcsItem> rest;
    if (shared && oldLock) {
        std::optional<IcsItem> own = item->takeTodo(reminder.uid);
        rest = std::move(item);
        item = std::move(own);
    }

    Reminder toWrite = reminder;
    std::optional<IcsItem> completedCopy;
    const bool completing = reminder.completed && !item->toReminder(reminder.uid).completed;
    if (completing) {
        // When the series goes on, the completed occurrence is kept as a task of its own, with
        // everything the file had (X- properties, categories) under a new UID, and the task
        // itself moves on. When it has ended, the task itself is the last occurrence.
        std::optional<RecurringCompletion::Outcome> outcome =
            RecurringCompletion::complete(reminder);
        if (outcome && outcome->advanced) {
            // One task per file: a copy of a shared file would repeat its other tasks.
            completedCopy = shared && !rest ? item->todoAlone(reminder.uid) : item;
            completedCopy->setUid(outcome->completedOccurrence.uid.isEmpty()
                                      ? newUid()
                                      : outcome->completedOccurrence.uid);
            completedCopy->applyReminder(outcome->completedOccurrence, now);
            // Alarms at a date move with the task in place, keeping every other line they
            // have; the edit below then finds them where the advanced task has them.
            const RecurringCompletion::Shift shift = outcome->shift;
            item->moveTaskAlarms(reminder.uid,
                                 [&shift](const QDateTime& when) { return shift.apply(when); });
            toWrite = *outcome->advanced;
        }
    }
    item->applyReminder(toWrite, now);
    const QByteArray bytes = item->serialize();

    QString copyPath;
    bool copyCreated = false;
    if (completedCopy &&
        !createCompletedCopy(folder, *completedCopy, &copyPath, &copyCreated, error))
        return false;
    // A copy an earlier attempt left stays: it records the occurrence this save completes.
    auto undoCopy = [&] {
        if (copyCreated)
            AtomicFile::remove(copyPath, nullptr);
    };

    QString path = origin.path();
    if (oldLock) {
        // Moving to another list: the new file exists before the old one goes.
        QString movedPath;
        const QString fileName = rest ? reminder.uid : QFileInfo(origin.path()).completeBaseName();
        if (!createItem(folder, fileName, bytes, &movedPath, error)) {
            undoCopy();
            return false;
        }
        const QByteArray restBytes = rest ? rest->serialize() : QByteArray();
        const bool left = rest ? AtomicFile::replace(origin.path(), restBytes, error)
                               : AtomicFile::remove(origin.path(), error);
        if (!left) {
            AtomicFile::remove(movedPath, nullptr);
            undoCopy();
            return false;
        }
        if (!rest)
            m_snapshot.forget(oldFolder, QFileInfo(origin.path()).fileName());
        if (rest)
            noteRewrittenLocked(origin, originOf(origin.path(), restBytes), rest->todoUids());
        path = movedPath;
    } else if (!AtomicFile::replace(origin.path(), bytes, error)) {
        undoCopy();
        return false;
    }
    toWrite.origin = originOf(path, bytes);
    if (shared && !rest) {
        QStringList untouched = uids;
        untouched.removeAll(reminder.uid);
        noteRewrittenLocked(origin, toWrite.origin, untouched);
    }
    toWrite.calendar = calendar;
    toWrite.lastModifiedDate = now;
    reminder = toWrite;
    return true;
}

// A task moves between lists of one store folder only: each root is its own account (a
// vdirsyncer pair, another disk), and a move across them would be a delete on one server and
// a new task on another. A read-only list keeps its tasks.
bool EventStore::mayMoveLocked(const Reminder& reminder, const QString& oldFolder,
                               const Calendar& target, QString* error) const
{
    CalendarPtr from;
    for (const CalendarPtr& known : m_index.calendars()) {
        if (QFileInfo(known->folderPath).absoluteFilePath() == oldFolder)
            from = known;
    }
    if (!from)
        return true;
    if (from->immutable) {
        if (error)
            *error =
                EventStoreText::tr("\"%1\" is in the read-only list \"%2\" and cannot be moved.")
                    .arg(reminder.title, from->title);
        return false;
    }
    const QString fromRoot = from->source ? from->source->rootPath : QString();
    const QString toRoot = target.source ? target.source->rootPath : QString();
    if (QDir::cleanPath(fromRoot) != QDir::cleanPath(toRoot)) {
        if (error)
            *error = EventStoreText::tr(
                         "\"%1\" cannot move to \"%2\": that list is in another store folder "
                         "(%3), and tasks move only between lists of one folder.")
                         .arg(reminder.title, target.title, QDir::toNativeSeparators(toRoot));
        return false;
    }
    return true;
}

bool EventStore::removeReminderLocked(const Reminder& reminder, QString* deletedId, QString* error)
{
    const ItemOrigin origin = *reminder.origin;
    const QString folder = QFileInfo(origin.path()).absolutePath();
    FolderLock lock(folder);
    if (!lock.isLocked())
        return FolderLock::failed(folder, lock, error);
    if (AtomicFile::stampOf(origin.path()).size < 0)
        return true; // already gone
    QByteArray bytes;
    FileStamp stamp;
    if (!AtomicFile::read(origin.path(), &bytes, &stamp, error))
        return false;
    if (stamp != origin.stamp || AtomicFile::contentHash(bytes) != origin.contentHash) {
        m_index.invalidate(origin.path());
        if (error)
            *error = EventStoreText::tr(
                         "\"%1\" was changed by another program after it was read; it was not "
                         "deleted.")
                         .arg(reminder.title);
        return false;
    }
    if (std::optional<IcsItem> item = IcsItem::parse(bytes); item && holdsMoreThan(*item))
        return cutOutLocked(std::move(*item), reminder, deletedId, error);
    QString id;
    const QString fileName = QFileInfo(origin.path()).fileName();
    m_snapshot.forget(folder, fileName);
    if (!m_trash.moveTask(origin.path(), deletedTaskInfo(reminder), trash::DeletedBy::Velmoran,
                          m_clock.now(), &id, error)) {
        m_snapshot.keep(folder, fileName);
        return false;
    }
    if (deletedId)
        *deletedId = id;
    return true;
}

bool EventStore::cutOutLocked(IcsItem item, const Reminder& reminder, QString* deletedId,
                              QString* error)
{
    const QStringList uids = item.todoUids();
    std::optional<IcsItem> standalone;
    if (uids.size() == 1 || uids.contains(reminder.uid))
        standalone = item.takeTodo(reminder.uid);
    if (!standalone) {
        if (error)
            *error = EventStoreText::tr("\"%1\" is no longer in %2; nothing was deleted.")
                         .arg(reminder.title, LocalFileName::forDisplay(reminder.origin->path()));
        return false;
    }
    // Kept first: a task that cannot be kept is not deleted.
    if (!keepDeletedComponentLocked(standalone->serialize(), reminder, deletedId, error))
        return false;
    const QString path = reminder.origin->path();
    const QByteArray rest = item.serialize();
    if (!AtomicFile::replace(path, rest, error))
        return false;
    noteRewrittenLocked(*reminder.origin, originOf(path, rest), item.todoUids());
    return true;
}

bool EventStore::keepDeletedComponentLocked(const QByteArray& standalone, const Reminder& reminder,
                                            QString* deletedId, QString* error)
{
    const QString folder = QFileInfo(reminder.origin->path()).absolutePath();
    return m_trash.keepTask(standalone, folder, VdirCollections::fileNameForUid(reminder.uid),
                            deletedTaskInfo(reminder), trash::DeletedBy::Velmoran, m_clock.now(),
                            deletedId, error);
}

bool EventStore::writeCalendarLocked(Calendar& calendar, QString* error)
{
    const QString colorName = calendar.color.name();
    if (calendar.folderPath.isEmpty()) {
        const QString root = calendar.source ? calendar.source->rootPath : m_index.roots().first();
        const QString name = VdirCollections::newFolderName(root, calendar.title);
        const QString folder = root + QLatin1Char('/') + name;
        if (!QDir(root).mkdir(name)) {
            if (error)
                *error = EventStoreText::tr("The folder %1 cannot be created.").arg(folder);
            return false;
        }
        const QString createdFor = calendar.holdsReminders && !calendar.holdsEvents   ? "VTODO"
                                   : calendar.holdsEvents && !calendar.holdsReminders ? "VEVENT"
                                                                                      : QString();
        bool ok = VdirCollections::writeMetadata(folder, "displayname", calendar.title, error);
        if (ok && !colorName.isEmpty())
            ok = VdirCollections::writeMetadata(folder, "color", colorName, error);
        if (ok && !createdFor.isEmpty())
            ok = VdirCollections::writeMetadata(folder, VdirCollections::createdForFileName(),
                                                createdFor, error);
        if (!ok) {
            QDir(folder).removeRecursively();
            return false;
        }
        calendar.folderPath = folder;
        refreshLocked();
        for (const CalendarPtr& known : m_index.calendars()) {
            if (known->folderPath == folder)
                calendar.calendarIdentifier = known->calendarIdentifier;
        }
        return true;
    }
    if (VdirCollections::readMetadata(calendar.folderPath, "displayname") != calendar.title &&
        !VdirCollections::writeMetadata(calendar.folderPath, "displayname", calendar.title, error))
        return false;
    if (!colorName.isEmpty() &&
        VdirCollections::readMetadata(calendar.folderPath, "color").toLower() != colorName &&
        !VdirCollections::writeMetadata(calendar.folderPath, "color", colorName, error))
        return false;
    return true;
}

bool EventStore::removeCalendarLocked(const Calendar& calendar, QString* deletedId, QString* error)
{
    {
        FolderLock lock(calendar.folderPath);
        if (!lock.isLocked())
            return FolderLock::failed(calendar.folderPath, lock, error);
        refreshLocked();
        // The folder may be shared with a calendar program; only the tasks go with the list,
        // and the folder itself only when nothing else is left in it.
        bool keepsOtherItems = false;
        trash::RecentlyDeleted::ListInfo list;
        list.folderPath = calendar.folderPath;
        const CalendarPtr known = m_index.calendarWithIdentifier(calendar.calendarIdentifier);
        list.title = VdirCollections::titleForRecord(calendar.folderPath,
                                                     known ? known->title : calendar.title);
        for (const ParsedItemPtr& item : m_index.items(calendar.calendarIdentifier)) {
            // A file that cannot be read may be one of the list's tasks: deleting the list
            // without it would leave it behind, and keeping it would keep half a list.
            if (item->problem == ItemProblem::CannotRead) {
                if (error)
                    *error =
                        EventStoreText::tr("The list is left as it is: %1 cannot be read (%2).")
                            .arg(LocalFileName::forDisplay(item->file().path()), item->error());
                return false;
            }
            if (item->hasTodo && !item->hasEvent)
                list.taskFiles << item->file().fileName;
            else
                keepsOtherItems = true;
        }
        // Item files the store did not take in (being written, or unreadable) keep the folder.
        const QStringList files =
            LocalFiles::entryNames(calendar.folderPath, LocalFiles::EntryKind::Files);
        const auto itemFiles = std::count_if(files.cbegin(), files.cend(), [](const QString& name) {
            return !name.startsWith(QLatin1Char('.')) &&
                   name.endsWith(QLatin1String(".ics"), Qt::CaseInsensitive);
        });
        list.takesFolder = !keepsOtherItems && itemFiles == list.taskFiles.size();
        QString id;
        for (const QString& name : std::as_const(list.taskFiles))
            m_snapshot.forget(calendar.folderPath, name);
        if (!m_trash.moveList(list, trash::DeletedBy::Velmoran, m_clock.now(), &id, error)) {
            for (const QString& name : std::as_const(list.taskFiles))
                m_snapshot.keep(calendar.folderPath, name);
            return false;
        }
        if (deletedId)
            *deletedId = id;
        if (!list.takesFolder)
            return true;
    }
    m_snapshot.forgetFolder(calendar.folderPath);
    return true;
}

} // namespace store
