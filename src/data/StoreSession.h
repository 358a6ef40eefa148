#pragma once

#include "data/ReminderSnapshot.h"
#include "platform/store/EventStore.h"

#include <QMutex>
#include <QObject>

#include <functional>
#include <memory>

// The open store and the snapshot of the reminders last fetched from it. The store is opened
// through a factory so that it can be opened afresh (after a change of store folders) and so
// that tests open one on a folder of their own; every part that reads the store asks this
// session for the current one. The snapshot is replaced as a whole, and is absent while a
// refresh runs.
class StoreSession : public QObject
{
    Q_OBJECT

public:
    using StoreFactory = std::function<std::unique_ptr<store::EventStore>()>;

    explicit StoreSession(StoreFactory factory, QObject* parent = nullptr);
    ~StoreSession() override;

    store::EventStore* eventStore() const { return m_eventStore.get(); }
    // Closes the store and opens it again from the factory.
    void reopen();
    // Asks the store for access to one kind of data; `granted` runs on the main thread.
    void requestAccess(store::EntityType type, std::function<void(bool granted)> granted);

    // The snapshot: null while absent.
    SnapshotPtr remindersArray() const;
    void setRemindersArray(SnapshotPtr snapshot);
    bool hasRemindersArray() const { return remindersArray() != nullptr; }
    quint64 countForAllReminders() const;
    // The snapshot's own record of a task, by identifier; null without a snapshot.
    store::ReminderPtr reminderWithIdentifier(const QString& identifier) const;
    // Takes a task out of the snapshot at once, so that the views do not show it until the
    // refresh its deletion causes.
    void removeFromSnapshot(const store::ReminderPtr& reminder);

Q_SIGNALS:
    // The store's contents changed, here or in another program.
    void storeChanged();
    // The store's files that could not be read changed, or the store was opened afresh.
    void unreadableFilesChanged();

private:
    void open();

    StoreFactory m_factory;
    std::unique_ptr<store::EventStore> m_eventStore;
    mutable QMutex m_mutex;
    SnapshotPtr m_snapshot;
};
