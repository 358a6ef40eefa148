#pragma once

#include "platform/store/RecurrenceRule.h"

#include <QDateTime>
#include <QStringList>

#include <optional>

namespace store {

// A recurring series as iCalendar describes it: a first start and the rules, extra dates and
// excluded dates that generate the others.
struct RecurrenceSet
{
    QDateTime start;          // DTSTART: in its time zone, in UTC, or local time when floating
    bool allDay = false;      // DTSTART is a DATE
    QStringList rrules;       // RRULE values, e.g. "FREQ=WEEKLY;BYDAY=MO,WE"
    QList<QDateTime> rdates;  // extra occurrence starts
    QList<QDateTime> exdates; // excluded occurrence starts
};

// Reading, writing and expanding recurrence rules. Every expansion is bounded in work (see
// recurrence/RuleExpander.cpp). Occurrences are distinct instants in ascending order; a wall
// time that a daylight-saving change skips is not an occurrence.
namespace Recurrence {

// Parses an RRULE value. Refuses (nullopt, with a reason) what a task cannot carry: sub-daily
// frequencies, malformed parts.
std::optional<RecurrenceRule> parseRule(const QString& rrule, QString* error = nullptr);

// Writes an RRULE value. A yearly rule gets its BYMONTH written out (from `start` when the rule
// names none; without a start it stays open); an end date is written as a DATE for all-day
// series, else in UTC.
QString formatRule(const RecurrenceRule& rule, const QDateTime& start, bool allDay);

// The starts of the occurrences that begin in [from, to), ascending, at most maxCount of them;
// the series' own start counts as its first occurrence.
QList<QDateTime> occurrences(const RecurrenceSet& set, const QDateTime& from, const QDateTime& to,
                             int maxCount = 10000);

// The same as instants in milliseconds since the epoch: what a caller that expands thousands of
// series wants, as building a zoned date-time costs more than finding the occurrence.
QList<qint64> occurrenceInstants(const RecurrenceSet& set, const QDateTime& from,
                                 const QDateTime& to, int maxCount = 10000);

// The first occurrence strictly after `after`; nullopt when the series has ended.
std::optional<QDateTime> nextOccurrence(const RecurrenceSet& set, const QDateTime& after);

} // namespace Recurrence

} // namespace store
