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

// An item file of a folder as listed: its name and its stamp.
struct ItemFile
{
    // The folder and the name in it rather than the path: the items of a folder share one
    // folder string and the name their index entry holds, where a path each took 13 MB for a
    // hundred thousand tasks. Filled where a file is read; a scan leaves it empty.
    QString folderPath;
    QString fileName;
    FileStamp stamp;

    QString path() const { return folderPath + QLatin1Char('/') + fileName; }

    bool sameAs(const ItemFile& other) const
    {
        return stamp == other.stamp && fileName == other.fileName;
    }
};

// The file as it was read, with what its bytes were. The index entry of a file and the tasks
// read from it share one.
struct ItemOrigin : ItemFile
{
    // An edit in place to content of the same size, with the old modification time put back,
    // keeps the whole stamp; the bytes still differ. 0 for a file that could not be parsed.
    quint64 contentHash = 0;

    // The origin of an item file at `filePath`, an absolute path as every item file has.
    static ItemOrigin of(const QString& filePath, FileStamp stamp, quint64 contentHash)
    {
        const qsizetype slash = filePath.lastIndexOf(QLatin1Char('/'));
        return {{filePath.first(qMax(slash, 0)), filePath.sliced(slash + 1), stamp}, contentHash};
    }
};

using ItemOriginPtr = std::shared_ptr<const ItemOrigin>;

} // namespace store
