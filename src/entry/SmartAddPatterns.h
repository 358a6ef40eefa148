#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QTime>

#include <optional>

// The built-in text pattern families a pattern rule names in its "word": three ways of writing a
// date and eight of writing a time of day. Each family is an ordered list of regular
// expressions; a later expression is only tried when the earlier ones find nothing in the line.
// The families for German and French times carry their words ("um", "Uhr", "à") with them: a
// time is one trigger with its words, so that none of them stays behind in the title.
namespace SmartAddPatterns {

enum class Family {
    MonthDay,       // "M/dd": 3/27, 12/1
    DayMonth,       // "dd/M": 27/3, 1/12
    HourMinute,     // "h:m": 8:00, 14:20
    HourMinuteAP,   // "h:map": 8:00a, 7:30p
    HourMinuteAMPM, // "h:mampm": 8:00am, 7:30pm
    Hour,           // "h": 8, 14
    HourAP,         // "hap": 8a, 10p
    HourAMPM,       // "hampm": 8am, 10pm
    DayMonthDots,   // "d.M.": 24.12., 1.3.
    HourUhr,        // "H 'Uhr'": um 9, 9 Uhr, um 9 Uhr, 14:30 Uhr, um 14.30
    HourH,          // "H'h'mm": à 9h, 9h, 14h30, à 14:30
};

// The family a rule word names; nothing for a name that is not one of the eleven.
std::optional<Family> familyFromName(const QString& name);
bool isDateFamily(Family family);
bool isTimeFamily(Family family);

// The family's expressions in trial order, compiled once for the whole program.
const QList<QRegularExpression>& expressions(Family family);

// The first match in `line` of the family's expressions; empty when none finds anything.
QString firstMatch(Family family, const QString& line);

// The time of day a matched text of a time family stands for. Nothing when the text is not a
// time of that family (a rule handed in from elsewhere may carry any text).
std::optional<QTime> timeFromMatchedText(Family family, const QString& text);

// Month and day of a matched text of a date family, unchecked against any calendar.
struct MonthDay
{
    int month = 0;
    int day = 0;
};
std::optional<MonthDay> monthDayFromMatchedText(Family family, const QString& text);

// A 24-hour "HH:mm" text (rule results, the alarm time preference).
std::optional<QTime> timeFrom24HourText(const QString& text);

} // namespace SmartAddPatterns
