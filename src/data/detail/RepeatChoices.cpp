#include "data/detail/RepeatChoices.h"

#include "text/RecurrenceDescription.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>

using store::RecurrenceDayOfWeek;
using store::RecurrenceEnd;
using store::RecurrenceRule;

namespace RepeatChoices {

namespace {

struct RepeatEditorText
{
    Q_DECLARE_TR_FUNCTIONS(RepeatEditor)
};

RecurrenceRule rule(RecurrenceRule::Frequency frequency, int interval,
                    const QList<RecurrenceDayOfWeek>& days = {})
{
    RecurrenceRule built;
    built.frequency = frequency;
    built.interval = interval;
    built.daysOfTheWeek = days;
    return built;
}

QList<RecurrenceDayOfWeek> weekdays(std::initializer_list<int> days)
{
    QList<RecurrenceDayOfWeek> list;
    for (int day : days)
        list << RecurrenceDayOfWeek{day, 0};
    return list;
}

// The months the description leaves out: a yearly rule's months other than the due month.
QList<int> untoldMonths(const RecurrenceRule& rule, const QDate& due)
{
    if (rule.frequency != RecurrenceRule::Frequency::Yearly || rule.monthsOfTheYear.isEmpty())
        return {};
    if (rule.monthsOfTheYear.size() == 1 && due.isValid() &&
        rule.monthsOfTheYear.first() == due.month())
        return {};
    return rule.monthsOfTheYear;
}

} // namespace

QStringList presetTitles()
{
    return {RepeatEditorText::tr("Never"),       RepeatEditorText::tr("Weekdays"),
            RepeatEditorText::tr("Weekends"),    RepeatEditorText::tr("Every Day"),
            RepeatEditorText::tr("Every Week"),  RepeatEditorText::tr("Every 2 Weeks"),
            RepeatEditorText::tr("Every Month"), RepeatEditorText::tr("Every Year"),
            RepeatEditorText::tr("Custom")};
}

std::optional<RecurrenceRule> presetRule(int preset, const std::optional<RecurrenceEnd>& end)
{
    using F = RecurrenceRule::Frequency;
    std::optional<RecurrenceRule> built;
    switch (preset) {
    case Weekdays:
        built = rule(F::Weekly, 1, weekdays({2, 3, 4, 5, 6}));
        break;
    case Weekends:
        built = rule(F::Weekly, 1, weekdays({1, 7}));
        break;
    case EveryDay:
        built = rule(F::Daily, 1);
        break;
    case EveryWeek:
        built = rule(F::Weekly, 1);
        break;
    case EveryTwoWeeks:
        built = rule(F::Weekly, 2);
        break;
    case EveryMonth:
        built = rule(F::Monthly, 1);
        break;
    case EveryYear:
        built = rule(F::Yearly, 1);
        break;
    default:
        return std::nullopt;
    }
    built->recurrenceEnd = end;
    return built;
}

int presetForRule(const RecurrenceRule* rule, const QDate& due)
{
    if (!rule)
        return Never;
    const bool daysUntold = (rule->frequency == RecurrenceRule::Frequency::Daily ||
                             rule->frequency == RecurrenceRule::Frequency::Yearly) &&
                            (!rule->daysOfTheWeek.isEmpty() || !rule->daysOfTheMonth.isEmpty());
    if (daysUntold || !untoldMonths(*rule, due).isEmpty() || !rule->setPositions.isEmpty() ||
        !rule->weeksOfTheYear.isEmpty() || !rule->daysOfTheYear.isEmpty() ||
        (rule->frequency != RecurrenceRule::Frequency::Yearly && !rule->monthsOfTheYear.isEmpty()))
        return Custom;
    const QString text = RecurrenceDescription::recurrenceRuleDescription(rule);
    const QStringList titles = presetTitles();
    for (int i = Weekdays; i <= EveryYear; ++i) {
        if (titles.at(i) == text)
            return i;
    }
    return Custom;
}

QString description(const RecurrenceRule* rule, const QDate& due)
{
    QString text = RecurrenceDescription::recurrenceRuleDescription(rule);
    if (!rule)
        return text;
    const QList<int> months = untoldMonths(*rule, due);
    if (months.isEmpty())
        return text;
    QStringList names;
    for (int month : months)
        names << QLocale().standaloneMonthName(month, QLocale::LongFormat);
    const QString last = names.takeLast();
    //: Joins the months before the last one, as in "January, March and May".
    const QString separator = RepeatEditorText::tr(", ");
    //: The months before the last one (%1) and the last one (%2), as in "January, March and May".
    const QString list =
        names.isEmpty() ? last : RepeatEditorText::tr("%1 and %2").arg(names.join(separator), last);
    //: A repeat rule (%1) and the months it falls in (%2), as in "Every 2 Months in January and
    //: March".
    return RepeatEditorText::tr("%1 in %2").arg(text, list);
}

int weekdayForSegment(int segment, bool sundayFirst)
{
    if (sundayFirst)
        return segment + 1;
    return segment == 6 ? 1 : segment + 2;
}

QList<int> monthDaysInGridOrder(const QList<int>& selected)
{
    QList<int> ordered;
    for (int column = 0; column < 7; ++column) {
        for (int row = 0; row < 4; ++row) {
            const int day = column + 1 + row * 7;
            if (selected.contains(day))
                ordered << day;
        }
    }
    for (int day : {29, 30, 31, -1}) {
        if (selected.contains(day))
            ordered << day;
    }
    return ordered;
}

RecurrenceRule customRule(const CustomChoices& choices, const std::optional<RecurrenceEnd>& end)
{
    RecurrenceRule built;
    built.frequency = RecurrenceRule::Frequency(qBound(0, choices.frequency, 3));
    built.interval = qBound(1, choices.interval, kMaximumInterval);
    built.recurrenceEnd = end;
    switch (built.frequency) {
    case RecurrenceRule::Frequency::Weekly: {
        QList<int> days;
        for (int segment : choices.weekdaySegments) {
            if (segment >= 0 && segment < 7)
                days << weekdayForSegment(segment, choices.sundayFirst);
        }
        if (days.isEmpty())
            days << weekdayForSegment(0, choices.sundayFirst);
        std::sort(days.begin(), days.end());
        days.erase(std::unique(days.begin(), days.end()), days.end());
        for (int day : days)
            built.daysOfTheWeek << RecurrenceDayOfWeek{day, 0};
        // Which weeks "every other week" counts depends on where a week starts; the user's
        // week is the one the segments showed.
        if (built.interval > 1)
            built.firstDayOfTheWeek = choices.sundayFirst ? 1 : 2;
        break;
    }
    case RecurrenceRule::Frequency::Monthly:
        if (choices.onWeek) {
            const int week = choices.weekNumberIndex >= 5 ? -1 : choices.weekNumberIndex + 1;
            built.daysOfTheWeek << RecurrenceDayOfWeek{qBound(0, choices.weekdayIndex, 6) + 1,
                                                       week};
        } else {
            built.daysOfTheMonth = monthDaysInGridOrder(choices.monthDays);
            if (built.daysOfTheMonth.isEmpty())
                built.daysOfTheMonth << 1;
        }
        break;
    case RecurrenceRule::Frequency::Yearly: {
        QList<int> months;
        for (int month : choices.months) {
            if (month >= 1 && month <= 12 && !months.contains(month))
                months << month;
        }
        std::sort(months.begin(), months.end());
        built.monthsOfTheYear = months;
        break;
    }
    case RecurrenceRule::Frequency::Daily:
        break;
    }
    return built;
}

int numberFromText(const QString& text, int maximum)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 1)
        return 1;
    return int(qMin<qlonglong>(value, maximum));
}

