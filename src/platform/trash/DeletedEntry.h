#pragma once

#include <QDateTime>
#include <QString>

namespace trash {

// Who took an item out of the store. The stored words are part of the trash's record format
// and of `velmoran-cli deleted --json`.
enum class DeletedBy { Velmoran, OtherProgram, Sync, Unknown };
enum class EntryKind { Task, List };

QString storedName(DeletedBy by);
DeletedBy deletedByFromStoredName(const QString& name);
QString storedName(EntryKind kind);

// One thing in Recently Deleted: a task file, or a list with its metadata and tasks.
struct DeletedEntry
{
    QString id;
    EntryKind kind = EntryKind::Task;
    // A task's title, or a list's name.
    QString title;
    // The list a task was in; a list's own name.
    QString listTitle;
    // The collection folder it came from, and a task's file name in it.
    QString folderPath;
    QString fileName;
    QString uid;
    QDateTime deletedAt; // UTC
    DeletedBy deletedBy = DeletedBy::Unknown;
    // The bytes it keeps on disk, for the size limit.
    qint64 size = 0;
    int taskCount = 0;
    // The record was missing or unreadable: what is shown was read from the kept files.
    bool recordDamaged = false;
};

} // namespace trash
