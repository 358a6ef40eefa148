#pragma once

#include "platform/store/Reminder.h"

#include <optional>

namespace store {

// Completing a recurring task keeps a completed record of the occurrence and moves the task
// itself on to its next occurrence, so the series goes on under the same identity.
namespace RecurringCompletion {

struct Outcome
{
    // The task moved to its next occurrence (open), or nullopt when the series has ended and
    // the task itself stays completed.
    std::optional<Reminder> advanced;
    // The completed occurrence, to store as a task of its own without rules, under
    // completedCopyUid().
    Reminder completedOccurrence;
};

// The UID of the completed copy of the occurrence due at `due`. Every attempt at completing
// one occurrence gives the same, so an attempt cut short after the copy was written is
// recognised by the next one.
QString completedCopyUid(const QString& taskUid, const DateComponents& due);

// `completed` is the task as the user completed it (rules still attached, due date of the
// occurrence just done). nullopt when there is nothing to advance (no rule or no due date).
std::optional<Outcome> complete(const Reminder& completed);

} // namespace RecurringCompletion

} // namespace store
