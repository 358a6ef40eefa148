#pragma once

#include "platform/store/RecurrenceRule.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

namespace store::recurrence {

enum class Frequency { Secondly, Minutely, Hourly, Daily, Weekly, Monthly, Yearly };

// An UNTIL value as it was written: a DATE, a UTC DATE-TIME or a floating DATE-TIME.
struct RuleUntil
{
    QDate date;
    QTime time; // invalid for a DATE
    bool utc = false;

    bool isValid() const { return date.isValid(); }
    bool isDate() const { return !time.isValid(); }
    bool operator==(const RuleUntil&) const = default;
};

// Every part of an RRULE value, including the ones a task cannot carry (sub-daily frequencies,
// times of day), so that events written by other programs still expand. Lists keep the order
// they were written in; expansion sorts its own copies.
struct RuleParts
{
    Frequency frequency = Frequency::Daily;
    int interval = 1;
    int count = 0; // 0: no COUNT
    RuleUntil until;
    int weekStart = 0; // 0: not written (Monday); else 1 = Sunday ... 7 = Saturday
    QList<int> seconds;
    QList<int> minutes;
    QList<int> hours;
    QList<RecurrenceDayOfWeek> days;
    QList<int> monthDays;
    QList<int> yearDays;
    QList<int> weekNumbers;
    QList<int> months;
    QList<int> setPositions;

    bool isSubDaily() const { return frequency < Frequency::Daily; }
    bool hasTimeParts() const
    {
        return !seconds.isEmpty() || !minutes.isEmpty() || !hours.isEmpty();
    }
    bool hasDateParts() const;
    int effectiveWeekStart() const { return weekStart != 0 ? weekStart : 2; }
    bool operator==(const RuleParts&) const = default;
};

// Reads an RRULE value strictly: every part must be known, well-formed, within its range and
// allowed for the frequency; nullopt with a reason otherwise.
std::optional<RuleParts> parseRuleParts(const QString& text, QString* error = nullptr);

// Writes the parts in one fixed order, so equal rules give equal text.
QString formatRuleParts(const RuleParts& parts);

// The same rule with sorted, duplicate-free lists, as expansion wants it.
RuleParts normalized(RuleParts parts);

} // namespace store::recurrence
