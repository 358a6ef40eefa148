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
    Libical, // libical's iterator
    Periods, // our own PeriodExpander, for the shapes libical gets wrong
};

// Which engine expands a rule (normalized, as expansion sees it for `frame`).
Engine engineFor(const RuleParts& rule, const SeriesFrame& frame);

// The rule as expansion reads it for a series: sorted lists without duplicates, and no times
// of day for an all-day series.
RuleParts expansionForm(const RuleParts& rule, const SeriesFrame& frame);

// The occurrences one rule gives a series that begin in [from, to), ascending, at most `limit`.
// An invalid `from` or `to` leaves that side open. The series start is always the first
// occurrence and counts towards COUNT even when the rule itself would not produce it.
// `engine` overrides the choice of engineFor(), to compare the engines with each other.
QList<QDateTime> expandRule(const RuleParts& rule, const SeriesFrame& frame, const QDateTime& from,
                            const QDateTime& to, int limit, ExpansionBudget& budget,
                            std::optional<Engine> engine = std::nullopt);

} // namespace store::recurrence
