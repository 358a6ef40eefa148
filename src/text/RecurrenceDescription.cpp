#include "text/RecurrenceDescription.h"

#include <QCoreApplication>
#include <QSet>
#include <QStringList>
#include <cstdlib>

using store::RecurrenceDayOfWeek;
using store::RecurrenceRule;

namespace {

// The descriptions share the translation context of the other Global texts. Every text is
// spelled out at its call so that lupdate finds it.
//
// Texts are translated first and numbered afterwards, so a translation may move the number.
QString numbered(QString text, int number)
{
    return text.replace(QStringLiteral("%i"), QString::number(number));
}

// Base and list side by side; a translation may reorder them with "%1$@" and "%2$@".
QString joined(const QString& base, const QString& list)
{
    //: A repeat rule's interval and its days, as in "Every 2 Weeks" "on Monday". "%1$@" and
    //: "%2$@" name them in another order.
    QString format = QCoreApplication::translate("Global", "%@ %@");
    if (format.contains(QStringLiteral("%1$@")) || format.contains(QStringLiteral("%2$@"))) {
        format.replace(QStringLiteral("%1$@"), QStringLiteral("\x01"));
        format.replace(QStringLiteral("%2$@"), QStringLiteral("\x02"));
    } else {
        const qsizetype first = format.indexOf(QStringLiteral("%@"));
        if (first >= 0)
            format.replace(first, 2, QStringLiteral("\x01"));
        const qsizetype second = format.indexOf(QStringLiteral("%@"));
        if (second >= 0)
            format.replace(second, 2, QStringLiteral("\x02"));
    }
    // Substituted in one pass so that a "%@" inside either part is never filled again.
    QString result;
    for (const QChar c : std::as_const(format)) {
        if (c == QChar(1))
            result += base;
        else if (c == QChar(2))
            result += list;
        else
            result += c;
    }
    return result;
}

// "on " and the items, with " and " before the last one and ", " between the others. An
// empty item (a day value with no name) still takes its separator, so the gaps stay visible.
QString listText(const QStringList& items)
{
    //: Starts the days a task repeats on, as in "Every 2 Weeks on Monday and Friday".
    QString text = QCoreApplication::translate("Global", "on ");
    for (qsizetype i = 0; i < items.size(); ++i) {
        text += items.at(i);
        if (i + 1 < items.size())
            text += i + 2 == items.size() ? QCoreApplication::translate("Global", " and ")
                                          : QCoreApplication::translate("Global", ", ");
    }
    return text;
}

enum class DaySet { Other, Weekdays, Weekends };

DaySet classify(const QList<RecurrenceDayOfWeek>& days)
{
    QSet<int> values;
    for (const RecurrenceDayOfWeek& day : days)
        values.insert(day.dayOfTheWeek);
    if (days.size() == 5 && values == QSet<int>{2, 3, 4, 5, 6})
        return DaySet::Weekdays;
    if (days.size() == 2 && values == QSet<int>{1, 7})
        return DaySet::Weekends;
    return DaySet::Other;
}

QString weeklyText(const RecurrenceRule& rule, const QString& base)
{
    if (rule.daysOfTheWeek.isEmpty())
        return base;

    const DaySet set = classify(rule.daysOfTheWeek);
    if (set != DaySet::Other) {
        if (rule.interval == 1)
            return set == DaySet::Weekdays ? QCoreApplication::translate("Global", "Weekdays")
                                           : QCoreApplication::translate("Global", "Weekends");
        //: %1 is how often, as in "Every 2 Weeks".
        return (set == DaySet::Weekdays ? QCoreApplication::translate("Global", "%1 on Weekdays")
                                        : QCoreApplication::translate("Global", "%1 on Weekends"))
            .arg(base);
    }

    QStringList names;
    for (const RecurrenceDayOfWeek& day : rule.daysOfTheWeek)
        names.append(RecurrenceDescription::dayName(day.dayOfTheWeek));
    return joined(base, listText(names));
}

QString monthlyText(const RecurrenceRule& rule, const QString& base)
{
    QStringList items;
    if (!rule.daysOfTheWeek.isEmpty()) {
        for (const RecurrenceDayOfWeek& day : rule.daysOfTheWeek) {
            const QString name = RecurrenceDescription::dayName(day.dayOfTheWeek);
            // Week number 0 means every such day of the month: "0th Monday" would mislead.
            //: A week of the month (%1) and a weekday (%2), as in "2nd Monday" or "Last Friday".
            items.append(day.weekNumber == 0
                             ? name
                             : QCoreApplication::translate("Global", "%1 %2")
                                   .arg(RecurrenceDescription::ordinal(day.weekNumber), name));
        }
    } else if (!rule.daysOfTheMonth.isEmpty()) {
        for (const int day : rule.daysOfTheMonth) {
            //: The last day of a month, as in "Every Month on 15th and Last".
            items.append(day == -1 ? QCoreApplication::translate("Global", "Last", "day of month")
                                   : RecurrenceDescription::ordinal(day));
        }
    } else {
        return base;
    }
    return joined(base, listText(items));
}

} // namespace

