#include "entry/DueString.h"

#include "platform/store/recurrence/ZoneOffsets.h"

#include <optional>

namespace {

// A century of minutes: far beyond any sensible "remind me in", small enough that the date
// arithmetic stays inside the years the store can write.
constexpr qint64 kMaxMinutes = 100LL * 366 * 24 * 60;
constexpr qint64 kMsecsPerMinute = 60 * 1000;

// A whole number written with `minDigits` to `maxDigits` ASCII digits and nothing else.
std::optional<int> number(QStringView text, int minDigits, int maxDigits)
{
    if (text.size() < minDigits || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// "HH:mm": an hour of one or two digits, minutes of two.
std::optional<QTime> readTime(QStringView text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    const auto hour = number(text.first(colon), 1, 2);
    const auto minute = number(text.sliced(colon + 1), 2, 2);
    if (!hour || !minute || *hour > 23 || *minute > 59)
        return std::nullopt;
    return QTime(*hour, *minute);
}

struct MonthDay
{
    int month = 0;
    int day = 0;
};

// "MM-dd", checked for ranges only: whether the day exists depends on the year.
std::optional<MonthDay> readMonthDay(QStringView text)
{
    const qsizetype dash = text.indexOf(u'-');
    if (dash < 0)
        return std::nullopt;
    const auto month = number(text.first(dash), 1, 2);
    const auto day = number(text.sliced(dash + 1), 1, 2);
    if (!month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31)
        return std::nullopt;
    return MonthDay{*month, *day};
}

// "yyyy-MM-dd", a day the calendar has.
std::optional<QDate> readFullDate(QStringView text)
{
    const qsizetype dash = text.indexOf(u'-');
    if (dash < 0)
        return std::nullopt;
    const auto year = number(text.first(dash), 4, 4);
    const auto monthDay = readMonthDay(text.sliced(dash + 1));
    if (!year || !monthDay)
        return std::nullopt;
    const QDate date(*year, monthDay->month, monthDay->day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// The date part and the time part of "<date> <time>": one run of spaces between them, none
// inside either.
struct DateAndTime
{
    QStringView date;
    QStringView time;
};

std::optional<DateAndTime> splitAtSpace(QStringView text)
{
    const qsizetype space = text.indexOf(u' ');
    if (space <= 0)
        return std::nullopt;
    QStringView time = text.sliced(space + 1);
    while (!time.isEmpty() && time.front() == u' ')
        time = time.sliced(1);
    if (time.isEmpty() || time.contains(u' '))
        return std::nullopt;
    return DateAndTime{text.first(space), time};
}

// A moment on the local clock. A time the spring change skips (02:30 on the night the clocks
// jump from 02:00 to 03:00) is read as the first time after it that the clock shows, 03:00: the
// user meant that night, and refusing it would drop the due date. A time the autumn change
// repeats is its first pass, whatever the C library last worked out for the local clock.
QDateTime moment(const QDate& day, const QTime& time)
{
    if (!day.isValid())
        return {};
    const auto offsets = store::recurrence::ZoneOffsets::ofLocalTime();
    const qint64 naive = QDateTime(day, time, Qt::UTC).toMSecsSinceEpoch();
    // Gaps last an hour or two; a day's search ends any.
    for (int minutes = 0; minutes <= 24 * 60; ++minutes) {
        const auto readings = offsets->readingsOf(naive + qint64(minutes) * 60 * 1000);
        if (readings.count > 0)
            return QDateTime::fromMSecsSinceEpoch(readings.first, Qt::LocalTime);
    }
    return {};
}

// The same month and day in the given year, when that year has it.
QDate inYear(int year, const MonthDay& monthDay)
{
    return QDate(year, monthDay.month, monthDay.day);
}

QDateTime timeOnly(QStringView text, const QDateTime& now)
{
    const auto time = readTime(text);
    if (!time)
        return {};
    const QDate today = now.date();
    const QDateTime at = moment(today, *time);
    if (at.isValid() && at > now)
        return at;
    return moment(today.addDays(1), *time);
}

QDateTime monthDayOnly(QStringView text, const QDateTime& now, const QTime& presetTime)
{
    // Anything longer than "MM-dd" is not this form.
    if (text.size() > 5)
        return {};
    const auto monthDay = readMonthDay(text);
    if (!monthDay)
        return {};
    const QDate today = now.date();
    const QDate day = inYear(today.year(), *monthDay);
    const QDateTime at = moment(day, presetTime);
    if (!at.isValid())
        return {};
    // Today stays today even when the preset time has passed: the user named this day.
    if (at > now || day == today)
        return at;
    return moment(inYear(today.year() + 1, *monthDay), presetTime);
}

QDateTime monthDayWithTime(QStringView text, const QDateTime& now)
{
    const auto parts = splitAtSpace(text);
    if (!parts)
        return {};
    const auto monthDay = readMonthDay(parts->date);
    const auto time = readTime(parts->time);
    if (!monthDay || !time)
        return {};
    const int year = now.date().year();
    const QDateTime at = moment(inYear(year, *monthDay), *time);
    if (!at.isValid())
        return {};
    if (at > now)
        return at;
    return moment(inYear(year + 1, *monthDay), *time);
}

QDateTime fullDateOnly(QStringView text, const QTime& presetTime)
{
    const auto date = readFullDate(text);
    return date ? moment(*date, presetTime) : QDateTime();
}

QDateTime fullDateWithTime(QStringView text)
{
    const auto parts = splitAtSpace(text);
    if (!parts)
        return {};
    const auto date = readFullDate(parts->date);
    const auto time = readTime(parts->time);
    return date && time ? moment(*date, *time) : QDateTime();
}

} // namespace

namespace DueString {

QDateTime calculateDueDateFromDueString(const QString& due, const QDateTime& now,
                                        const QTime& presetTime)
{
    const QStringView text = QStringView(due).trimmed();
    const QDateTime localNow = now.toLocalTime();
    if (text.isEmpty() || !localNow.isValid() || !presetTime.isValid())
        return {};
    const qsizetype dashPieces = text.count(u'-') + 1;
    const qsizetype colonPieces = text.count(u':') + 1;
    if (dashPieces == 1)
        return colonPieces == 2 ? timeOnly(text, localNow) : QDateTime();
    if (dashPieces == 2)
        return colonPieces == 1 ? monthDayOnly(text, localNow, presetTime)
                                : monthDayWithTime(text, localNow);
    return colonPieces == 1 ? fullDateOnly(text, presetTime) : fullDateWithTime(text);
}

QDateTime calculateDueDateFromDueAfterString(const QString& dueAfter, const QDateTime& now)
{
    QStringView text = QStringView(dueAfter).trimmed();
    if (!text.isEmpty() && text.front() == u'+')
        text = text.sliced(1);
    if (text.isEmpty() || text.size() > 9 || !now.isValid())
        return {};
    qint64 minutes = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return {};
        minutes = minutes * 10 + (c.unicode() - u'0');
    }
    if (minutes > kMaxMinutes)
        return {};
    // Due dates carry whole minutes; the alarm rings at the same minute as the due date.
    const qint64 at = now.toMSecsSinceEpoch() + minutes * kMsecsPerMinute;
    return QDateTime::fromMSecsSinceEpoch(at - at % kMsecsPerMinute).toLocalTime();
}

} // namespace DueString
