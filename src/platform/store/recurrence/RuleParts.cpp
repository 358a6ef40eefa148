#include "platform/store/recurrence/RuleParts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace store::recurrence {

namespace {

const char* const kWeekdayNames[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
const char* const kFrequencyNames[] = {"SECONDLY", "MINUTELY", "HOURLY", "DAILY",
                                       "WEEKLY",   "MONTHLY",  "YEARLY"};

// Refusals end up in logs and, through the store, possibly in front of the user.
struct RecurrenceText
{
    Q_DECLARE_TR_FUNCTIONS(Recurrence)
};

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

std::optional<int> parseInteger(QStringView text)
{
    qsizetype digitsFrom = 0;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-'))
        digitsFrom = 1;
    const qsizetype digits = text.size() - digitsFrom;
    // Six digits are far beyond any valid value and far from overflowing.
    if (digits < 1 || digits > 6)
        return std::nullopt;
    int value = 0;
    for (qsizetype i = digitsFrom; i < text.size(); ++i) {
        if (!text[i].isDigit() || text[i].unicode() > 0x7f)
            return std::nullopt;
        value = value * 10 + (text[i].unicode() - u'0');
    }
    return text.front() == u'-' ? -value : value;
}

// A comma-separated list of integers whose magnitude lies in [minimum, maximum]; zero and
// negative values only where `signedValues` allows them (then zero never is).
bool parseIntegerList(const QString& name, QStringView value, int minimum, int maximum,
                      bool signedValues, QList<int>& out, QString* error)
{
    for (QStringView item : value.split(u',')) {
        const std::optional<int> number = parseInteger(item);
        if (!number)
            return fail(error, RecurrenceText::tr("%1 has a value that is not a number: \"%2\"")
                                   .arg(name, item.toString()));
        const int magnitude = std::abs(*number);
        const bool negativeRefused = *number < 0 && !signedValues;
        const bool zeroRefused = *number == 0 && (signedValues || minimum > 0);
        if (negativeRefused || zeroRefused || magnitude < minimum || magnitude > maximum)
            return fail(
                error,
                RecurrenceText::tr("%1 has a value out of range: %2").arg(name).arg(*number));
        out << *number;
    }
    return true;
}

int weekdayFromName(QStringView name)
{
    for (int i = 0; i < 7; ++i) {
        if (name.compare(QLatin1String(kWeekdayNames[i]), Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return 0;
}

bool parseDays(QStringView value, QList<RecurrenceDayOfWeek>& out, QString* error)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(u"([+-]?\\d{1,2})?([A-Za-z]{2})"));
    for (QStringView item : value.split(u',')) {
        const QRegularExpressionMatch match = pattern.match(item);
        const int weekday = match.hasMatch() ? weekdayFromName(match.capturedView(2)) : 0;
        if (weekday == 0)
            return fail(
                error,
                RecurrenceText::tr("BYDAY has an unknown weekday: \"%1\"").arg(item.toString()));
        RecurrenceDayOfWeek day;
        day.dayOfTheWeek = weekday;
        if (match.hasCaptured(1)) {
            const int ordinal = parseInteger(match.capturedView(1)).value_or(0);
            if (ordinal == 0 || std::abs(ordinal) > 53)
                return fail(error,
                            RecurrenceText::tr("BYDAY has a week number out of range: \"%1\"")
                                .arg(item.toString()));
            day.weekNumber = ordinal;
        }
        out << day;
    }
    return true;
}

bool parseUntil(QStringView value, RuleUntil& until, QString* error)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})(?:T(\\d{2})(\\d{2})(\\d{2})(Z?))?$"));
    const QRegularExpressionMatch match = pattern.match(value);
    if (match.hasMatch()) {
        until.date = QDate(match.capturedView(1).toInt(), match.capturedView(2).toInt(),
                           match.capturedView(3).toInt());
        if (match.hasCaptured(4)) {
            until.time = QTime(match.capturedView(4).toInt(), match.capturedView(5).toInt(),
                               match.capturedView(6).toInt());
            until.utc = !match.capturedView(7).isEmpty();
        }
    }
    if (!until.date.isValid() || (match.hasCaptured(4) && !until.time.isValid()))
        return fail(error,
                    RecurrenceText::tr("UNTIL is not a valid date: \"%1\"").arg(value.toString()));
    return true;
}

struct PartReader
{
    RuleParts parts;
    bool hasFrequency = false;
    QStringList seen;

    bool read(const QString& name, QStringView value, QString* error);
    bool readCalendarScale(const QString& name, QStringView value, QString* error);
};

