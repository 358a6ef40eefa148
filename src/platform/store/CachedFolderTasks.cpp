#include "platform/store/CachedFolderTasks.h"

#include "platform/store/AtomicFile.h"
#include "platform/store/CacheStream.h"
#include "platform/store/LocalFileName.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace store {

using namespace ParseCacheFormat;

CachedFolderTasks::CachedFolderTasks(const ParseCache& cache, const CollectionFolder& folder)
    : m_folder(folder)
    , m_file(cache.fileForFolder(folder.folderPath))
    , m_environment(cache.environment())
{}

std::unique_ptr<CachedFolderTasks> CachedFolderTasks::open(const ParseCache& cache,
                                                           const QStringList& roots,
                                                           const CollectionFolder& folder)
{
    if (!cache.isEnabled())
        return nullptr;
    std::unique_ptr<CachedFolderTasks> tasks(new CachedFolderTasks(cache, folder));
    if (tasks->readUnlisted(roots))
        return tasks;
    tasks->m_tasks.clear();
    bool hidden = false;
    QList<ItemFile> listing = VdirCollections::itemFiles(folder, nullptr, &hidden);
    // What a folder's first reading tidies up is tidied here too, so that the folder is left
    // as that reading leaves it.
    if (folder.writable && hidden && AtomicFile::removeStaleTemporaries(folder.folderPath) > 0)
        listing = VdirCollections::itemFiles(folder);
    if (!tasks->readListed(roots, std::move(listing)))
        return nullptr;
    return tasks;
}

bool CachedFolderTasks::readUnlisted(const QStringList& roots)
{
    const int folderFd = ::open(LocalFileName::encode(m_folder.folderPath).constData(),
                                O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return false;
    // Taken before the files are looked at: a change after it is a change after this reading.
    const DirectoryStamp now = DirectoryStamp::ofOpenFolder(folderFd);
    const bool read = readEntries(
        roots, &now, -1, [folderFd](qsizetype, const QString& name) -> std::optional<FileStamp> {
            struct stat st;
            // A link is left to the listing, which checks where it leads.
            if (::fstatat(folderFd, LocalFileName::encode(name).constData(), &st,
                          AT_SYMLINK_NOFOLLOW) != 0 ||
                !S_ISREG(st.st_mode))
                return std::nullopt;
            return AtomicFile::stampOf(st);
        });
    ::close(folderFd);
    return read;
}

bool CachedFolderTasks::readListed(const QStringList& roots, QList<ItemFile> listing)
{
    std::sort(listing.begin(), listing.end(),
              [](const ItemFile& x, const ItemFile& y) { return x.fileName < y.fileName; });
    return readEntries(
        roots, nullptr, listing.size(),
        [&listing](qsizetype index, const QString& name) -> std::optional<FileStamp> {
            if (listing[index].fileName != name)
                return std::nullopt;
            return listing[index].stamp;
        });
}

bool CachedFolderTasks::readEntries(const QStringList& roots, const DirectoryStamp* folderNow,
                                    qsizetype listed, const CurrentStamp& stampOf)
{
    const QByteArrayView bytes = m_file.bytes();
    const char* why = nullptr;
    const std::optional<Head> head = readHead(bytes, m_environment, roots, m_folder, &why);
    if (!head || !head->complete || !intact(bytes))
        return false;
    if (folderNow && !(head->directory.isSettled() && head->directory.sameAs(*folderNow)))
        return false;
    const char* const end = bytes.data() + bytes.size() - 8;
    CacheReader in(bytes.data() + head->end, end);
    const quint32 count = in.get<quint32>();
    if (!in.ok() || (listed >= 0 && qsizetype(count) != listed))
        return false;
    const QList<ParseCache::Claim>& claims = head->summary.claims;
    m_tasks.reserve(size_t(claims.size()));
    ReminderCodec codec;
    QString name;
    for (quint32 index = 0; index < count; ++index) {
        const char* fileName = in.skipString();
        FileStamp stamp;
        stamp.size = in.get<qint64>();
        stamp.mtimeNs = in.get<qint64>();
        stamp.inode = in.get<quint64>();
        const quint8 flags = in.get<quint8>();
        if (!in.ok() || !(flags & Parsed))
            return false;
        CacheReader::stringAt(fileName, name);
        if (stampOf(qsizetype(index), name) != stamp)
            return false;
        const char* fileUid = in.skipString();
        in.get<quint64>(); // the content hash
        if (flags & HasEvent) {
            in.get<qint64>();
            in.get<qint64>();
        }
        if (!(flags & HasReminders))
            continue;
        const quint32 held = in.get<quint32>();
        if (!in.ok() || held == 0 || held > kMaxTasksPerFile)
            return false;
        for (quint32 t = 0; t < held; ++t) {
            Task task;
            task.bytes = in.position();
            task.fileUid = fileUid;
            task.fileName = fileName;
            task.sharedFile = held > 1;
            if (!codec.skip(in, &task.outline) || m_tasks.size() >= size_t(claims.size()))
                return false;
            task.claim = claims[qsizetype(m_tasks.size())];
            m_tasks.push_back(task);
        }
    }
    m_end = end;
    return in.ok() && in.atEnd() && m_tasks.size() == size_t(claims.size());
}

} // namespace store
