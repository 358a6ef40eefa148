#include "platform/store/Recurrence.h"

#include "platform/store/recurrence/Logging.h"
#include "platform/store/recurrence/RuleExpander.h"
#include "platform/store/recurrence/RuleParts.h"
#include "platform/store/recurrence/SeriesFrame.h"

#include <QCoreApplication>

#include <algorithm>
#include <climits>
#include <cstdlib>

// Expansion runs on libical's iterator, guarded: every rule is bounded in work, rules that can
// never match are stopped before they reach libical, and the shapes libical 3.0.16 expands
// wrongly go to our own expander (recurrence/RuleExpander.cpp lists them).
namespace store::Recurrence {

using namespace store::recurrence;

namespace {

std::nullopt_t refuse(QString* error, const char* reason)
{
    if (error)
        *error = QCoreApplication::translate("Recurrence", reason);
    return std::nullopt;
}

std::optional<RecurrenceEnd> endOf(const RuleParts& parts)
{
    if (parts.count > 0)
        return RecurrenceEnd::withOccurrenceCount(parts.count);
    if (!parts.until.isValid())
        return std::nullopt;
    if (parts.until.isDate()) {
        RecurrenceEnd end = RecurrenceEnd::withEndDate(QDateTime(parts.until.date, QTime(0, 0)));
        end.endDateIsAllDay = true;
        return end;
    }
    return RecurrenceEnd::withEndDate(
        QDateTime(parts.until.date, parts.until.time, parts.until.utc ? Qt::UTC : Qt::LocalTime));
}

// An end date becomes a DATE for an all-day series. For a timed series it is an instant in
// UTC; an end given as a whole day then ends with that day, so its last occurrence is kept.
RuleUntil untilOf(const RecurrenceEnd& end, const QDateTime& start, bool allDay)
{
    RuleUntil until;
    const QDate endDay =
        end.endDateIsAllDay ? end.endDate.date() : end.endDate.toLocalTime().date();
    if (allDay) {
        until.date = endDay;
        return until;
    }
    QDateTime instant = end.endDate;
    if (end.endDateIsAllDay) {
        const SeriesFrame frame(start, false);
        instant = frame.instantOf(WallTime{end.endDate.date(), QTime(23, 59, 59)});
    }
    const QDateTime utc = instant.toUTC();
    until.date = utc.date();
    until.time = QTime(utc.time().hour(), utc.time().minute(), utc.time().second());
    until.utc = true;
    return until;
}

// Values a rule of this frequency cannot carry are left out, so that what is written always
// reads back.
RuleParts partsOf(const RecurrenceRule& rule)
{
    RuleParts parts;
    parts.frequency = Frequency(int(Frequency::Daily) + qBound(0, int(rule.frequency), 3));
    parts.interval = qBound(1, rule.interval, 10000);
    if (rule.firstDayOfTheWeek >= 1 && rule.firstDayOfTheWeek <= 7)
        parts.weekStart = rule.firstDayOfTheWeek;
    const bool yearly = rule.frequency == RecurrenceRule::Frequency::Yearly;
    const bool numberedDays = rule.frequency == RecurrenceRule::Frequency::Monthly ||
                              (yearly && rule.weeksOfTheYear.isEmpty());
    for (RecurrenceDayOfWeek day : rule.daysOfTheWeek) {
        if (day.dayOfTheWeek < 1 || day.dayOfTheWeek > 7 || std::abs(day.weekNumber) > 53)
            continue;
        if (!numberedDays)
            day.weekNumber = 0;
        parts.days << day;
    }
    const auto keep = [](const QList<int>& values, int minimum, int maximum) {
        QList<int> kept;
        for (int value : values) {
            if (value >= minimum && value <= maximum && value != 0)
                kept << value;
        }
        return kept;
    };
    if (rule.frequency != RecurrenceRule::Frequency::Weekly)
        parts.monthDays = keep(rule.daysOfTheMonth, -31, 31);
    if (yearly) {
        parts.yearDays = keep(rule.daysOfTheYear, -366, 366);
        parts.weekNumbers = keep(rule.weeksOfTheYear, -53, 53);
    }
    parts.months = keep(rule.monthsOfTheYear, 1, 12);
    parts.setPositions = keep(rule.setPositions, -366, 366);
    return parts;
}

bool inWindow(const QDateTime& instant, const QDateTime& from, const QDateTime& to)
{
    return (!from.isValid() || instant >= from) && (!to.isValid() || instant < to);
}

QList<QDateTime> collect(const RecurrenceSet& set, const QDateTime& from, const QDateTime& to,
                         int maxCount)
{
    QList<QDateTime> all;
    if (!set.start.isValid() || maxCount <= 0 || (from.isValid() && to.isValid() && from >= to))
        return all;
    const SeriesFrame frame(set.start, set.allDay);
    const auto sameOccurrence = [&set](const QDateTime& a, const QDateTime& b) {
        return set.allDay ? a.date() == b.date() : a == b;
    };
    // Each rule may lose some of its dates to EXDATEs, so it contributes that many more.
    const int perRule = int(qMin<qint64>(qint64(maxCount) + set.exdates.size(), INT_MAX));
    for (const QString& text : set.rrules) {
        QString error;
        const std::optional<RuleParts> parts = parseRuleParts(text, &error);
        if (!parts) {
            qCWarning(lcRecurrence) << "Ignoring RRULE" << text << ":" << error;
            continue;
        }
        ExpansionBudget budget;
        all += expandRule(*parts, frame, from, to, perRule, budget);
    }
    // The start is an occurrence even when no rule could be read.
    const QDateTime start = frame.startInstant();
    if (inWindow(start, from, to))
        all << start;
    for (const QDateTime& rdate : set.rdates) {
        if (!rdate.isValid())
            continue;
        const QDateTime shown = set.allDay ? frame.instantOf(WallTime{frame.wallOf(rdate).date, {}})
                                           : frame.inFrame(rdate);
        if (inWindow(shown, from, to))
            all << shown;
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end(), sameOccurrence), all.end());
    // EXDATEs match by instant; in an all-day series by day, whatever time they carry.
    const auto excluded = [&](const QDateTime& occurrence) {
        return std::any_of(set.exdates.cbegin(), set.exdates.cend(), [&](const QDateTime& ex) {
            if (!ex.isValid())
                return false;
            return set.allDay ? frame.wallOf(ex).date == occurrence.date() : ex == occurrence;
        });
    };
    all.erase(std::remove_if(all.begin(), all.end(), excluded), all.end());
    if (all.size() > maxCount)
        all.resize(maxCount);
    return all;
}

} // namespace

