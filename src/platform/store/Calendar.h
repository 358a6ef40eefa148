#pragma once

#include "platform/store/CollectionColor.h"
#include "platform/store/Source.h"

#include <QString>

#include <memory>

namespace store {

enum class EntityType { Event = 0, Reminder = 1 };

// A task list or an event calendar: one collection folder of the store.
struct Calendar
{
    QString calendarIdentifier;
    QString title;
    CollectionColor color;
    SourcePtr source;
    // A collection whose folder cannot be written: shown, never changed.
    bool immutable = false;
    bool holdsReminders = true;
    bool holdsEvents = false;

    // The folder; empty for a list not yet saved.
    QString folderPath;

    bool allowsContentModifications() const { return !immutable; }
    // Holding nothing yet, and the marker of what it was made for could not be read this
    // time: a task list or an event calendar, nobody can tell until the marker reads again.
    bool kindUnknown() const { return !holdsReminders && !holdsEvents; }
    bool allowsEntityType(EntityType type) const
    {
        return type == EntityType::Reminder ? holdsReminders : holdsEvents;
    }
};

using CalendarPtr = std::shared_ptr<Calendar>;

} // namespace store
