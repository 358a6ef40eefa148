#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstddef>
#include <memory>
#include <utility>

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

// An origin shared by the index entry and the tasks of a file, and never changed once made: one
// pointer, with the count of its holders kept beside the origin. A hundred thousand files each
// have one, which std::shared_ptr held in a block of twice the pointer and with its own
// bookkeeping beside the origin.
class ItemOriginPtr
{
public:
    ItemOriginPtr() = default;
    ItemOriginPtr(std::nullptr_t) {}
    ItemOriginPtr(const ItemOriginPtr& other) noexcept
        : m_held(other.m_held)
    {
        if (m_held)
            m_held->holders.fetch_add(1, std::memory_order_relaxed);
    }
    ItemOriginPtr(ItemOriginPtr&& other) noexcept
        : m_held(std::exchange(other.m_held, nullptr))
    {}
    ItemOriginPtr& operator=(ItemOriginPtr other) noexcept
    {
        std::swap(m_held, other.m_held);
        return *this;
    }
    ~ItemOriginPtr() { reset(); }

    static ItemOriginPtr make(ItemOrigin origin)
    {
        ItemOriginPtr made;
        made.m_held = new Held{{1}, std::move(origin)};
        return made;
    }

    const ItemOrigin* get() const { return m_held ? &m_held->origin : nullptr; }
    const ItemOrigin& operator*() const { return m_held->origin; }
    const ItemOrigin* operator->() const { return &m_held->origin; }
    explicit operator bool() const { return m_held; }
    void reset() noexcept
    {
        if (m_held && m_held->holders.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete m_held;
        m_held = nullptr;
    }

    friend bool operator==(const ItemOriginPtr& a, const ItemOriginPtr& b)
    {
        return a.m_held == b.m_held;
    }
    friend bool operator==(const ItemOriginPtr& a, std::nullptr_t) { return !a.m_held; }

private:
    struct Held
    {
        std::atomic<quint32> holders;
        ItemOrigin origin;
    };

    Held* m_held = nullptr;
};

} // namespace store
