#pragma once

#include "LoadedStore.h"

#include <functional>

// A loaded store whose tests write tasks into a list's folder as another program would, and
// look them up in the manager's current snapshot by title.
struct SeededStore : LoadedStore
{
    store::ReminderPtr seed(const QString& list,
                            const std::function<void(store::Reminder&)>& fill) const
    {
        store::EventStore seeder({root()}, clock);
        store::ReminderPtr reminder = seeder.reminderWithEventStore();
        reminder->calendar = seeder.calendarWithIdentifier(list);
        fill(*reminder);
        QString error;
        if (!seeder.saveReminder(reminder, true, &error))
            qWarning() << "seeding failed:" << error;
        return reminder;
    }

    store::ReminderPtr inSnapshot(const QString& title) const
    {
        const SnapshotPtr snapshot = manager ? manager->remindersArray() : nullptr;
        for (const store::ReminderPtr& reminder :
             snapshot ? snapshot->reminders() : QList<store::ReminderPtr>{})
            if (reminder->title == title)
                return reminder;
        return nullptr;
    }
};