QString RecurrenceDescription::baseText(RecurrenceRule::Frequency frequency, int interval)
{
    const bool single = interval == 1;
    switch (frequency) {
    case RecurrenceRule::Frequency::Daily:
        return single ? QCoreApplication::translate("Global", "Every Day")
                      : QCoreApplication::translate("Global", "Every %n Day(s)", nullptr, interval);
    case RecurrenceRule::Frequency::Weekly:
        return single
                   ? QCoreApplication::translate("Global", "Every Week")
                   : QCoreApplication::translate("Global", "Every %n Week(s)", nullptr, interval);
    case RecurrenceRule::Frequency::Monthly:
        return single
                   ? QCoreApplication::translate("Global", "Every Month")
                   : QCoreApplication::translate("Global", "Every %n Month(s)", nullptr, interval);
    case RecurrenceRule::Frequency::Yearly:
        return single
                   ? QCoreApplication::translate("Global", "Every Year")
                   : QCoreApplication::translate("Global", "Every %n Year(s)", nullptr, interval);
    }
    return {};
}

QString RecurrenceDescription::dayName(int dayOfTheWeek)
{
    switch (dayOfTheWeek) {
    case 1:
        return QCoreApplication::translate("Global", "Sunday");
    case 2:
        return QCoreApplication::translate("Global", "Monday");
    case 3:
        return QCoreApplication::translate("Global", "Tuesday");
    case 4:
        return QCoreApplication::translate("Global", "Wednesday");
    case 5:
        return QCoreApplication::translate("Global", "Thursday");
    case 6:
        return QCoreApplication::translate("Global", "Friday");
    case 7:
        return QCoreApplication::translate("Global", "Saturday");
    default:
        return {};
    }
}

QString RecurrenceDescription::ordinal(int number)
{
    switch (number) {
    case 1:
        return QCoreApplication::translate("Global", "1st");
    case 2:
        return QCoreApplication::translate("Global", "2nd");
    case 3:
        return QCoreApplication::translate("Global", "3rd");
    case -1:
        //: The last one in a month, as in "Every Month on Last Friday".
        return QCoreApplication::translate("Global", "Last");
    default:
        break;
    }
    // English writes 21st, 22nd and 23rd but 11th, 12th and 13th: "21th" read as a fault.
    const int lastTwoDigits = std::abs(number) % 100;
    if (number > 0 && (lastTwoDigits < 11 || lastTwoDigits > 13)) {
        switch (lastTwoDigits % 10) {
        case 1:
            //: An ordinal number ending in 1 from 21 on, as in "the 21st"; %i is the number.
            return numbered(QCoreApplication::translate("Global", "%ist"), number);
        case 2:
            //: An ordinal number ending in 2 from 22 on, as in "the 22nd"; %i is the number.
            return numbered(QCoreApplication::translate("Global", "%ind"), number);
        case 3:
            //: An ordinal number ending in 3 from 23 on, as in "the 23rd"; %i is the number.
            return numbered(QCoreApplication::translate("Global", "%ird"), number);
        default:
            break;
        }
    }
    //: Any other ordinal number, as in "the 4th" day of a month; %i is the number.
    return numbered(QCoreApplication::translate("Global", "%ith"), number);
}

QString RecurrenceDescription::recurrenceRuleDescription(const RecurrenceRule* rule)
{
    if (!rule)
        return QCoreApplication::translate("Global", "Never");

    const QString base = baseText(rule->frequency, rule->interval);
    switch (rule->frequency) {
    case RecurrenceRule::Frequency::Daily:
    case RecurrenceRule::Frequency::Yearly:
        return base;
    case RecurrenceRule::Frequency::Weekly:
        return weeklyText(*rule, base);
    case RecurrenceRule::Frequency::Monthly:
        return monthlyText(*rule, base);
    }
    // A frequency this build does not know (a value cast from newer data).
    return QCoreApplication::translate("Global", "Custom");
}
