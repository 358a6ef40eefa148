#pragma once

#include "platform/store/Reminder.h"

#include <QMutexLocker>
#include <QRecursiveMutex>

namespace store {

// A store that shares its records with an editor (EventStore::RecordSharing) hands it the very
// objects its own threads go on reading: the next fetch, the parse cache's writer. Whoever
// changes such a record in place holds this lock, and changes it only to what the store now
// holds (a change it saved); the store's readers of records away from the main thread hold it
// too. Recursive, since a fetch refreshes and matches under it.
class RecordLock
{
public:
    RecordLock();
    RecordLock(const RecordLock&) = delete;
    RecordLock& operator=(const RecordLock&) = delete;

    // The shown record becomes the saved one, which the store took.
    static void assign(Reminder& shown, const Reminder& saved);

private:
    QMutexLocker<QRecursiveMutex> m_locker;
};

} // namespace store
