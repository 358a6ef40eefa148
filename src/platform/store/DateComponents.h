#pragma once

#include <QDateTime>
#include <QTimeZone>

#include <limits>
#include <optional>

namespace store {

// A calendar date with an optional time of day, as tasks carry their due and start dates.
// Hour and minute 0 stand for "no time of day" (written as an iCalendar DATE). An invalid
// time zone means floating time: the wall-clock time wherever the user is.
struct DateComponents
{
    // The fields beside the year in two bytes each: a task holds two sets, and a hundred
    // thousand tasks are held at once.
    int year = 0;
    qint16 month = 0;
    qint16 day = 0;
    qint16 hour = 0;
    qint16 minute = 0;
    qint16 second = 0;
    QTimeZone timeZone;

    bool isValid() const { return QDate(year, month, day).isValid(); }
    bool hasTimeOfDay() const { return hour != 0 || minute != 0 || second != 0; }
    QDate date() const { return QDate(year, month, day); }

    // The instant in the local time zone (the zone of the components when they carry one).
    QDateTime toDateTime() const;
    // A local midnight is a date without a time of day, which has no time zone: the form it
    // has once written and read back.
    static DateComponents fromDateTime(const QDateTime& dateTime, bool withTimeZone = true);
    static DateComponents fromDate(const QDate& date);

    bool operator==(const DateComponents& other) const;
    bool operator!=(const DateComponents& other) const { return !(*this == other); }
};

// std::optional's interface to a task's due or start date in the room of the date alone,
// where the optional's flag took another eight bytes: the smallest year stands for none, a
// year that no parser, calendar or clock gives a date.
class OptionalDateComponents
{
public:
    OptionalDateComponents() = default;
    OptionalDateComponents(std::nullopt_t) {}
    OptionalDateComponents(const DateComponents& date)
        : m_date(date)
    {
        Q_ASSERT(has_value());
    }
    OptionalDateComponents(const std::optional<DateComponents>& date)
    {
        if (date)
            *this = *date;
    }
    OptionalDateComponents& operator=(std::nullopt_t)
    {
        reset();
        return *this;
    }
    OptionalDateComponents& operator=(const DateComponents& date)
    {
        m_date = date;
        Q_ASSERT(has_value());
        return *this;
    }
    OptionalDateComponents& operator=(const std::optional<DateComponents>& date)
    {
        return date ? *this = *date : *this = std::nullopt;
    }
    operator std::optional<DateComponents>() const
    {
        return has_value() ? std::optional<DateComponents>(m_date) : std::nullopt;
    }

    bool has_value() const { return m_date.year != kNone; }
    explicit operator bool() const { return has_value(); }
    const DateComponents& operator*() const { return m_date; }
    DateComponents& operator*() { return m_date; }
    const DateComponents* operator->() const { return &m_date; }
    DateComponents* operator->() { return &m_date; }
    void reset() { m_date = none(); }

    friend bool operator==(const OptionalDateComponents& a, const OptionalDateComponents& b)
    {
        return a.has_value() == b.has_value() && (!a.has_value() || a.m_date == b.m_date);
    }
    friend bool operator!=(const OptionalDateComponents& a, const OptionalDateComponents& b)
    {
        return !(a == b);
    }
    friend bool operator==(const OptionalDateComponents& a, std::nullopt_t) { return !a; }
    friend bool operator!=(const OptionalDateComponents& a, std::nullopt_t) { return bool(a); }

private:
    static constexpr int kNone = std::numeric_limits<int>::min();
    static DateComponents none()
    {
        DateComponents date;
        date.year = kNone;
        return date;
    }
    DateComponents m_date = none();
};

static_assert(sizeof(OptionalDateComponents) == sizeof(DateComponents));

} // namespace store
