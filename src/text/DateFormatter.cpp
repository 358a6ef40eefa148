#include "text/DateFormatter.h"

#include <QLocale>
#include <QTimeZone>

#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/dtptngen.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/uchar.h>
#include <unicode/udat.h>
#include <unicode/unistr.h>

#include <cmath>
#include <mutex>
#include <optional>

namespace {

// ICU writes some times with a narrow no-break space before the day period ("8:30 PM");
// people type a plain one.
constexpr char16_t kNarrowNoBreakSpace = u'\u202F';

icu::UnicodeString toIcu(const QString& text)
{
    return icu::UnicodeString(reinterpret_cast<const UChar*>(text.utf16()),
                              static_cast<int32_t>(text.size()));
}

QString fromIcu(const icu::UnicodeString& text)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text.getBuffer()), text.length());
}

icu::Locale icuLocale(const QString& localeId)
{
    return icu::Locale::createFromName(localeId.toUtf8().constData());
}

// Qt and ICU must agree on the zone, or a date would be written for a different wall-clock
// time than the one QDateTime shows. A zone name ICU does not know (a POSIX TZ rule string,
// say) falls back to ICU's reading of the host settings, which understands those.
icu::TimeZone* createLocalTimeZone()
{
    const QByteArray id = QTimeZone::systemTimeZoneId();
    if (!id.isEmpty()) {
        icu::TimeZone* zone =
            icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(id.constData()));
        if (zone && *zone != icu::TimeZone::getUnknown())
            return zone;
        delete zone;
    }
    return icu::TimeZone::detectHostTimeZone();
}

icu::DateFormat::EStyle icuStyle(DateFormatter::Style style)
{
    switch (style) {
    case DateFormatter::Style::None:
        return icu::DateFormat::kNone;
    case DateFormatter::Style::Short:
        return icu::DateFormat::kShort;
    case DateFormatter::Style::Medium:
        return icu::DateFormat::kMedium;
    case DateFormatter::Style::Long:
        return icu::DateFormat::kLong;
    case DateFormatter::Style::Full:
        return icu::DateFormat::kFull;
    }
    return icu::DateFormat::kNone;
}

QString patternOf(const icu::DateFormat* format)
{
    const auto* simple = dynamic_cast<const icu::SimpleDateFormat*>(format);
    if (!simple)
        return {};
    icu::UnicodeString pattern;
    simple->toPattern(pattern);
    return fromIcu(pattern);
}

// The pattern's letters outside quoted literal text.
QString fieldLetters(const QString& pattern)
{
    QString letters;
    bool quoted = false;
    for (QChar c : pattern) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted)
            letters += c;
    }
    return letters;
}

bool hasTwelveHourClock(const QString& icuPattern)
{
    const QString letters = fieldLetters(icuPattern);
    return letters.contains(u'h') || letters.contains(u'K') || letters.contains(u'a');
}

// `timePattern` on the asked-for clock, as the locale writes a time on that clock ("HH:mm",
// "h:mm a", "a h:mm"); unchanged when it already is or nothing was asked.
QString timePatternOnClock(const QString& timePattern, DateFormatter::HourCycle hours,
                           const icu::Locale& locale)
{
    if (timePattern.isEmpty() || hours == DateFormatter::HourCycle::Locale)
        return timePattern;
    const bool twelve = hours == DateFormatter::HourCycle::TwelveHours;
    if (hasTwelveHourClock(timePattern) == twelve)
        return timePattern;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::DateTimePatternGenerator> generator(
        icu::DateTimePatternGenerator::createInstance(locale, status));
    if (!generator || U_FAILURE(status))
        return timePattern;
    QString skeleton = twelve ? QStringLiteral("hmm") : QStringLiteral("Hmm");
    if (fieldLetters(timePattern).contains(u's'))
        skeleton += QStringLiteral("ss");
    const icu::UnicodeString best = generator->getBestPattern(toIcu(skeleton), status);
    return U_SUCCESS(status) ? fromIcu(best) : timePattern;
}

QString patternOfStyles(icu::DateFormat::EStyle date, icu::DateFormat::EStyle time,
                        const icu::Locale& locale)
{
    const std::unique_ptr<icu::DateFormat> format(
        icu::DateFormat::createDateTimeInstance(date, time, locale));
    return patternOf(format.get());
}

} // namespace

struct DateFormatter::Private
{
    mutable std::mutex m_mutex;
    std::unique_ptr<icu::DateFormat> m_format;
    QString m_pattern;
    QString m_localeId;
    bool m_relative = false;
    bool m_dateOnly = false;

