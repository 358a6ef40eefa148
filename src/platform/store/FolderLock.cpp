#include "platform/store/FolderLock.h"

#include "platform/store/LocalFileName.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace store {

FolderLock::FolderLock(const QString& folder)
{
    const QByteArray path = LocalFileName::encode(folder + QStringLiteral("/.velmoran.lock"));
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        m_reason = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    // Saves hold the lock for milliseconds; short polls keep two busy writers fair.
    QDeadlineTimer deadline(10000);
    for (;;) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
            m_locked = true;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            m_reason = QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        if (deadline.hasExpired()) {
            m_reason = QCoreApplication::translate("EventStore", "another program keeps it locked");
            return;
        }
        QThread::msleep(2);
    }
}

FolderLock::~FolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

bool FolderLock::failed(const QString& folder, const FolderLock& lock, QString* error)
{
    if (error)
        *error =
            QCoreApplication::translate("EventStore", "The list folder %1 cannot be changed: %2.")
                .arg(LocalFileName::forDisplay(folder), lock.reason());
    return false;
}

} // namespace store
