#pragma once

#include "platform/trash/DeletedEntry.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QStringList>

#include <optional>

namespace trash {

// Recently Deleted: the folder every deletion moves its files to instead of unlinking them,
// beside the store and never inside it (a folder inside a vdir root would be read as a list by
// every peer). Each entry is a folder of its own holding the kept files and a small record of
// where they came from, when and by whom; an entry whose record is lost is still listed from
// the files it keeps.
//
// A file reaches the trash before it leaves the store (a hard link, or a synced copy when the
// trash is on another file system), so a failure at any step deletes nothing. Entries are
// taken out again by renaming them first: of two programs restoring one entry, one wins and the
// other is told.
class RecentlyDeleted
{
public:
    // $XDG_DATA_HOME/velmoran/deleted
    static QString defaultFolder();
    explicit RecentlyDeleted(const QString& folder = defaultFolder());

    QString folder() const { return m_folder; }

    struct TaskInfo
    {
        QString title;
        QString listTitle;
        QString uid;
        // The list folder and file name it comes back as; by default the file's own.
        QString folderPath;
        QString fileName;
    };
    // Moves the task file at `path` into the trash; `id` gets the new entry's name.
    bool moveTask(const QString& path, const TaskInfo& info, DeletedBy by, const QDateTime& now,
                  QString* id, QString* error);
    // Keeps `bytes` as a deleted task of `folderPath`, to come back as `fileName` there (a task
    // cut out of a file it shared with others). Nothing in the store is touched.
    bool keepTask(const QByteArray& bytes, const QString& folderPath, const QString& fileName,
                  const TaskInfo& info, DeletedBy by, const QDateTime& now, QString* id,
                  QString* error);

    struct ListInfo
    {
        QString title;
        QString folderPath;
        // The item files (names in the folder) that go with the list.
        QStringList taskFiles;
        // Whether the folder holds nothing but the list, and goes with it; otherwise (a folder
        // shared with a calendar program) only the task files leave it.
        bool takesFolder = false;
    };
    // Keeps a copy of the list folder's metadata files and moves its task files, or the whole
    // folder, into the trash: all of them or, when one cannot leave, none.
    bool moveList(const ListInfo& list, DeletedBy by, const QDateTime& now, QString* id,
                  QString* error);

    // Newest first.
    QList<DeletedEntry> entries() const;
    std::optional<DeletedEntry> entry(const QString& id) const;
    // The kept file of a task entry; empty for a list.
    QString keptTaskFile(const DeletedEntry& entry) const;
    // The kept item files of an entry (one for a task), as paths.
    QStringList keptItemFiles(const DeletedEntry& entry) const;

    // Puts a task back into `targetFolder` under its old file name and takes the entry out of
    // the trash. Refused, with nothing changed, when that name is taken or another program
    // took the entry first.
    bool restoreTask(const QString& id, const QString& targetFolder, QString* restoredPath,
                     QString* error);
    // Puts a list back: its folder is created with the kept metadata when it does not exist,
    // and its tasks go into it. Refused as a whole when any task's name is taken there.
    bool restoreList(const QString& id, const QString& targetFolder, QStringList* restoredPaths,
                     QString* error);

    // Deletes an entry for good.
    bool remove(const QString& id, QString* error);
    // Deletes every entry; answers how many went.
    int empty();
    // Deletes entries older than `maxAgeDays`, then the oldest until the trash holds at most
    // `maxBytes`. Answers how many went. Entries a killed program left half made or half
    // restored are put right first.
    int purge(const QDateTime& now, int maxAgeDays, qint64 maxBytes);

private:
    struct NewEntry;
    bool beginEntry(NewEntry& entry, const QDateTime& now, QString* error) const;
    bool finishEntry(NewEntry& entry, const QJsonObject& record, QString* id, QString* error) const;
    std::optional<DeletedEntry> readEntry(const QString& id) const;
    bool claim(const QString& id, QString* claimed, QString* error) const;
    // The entry of that kind, claimed for restoring; nullopt (and why) when it cannot be.
    std::optional<DeletedEntry> claimEntry(const QString& id, EntryKind kind, QString* claimed,
                                           QString* error) const;
    void unclaim(const QString& claimed, const QString& id) const;
    // Renames an entry (or its claim) out of the way for good, then removes its files; a
    // removal that fails leaves only a folder the next start removes.
    bool retire(const QString& path, const QString& id, QString* error) const;
    void removeRetired() const;
    void recoverInterrupted() const;

    QString m_folder;
};

} // namespace trash
