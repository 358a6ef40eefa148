#include "text/DateFormatters.h"

#include <array>
#include <functional>
#include <mutex>

namespace {

const QString kPosixLocale = QStringLiteral("en_US_POSIX");

enum Slot {
    DayNumber,
    Weekday,
    HourTime,
    HourTimeAMPM,
    FullDayMid,
    FullDayShort,
    DateTime,
    DateTimeMedium,
    DateOnly,
    Month,
    Weeknumber,
    Year,
    SlotCount
};

} // namespace

struct DateFormatters::Slots
{
    std::array<std::once_flag, SlotCount> m_once;
    std::array<std::optional<DateFormatter>, SlotCount> m_formatters;

    const DateFormatter& get(Slot slot, const std::function<DateFormatter()>& create)
    {
        std::call_once(m_once[slot], [&] { m_formatters[slot].emplace(create()); });
        return *m_formatters[slot];
    }
};

DateFormatters::DateFormatters()
    : m_slots(std::make_unique<Slots>())
{}

DateFormatters::DateFormatters(const QLocale& locale)
    : m_locale(locale)
    , m_slots(std::make_unique<Slots>())
{}

DateFormatters::~DateFormatters() = default;

QString DateFormatters::currentLocaleId() const
{
    return DateFormatter::icuLocaleId(m_locale ? *m_locale : QLocale());
}

DateFormatter::HourCycle DateFormatters::hourCycle() const
{
    // The system locale answers with LC_TIME's clock, which may differ from the language's.
    return DateFormatter::hourCycleOf(m_locale ? *m_locale : QLocale());
}

const DateFormatter& DateFormatters::dayNumberFormatter() const
{
    return m_slots->get(DayNumber, [this] {
        return DateFormatter::fromTemplate(QStringLiteral("d"), kPosixLocale, currentLocaleId());
    });
}

const DateFormatter& DateFormatters::weekdayFormatter() const
{
    return m_slots->get(Weekday, [this] {
        return DateFormatter::fromTemplate(QStringLiteral("EEE"), currentLocaleId());
    });
}

const DateFormatter& DateFormatters::hourTimeFormatter() const
{
    return m_slots->get(
        HourTime, [] { return DateFormatter::fromPattern(QStringLiteral("HH:mm"), kPosixLocale); });
}

const DateFormatter& DateFormatters::hourTimeAMPMFormatter() const
{
    return m_slots->get(HourTimeAMPM, [this] {
        return DateFormatter::fromStyles(DateFormatter::Style::None, DateFormatter::Style::Short,
                                         false, currentLocaleId(), hourCycle());
    });
}

const DateFormatter& DateFormatters::fullDayFormatterMid() const
{
    return m_slots->get(FullDayMid, [this] {
        return DateFormatter::fromTemplate(QStringLiteral("yyyyMMMd"), currentLocaleId());
    });
}

const DateFormatter& DateFormatters::fullDayFormatterShort() const
{
    return m_slots->get(FullDayShort, [this] {
        return DateFormatter::fromTemplate(QStringLiteral("MMMd"), currentLocaleId());
    });
}

const DateFormatter& DateFormatters::dateTimeFormatter() const
{
    return m_slots->get(DateTime, [this] {
        return DateFormatter::fromStyles(DateFormatter::Style::Short, DateFormatter::Style::Short,
                                         true, currentLocaleId(), hourCycle());
    });
}

const DateFormatter& DateFormatters::dateTimeMediumFormatter() const
{
    return m_slots->get(DateTimeMedium, [this] {
        return DateFormatter::fromStyles(DateFormatter::Style::Medium, DateFormatter::Style::Short,
                                         false, currentLocaleId(), hourCycle());
    });
}

const DateFormatter& DateFormatters::dateOnlyFormatter() const
{
    return m_slots->get(DateOnly, [this] {
        return DateFormatter::fromStyles(DateFormatter::Style::Short, DateFormatter::Style::None,
                                         true, currentLocaleId());
    });
}

const DateFormatter& DateFormatters::monthFormatter() const
{
    return m_slots->get(Month, [this] {
        return DateFormatter::fromTemplate(QStringLiteral("yyyyMMMM"), currentLocaleId());
    });
}

const DateFormatter& DateFormatters::weeknumberFormatter() const
{
    return m_slots->get(Weeknumber, [this] {
        return DateFormatter::fromTemplate(QStringLiteral("w"), currentLocaleId());
    });
}

const DateFormatter& DateFormatters::yearFormatter() const
{
    return m_slots->get(Year, [this] {
        return DateFormatter::fromTemplate(QStringLiteral("yyyy"), currentLocaleId());
    });
}
