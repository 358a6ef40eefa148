#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace store {

// A weekday with an optional week number: "every Monday" (0), "the second Monday" (2), "the
// last Friday" (-1). Days are numbered 1 = Sunday ... 7 = Saturday.
struct RecurrenceDayOfWeek
{
    int dayOfTheWeek = 1;
    int weekNumber = 0;
    bool operator==(const RecurrenceDayOfWeek&) const = default;
};

// How a recurrence ends: at a date, or after a number of occurrences.
struct RecurrenceEnd
{
    QDateTime endDate; // valid for an end by date
    bool endDateIsAllDay = false;
    int occurrenceCount = 0; // > 0 for an end by count

    static RecurrenceEnd withEndDate(const QDateTime& date);
    static RecurrenceEnd withOccurrenceCount(int count);
    bool operator==(const RecurrenceEnd&) const = default;
};

// The repeat rule of a task or event, with every field iCalendar's RRULE has that tasks use.
struct RecurrenceRule
{
    enum class Frequency { Daily = 0, Weekly = 1, Monthly = 2, Yearly = 3 };

    Frequency frequency = Frequency::Daily;
    int interval = 1;
    int firstDayOfTheWeek = 0; // 0: not set; else 1 = Sunday ... 7 = Saturday
    QList<RecurrenceDayOfWeek> daysOfTheWeek;
    QList<int> daysOfTheMonth;  // 1..31 and -1..-31
    QList<int> monthsOfTheYear; // 1..12
    QList<int> weeksOfTheYear;  // 1..53 and -1..-53
    QList<int> daysOfTheYear;   // 1..366 and -1..-366
    QList<int> setPositions;    // 1..366 and -1..-366
    std::optional<RecurrenceEnd> recurrenceEnd;

    bool operator==(const RecurrenceRule&) const = default;
};

} // namespace store
