#pragma once

#include "platform/store/recurrence/DayMatcher.h"
#include "platform/store/recurrence/ExpansionBudget.h"
#include "platform/store/recurrence/OccurrenceSource.h"
#include "platform/store/recurrence/RuleParts.h"

#include <QList>

#include <vector>

namespace store::recurrence {

// Our own expansion of daily, weekly, monthly and yearly rules, one period (day, week, month,
// year, or week-numbering year for BYWEEKNO) at a time: the period's days that the rule's date
// parts admit, times the times of day, then BYSETPOS over that set. COUNT and UNTIL are left to
// the caller.
class PeriodExpander : public OccurrenceSource
{
public:
    // `rule` must be normalized. A rule without COUNT may resume at the period holding
    // `resumeAt` instead of walking from its start; nothing after `horizon` is produced.
    PeriodExpander(const RuleParts& rule, const WallTime& start,
                   const std::optional<WallTime>& resumeAt, const std::optional<WallTime>& horizon,
                   ExpansionBudget& budget);

    std::optional<WallTime> next() override;

private:
    bool fillNextPeriod();
    bool fillDays();
    QDate firstDayOf(qint64 unit) const;
    QDate lastDayOf(qint64 unit) const;
    qint64 unitOf(const QDate& day) const;
    void select();

    RuleParts m_rule;
    WallTime m_start;
    DayMatcher m_matcher;
    QList<QTime> m_times;
    std::optional<WallTime> m_horizon;
    ExpansionBudget& m_budget;
    bool m_weekYears = false; // periods are week-numbering years
    bool m_everyDay = false;  // a daily rule that no date part narrows: each period is its day
    int m_firstWeekYear = 0;
    qint64 m_period = 0;
    // Reused from period to period: a daily rule has a period per occurrence.
    std::vector<QDate> m_days;
    std::vector<WallTime> m_pending;
    size_t m_nextPending = 0;
    bool m_done = false;
};

} // namespace store::recurrence
