#pragma once

#include "platform/store/ParseCache.h"
#include "platform/store/ParseCacheFormat.h"
#include "platform/store/ReminderCodec.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace store {

// One folder's tasks read in place from its parse cache file, for commands that print tasks
// and keep none of them. Opened only when the file stands for the folder exactly as it is
// now (every item file with its entry under the same size, modification time and inode, and
// no entry besides), so that its tasks are those reading the files would give. A file changed
// in the last seconds never has its entry (the cache keeps no such file), and an in-place
// rewrite changes the file's stamp: either has the folder read from its files.
// That no entry was added, removed or renamed is told by the folder's own stamp when it is
// still the one the cache was written under, long settled: the files are then looked at by
// the names the cache gives, and the folder is not listed. Otherwise it is listed.
class CachedFolderTasks
{
public:
    // Where a task's values are in the file (CacheStream's encoding).
    struct Task
    {
        const char* bytes = nullptr; // the task, for ReminderCodec::read
        ReminderCodec::Outline outline;
        const char* fileUid = nullptr; // the UID of the file that holds it
        const char* fileName = nullptr;
        bool sharedFile = false; // its file holds several tasks
        ParseCache::Claim claim;
    };

    // Nothing when the cache cannot stand for the folder: no file, another version's, damaged,
    // or not the folder's entries as listed now; also when the folder holds a file that is no
    // item (whose warning only reading it gives).
    static std::unique_ptr<CachedFolderTasks>
    open(const ParseCache& cache, const QStringList& roots, const CollectionFolder& folder);

    const CollectionFolder& folder() const { return m_folder; }
    const std::vector<Task>& tasks() const { return m_tasks; }
    // Where the entries end: no task read from `Task::bytes` reads past it.
    const char* end() const { return m_end; }

private:
    CachedFolderTasks(const ParseCache& cache, const CollectionFolder& folder);
    // A file's stamp now, by its place among the entries and its name; none when it is no
    // longer a regular file of that name.
    using CurrentStamp = std::function<std::optional<FileStamp>(qsizetype, const QString&)>;
    bool readUnlisted(const QStringList& roots);
    bool readListed(const QStringList& roots, QList<ItemFile> listing);
    // `folderNow`: the folder's stamp now, when the entries are not counted against a listing.
    bool readEntries(const QStringList& roots, const DirectoryStamp* folderNow, qsizetype listed,
                     const CurrentStamp& stampOf);

    CollectionFolder m_folder;
    ParseCacheFormat::MappedFile m_file;
    QByteArray m_environment;
    std::vector<Task> m_tasks;
    const char* m_end = nullptr;
};

} // namespace store
