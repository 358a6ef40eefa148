#include "entry/SmartAddPatterns.h"

#include <array>

namespace SmartAddPatterns {

namespace {

QList<QRegularExpression> compile(std::initializer_list<const char*> patterns)
{
    QList<QRegularExpression> list;
    for (const char* pattern : patterns) {
        // UTF-8 for the "à" of French times; Unicode properties so that "À" folds to it.
        QRegularExpression expression(QString::fromUtf8(pattern),
                                      QRegularExpression::CaseInsensitiveOption |
                                          QRegularExpression::UseUnicodePropertiesOption);
        expression.optimize();
        list.append(expression);
    }
    return list;
}

// Reads a run of ASCII digits; nothing when `text` is empty or holds anything else.
std::optional<int> digits(QStringView text)
{
    if (text.isEmpty() || text.size() > 4)
        return std::nullopt;
    int number = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

std::optional<QTime> validTime(std::optional<int> hour, std::optional<int> minute)
{
    if (!hour || !minute || *hour > 23 || *minute > 59)
        return std::nullopt;
    return QTime(*hour, *minute);
}

// The twelve-hour rule: 12 and above first fold into 0-11, then the afternoon adds 12, so 12a is
// midnight and 12p is noon. The suffix is compared without regard to case, as the patterns that
// found it are.
std::optional<int> hourFromTwelveHour(int hour, QStringView suffix)
{
    hour %= 12;
    if (suffix.compare(u"a", Qt::CaseInsensitive) == 0 ||
        suffix.compare(u"am", Qt::CaseInsensitive) == 0)
        return hour;
    if (suffix.compare(u"p", Qt::CaseInsensitive) == 0 ||
        suffix.compare(u"pm", Qt::CaseInsensitive) == 0)
        return hour + 12;
    return std::nullopt;
}

// "h:map" and "h:mampm": the hour has two digits exactly when the text has its longest length.
std::optional<QTime> timeWithMinutes(QStringView text, qsizetype suffixLength)
{
    const qsizetype hourLength = text.size() == 5 + suffixLength ? 2 : 1;
    if (text.size() != hourLength + 3 + suffixLength)
        return std::nullopt;
    if (text.at(hourLength) != u':')
        return std::nullopt;
    const auto hour = digits(text.first(hourLength));
    const auto minute = digits(text.mid(hourLength + 1, 2));
    if (!hour || !minute)
        return std::nullopt;
    return validTime(hourFromTwelveHour(*hour, text.last(suffixLength)), minute);
}

// "hap" and "hampm".
std::optional<QTime> hourOnly(QStringView text, qsizetype suffixLength)
{
    const qsizetype hourLength = text.size() == 2 + suffixLength ? 2 : 1;
    if (text.size() != hourLength + suffixLength)
        return std::nullopt;
    const auto hour = digits(text.first(hourLength));
    if (!hour)
        return std::nullopt;
    return validTime(hourFromTwelveHour(*hour, text.last(suffixLength)), 0);
}

// German and French times: the first number is the hour, a second one after ":", "." or "h"
// the minutes; the words around them say nothing more.
std::optional<QTime> hourWithWords(const QString& text)
{
    static const QRegularExpression numbers(QStringLiteral("([0-9]{1,2})(?:[:.hH]([0-9]{2}))?"));
    const QRegularExpressionMatch match = numbers.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QStringView minutes = match.capturedView(2);
    return validTime(digits(match.capturedView(1)), minutes.isEmpty() ? 0 : digits(minutes));
}

} // namespace

std::optional<Family> familyFromName(const QString& name)
{
    static const std::array<std::pair<QLatin1StringView, Family>, 11> names{{
        {QLatin1StringView("M/dd"), Family::MonthDay},
        {QLatin1StringView("dd/M"), Family::DayMonth},
        {QLatin1StringView("h:m"), Family::HourMinute},
        {QLatin1StringView("h:map"), Family::HourMinuteAP},
        {QLatin1StringView("h:mampm"), Family::HourMinuteAMPM},
        {QLatin1StringView("h"), Family::Hour},
        {QLatin1StringView("hap"), Family::HourAP},
        {QLatin1StringView("hampm"), Family::HourAMPM},
        {QLatin1StringView("d.M."), Family::DayMonthDots},
        {QLatin1StringView("H 'Uhr'"), Family::HourUhr},
        {QLatin1StringView("H'h'mm"), Family::HourH},
    }};
    for (const auto& [familyName, family] : names) {
        if (name == familyName)
            return family;
    }
    return std::nullopt;
}

bool isDateFamily(Family family)
{
    return family == Family::MonthDay || family == Family::DayMonth ||
           family == Family::DayMonthDots;
}

bool isTimeFamily(Family family)
{
    return !isDateFamily(family);
}

const QList<QRegularExpression>& expressions(Family family)
{
    // Built once on first use; QRegularExpression is safe to match from several threads.
    static const QList<QRegularExpression> monthDay = compile({
        "(0[1-9]|1[0-2])/(0[1-9]|1[0-9]|2[0-9]|3[0-1])",
        "[1-9]/(0[1-9]|1[0-9]|2[0-9]|3[0-1])",
        "(0[1-9]|1[0-2])/[1-9]",
        "[1-9]/[1-9]",
    });
    static const QList<QRegularExpression> dayMonth = compile({
        "(0[1-9]|1[0-9]|2[0-9]|3[0-1])/(0[1-9]|1[0-2])",
        "(0[1-9]|1[0-9]|2[0-9]|3[0-1])/[1-9]",
        "[1-9]/(0[1-9]|1[0-2])",
        "[1-9]/[1-9]",
    });
    static const QList<QRegularExpression> hourMinute = compile({
        "([0-1][0-9]|2[0-3]):([0-5][0-9])",
        "[0-9]:([0-5][0-9])",
    });
    static const QList<QRegularExpression> hourMinuteAP = compile({
        "(0[1-9]|1[0-2]):([0-5][0-9])(a|p)",
        "[0-9]:([0-5][0-9])(a|p)",
    });
    static const QList<QRegularExpression> hourMinuteAMPM = compile({
        "(0[1-9]|1[0-2]):([0-5][0-9])(am|pm)",
        "[0-9]:([0-5][0-9])(am|pm)",
    });
    static const QList<QRegularExpression> hour = compile({
        "([0-1][0-9]|2[0-3])",
        "[0-9]",
    });
    static const QList<QRegularExpression> hourAP = compile({
        "([0-1][0-9]|2[0-3])(a|p)",
        "[0-9](a|p)",
    });
    static const QList<QRegularExpression> hourAMPM = compile({
        "([0-1][0-9]|2[0-3])(am|pm)",
        "[0-9](am|pm)",
    });
    static const QList<QRegularExpression> dayMonthDots = compile({
        "(0[1-9]|1[0-9]|2[0-9]|3[0-1])\\.(0[1-9]|1[0-2])\\.",
        "(0[1-9]|1[0-9]|2[0-9]|3[0-1])\\.[1-9]\\.",
        "[1-9]\\.(0[1-9]|1[0-2])\\.",
        "[1-9]\\.[1-9]\\.",
    });
    // "um 9" and "14:30" alone wait while a space and the start of "Uhr" (or nothing yet)
    // follow: typed word by word, "um 9 Uhr" would otherwise lose "um 9" at its space and
    // leave "Uhr" in the title. At the end of the line they are taken.
    static const QList<QRegularExpression> hourUhr = compile({
        "um ([0-1]?[0-9]|2[0-3])[:.]([0-5][0-9]) uhr",
        "um ([0-1]?[0-9]|2[0-3]) uhr",
        "([0-1]?[0-9]|2[0-3])[:.]([0-5][0-9]) uhr",
        "([0-1]?[0-9]|2[0-3]) uhr",
        "um ([0-1]?[0-9]|2[0-3])[:.]([0-5][0-9])(?=$| (?!u(?:hr?)?(?: |$))\\S)",
        "um ([0-1]?[0-9]|2[0-3])(?=$| (?!u(?:hr?)?(?: |$))\\S)",
        "([0-1]?[0-9]|2[0-3]):([0-5][0-9])(?=$| (?!u(?:hr?)?(?: |$))\\S)",
    });
    static const QList<QRegularExpression> hourH = compile({
        "à ([0-1]?[0-9]|2[0-3])[h:]([0-5][0-9])",
        "à ([0-1]?[0-9]|2[0-3])h",
        "([0-1]?[0-9]|2[0-3])h([0-5][0-9])",
        "([0-1]?[0-9]|2[0-3])h",
    });
    switch (family) {
    case Family::MonthDay:
        return monthDay;
    case Family::DayMonth:
        return dayMonth;
    case Family::HourMinute:
        return hourMinute;
    case Family::HourMinuteAP:
        return hourMinuteAP;
    case Family::HourMinuteAMPM:
        return hourMinuteAMPM;
    case Family::Hour:
        return hour;
    case Family::HourAP:
        return hourAP;
    case Family::HourAMPM:
        return hourAMPM;
    case Family::DayMonthDots:
        return dayMonthDots;
    case Family::HourUhr:
        return hourUhr;
    case Family::HourH:
        break;
    }
    return hourH;
}

QString firstMatch(Family family, const QString& line)
{
    for (const QRegularExpression& expression : expressions(family)) {
        const QRegularExpressionMatch match = expression.match(line);
        if (match.hasMatch())
            return match.captured(0);
    }
    return QString();
}

std::optional<QTime> timeFromMatchedText(Family family, const QString& text)
{
    const QStringView view(text);
    switch (family) {
    case Family::HourMinute: {
        const qsizetype colon = view.indexOf(u':');
        if (colon < 1 || view.size() - colon - 1 != 2)
            return std::nullopt;
        return validTime(digits(view.first(colon)), digits(view.sliced(colon + 1)));
    }
    case Family::Hour:
        return validTime(digits(view), 0);
    case Family::HourMinuteAP:
        return timeWithMinutes(view, 1);
    case Family::HourMinuteAMPM:
        return timeWithMinutes(view, 2);
    case Family::HourAP:
        return hourOnly(view, 1);
    case Family::HourAMPM:
        return hourOnly(view, 2);
    case Family::HourUhr:
    case Family::HourH:
        return hourWithWords(text);
    case Family::MonthDay:
    case Family::DayMonth:
    case Family::DayMonthDots:
        break;
    }
    return std::nullopt;
}

std::optional<MonthDay> monthDayFromMatchedText(Family family, const QString& text)
{
    if (!isDateFamily(family))
        return std::nullopt;
    QStringView view(text);
    const QChar separator = family == Family::DayMonthDots ? u'.' : u'/';
    if (family == Family::DayMonthDots) {
        if (!view.endsWith(separator))
            return std::nullopt;
        view.chop(1);
    }
    const qsizetype slash = view.indexOf(separator);
    if (slash < 1 || slash > 2 || view.size() - slash - 1 < 1 || view.size() - slash - 1 > 2)
        return std::nullopt;
    const auto first = digits(view.first(slash));
    const auto second = digits(view.sliced(slash + 1));
    if (!first || !second)
        return std::nullopt;
    if (family == Family::MonthDay)
        return MonthDay{*first, *second};
    return MonthDay{*second, *first};
}

std::optional<QTime> timeFrom24HourText(const QString& text)
{
    const QStringView view = QStringView(text).trimmed();
    const qsizetype colon = view.indexOf(u':');
    if (colon < 1 || colon > 2 || view.size() - colon - 1 != 2)
        return std::nullopt;
    return validTime(digits(view.first(colon)), digits(view.sliced(colon + 1)));
}

} // namespace SmartAddPatterns
