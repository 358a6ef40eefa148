#include "entry/SmartAdd.h"

#include "platform/store/PriorityClass.h"
#include "text/LeadingInteger.h"

#include "entry/SmartAddPatterns.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "platform/i18n/InterfaceLanguage.h"
#include "prefs/PreferenceKeys.h"
#include "text/Global.h"

namespace {

// Far beyond any sensible rule, small enough that seven times it cannot overflow.
constexpr qint64 kMaxUnits = 1000000;
constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;
// A day-month pair that exists only in leap years is found within two leap cycles.
constexpr int kYearsToSearch = 8;

// Wall-clock time on a local day: a due date at 08:00 stays at 08:00 on a day of 23 or 25 hours.
QDateTime atTime(const QDate& day, const QTime& time)
{
    return QDateTime(day, time);
}

bool inSupportedRange(const QDate& day)
{
    return day.isValid() && day.year() >= kFirstYear && day.year() <= kLastYear;
}

// Weekday numbers with 1 = Sunday, 7 = Saturday.
int weekdayFromCode(const QString& code)
{
    static const QLatin1StringView codes[] = {QLatin1StringView("sun"), QLatin1StringView("mon"),
                                              QLatin1StringView("tue"), QLatin1StringView("wed"),
                                              QLatin1StringView("thu"), QLatin1StringView("fri"),
                                              QLatin1StringView("sat")};
    for (int i = 0; i < 7; ++i) {
        if (code == codes[i])
            return i + 1;
    }
    return 1;
}

} // namespace

QVariantMap SmartAddResult::toDictionary() const
{
    QVariantMap dictionary;
    if (dueDate && dueDate->isValid())
        dictionary.insert(QStringLiteral("dueDate"), *dueDate);
    if (priority)
        dictionary.insert(QStringLiteral("priority"), QVariant::fromValue(qint64(*priority)));
    if (alarmOn)
        dictionary.insert(QStringLiteral("alarmOnNumber"), *alarmOn);
    return dictionary;
}

int SmartAddResult::storePriority(int priority)
{
    return store::storePriorityForClass(priority);
}

SmartAdd::SmartAdd(UserDefaults& defaults, Clock& clock)
    : m_defaults(defaults)
    , m_clock(clock)
    , m_repeats(defaults, clock, InterfaceLanguage::current())
{}

QList<SmartAddRule> SmartAdd::rulesFromPreferences() const
{
    return SmartAddRule::listFromVariant(m_defaults.arrayForKey(PrefKey::smartAddRules));
}

SmartAddMatch SmartAdd::checkRules(const QString& line, bool withSuffix,
                                   const QList<SmartAddRule>& rules,
                                   const QList<qint64>& addedRuleTypes,
                                   const QList<SmartAddRule>& addedRules,
                                   const QList<SmartAddRule>& cancelledRules) const
{
    return m_matcher.checkRules(line, withSuffix, rules, addedRuleTypes, addedRules,
                                cancelledRules);
}

QDateTime SmartAdd::dateFromDate(const QDateTime& date, const SmartAddRule& rule) const
{
    switch (rule.resultType) {
    case SmartAddRule::DateFromText:
        return dateFromText(date, rule);
    case SmartAddRule::TimeOfDay:
        return timeOfDay(date, rule);
    case SmartAddRule::RelativeDate:
        return relativeDate(date, rule);
    case SmartAddRule::Weekday:
        return nextWeekday(date, rule);
    default:
        return date;
    }
}

QDateTime SmartAdd::dateFromDate(const QDateTime& date, const QVariantMap& rule) const
{
    return dateFromDate(date, SmartAddRule::fromVariant(rule));
}

SmartAddResult SmartAdd::dictionaryFromSmartAddRules(const QList<SmartAddRule>& rules,
                                                     const QDateTime& dueDate,
                                                     std::optional<int> priority) const
{
    SmartAddResult result;
    QDateTime running = dueDate;
    result.priority = priority;
    for (const SmartAddRule& rule : rules) {
        switch (rule.resultType) {
        case SmartAddRule::DateFromText:
        case SmartAddRule::TimeOfDay:
        case SmartAddRule::RelativeDate:
        case SmartAddRule::Weekday:
            running = dateFromDate(running, rule);
            break;
        case SmartAddRule::PriorityLow:
            result.priority = 3;
            break;
        case SmartAddRule::PriorityMedium:
            result.priority = 2;
            break;
        case SmartAddRule::PriorityHigh:
            result.priority = 1;
            break;
        case SmartAddRule::AlarmOn:
            result.alarmOn = true;
            break;
        case SmartAddRule::AlarmOff:
            result.alarmOn = false;
            break;
        default:
            break;
        }
    }
    if (running.isValid())
        result.dueDate = running;
    return result;
}

QVariantMap SmartAdd::dictionaryFromSmartAddRules(const QVariantList& rules,
                                                  const QDateTime& dueDate,
                                                  const QVariant& priority) const
{
    std::optional<int> startPriority;
    if (priority.isValid() && !priority.isNull() && priority.canConvert<int>())
        startPriority = priority.toInt();
    return dictionaryFromSmartAddRules(SmartAddRule::listFromVariant(rules), dueDate, startPriority)
        .toDictionary();
}

