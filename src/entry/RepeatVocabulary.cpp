#include "entry/RepeatVocabulary.h"

namespace {

using Frequency = RepeatVocabulary::Frequency;
using Words = RepeatVocabulary::Words;

constexpr int kSunday = 1;
constexpr int kMonday = 2;
constexpr int kTuesday = 3;
constexpr int kWednesday = 4;
constexpr int kThursday = 5;
constexpr int kFriday = 6;
constexpr int kSaturday = 7;
const QList<int> kWorkdays = {kMonday, kTuesday, kWednesday, kThursday, kFriday};
const QList<int> kWeekend = {kSaturday, kSunday};

// Each value under several words: {{"monday", "mon"}, 2} and so on.
Words words(std::initializer_list<std::pair<std::initializer_list<const char*>, int>> entries)
{
    Words list;
    for (const auto& [spellings, value] : entries) {
        for (const char* spelling : spellings)
            list.append({QString::fromUtf8(spelling), value});
    }
    return list;
}

Words units(std::initializer_list<const char*> day, std::initializer_list<const char*> week,
            std::initializer_list<const char*> month, std::initializer_list<const char*> year)
{
    return words({{day, int(Frequency::Daily)},
                  {week, int(Frequency::Weekly)},
                  {month, int(Frequency::Monthly)},
                  {year, int(Frequency::Yearly)}});
}

RepeatVocabulary english()
{
    RepeatVocabulary v;
    v.weekdays = words({{{"sunday", "sun"}, kSunday},
                        {{"monday", "mon"}, kMonday},
                        {{"tuesday", "tues", "tue"}, kTuesday},
                        {{"wednesday", "wed"}, kWednesday},
                        {{"thursday", "thurs", "thur", "thu"}, kThursday},
                        {{"friday", "fri"}, kFriday},
                        {{"saturday", "sat"}, kSaturday}});
    v.months = words({{{"january", "jan"}, 1},
                      {{"february", "feb"}, 2},
                      {{"march", "mar"}, 3},
                      {{"april", "apr"}, 4},
                      {{"may"}, 5},
                      {{"june", "jun"}, 6},
                      {{"july", "jul"}, 7},
                      {{"august", "aug"}, 8},
                      {{"september", "sept", "sep"}, 9},
                      {{"october", "oct"}, 10},
                      {{"november", "nov"}, 11},
                      {{"december", "dec"}, 12}});
    // "every other week" is every second one.
    v.numbers = words({{{"other", "two"}, 2},
                       {{"three"}, 3},
                       {{"four"}, 4},
                       {{"five"}, 5},
                       {{"six"}, 6},
                       {{"seven"}, 7},
                       {{"eight"}, 8},
                       {{"nine"}, 9},
                       {{"ten"}, 10},
                       {{"eleven"}, 11},
                       {{"twelve"}, 12}});
    v.ordinals = words({{{"1st", "first"}, 1},
                        {{"2nd", "second"}, 2},
                        {{"3rd", "third"}, 3},
                        {{"4th", "fourth"}, 4},
                        {{"last"}, -1}});
    v.units = units({"days", "day"}, {"weeks", "week"}, {"months", "month"}, {"years", "year"});
    v.conjunctions = {QStringLiteral("and"), QStringLiteral("&")};
    const QString th = QStringLiteral("(?:st|nd|rd|th)");
    v.shapes = {
        {QStringLiteral("daily|every\\s*day"), Frequency::Daily},
        {QStringLiteral("weekly"), Frequency::Weekly},
        {QStringLiteral("fortnightly|bi-?weekly"), Frequency::Weekly, 2},
        {QStringLiteral("monthly"), Frequency::Monthly},
        {QStringLiteral("yearly|annually"), Frequency::Yearly},
        {QStringLiteral("every\\s+(?:{N}\\s+)?{UNIT}")},
        {QStringLiteral("(?:weekly|every\\s+(?:{N}\\s+)?weeks?)\\s+on\\s+{DAYS}"),
         Frequency::Weekly},
        {QStringLiteral("(?:monthly|every\\s+(?:{N}\\s+)?months?)\\s+on\\s+the\\s+{MD}") + th + '?',
         Frequency::Monthly},
        {QStringLiteral("(?:monthly|every\\s+(?:{N}\\s+)?months?)\\s+on\\s+the\\s+{ORD}\\s+{DAY}"),
         Frequency::Monthly},
        {QStringLiteral("every\\s+weekday|on\\s+weekdays"), Frequency::Weekly, 1, kWorkdays},
        {QStringLiteral("every\\s+weekend|on\\s+weekends"), Frequency::Weekly, 1, kWeekend},
        {QStringLiteral("every\\s+(?:{N}\\s+)?{DAYS}"), Frequency::Weekly},
        {QStringLiteral("every\\s+{ORD}\\s+{DAY}(?:\\s+of\\s+the\\s+month)?"), Frequency::Monthly},
        {QStringLiteral("every\\s+(?:the\\s+)?{MD}") + th +
             QStringLiteral("(?:\\s+of\\s+the\\s+month)?"),
         Frequency::Monthly},
    };
    const QString until = QStringLiteral("\\s+(?:until|till|through)\\s+");
    const QString year = QStringLiteral("(?:,?\\s+(?<y>\\d{4}))?");
    v.untilPatterns = {
        until + QStringLiteral("(?<d>\\d{1,2})") + th +
            QStringLiteral("?\\s+(?:of\\s+)?(?<mw>{MONTH})\\.?") + year,
        until + QStringLiteral("(?<mw>{MONTH})\\.?\\s+(?<d>\\d{1,2})") + th + '?' + year,
        until + QStringLiteral("(?<m>\\d{1,2})/(?<d>\\d{1,2})(?:/(?<y>\\d{4}|\\d{2}))?"),
    };
    v.countPatterns = {QStringLiteral("\\s+(?:for\\s+)?{N}\\s+times")};
    return v;
}

RepeatVocabulary german()
{
    RepeatVocabulary v;
    v.weekdays = words({{{"sonntag", "so"}, kSunday},
                        {{"montag", "mo"}, kMonday},
                        {{"dienstag", "di"}, kTuesday},
                        {{"mittwoch", "mi"}, kWednesday},
                        {{"donnerstag", "do"}, kThursday},
                        {{"freitag", "fr"}, kFriday},
                        {{"samstag", "sonnabend", "sa"}, kSaturday},
                        // "montags und donnerstags"
                        {{"sonntags"}, kSunday},
                        {{"montags"}, kMonday},
                        {{"dienstags"}, kTuesday},
                        {{"mittwochs"}, kWednesday},
                        {{"donnerstags"}, kThursday},
                        {{"freitags"}, kFriday},
                        {{"samstags", "sonnabends"}, kSaturday}});
    v.months = words({{{"januar", "jänner", "jan"}, 1},
                      {{"februar", "feb"}, 2},
                      {{"märz", "mär", "mrz"}, 3},
                      {{"april", "apr"}, 4},
                      {{"mai"}, 5},
                      {{"juni", "jun"}, 6},
                      {{"juli", "jul"}, 7},
                      {{"august", "aug"}, 8},
                      {{"september", "sept", "sep"}, 9},
                      {{"oktober", "okt"}, 10},
                      {{"november", "nov"}, 11},
                      {{"dezember", "dez"}, 12}});
    // "alle zwei Wochen", and "jeden zweiten Tag", where the ordinal counts the interval.
    v.numbers = words({{{"zwei", "zweite", "zweiten", "zweites"}, 2},
                       {{"drei", "dritte", "dritten", "drittes"}, 3},
                       {{"vier", "vierte", "vierten", "viertes"}, 4},
                       {{"fünf"}, 5},
                       {{"sechs"}, 6},
                       {{"sieben"}, 7},
                       {{"acht"}, 8},
                       {{"neun"}, 9},
                       {{"zehn"}, 10},
                       {{"elf"}, 11},
                       {{"zwölf"}, 12}});
    v.ordinals =
        words({{{"ersten", "1."}, 1}, {{"2."}, 2}, {{"3."}, 3}, {{"4."}, 4}, {{"letzten"}, -1}});
    v.units = units({"tage", "tag"}, {"wochen", "woche"}, {"monate", "monat"}, {"jahre", "jahr"});
    v.conjunctions = {QStringLiteral("und"), QStringLiteral("&")};
    for (const auto& [word, day] : v.weekdays) {
        if (word.endsWith(u's'))
            v.dayAdverbs.append(word);
    }
    v.shapes = {
        {QStringLiteral("täglich|alle\\s+Tage"), Frequency::Daily},
        {QStringLiteral("wöchentlich"), Frequency::Weekly},
        {QStringLiteral("zweiwöchentlich|vierzehntägig|14-tägig"), Frequency::Weekly, 2},
        {QStringLiteral("monatlich"), Frequency::Monthly},
        {QStringLiteral("vierteljährlich"), Frequency::Monthly, 3},
        {QStringLiteral("halbjährlich"), Frequency::Monthly, 6},
        {QStringLiteral("jährlich"), Frequency::Yearly},
        {QStringLiteral("jede[nrs]?\\s+(?:{N}\\s+)?{UNIT}")},
        {QStringLiteral("alle\\s+{N}\\s+{UNIT}")},
        {QStringLiteral("(?:wöchentlich|jede\\s+Woche|alle\\s+{N}\\s+Wochen)\\s+am\\s+{DAYS}"),
         Frequency::Weekly},
        {QStringLiteral("(?:monatlich|jeden\\s+Monat|alle\\s+{N}\\s+Monate)\\s+am\\s+{MD}\\."),
         Frequency::Monthly},
        {QStringLiteral("jeden\\s+{MD}\\.\\s+(?:des|im|eines)\\s+Monats?"), Frequency::Monthly},
        {QStringLiteral("werktags|jeden\\s+Werktag|an\\s+Werktagen"), Frequency::Weekly, 1,
         kWorkdays},
        {QStringLiteral("jedes\\s+Wochenende|an\\s+Wochenenden|wochenends"), Frequency::Weekly, 1,
         kWeekend},
        {QStringLiteral("jeden\\s+(?:{N}\\s+)?{DAYS}"), Frequency::Weekly},
        {QStringLiteral("{ADVERBS}"), Frequency::Weekly},
        {QStringLiteral("jeden\\s+{ORD}\\s+{DAY}(?:\\s+(?:im|des)\\s+Monats?)?"),
         Frequency::Monthly},
    };
    const QString until = QStringLiteral("\\s+bis\\s+(?:zum\\s+|einschließlich\\s+)?");
    v.untilPatterns = {
        until + QStringLiteral("(?<d>\\d{1,2})\\.(?<m>\\d{1,2})(?:\\.(?<y>\\d{4}|\\d{2})?)?"),
        until + QStringLiteral("(?<d>\\d{1,2})\\.?\\s*(?<mw>{MONTH})\\.?(?:\\s+(?<y>\\d{4}))?"),
    };
    v.countPatterns = {QStringLiteral("\\s+{N}\\s*(?:-\\s*)?(?:mal|x)")};
    return v;
}

RepeatVocabulary french()
{
    RepeatVocabulary v;
    v.weekdays = words({{{"dimanche", "dimanches", "dim"}, kSunday},
                        {{"lundi", "lundis", "lun"}, kMonday},
                        {{"mardi", "mardis", "mar"}, kTuesday},
                        {{"mercredi", "mercredis", "mer"}, kWednesday},
                        {{"jeudi", "jeudis", "jeu"}, kThursday},
                        {{"vendredi", "vendredis", "ven"}, kFriday},
                        {{"samedi", "samedis", "sam"}, kSaturday}});
    v.months = words({{{"janvier", "janv", "jan"}, 1},
                      {{"février", "fevrier", "févr", "fév", "fev"}, 2},
                      {{"mars"}, 3},
                      {{"avril", "avr"}, 4},
                      {{"mai"}, 5},
                      {{"juin"}, 6},
                      {{"juillet", "juil"}, 7},
                      {{"août", "aout"}, 8},
                      {{"septembre", "sept"}, 9},
                      {{"octobre", "oct"}, 10},
                      {{"novembre", "nov"}, 11},
                      {{"décembre", "decembre", "déc", "dec"}, 12}});
    v.numbers = words({{{"deux"}, 2},
                       {{"trois"}, 3},
                       {{"quatre"}, 4},
                       {{"cinq"}, 5},
                       {{"six"}, 6},
                       {{"sept"}, 7},
                       {{"huit"}, 8},
                       {{"neuf"}, 9},
                       {{"dix"}, 10},
                       {{"onze"}, 11},
                       {{"douze"}, 12}});
    v.ordinals = words({{{"premier", "1er"}, 1},
                        {{"deuxième", "2e", "2ème"}, 2},
                        {{"troisième", "3e", "3ème"}, 3},
                        {{"quatrième", "4e", "4ème"}, 4},
                        {{"dernier", "derniers"}, -1}});
    v.units = units({"jours", "jour"}, {"semaines", "semaine"}, {"mois"},
                    {"années", "année", "ans", "an"});
    v.conjunctions = {QStringLiteral("et"), QStringLiteral("&")};
    const QString everyWeek = QStringLiteral(
        "(?:toutes\\s+les\\s+(?:{N}\\s+)?semaines|chaque\\s+semaine|hebdomadaire(?:ment)?)");
    const QString everyMonth = QStringLiteral(
        "(?:tous\\s+les\\s+(?:{N}\\s+)?mois|chaque\\s+mois|mensuel(?:le(?:ment)?)?)");
    v.shapes = {
        {QStringLiteral("quotidien(?:ne(?:ment)?)?|journalier|journalière"), Frequency::Daily},
        {QStringLiteral("un\\s+jour\\s+sur\\s+deux"), Frequency::Daily, 2},
        {QStringLiteral("une\\s+semaine\\s+sur\\s+deux|tous\\s+les\\s+quinze\\s+jours"),
         Frequency::Weekly, 2},
        {QStringLiteral("un\\s+mois\\s+sur\\s+deux"), Frequency::Monthly, 2},
        {QStringLiteral("hebdomadaire(?:ment)?"), Frequency::Weekly},
        {QStringLiteral("mensuel(?:le(?:ment)?)?"), Frequency::Monthly},
        {QStringLiteral("annuel(?:le(?:ment)?)?"), Frequency::Yearly},
        {QStringLiteral("tou(?:s|tes)\\s+les\\s+(?:{N}\\s+)?{UNIT}")},
        {QStringLiteral("chaque\\s+{UNIT}")},
        {everyWeek + QStringLiteral("\\s+le\\s+{DAYS}"), Frequency::Weekly},
        {everyMonth + QStringLiteral("\\s+le\\s+{MD}(?:er)?"), Frequency::Monthly},
        {QStringLiteral("le\\s+{MD}(?:er)?\\s+de\\s+chaque\\s+mois"), Frequency::Monthly},
        {QStringLiteral("en\\s+semaine|(?:tous\\s+les|chaque)\\s+jours?\\s+ouvr(?:ables?|és?)"),
         Frequency::Weekly, 1, kWorkdays},
        {QStringLiteral("(?:tous\\s+les|chaque)\\s+week-?ends?"), Frequency::Weekly, 1, kWeekend},
        {QStringLiteral("(?:chaque|tous\\s+les)\\s+{DAYS}"), Frequency::Weekly},
        {QStringLiteral("(?:chaque|tous\\s+les)\\s+{ORD}\\s+{DAY}(?:\\s+du\\s+mois)?"),
         Frequency::Monthly},
    };
    const QString until = QStringLiteral("\\s+jusqu'\\s*(?:au|à)\\s+");
    v.untilPatterns = {
        until + QStringLiteral("(?<d>\\d{1,2})(?:er)?\\s+(?<mw>{MONTH})\\.?(?:\\s+(?<y>\\d{4}))?"),
        until + QStringLiteral("(?<d>\\d{1,2})/(?<m>\\d{1,2})(?:/(?<y>\\d{4}|\\d{2}))?"),
    };
    v.countPatterns = {QStringLiteral("\\s+(?:pendant\\s+)?{N}\\s+fois")};
    return v;
}

} // namespace

const RepeatVocabulary& RepeatVocabulary::forLanguage(const QString& language)
{
    static const RepeatVocabulary en = english();
    static const RepeatVocabulary de = german();
    static const RepeatVocabulary fr = french();
    if (language == QLatin1StringView("de"))
        return de;
    if (language == QLatin1StringView("fr"))
        return fr;
    return en;
}
