#include "data/StoreSession.h"

#include <QMutexLocker>

StoreSession::StoreSession(StoreFactory factory, QObject* parent)
    : QObject(parent)
    , m_factory(std::move(factory))
{
    open();
}

StoreSession::~StoreSession() = default;

void StoreSession::open()
{
    m_eventStore = m_factory();
    // The window holds every task of its lists: the store's own records rather than a copy of
    // each. Its edits go to copies until saved (TaskOperations::recordToEdit).
    m_eventStore->setRecordSharing(store::EventStore::RecordSharing::WithEditor);
    connect(m_eventStore.get(), &store::EventStore::changed, this, &StoreSession::storeChanged);
    connect(m_eventStore.get(), &store::EventStore::unreadableFilesChanged, this,
            &StoreSession::unreadableFilesChanged);
}

void StoreSession::reopen()
{
    m_eventStore.reset();
    open();
    Q_EMIT unreadableFilesChanged();
}

void StoreSession::requestAccess(store::EntityType type, std::function<void(bool)> granted)
{
    m_eventStore->requestAccessToEntityType(type, [this, granted](bool allowed, const QString&) {
        QMetaObject::invokeMethod(
            this, [granted, allowed] { granted(allowed); }, Qt::QueuedConnection);
    });
}

SnapshotPtr StoreSession::remindersArray() const
{
    QMutexLocker lock(&m_mutex);
    return m_snapshot;
}

void StoreSession::setRemindersArray(SnapshotPtr snapshot)
{
    QMutexLocker lock(&m_mutex);
    m_snapshot = std::move(snapshot);
}

quint64 StoreSession::countForAllReminders() const
{
    const SnapshotPtr snapshot = remindersArray();
    return snapshot ? quint64(snapshot->size()) : 0;
}

store::ReminderPtr StoreSession::reminderWithIdentifier(const QString& identifier) const
{
    const SnapshotPtr snapshot = remindersArray();
    if (!snapshot)
        return nullptr;
    for (const store::ReminderPtr& reminder : snapshot->reminders()) {
        if (reminder->calendarItemIdentifier == identifier)
            return reminder;
    }
    return nullptr;
}

void StoreSession::removeFromSnapshot(const store::ReminderPtr& reminder)
{
    const SnapshotPtr snapshot = remindersArray();
    if (!snapshot)
        return;
    const QString& identifier = reminder->calendarItemIdentifier;
    QList<store::ReminderPtr> kept;
    kept.reserve(snapshot->size());
    for (const store::ReminderPtr& each : snapshot->reminders()) {
        const bool same = each == reminder ||
                          (!identifier.isEmpty() && each->calendarItemIdentifier == identifier);
        if (!same)
            kept.append(each);
    }
    if (kept.size() != snapshot->size())
        setRemindersArray(std::make_shared<ReminderSnapshot>(
            std::move(kept), ReminderSnapshot::Folding::OnFirstUseAsTaken));
}