SmartAddParse SmartAdd::parseLine(const QString& line, const QList<SmartAddRule>& rules) const
{
    SmartAddParse parse;
    QString text = line;
    QList<qint64> blocked;
    // Every match records its rule and so skips it afterwards: the loop ends after at most one
    // round per rule.
    for (;;) {
        const SmartAddMatch match =
            m_matcher.checkRules(text, true, rules, blocked, parse.appliedRules, {});
        if (!match.found)
            break;
        text = match.cutFrom(text);
        parse.appliedRules.append(match.rule);
        if (match.rule.type == SmartAddRule::PrefixRule)
            parse.listName = match.matchedText.mid(match.rule.word.size());
        else
            parse.computedRules.append(match.recordedRule());
        blocked.append(SmartAddRule::groupOfResultType(match.rule.resultType));
    }
    parse.remainingText = text;
    parse.title = text.trimmed();
    parse.result = dictionaryFromSmartAddRules(parse.computedRules, QDateTime(), std::nullopt);
    return parse;
}

SmartAddParse SmartAdd::parseLineWithRepeat(const QString& line,
                                            const QList<SmartAddRule>& rules) const
{
    const auto phrase = m_repeats.find(line);
    if (!phrase)
        return parseLine(line, rules);
    SmartAddParse parse = parseLine(RepeatPhraseStage::hide(line, *phrase), rules);
    parse.remainingText = RepeatPhraseStage::cutHidden(parse.remainingText);
    parse.title = parse.remainingText.trimmed();
    parse.repeat = phrase->rule;
    parse.result.dueDate =
        m_repeats.firstDueDate(phrase->rule, parse.result.dueDate.value_or(QDateTime()));
    return parse;
}

QDate SmartAdd::today() const
{
    return m_clock.now().toLocalTime().date();
}

QTime SmartAdd::timeFromDateOrPreset(const QDateTime& date) const
{
    if (date.isValid()) {
        const QTime time = date.toLocalTime().time();
        return QTime(time.hour(), time.minute());
    }
    if (m_defaults.boolForKey(PrefKey::noDueTime))
        return QTime(0, 0);
    // An unreadable preset means no time of day rather than a made-up one.
    return SmartAddPatterns::timeFrom24HourText(m_defaults.stringForKey(PrefKey::alarmTime))
        .value_or(QTime(0, 0));
}

std::optional<QTime> SmartAdd::ruleTime(const SmartAddRule& rule) const
{
    if (rule.type != SmartAddRule::PatternRule)
        return SmartAddPatterns::timeFrom24HourText(rule.resultText());
    const auto family = SmartAddPatterns::familyFromName(rule.word);
    if (!family || !SmartAddPatterns::isTimeFamily(*family))
        return std::nullopt;
    return SmartAddPatterns::timeFromMatchedText(*family, rule.valueText());
}

QDateTime SmartAdd::dateFromText(const QDateTime& date, const SmartAddRule& rule) const
{
    const auto family = SmartAddPatterns::familyFromName(rule.word);
    if (!family)
        return date;
    const auto monthDay = SmartAddPatterns::monthDayFromMatchedText(*family, rule.valueText());
    if (!monthDay)
        return date;
    // This year's day unless it has passed, then the next year's. A day the calendar does not
    // have (2/30) is no date at all; 2/29 waits for the next leap year.
    const QDateTime now = m_clock.now();
    const int thisYear = today().year();
    for (int year = thisYear; year <= thisYear + kYearsToSearch; ++year) {
        const QDate day(year, monthDay->month, monthDay->day);
        if (!inSupportedRange(day))
            continue;
        const QDateTime start = day.startOfDay();
        if (start > now || Global::isSameDayWithDate1(start, now))
            return atTime(day, timeFromDateOrPreset(date));
    }
    return date;
}

QDateTime SmartAdd::timeOfDay(const QDateTime& date, const SmartAddRule& rule) const
{
    // An explicit time always sets the time, whatever "noDueTime" says.
    const auto time = ruleTime(rule);
    if (!time)
        return date;
    const QDate day = date.isValid() ? date.toLocalTime().date() : today();
    return atTime(day, *time);
}

QDateTime SmartAdd::relativeDate(const QDateTime& date, const SmartAddRule& rule) const
{
    const qint64 units = leadingInteger(rule.resultText(), kMaxUnits);
    const QString unit = rule.resultUnitText();
    QDate day = today();
    if (unit == QLatin1StringView("Day"))
        day = day.addDays(units);
    else if (unit == QLatin1StringView("Week"))
        day = day.addDays(units * 7);
    else if (unit == QLatin1StringView("Month"))
        day = day.addMonths(int(units));
    else if (unit == QLatin1StringView("Year"))
        day = day.addYears(int(units));
    if (!inSupportedRange(day))
        return date;
    return atTime(day, timeFromDateOrPreset(date));
}

QDateTime SmartAdd::nextWeekday(const QDateTime& date, const SmartAddRule& rule) const
{
    const int target = weekdayFromCode(rule.resultText());
    const QDate day = today();
    const int weekday = day.dayOfWeek() % 7 + 1;
    // Never today: the same weekday means a week from now.
    int offset = 7;
    if (target > weekday)
        offset = target - weekday;
    else if (target < weekday)
        offset = target + 7 - weekday;
    return atTime(day.addDays(offset), timeFromDateOrPreset(date));
}