bool PartReader::read(const QString& name, QStringView value, QString* error)
{
    if (name == u"FREQ") {
        for (int i = 0; i < 7; ++i) {
            if (value.compare(QLatin1String(kFrequencyNames[i]), Qt::CaseInsensitive) == 0) {
                parts.frequency = static_cast<Frequency>(i);
                hasFrequency = true;
                return true;
            }
        }
        return fail(error, RecurrenceText::tr("Unknown frequency \"%1\"").arg(value.toString()));
    }
    if (name == u"INTERVAL" || name == u"COUNT") {
        const std::optional<int> number = parseInteger(value);
        // An interval beyond this many periods cannot describe a useful series.
        const int maximum = name == u"INTERVAL" ? 10000 : 999999;
        if (!number || *number < 1 || *number > maximum)
            return fail(error, RecurrenceText::tr("%1 must be a positive number, not \"%2\"")
                                   .arg(name, value.toString()));
        (name == u"INTERVAL" ? parts.interval : parts.count) = *number;
        return true;
    }
    if (name == u"UNTIL")
        return parseUntil(value, parts.until, error);
    if (name == u"WKST") {
        parts.weekStart = weekdayFromName(value);
        return parts.weekStart != 0 ||
               fail(
                   error,
                   RecurrenceText::tr("WKST has an unknown weekday: \"%1\"").arg(value.toString()));
    }
    if (name == u"BYDAY")
        return parseDays(value, parts.days, error);
    if (name == u"BYSECOND")
        return parseIntegerList(name, value, 0, 60, false, parts.seconds, error);
    if (name == u"BYMINUTE")
        return parseIntegerList(name, value, 0, 59, false, parts.minutes, error);
    if (name == u"BYHOUR")
        return parseIntegerList(name, value, 0, 23, false, parts.hours, error);
    if (name == u"BYMONTHDAY")
        return parseIntegerList(name, value, 1, 31, true, parts.monthDays, error);
    if (name == u"BYYEARDAY")
        return parseIntegerList(name, value, 1, 366, true, parts.yearDays, error);
    if (name == u"BYWEEKNO")
        return parseIntegerList(name, value, 1, 53, true, parts.weekNumbers, error);
    if (name == u"BYMONTH")
        return parseIntegerList(name, value, 1, 12, false, parts.months, error);
    if (name == u"BYSETPOS")
        return parseIntegerList(name, value, 1, 366, true, parts.setPositions, error);
    if (name == u"RSCALE" || name == u"SKIP")
        return readCalendarScale(name, value, error);
    // Vendor extensions carry no recurrence meaning.
    if (name.startsWith(u"X-"))
        return true;
    return fail(error, RecurrenceText::tr("Unknown rule part \"%1\"").arg(name));
}

// Only the Gregorian calendar without skipping is expanded; anything else would give dates the
// writer did not mean.
bool PartReader::readCalendarScale(const QString& name, QStringView value, QString* error)
{
    const bool plain = name == u"RSCALE" ? value.compare(u"GREGORIAN", Qt::CaseInsensitive) == 0
                                         : value.compare(u"OMIT", Qt::CaseInsensitive) == 0;
    return plain ||
           fail(error, RecurrenceText::tr("%1=%2 is not supported").arg(name, value.toString()));
}

bool checkFrequencyRules(const RuleParts& parts, QString* error)
{
    const Frequency frequency = parts.frequency;
    if (parts.count > 0 && parts.until.isValid())
        return fail(error, RecurrenceText::tr("A rule cannot have both COUNT and UNTIL"));
    if (!parts.weekNumbers.isEmpty() && frequency != Frequency::Yearly)
        return fail(error, RecurrenceText::tr("BYWEEKNO is only allowed in yearly rules"));
    if (!parts.yearDays.isEmpty() &&
        (frequency == Frequency::Daily || frequency == Frequency::Weekly ||
         frequency == Frequency::Monthly))
        return fail(error, RecurrenceText::tr(
                               "BYYEARDAY is not allowed in daily, weekly or monthly rules"));
    if (!parts.monthDays.isEmpty() && frequency == Frequency::Weekly)
        return fail(error, RecurrenceText::tr("BYMONTHDAY is not allowed in weekly rules"));
    const bool numberedDays = std::any_of(parts.days.cbegin(), parts.days.cend(),
                                          [](const auto& day) { return day.weekNumber != 0; });
    const bool numberedAllowed = frequency == Frequency::Monthly ||
                                 (frequency == Frequency::Yearly && parts.weekNumbers.isEmpty());
    if (numberedDays && !numberedAllowed)
        return fail(error, RecurrenceText::tr(
                               "Numbered weekdays are only allowed in monthly and yearly rules "
                               "without week numbers"));
    return true;
}