EndChoice endChoiceForRule(const RecurrenceRule* rule)
{
    if (!rule || !rule->recurrenceEnd)
        return EndChoice::Never;
    if (rule->recurrenceEnd->endDate.isValid())
        return EndChoice::OnDate;
    if (rule->recurrenceEnd->occurrenceCount > 0)
        return EndChoice::AfterCount;
    return EndChoice::Never;
}

std::optional<RecurrenceEnd> endFor(EndChoice choice, const QDateTime& date, int count)
{
    switch (choice) {
    case EndChoice::OnDate:
        if (date.isValid())
            return RecurrenceEnd::withEndDate(date);
        return std::nullopt;
    case EndChoice::AfterCount:
        return RecurrenceEnd::withOccurrenceCount(qBound(1, count, kMaximumCount));
    case EndChoice::Never:
        break;
    }
    return std::nullopt;
}

bool endsBeforeDue(const RecurrenceRule& rule, const QDateTime& due)
{
    if (!rule.recurrenceEnd || !rule.recurrenceEnd->endDate.isValid() || !due.isValid())
        return false;
    const RecurrenceEnd& end = *rule.recurrenceEnd;
    if (end.endDateIsAllDay)
        return end.endDate.date() < due.date();
    return end.endDate < due;
}

} // namespace RepeatChoices
