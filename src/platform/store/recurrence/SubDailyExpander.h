#pragma once

#include "platform/store/recurrence/DayMatcher.h"
#include "platform/store/recurrence/ExpansionBudget.h"
#include "platform/store/recurrence/OccurrenceSource.h"
#include "platform/store/recurrence/RuleParts.h"

#include <limits>
#include <vector>

namespace store::recurrence {

// Our expansion of hourly, minutely and secondly rules on the wall clock, one period (hour,
// minute or second) at a time. Days that the date parts rule out, and hours and minutes that
// BYHOUR and BYMINUTE rule out, are jumped over whole, so a rule that matches only in May
// reaches May from January in a few steps instead of a hundred thousand minutes. COUNT and
// UNTIL are left to the caller.
class SubDailyExpander : public OccurrenceSource
{
public:
    // `rule` must be normalized. A rule without COUNT may resume at `resumeAt` instead of
    // walking from its start; nothing after `horizon` is produced.
    SubDailyExpander(const RuleParts& rule, const WallTime& start,
                     const std::optional<WallTime>& resumeAt,
                     const std::optional<WallTime>& horizon, ExpansionBudget& budget);

    std::optional<WallTime> next() override;

private:
    bool fillNextPeriod();
    // Moves to the first period that begins at or after `second` (naive seconds).
    void skipTo(qint64 second);
    bool dayMatches(qint64 day);
    void addPeriod(qint64 day, int hour, int minute, int second);

    RuleParts m_rule;
    WallTime m_start;
    qint64 m_startSecond = 0; // naive seconds
    DayMatcher m_matcher;
    qint64 m_step = 0;  // seconds between periods
    qint64 m_first = 0; // naive second of the start's period
    qint64 m_period = 0;
    std::optional<qint64> m_horizon;
    ExpansionBudget& m_budget;
    qint64 m_matchedDay = std::numeric_limits<qint64>::min(); // the day m_dayMatched is for
    bool m_dayMatched = false;
    std::vector<WallTime> m_pending;
    size_t m_nextPending = 0;
    bool m_done = false;
};

} // namespace store::recurrence
