#pragma once

#include <QString>

namespace store {

// Serialises the check-then-write of Velmoran processes on one collection folder. An flock()
// on a file that is never deleted: the kernel drops it when its holder dies, so a writer killed
// mid-save never leaves the folder locked.
class FolderLock
{
public:
    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool isLocked() const { return m_locked; }
    QString reason() const { return m_reason; }

    // Says why `folder` could not be changed; always false.
    static bool failed(const QString& folder, const FolderLock& lock, QString* error);

private:
    int m_fd = -1;
    QString m_reason;
    bool m_locked = false;
};

} // namespace store
