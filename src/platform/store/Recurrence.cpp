#include "platform/store/Recurrence.h"

#include "platform/store/recurrence/Logging.h"
#include "platform/store/recurrence/RuleExpander.h"
#include "platform/store/recurrence/RuleParts.h"
#include "platform/store/recurrence/SeriesFrame.h"

#include <QCoreApplication>

#include <algorithm>
#include <climits>
#include <cstdlib>

// Expansion runs on our own expander, bounded in work from its first step; rules that can never
// match are stopped before any iterator runs (recurrence/RuleExpander.cpp).
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

std::optional<qint64> msOf(const QDateTime& time)
{
    return time.isValid() ? std::optional(time.toMSecsSinceEpoch()) : std::nullopt;
}

QList<qint64> collect(const RecurrenceSet& set, const SeriesFrame& frame,
                      std::optional<qint64> from, std::optional<qint64> to, int maxCount)
{
    QList<qint64> all;
    if (!set.start.isValid() || maxCount <= 0 || (from && to && *from >= *to))
        return all;
    const auto inWindow = [&from, &to](qint64 instant) {
        return (!from || instant >= *from) && (!to || instant < *to);
    };
    // The start is an occurrence even when no rule could be read.
    const qint64 start = frame.startInstant().toMSecsSinceEpoch();
    if (inWindow(start))
        all << start;
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
        all += expandRuleInstants(*parts, frame, from, to, perRule, budget);
    }
    // In an all-day series extra and excluded dates count by day, whatever time they carry.
    const auto instantOf = [&set, &frame](const QDateTime& time) {
        return set.allDay ? frame.instantMsOf(WallTime{frame.wallOf(time).date, QTime(0, 0)})
                          : time.toMSecsSinceEpoch();
    };
    for (const QDateTime& rdate : set.rdates) {
        if (rdate.isValid() && inWindow(instantOf(rdate)))
            all << instantOf(rdate);
    }
    // One rule's instants come sorted; only merging needs the sort.
    if (!std::is_sorted(all.cbegin(), all.cend()))
        std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    if (!set.exdates.isEmpty()) {
        QList<qint64> excluded;
        for (const QDateTime& exdate : set.exdates) {
            if (exdate.isValid())
                excluded << instantOf(exdate);
        }
        std::sort(excluded.begin(), excluded.end());
        all.removeIf([&excluded](qint64 instant) {
            return std::binary_search(excluded.cbegin(), excluded.cend(), instant);
        });
    }
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
        return refuse(error, QT_TRANSLATE_NOOP("Recurrence",
                                               "Tasks cannot repeat more often than once a day"));
    if (parts->hasTimeParts())
        return refuse(error, QT_TRANSLATE_NOOP("Recurrence",
                                               "Tasks cannot repeat at several times of the day"));
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
    QList<QDateTime> out;
    if (!set.start.isValid())
        return out;
    const SeriesFrame frame(set.start, set.allDay);
    for (qint64 instant : collect(set, frame, msOf(from), msOf(to), maxCount))
        out << frame.inFrame(instant);
    return out;
}

QList<qint64> occurrenceInstants(const RecurrenceSet& set, const QDateTime& from,
                                 const QDateTime& to, int maxCount)
{
    if (!set.start.isValid())
        return {};
    return collect(set, SeriesFrame(set.start, set.allDay), msOf(from), msOf(to), maxCount);
}

std::optional<QDateTime> nextOccurrence(const RecurrenceSet& set, const QDateTime& after)
{
    if (!after.isValid() || !set.start.isValid())
        return std::nullopt;
    const SeriesFrame frame(set.start, set.allDay);
    const QList<qint64> next = collect(set, frame, after.toMSecsSinceEpoch() + 1, std::nullopt, 1);
    if (next.isEmpty())
        return std::nullopt;
    return frame.inFrame(next.first());
}

} // namespace store::Recurrence