QString joinNumbers(const QList<int>& numbers)
{
    QStringList texts;
    for (int number : numbers)
        texts << QString::number(number);
    return texts.join(u',');
}

template <typename T> void sortUnique(QList<T>& list)
{
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
}

} // namespace

bool RuleParts::hasDateParts() const
{
    return !days.isEmpty() || !monthDays.isEmpty() || !yearDays.isEmpty() ||
           !weekNumbers.isEmpty() || !months.isEmpty();
}

std::optional<RuleParts> parseRuleParts(const QString& text, QString* error)
{
    PartReader reader;
    // Empty parts are tolerated: a trailing semicolon is common in the wild.
    for (QStringView part : QStringView(text).trimmed().split(u';', Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(u'=');
        if (equals <= 0) {
            fail(error, RecurrenceText::tr("Malformed rule part \"%1\"").arg(part.toString()));
            return std::nullopt;
        }
        const QString name = part.first(equals).trimmed().toString().toUpper();
        const QStringView value = part.sliced(equals + 1).trimmed();
        if (reader.seen.contains(name)) {
            fail(error, RecurrenceText::tr("Rule part \"%1\" appears twice").arg(name));
            return std::nullopt;
        }
        reader.seen << name;
        if (value.isEmpty()) {
            fail(error, RecurrenceText::tr("Rule part \"%1\" has no value").arg(name));
            return std::nullopt;
        }
        if (!reader.read(name, value, error))
            return std::nullopt;
    }
    if (!reader.hasFrequency) {
        fail(error, RecurrenceText::tr("The rule has no FREQ"));
        return std::nullopt;
    }
    if (!checkFrequencyRules(reader.parts, error))
        return std::nullopt;
    return reader.parts;
}

QString formatRuleParts(const RuleParts& parts)
{
    QStringList out;
    out << QStringLiteral("FREQ=") + QLatin1String(kFrequencyNames[int(parts.frequency)]);
    if (parts.interval > 1)
        out << QStringLiteral("INTERVAL=") + QString::number(parts.interval);
    const auto addList = [&out](const char* name, const QList<int>& values) {
        if (!values.isEmpty())
            out << QString::fromLatin1(name) + u'=' + joinNumbers(values);
    };
    addList("BYMONTH", parts.months);
    addList("BYWEEKNO", parts.weekNumbers);
    addList("BYYEARDAY", parts.yearDays);
    addList("BYMONTHDAY", parts.monthDays);
    if (!parts.days.isEmpty()) {
        QStringList days;
        for (const RecurrenceDayOfWeek& day : parts.days) {
            if (day.dayOfTheWeek < 1 || day.dayOfTheWeek > 7)
                continue;
            const QString ordinal =
                day.weekNumber != 0 ? QString::number(day.weekNumber) : QString();
            days << ordinal + QLatin1String(kWeekdayNames[day.dayOfTheWeek - 1]);
        }
        out << QStringLiteral("BYDAY=") + days.join(u',');
    }
    addList("BYHOUR", parts.hours);
    addList("BYMINUTE", parts.minutes);
    addList("BYSECOND", parts.seconds);
    addList("BYSETPOS", parts.setPositions);
    if (parts.weekStart >= 1 && parts.weekStart <= 7)
        out << QStringLiteral("WKST=") + QLatin1String(kWeekdayNames[parts.weekStart - 1]);
    if (parts.count > 0) {
        out << QStringLiteral("COUNT=") + QString::number(parts.count);
    } else if (parts.until.isValid()) {
        QString until = parts.until.date.toString(QStringLiteral("yyyyMMdd"));
        if (!parts.until.isDate())
            until += parts.until.time.toString(QStringLiteral("'T'HHmmss")) +
                     (parts.until.utc ? QStringLiteral("Z") : QString());
        out << QStringLiteral("UNTIL=") + until;
    }
    return out.join(u';');
}

RuleParts normalized(RuleParts parts)
{
    for (QList<int>* list :
         {&parts.seconds, &parts.minutes, &parts.hours, &parts.monthDays, &parts.yearDays,
          &parts.weekNumbers, &parts.months, &parts.setPositions})
        sortUnique(*list);
    std::sort(parts.days.begin(), parts.days.end(), [](const auto& a, const auto& b) {
        return std::pair(a.weekNumber, a.dayOfTheWeek) < std::pair(b.weekNumber, b.dayOfTheWeek);
    });
    parts.days.erase(std::unique(parts.days.begin(), parts.days.end()), parts.days.end());
    return parts;
}

} // namespace store::recurrence