    // Takes ownership of `format`; null or a failed status leaves the formatter invalid.
    void adopt(icu::DateFormat* format, UErrorCode status)
    {
        std::unique_ptr<icu::DateFormat> owned(format);
        if (!owned || U_FAILURE(status))
            return;
        // Strict like the rest of the program's input handling: "25:00" or "Feb 30" is an
        // error, not a date rolled over into the next hour or month.
        owned->setLenient(false);
        owned->adoptTimeZone(createLocalTimeZone());
        m_format = std::move(owned);
    }

    std::optional<UDate> parseWhole(const icu::UnicodeString& text) const
    {
        icu::ParsePosition position(0);
        const UDate date = m_format->parse(text, position);
        if (position.getErrorIndex() >= 0 || position.getIndex() != text.length())
            return std::nullopt;
        if (!std::isfinite(date))
            return std::nullopt;
        return date;
    }

    std::optional<UDate> parse(const QString& text) const
    {
        const icu::UnicodeString original = toIcu(text);
        if (std::optional<UDate> date = parseWhole(original))
            return date;
        if (text.contains(u' ')) {
            QString narrow = text;
            narrow.replace(u' ', QChar(kNarrowNoBreakSpace));
            if (std::optional<UDate> date = parseWhole(toIcu(narrow)))
                return date;
        }
        if (m_relative) {
            // ICU matches relative day names only in the case its data spells them ("today"),
            // while this formatter writes them capitalised at the start of a label.
            icu::UnicodeString lowered = original;
            const UChar32 first = lowered.char32At(0);
            lowered.replace(0, U16_LENGTH(first), u_tolower(first));
            if (std::optional<UDate> date = parseWhole(lowered))
                return date;
        }
        return std::nullopt;
    }

    // A relative day name parses to that day at the current time of day; a date-only format
    // means the day itself.
    UDate startOfDay(UDate date) const
    {
        std::unique_ptr<icu::Calendar> calendar(m_format->getCalendar()->clone());
        calendar->setLenient(true); // a midnight skipped by a DST change moves forward
        UErrorCode status = U_ZERO_ERROR;
        calendar->setTime(date, status);
        calendar->set(UCAL_HOUR_OF_DAY, 0);
        calendar->set(UCAL_MINUTE, 0);
        calendar->set(UCAL_SECOND, 0);
        calendar->set(UCAL_MILLISECOND, 0);
        const UDate start = calendar->getTime(status);
        return U_SUCCESS(status) ? start : date;
    }
};

DateFormatter::DateFormatter(std::unique_ptr<Private> d)
    : m_d(std::move(d))
{}

DateFormatter::DateFormatter(DateFormatter&& other) noexcept = default;
DateFormatter& DateFormatter::operator=(DateFormatter&& other) noexcept = default;
DateFormatter::~DateFormatter() = default;

DateFormatter DateFormatter::fromTemplate(const QString& skeleton, const QString& patternLocaleId,
                                          const QString& localeId)
{
    auto d = std::make_unique<Private>();
    d->m_localeId = localeId;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::DateTimePatternGenerator> generator(
        icu::DateTimePatternGenerator::createInstance(icuLocale(patternLocaleId), status));
    if (!generator || U_FAILURE(status))
        return DateFormatter(std::move(d));
    const icu::UnicodeString pattern = generator->getBestPattern(toIcu(skeleton), status);
    if (U_FAILURE(status))
        return DateFormatter(std::move(d));
    d->adopt(new icu::SimpleDateFormat(pattern, icuLocale(localeId), status), status);
    d->m_pattern = patternOf(d->m_format.get());
    return DateFormatter(std::move(d));
}

DateFormatter DateFormatter::fromPattern(const QString& pattern, const QString& localeId)
{
    auto d = std::make_unique<Private>();
    d->m_localeId = localeId;
    UErrorCode status = U_ZERO_ERROR;
    d->adopt(new icu::SimpleDateFormat(toIcu(pattern), icuLocale(localeId), status), status);
    d->m_pattern = patternOf(d->m_format.get());
    return DateFormatter(std::move(d));
}

