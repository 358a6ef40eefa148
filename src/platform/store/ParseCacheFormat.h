#pragma once

#include "platform/store/ParseCache.h"

#include <QByteArrayView>

// The layout of a folder's parse cache file, shared by the cache, which writes and loads it
// whole, and by the readers that take tasks straight from its bytes.
namespace store::ParseCacheFormat {

inline constexpr QByteArrayView kMagic = "VELMORAN FOLDER CACHE\n";
// 5: one file per folder, with the folder's stamp and summary before its entries.
inline constexpr quint32 kLayout = 5;
// No file a person keeps holds more tasks than this; a larger count is a damaged entry.
inline constexpr quint32 kMaxTasksPerFile = 1u << 20;
// The least an entry takes in the file: its name's length, size, time, inode and flags.
inline constexpr qsizetype kMinEntryBytes = 4 + 8 + 8 + 8 + 1;

enum Flag : quint8 {
    Parsed = 1,
    HasTodo = 2,
    HasEvent = 4,
    HasReminders = 8,
    TooLarge = 16,
    NotICalendar = 32
};

// A cache file mapped into memory for as long as its entries are read.
class MappedFile
{
public:
    explicit MappedFile(const QString& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    QByteArrayView bytes() const { return {m_data, m_size}; }

private:
    const char* m_data = nullptr;
    qsizetype m_size = 0;
};

// The head of a folder's cache file: who wrote it for which folder, the folder's stamp and
// its summary, with a checksum of its own so that a summary is read without the entries.
struct Head
{
    DirectoryStamp directory;
    bool complete = false;
    ParseCache::Summary summary;
    // Where the entries begin.
    qsizetype end = 0;
};

// The head of the file in `bytes` when it was written by this build for these roots and this
// folder and is intact; nothing (and why, for the log) otherwise.
std::optional<Head> readHead(QByteArrayView bytes, const QByteArray& environment,
                             const QStringList& roots, const CollectionFolder& folder,
                             const char** why);
// Whether the whole file is intact (its last eight bytes hold the checksum of the rest).
bool intact(QByteArrayView bytes);

} // namespace store::ParseCacheFormat
