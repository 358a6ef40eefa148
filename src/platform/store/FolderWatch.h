#pragma once

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QString>

#include <functional>

namespace store {

// The kernel's change events (inotify) for the store's folders, read without waiting: a caller
// on any thread learns which folders changed since it last asked, so that an unchanged store is
// never listed again and a changed one only in the folders that changed. Events are queued by
// the kernel as the change happens, so a change made before the question is always in the
// answer. Where the kernel cannot tell (no inotify, a network or FUSE file system, the watch
// limit reached, an overflowed queue) the answer is "everything may have changed".
class FolderWatch
{
public:
    FolderWatch();
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // The descriptor that becomes readable when events wait (for a socket notifier); -1 without
    // inotify.
    int descriptor() const { return m_fd; }

    // Starts watching `folder` (no-op when it is watched already). False when its changes
    // cannot be seen; everything then counts as changed at every question.
    bool watch(const QString& folder);
    bool isWatched(const QString& folder) const;

    struct Changes
    {
        // Everything may have changed: list every folder again.
        bool everything = false;
        // Watched folders with a change of an entry that matters (hidden names are not items,
        // collections or metadata a reader uses).
        QSet<QString> folders;
        bool isEmpty() const { return !everything && folders.isEmpty(); }
        void add(const Changes& other)
        {
            everything = everything || other.everything;
            folders.unite(other.folders);
        }
    };
    // Who asks: the index (what to list again) and the change announcement (whether to tell
    // the store's users) each get every change once.
    enum class Reader { Index = 0, Announcement = 1 };

    // Called, on the reading thread, whenever newly read events change something.
    void setOnChange(std::function<void()> onChange);
    // Reads every pending event into both readers' accounts. Does not block.
    void collect();
    // Collects, then hands over and clears the reader's account. The index is also told of
    // everything it cannot see.
    Changes take(Reader reader);

private:
    mutable QMutex m_mutex;
    int m_fd = -1;
    bool m_blind = false;
    QHash<int, QString> m_folders; // watch descriptor → folder
    QHash<QString, int> m_watches; // folder → watch descriptor
    Changes m_accounts[2];
    std::function<void()> m_onChange;
};

} // namespace store