DateFormatter DateFormatter::fromStyles(Style dateStyle, Style timeStyle, bool relativeDayNames,
                                        const QString& localeId, HourCycle hours)
{
    auto d = std::make_unique<Private>();
    d->m_localeId = localeId;
    // Neither a date nor a time: nothing to write, and ICU would substitute a default.
    if (dateStyle == Style::None && timeStyle == Style::None)
        return DateFormatter(std::move(d));
    const icu::Locale locale = icuLocale(localeId);
    d->m_relative = relativeDayNames && dateStyle != Style::None;
    d->m_dateOnly = timeStyle == Style::None;

    const icu::DateFormat::EStyle date = icuStyle(dateStyle);
    const icu::DateFormat::EStyle time = icuStyle(timeStyle);
    const QString localeTime = time == icu::DateFormat::kNone
                                   ? QString()
                                   : patternOfStyles(icu::DateFormat::kNone, time, locale);
    const QString clockTime = timePatternOnClock(localeTime, hours, locale);
    d->m_pattern = patternOfStyles(date, time, locale);
    const bool otherClock = clockTime != localeTime && d->m_pattern.contains(localeTime);
    if (otherClock)
        d->m_pattern.replace(localeTime, clockTime);

    if (!d->m_relative) {
        d->adopt(icu::DateFormat::createDateTimeInstance(date, time, locale), U_ZERO_ERROR);
        if (otherClock) {
            if (auto* simple = dynamic_cast<icu::SimpleDateFormat*>(d->m_format.get()))
                simple->applyPattern(toIcu(d->m_pattern));
        }
        return DateFormatter(std::move(d));
    }
    const auto relative = static_cast<icu::DateFormat::EStyle>(date | icu::DateFormat::kRelative);
    d->adopt(icu::DateFormat::createDateTimeInstance(relative, time, locale), U_ZERO_ERROR);
    if (d->m_format) {
        // The day names stand at the start of a label: "Today", "Heute".
        UErrorCode status = U_ZERO_ERROR;
        d->m_format->setContext(UDISPCTX_CAPITALIZATION_FOR_BEGINNING_OF_SENTENCE, status);
        if (otherClock) {
            // A relative format keeps its date and time patterns apart; only ICU's C interface
            // sets them (a UDateFormat is a DateFormat).
            const icu::UnicodeString datePattern =
                toIcu(patternOfStyles(date, icu::DateFormat::kNone, locale));
            const icu::UnicodeString timePattern = toIcu(clockTime);
            udat_applyPatternRelative(reinterpret_cast<UDateFormat*>(d->m_format.get()),
                                      datePattern.getBuffer(), datePattern.length(),
                                      timePattern.getBuffer(), timePattern.length(), &status);
        }
    }
    return DateFormatter(std::move(d));
}

DateFormatter::HourCycle DateFormatter::hourCycleOf(const QLocale& locale)
{
    // Qt writes the day period as "AP", "ap", "A" or "a"; quoted text is literal in both.
    const QString letters = fieldLetters(locale.timeFormat(QLocale::ShortFormat));
    return letters.contains(u'a', Qt::CaseInsensitive) ? HourCycle::TwelveHours
                                                       : HourCycle::TwentyFourHours;
}

QString DateFormatter::icuLocaleId(const QLocale& locale)
{
    if (locale.language() == QLocale::C)
        return QStringLiteral("en_US_POSIX");
    QString id = locale.name(); // language_TERRITORY, without the script
    // The script matters only where it is not the one the language and territory imply
    // (Serbian in Latin letters); ICU infers the usual one itself.
    const QLocale usual(locale.language(), locale.territory());
    if (locale.script() != QLocale::AnyScript && usual.script() != locale.script()) {
        const QString script = QLocale::scriptToCode(locale.script());
        const qsizetype separator = id.indexOf(u'_');
        if (separator < 0)
            id += u'_' + script;
        else
            id.insert(separator, u'_' + script);
    }
    return id;
}

bool DateFormatter::isValid() const
{
    return m_d && m_d->m_format;
}

QString DateFormatter::pattern() const
{
    return m_d ? m_d->m_pattern : QString();
}

QString DateFormatter::localeId() const
{
    return m_d ? m_d->m_localeId : QString();
}

QString DateFormatter::timeZoneId() const
{
    if (!isValid())
        return {};
    std::lock_guard lock(m_d->m_mutex);
    icu::UnicodeString id;
    m_d->m_format->getTimeZone().getID(id);
    return fromIcu(id);
}

QString DateFormatter::stringFromDate(const QDateTime& dateTime) const
{
    if (!isValid() || !dateTime.isValid())
        return {};
    const auto instant = static_cast<UDate>(dateTime.toMSecsSinceEpoch());
    icu::UnicodeString text;
    {
        std::lock_guard lock(m_d->m_mutex);
        m_d->m_format->format(instant, text);
    }
    return fromIcu(text);
}

QDateTime DateFormatter::dateFromString(const QString& text) const
{
    const QString trimmed = text.trimmed();
    if (!isValid() || trimmed.isEmpty())
        return {};
    std::optional<UDate> date;
    {
        std::lock_guard lock(m_d->m_mutex);
        date = m_d->parse(trimmed);
        if (date && m_d->m_dateOnly)
            date = m_d->startOfDay(*date);
    }
    if (!date)
        return {};
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(*date)));
}
