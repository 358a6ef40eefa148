#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace store {

// The file an item was read from, as it was when read. A save compares the file on disk with
// this stamp and content hash before it touches the file, so a change made by another program
// since our read is never silently overwritten.
struct FileStamp
{
    qint64 size = -1;
    qint64 mtimeNs = -1;
    quint64 inode = 0;
    bool operator==(const FileStamp&) const = default;
};

struct ItemOrigin
{
    QString filePath;
    FileStamp stamp;
    // An edit in place to content of the same size, with the old modification time put back,
    // keeps the whole stamp; the bytes still differ.
    quint64 contentHash = 0;
};

using ItemOriginPtr = std::shared_ptr<const ItemOrigin>;

} // namespace store
