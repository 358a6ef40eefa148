#include "platform/store/RecordLock.h"

namespace store {

namespace {

QRecursiveMutex& recordMutex()
{
    static QRecursiveMutex mutex;
    return mutex;
}

} // namespace

RecordLock::RecordLock()
    : m_locker(&recordMutex())
{}

void RecordLock::assign(Reminder& shown, const Reminder& saved)
{
    if (&shown == &saved)
        return;
    RecordLock lock;
    shown = saved;
}

} // namespace store
