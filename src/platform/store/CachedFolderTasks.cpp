#include "platform/store/CachedFolderTasks.h"

#include "platform/store/AtomicFile.h"
#include "platform/store/CacheStream.h"

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
    bool hidden = false;
    QList<ItemFile> listing = VdirCollections::itemFiles(folder, nullptr, &hidden);
    // What a folder's first reading tidies up is tidied here too, so that the folder is left
    // as that reading leaves it.
    if (folder.writable && hidden && AtomicFile::removeStaleTemporaries(folder.folderPath) > 0)
        listing = VdirCollections::itemFiles(folder);
    std::unique_ptr<CachedFolderTasks> tasks(new CachedFolderTasks(cache, folder));
    if (!tasks->readEntries(roots, std::move(listing)))
        return nullptr;
    return tasks;
}

bool CachedFolderTasks::readEntries(const QStringList& roots, QList<ItemFile> listing)
{
    const QByteArrayView bytes = m_file.bytes();
    const char* why = nullptr;
    const std::optional<Head> head = readHead(bytes, m_environment, roots, m_folder, &why);
    if (!head || !head->complete || !intact(bytes))
        return false;
    std::sort(listing.begin(), listing.end(),
              [](const ItemFile& x, const ItemFile& y) { return x.fileName < y.fileName; });
    const char* const end = bytes.data() + bytes.size() - 8;
    CacheReader in(bytes.data() + head->end, end);
    const quint32 count = in.get<quint32>();
    if (!in.ok() || qsizetype(count) != listing.size())
        return false;
    const QList<ParseCache::Claim>& claims = head->summary.claims;
    m_tasks.reserve(size_t(claims.size()));
    ReminderCodec codec;
    QString name;
    for (const ItemFile& file : std::as_const(listing)) {
        const char* fileName = in.skipString();
        FileStamp stamp;
        stamp.size = in.get<qint64>();
        stamp.mtimeNs = in.get<qint64>();
        stamp.inode = in.get<quint64>();
        const quint8 flags = in.get<quint8>();
        if (!in.ok() || !(flags & Parsed) || !(stamp == file.stamp))
            return false;
        CacheReader::stringAt(fileName, name);
        if (name != file.fileName)
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