std::optional<RecurrenceRule> parseRule(const QString& rrule, QString* error)
{
    const std::optional<RuleParts> parts = parseRuleParts(rrule, error);
    if (!parts)
        return std::nullopt;
    if (parts->isSubDaily())
        return refuse(error, "Tasks cannot repeat more often than once a day");
    if (parts->hasTimeParts())
        return refuse(error, "Tasks cannot repeat at several times of the day");
    RecurrenceRule rule;
    rule.frequency = RecurrenceRule::Frequency(int(parts->frequency) - int(Frequency::Daily));
    rule.interval = parts->interval;
    rule.firstDayOfTheWeek = parts->weekStart;
    rule.daysOfTheWeek = parts->days;
    rule.daysOfTheMonth = parts->monthDays;
    rule.monthsOfTheYear = parts->months;
    rule.weeksOfTheYear = parts->weekNumbers;
    rule.daysOfTheYear = parts->yearDays;
    rule.setPositions = parts->setPositions;
    rule.recurrenceEnd = endOf(*parts);
    return rule;
}

QString formatRule(const RecurrenceRule& rule, const QDateTime& start, bool allDay)
{
    RuleParts parts = partsOf(rule);
    // Readers disagree on what a yearly rule means without BYMONTH (libical takes the start's
    // month for BYMONTHDAY, others every month), so we always name the month. A rule whose
    // days come from week numbers, days of the year or weekdays is left as it is: a month
    // would narrow it.
    if (parts.frequency == Frequency::Yearly && parts.months.isEmpty() && parts.days.isEmpty() &&
        parts.weekNumbers.isEmpty() && parts.yearDays.isEmpty() && start.isValid())
        parts.months = {start.date().month()};
    if (rule.recurrenceEnd && rule.recurrenceEnd->occurrenceCount > 0)
        parts.count = rule.recurrenceEnd->occurrenceCount;
    else if (rule.recurrenceEnd && rule.recurrenceEnd->endDate.isValid())
        parts.until = untilOf(*rule.recurrenceEnd, start, allDay);
    return formatRuleParts(parts);
}

QList<QDateTime> occurrences(const RecurrenceSet& set, const QDateTime& from, const QDateTime& to,
                             int maxCount)
{
    return collect(set, from, to, maxCount);
}

std::optional<QDateTime> nextOccurrence(const RecurrenceSet& set, const QDateTime& after)
{
    if (!after.isValid())
        return std::nullopt;
    const QList<QDateTime> next = collect(set, after.addMSecs(1), QDateTime(), 1);
    if (next.isEmpty())
        return std::nullopt;
    return next.first();
}

} // namespace store::Recurrence
