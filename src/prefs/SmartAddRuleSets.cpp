#include "prefs/SmartAddRuleSets.h"

#include <QStringList>
#include <QVariantMap>

namespace SmartAddRuleSets {

namespace {

// Rule kinds and result types as SmartAddRule (entry/) reads them.
enum Kind : qint64 { Word = 0, Pattern = 1, Prefix = 2 };
enum Result : qint64 {
    DateFromText = 0,
    TimeOfDay = 1,
    RelativeDate = 2,
    PriorityLow = 3,
    PriorityMedium = 4,
    PriorityHigh = 5,
    List = 6,
    AlarmOn = 7,
    Weekday = 9,
};
constexpr qint64 kAtStart = 1;

// Numbers are stored as 64-bit integers, the type every reader gets back from the file.
QVariant number(qint64 value)
{
    return QVariant::fromValue(value);
}

QVariantMap rule(Kind kind, Result resultType, const QString& word)
{
    return {{QStringLiteral("type"), number(kind)},
            {QStringLiteral("resultType"), number(resultType)},
            {QStringLiteral("word"), word}};
}

QVariantMap withResult(QVariantMap record, const QString& result, const QString& unit = {})
{
    record.insert(QStringLiteral("result"), result);
    if (!unit.isEmpty())
        record.insert(QStringLiteral("resultUnit"), unit);
    return record;
}

QVariantMap relativeDay(const QString& word, const char* days)
{
    return withResult(rule(Word, RelativeDate, word), QString::fromLatin1(days),
                      QStringLiteral("Day"));
}

QVariantMap nextWeek(const QString& word)
{
    return withResult(rule(Word, RelativeDate, word), QStringLiteral("+1"), QStringLiteral("Week"));
}

QVariantMap timeWord(const QString& word, const char* time)
{
    return withResult(rule(Word, TimeOfDay, word), QString::fromLatin1(time));
}

// "!", "!!", "!!!". English takes them first in the line only; German and French write them
// last as well ("Zahnarzt morgen um 9 !!"), so there they stand anywhere. French sets a space
// before every exclamation mark ("Appeler maman !"), so its single mark counts first only.
enum class MarksAt { Start, Anywhere, AnywhereButSingleAtStart };

QVariantList priorityMarks(MarksAt where)
{
    QVariantList marks;
    const std::pair<Result, const char*> kinds[] = {
        {PriorityLow, "!"}, {PriorityMedium, "!!"}, {PriorityHigh, "!!!"}};
    for (const auto& [resultType, mark] : kinds) {
        QVariantMap record = rule(Word, resultType, QString::fromLatin1(mark));
        const bool firstOnly =
            where == MarksAt::Start ||
            (where == MarksAt::AnywhereButSingleAtStart && resultType == PriorityLow);
        if (firstOnly)
            record.insert(QStringLiteral("placeType"), number(kAtStart));
        marks << record;
    }
    return marks;
}

// Sunday first, as the weekday codes count.
QVariantList weekdays(const QStringList& names)
{
    static const char* const codes[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
    QVariantList records;
    for (int day = 0; day < 7; ++day)
        records << withResult(rule(Word, Weekday, names.at(day)), QString::fromLatin1(codes[day]));
    return records;
}

QVariantList english()
{
    QVariantList rules = priorityMarks(MarksAt::Start);
    rules << rule(Pattern, DateFromText, QStringLiteral("M/dd"))
          << rule(Pattern, TimeOfDay, QStringLiteral("h:m"))
          << rule(Pattern, TimeOfDay, QStringLiteral("h:map"))
          << rule(Pattern, TimeOfDay, QStringLiteral("hap"))
          << rule(Prefix, List, QStringLiteral("/")) << relativeDay(QStringLiteral("Today"), "0")
          << relativeDay(QStringLiteral("Tomorrow"), "+1") << nextWeek(QStringLiteral("Next Week"))
          << timeWord(QStringLiteral("noon"), "12:00") << rule(Word, AlarmOn, QStringLiteral("al"))
          << rule(Pattern, TimeOfDay, QStringLiteral("hampm"))
          << rule(Pattern, TimeOfDay, QStringLiteral("h:mampm"));
    return rules << weekdays({QStringLiteral("Sunday"), QStringLiteral("Monday"),
                              QStringLiteral("Tuesday"), QStringLiteral("Wednesday"),
                              QStringLiteral("Thursday"), QStringLiteral("Friday"),
                              QStringLiteral("Saturday")});
}

// Dates as "24.12.", times with their words ("um 9", "9 Uhr", "14:30 Uhr"); the pattern of
// bare "14:30" is part of the German one, which waits for a following "Uhr".
QVariantList german()
{
    QVariantList rules = priorityMarks(MarksAt::Anywhere);
    rules << rule(Pattern, DateFromText, QStringLiteral("d.M."))
          << rule(Pattern, TimeOfDay, QStringLiteral("H 'Uhr'"))
          << rule(Prefix, List, QStringLiteral("/")) << relativeDay(QStringLiteral("heute"), "0")
          << relativeDay(QStringLiteral("morgen"), "+1")
          << relativeDay(QStringLiteral("übermorgen"), "+2")
          << nextWeek(QStringLiteral("nächste Woche"))
          << timeWord(QStringLiteral("mittags"), "12:00")
          << rule(Word, AlarmOn, QStringLiteral("Alarm"));
    return rules << weekdays({QStringLiteral("Sonntag"), QStringLiteral("Montag"),
                              QStringLiteral("Dienstag"), QStringLiteral("Mittwoch"),
                              QStringLiteral("Donnerstag"), QStringLiteral("Freitag"),
                              QStringLiteral("Samstag")});
}

// Dates as "24/12", times as "à 9h", "14h30" and "14:30" (the French pattern first, so that
// "à 14:30" goes whole).
QVariantList french()
{
    QVariantList rules = priorityMarks(MarksAt::AnywhereButSingleAtStart);
    rules << rule(Pattern, DateFromText, QStringLiteral("dd/M"))
          << rule(Pattern, TimeOfDay, QStringLiteral("H'h'mm"))
          << rule(Pattern, TimeOfDay, QStringLiteral("h:m"))
          << rule(Prefix, List, QStringLiteral("/"))
          << relativeDay(QStringLiteral("aujourd'hui"), "0")
          << relativeDay(QStringLiteral("après-demain"), "+2")
          << relativeDay(QStringLiteral("demain"), "+1")
          << nextWeek(QStringLiteral("la semaine prochaine"))
          << nextWeek(QStringLiteral("semaine prochaine"))
          << timeWord(QStringLiteral("midi"), "12:00")
          << rule(Word, AlarmOn, QStringLiteral("alarme"));
    return rules << weekdays({QStringLiteral("dimanche"), QStringLiteral("lundi"),
                              QStringLiteral("mardi"), QStringLiteral("mercredi"),
                              QStringLiteral("jeudi"), QStringLiteral("vendredi"),
                              QStringLiteral("samedi")});
}

struct LanguageSet
{
    const char* language;
    QVariantList (*rules)();
};

// English first: it stands in for every language without a set.
constexpr LanguageSet kSets[] = {{"en", english}, {"de", german}, {"fr", french}};

} // namespace

QVariantList forLanguage(const QString& language)
{
    for (const LanguageSet& set : kSets) {
        if (language == QLatin1StringView(set.language))
            return set.rules();
    }
    return english();
}

QStringList languages()
{
    QStringList names;
    for (const LanguageSet& set : kSets)
        names << QString::fromLatin1(set.language);
    return names;
}

} // namespace SmartAddRuleSets
