#pragma once

#include "platform/store/recurrence/ExpansionBudget.h"
#include "platform/store/recurrence/RuleParts.h"
#include "platform/store/recurrence/SeriesFrame.h"

#include <QDateTime>
#include <QList>

#include <optional>

namespace store::recurrence {

enum class Engine {
    None,    // the rule can never produce a date beyond the series start
    Periods, // our own expansion (PeriodExpander, SubDailyExpander)
};

// Which engine expands a rule (normalized, as expansion sees it for `frame`). Decided from the
// rule's parts alone, in bounded time: nothing here runs an iterator.
Engine engineFor(const RuleParts& rule, const SeriesFrame& frame);

// The rule as expansion reads it for a series: sorted lists without duplicates, and no times
// of day for an all-day series.
RuleParts expansionForm(const RuleParts& rule, const SeriesFrame& frame);

// The instants (milliseconds since the epoch) of the occurrences one rule gives a series that
// begin in [from, to), ascending and distinct, at most `limit`. A missing `from` or `to` leaves
// that side open. The series start is always the first occurrence and counts towards COUNT even
// when the rule itself would not produce it. A wall time that a daylight-saving change skips is
// no occurrence and does not count.
QList<qint64> expandRuleInstants(const RuleParts& rule, const SeriesFrame& frame,
                                 std::optional<qint64> from, std::optional<qint64> to, int limit,
                                 ExpansionBudget& budget);

// The same as date-times in the series' own time zone; an invalid `from` or `to` is open.
QList<QDateTime> expandRule(const RuleParts& rule, const SeriesFrame& frame, const QDateTime& from,
                            const QDateTime& to, int limit, ExpansionBudget& budget);

} // namespace store::recurrence
