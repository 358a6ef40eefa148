#pragma once

#include "platform/store/Reminder.h"

#include <optional>

namespace store {

// Completing a recurring task keeps a completed record of the occurrence and moves the task
// itself on to its next occurrence, so the series goes on under the same identity.
namespace RecurringCompletion {

// How far the task moves: whole days on the calendar of its due date's zone, then the seconds
// the clock adds on the new day (a due time that does not exist there). Absolute alarms move
// the same way, so an alarm a quarter hour before the due time stays a quarter hour before
// it, across daylight-saving changes too.
struct Shift
{
    qint64 days = 0;
    qint64 seconds = 0;
    QTimeZone zone; // invalid: the local zone

    QDateTime apply(const QDateTime& when) const;
};

struct Outcome
{
    // The task moved to its next occurrence (open), or nullopt when the series has ended and
    // the task itself stays completed.
    std::optional<Reminder> advanced;
    // The completed occurrence, to store as a task of its own without rules, under
    // completedCopyUid().
    Reminder completedOccurrence;
    // What moved the due date; alarms at a date move by the same, relative ones follow the
    // due date by themselves.
    Shift shift;
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
