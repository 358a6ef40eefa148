#include "platform/store/FolderWatch.h"

#include "platform/store/LocalFileName.h"

#include <QMutexLocker>

#include <cerrno>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace store {

namespace {

constexpr uint32_t kEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MODIFY |
                             IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF |
                             IN_ONLYDIR | IN_EXCL_UNLINK;

// File systems whose changes made on another machine never reach this kernel's inotify.
bool changesStayUnseen(const QByteArray& path)
{
    struct statfs info;
    if (::statfs(path.constData(), &info) != 0)
        return true;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0x6969UL:     // NFS
    case 0x517BUL:     // SMB
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
    case 0x65735546UL: // FUSE (sshfs, rclone, …)
    case 0x01021997UL: // 9P
    case 0x00C36400UL: // Ceph
    case 0x5346414FUL: // AFS
    case 0x73757245UL: // Coda
    case 0x01161970UL: // GFS2
    case 0x7461636FUL: // OCFS2
        return true;
    default:
        return false;
    }
}

} // namespace

FolderWatch::FolderWatch()
{
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    m_blind = m_fd < 0;
}

FolderWatch::~FolderWatch()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FolderWatch::watch(const QString& folder)
{
    QMutexLocker lock(&m_mutex);
    if (m_blind)
        return false;
    if (m_watches.contains(folder))
        return true;
    const QByteArray path = LocalFileName::encode(folder);
    if (changesStayUnseen(path)) {
        m_blind = true;
        return false;
    }
    const int wd = ::inotify_add_watch(m_fd, path.constData(), kEvents);
    if (wd < 0) {
        // A folder that is gone is not watched and not missed; any other refusal (the user's
        // watch limit) leaves changes unseen.
        if (errno != ENOENT && errno != ENOTDIR)
            m_blind = true;
        return false;
    }
    // Two paths to one folder (a link) share the descriptor; the last one names it.
    m_watches.insert(folder, wd);
    m_folders.insert(wd, folder);
    return true;
}

bool FolderWatch::isWatched(const QString& folder) const
{
    QMutexLocker lock(&m_mutex);
    return m_watches.contains(folder);
}

void FolderWatch::setOnChange(std::function<void()> onChange)
{
    QMutexLocker lock(&m_mutex);
    m_onChange = std::move(onChange);
}

void FolderWatch::collect()
{
    QMutexLocker lock(&m_mutex);
    if (m_fd < 0)
        return;
    Changes changes;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t length = ::read(m_fd, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0)
            break;
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                changes.everything = true;
                continue;
            }
            const QString folder = m_folders.value(event->wd);
            if (folder.isEmpty())
                continue;
            if (event->mask & (IN_IGNORED | IN_MOVE_SELF | IN_DELETE_SELF)) {
                // The folder went (or moved away): forget the watch, so that a folder of the same
                // name made later is watched afresh.
                changes.folders.insert(folder);
                if (!(event->mask & IN_IGNORED))
                    ::inotify_rm_watch(m_fd, event->wd);
                m_folders.remove(event->wd);
                if (m_watches.value(folder) == event->wd)
                    m_watches.remove(folder);
                continue;
            }
            // Hidden names are our own lock and temporary files and other programs' state.
            if (event->len > 0 && event->name[0] == '.')
                continue;
            changes.folders.insert(folder);
        }
    }
    if (changes.isEmpty())
        return;
    for (Changes& account : m_accounts)
        account.add(changes);
    if (m_onChange)
        m_onChange();
}

FolderWatch::Changes FolderWatch::take(Reader reader)
{
    collect();
    QMutexLocker lock(&m_mutex);
    Changes changes = std::exchange(m_accounts[int(reader)], {});
    if (reader == Reader::Index)
        changes.everything = changes.everything || m_blind;
    return changes;
}

} // namespace store
