#pragma once

#include "text/DateFormatter.h"

#include <QLocale>

#include <memory>
#include <optional>

// The data manager's shared date formatters. Each is built on first use (once, even when
// several threads ask at the same moment) and then kept; "the current locale" is the
// application's locale at that moment, so a formatter does not change under a label that
// already shows its text.
class DateFormatters
{
public:
    // Follows the application's locale (QLocale()).
    DateFormatters();
    // A fixed locale, whatever the application's locale is.
    explicit DateFormatters(const QLocale& locale);
    DateFormatters(const DateFormatters&) = delete;
    DateFormatters& operator=(const DateFormatters&) = delete;
    ~DateFormatters();

    // Template "d" derived for en_US_POSIX, written in the current locale.
    const DateFormatter& dayNumberFormatter() const;
    // Template "EEE".
    const DateFormatter& weekdayFormatter() const;
    // Fixed "HH:mm" in en_US_POSIX; reads and writes the alarm time preference.
    const DateFormatter& hourTimeFormatter() const;
    // The locale's short time style, no date.
    const DateFormatter& hourTimeAMPMFormatter() const;
    // Template "yyyyMMMd".
    const DateFormatter& fullDayFormatterMid() const;
    // Template "MMMd".
    const DateFormatter& fullDayFormatterShort() const;
    // Short date and short time, relative day names.
    const DateFormatter& dateTimeFormatter() const;
    // Medium date and short time.
    const DateFormatter& dateTimeMediumFormatter() const;
    // Short date, no time, relative day names.
    const DateFormatter& dateOnlyFormatter() const;
    // Template "yyyyMMMM".
    const DateFormatter& monthFormatter() const;
    // Template "w".
    const DateFormatter& weeknumberFormatter() const;
    // Template "yyyy".
    const DateFormatter& yearFormatter() const;

private:
    struct Slots;
    QString currentLocaleId() const;
    DateFormatter::HourCycle hourCycle() const;

    std::optional<QLocale> m_locale;
    std::unique_ptr<Slots> m_slots;
};
