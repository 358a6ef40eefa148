#pragma once

#include <QDateTime>
#include <QString>

#include <memory>

class QLocale;

// One locale-aware date format backed by ICU. The ICU types stay in the .cpp so that code
// which only formats dates does not compile against ICU.
//
// Formatting and parsing are safe to call from several threads at once: the data manager's
// background count job and the main thread share the same instances. ICU formatters keep a
// mutable calendar inside, so every call is serialised on a mutex of its own formatter.
//
// Instants are converted in the process's local time zone, which is set on the ICU formatter
// explicitly instead of relying on ICU's own detection agreeing with Qt's.
class DateFormatter
{
public:
    enum class Style { None, Short, Medium, Long, Full };
    // Whose clock a time style follows: the ICU locale's own, or the one the user's Qt locale
    // names (LC_TIME may ask for a 24-hour clock in an English locale).
    enum class HourCycle { Locale, TwelveHours, TwentyFourHours };

    // A pattern derived from a template ("yyyyMMMd", "EEE", ...) for the locale
    // `patternLocaleId`, then used with the locale `localeId` for names and digits.
    static DateFormatter fromTemplate(const QString& skeleton, const QString& patternLocaleId,
                                      const QString& localeId);
    static DateFormatter fromTemplate(const QString& skeleton, const QString& localeId)
    {
        return fromTemplate(skeleton, localeId, localeId);
    }
    // A fixed pattern in ICU/CLDR syntax ("HH:mm") with a fixed locale.
    static DateFormatter fromPattern(const QString& pattern, const QString& localeId);
    // The locale's own date and time styles. With `relativeDayNames`, days near today are
    // written as the locale's words for them ("Today", "Tomorrow", "Yesterday"); this needs
    // a date style other than None.
    static DateFormatter fromStyles(Style dateStyle, Style timeStyle, bool relativeDayNames,
                                    const QString& localeId, HourCycle hours = HourCycle::Locale);
    // The clock a Qt locale's short time format uses.
    static HourCycle hourCycleOf(const QLocale& locale);

    // The ICU locale identifier for a Qt locale: "de_DE", "sr_Latn_RS"; the C locale maps to
    // "en_US_POSIX".
    static QString icuLocaleId(const QLocale& locale);

    DateFormatter(DateFormatter&& other) noexcept;
    DateFormatter& operator=(DateFormatter&& other) noexcept;
    ~DateFormatter();

    // False when ICU refused the configuration (unknown pattern syntax, missing data) or the
    // object was moved from; such a formatter answers empty strings and invalid dates.
    bool isValid() const;
    // The pattern in use, as ICU resolved it ("MMM d, y" for "yyyyMMMd" in en_US).
    QString pattern() const;
    QString localeId() const;
    QString timeZoneId() const;

    // Empty for an invalid date-time.
    QString stringFromDate(const QDateTime& dateTime) const;
    // The instant the whole of `text` describes (surrounding white space aside), as a local
    // date-time; an invalid QDateTime when the text does not match exactly, names a time
    // that does not exist (25:00, a time skipped by a daylight-saving change) or is empty.
    // Date-only formats answer the start of the day.
    QDateTime dateFromString(const QString& text) const;

private:
    struct Private;
    explicit DateFormatter(std::unique_ptr<Private> d);

    std::unique_ptr<Private> m_d;
};
