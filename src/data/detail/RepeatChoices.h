#pragma once

#include "platform/store/RecurrenceRule.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The repeat editor's choices turned into rules and back, apart from any widget: the preset
// items, the rule built from the custom sheet, the end-repeat choices, and which item shows a
// rule. Every rule built keeps the end of the rule it replaces, so "ends after 5 times" stays
// when the user switches from weekly to daily.
namespace RepeatChoices {

enum Preset {
    Never = 0,
    Weekdays,
    Weekends,
    EveryDay,
    EveryWeek,
    EveryTwoWeeks,
    EveryMonth,
    EveryYear,
    Custom,
};

enum class EndChoice { Never = 0, OnDate = 1, AfterCount = 2 };

// "Never" … "Custom", in the order of Preset.
QStringList presetTitles();
// The rule of a preset item; none for Never and Custom.
std::optional<store::RecurrenceRule> presetRule(int preset,
                                                const std::optional<store::RecurrenceEnd>& end);
// The item that shows `rule` (null: none) of a task due on `due`: the preset whose title is the
// rule's description, unless the rule has parts the description does not tell (months other
// than the due date's, set positions, days or weeks of the year, days of a daily or yearly
// rule), which only Custom shows truthfully.
int presetForRule(const store::RecurrenceRule* rule, const QDate& due);
// What the editor says about a rule: its description, and the months of a yearly rule that
// names others than the due date's month.
QString description(const store::RecurrenceRule* rule, const QDate& due);

// The custom sheet's choices.
struct CustomChoices
{
    int frequency = 0; // 0 daily, 1 weekly, 2 monthly, 3 yearly
    int interval = 1;
    // Weekly: the selected segments, 0 being the first day of the user's week.
    QList<int> weekdaySegments{0};
    bool sundayFirst = true;
    // Monthly: on days of the month, or on a weekday of a week of the month.
    bool onWeek = false;
    QList<int> monthDays{1}; // 1 … 31 and -1 for the last day
    int weekNumberIndex = 0; // 0 "1st" … 4 "5th", 5 "Last"
    int weekdayIndex = 0;    // 0 Sunday … 6 Saturday
    // Yearly: the months, 1 … 12.
    QList<int> months;
    bool operator==(const CustomChoices&) const = default;
};
store::RecurrenceRule customRule(const CustomChoices& choices,
                                 const std::optional<store::RecurrenceEnd>& end);

// Segment `segment` of the weekday control, as a weekday 1 Sunday … 7 Saturday.
int weekdayForSegment(int segment, bool sundayFirst);
// The days of the month in the order a rule lists them: by column of the day grid (1, 8, 15,
// 22, then 2, 9, …), then 29, 30, 31 and Last.
QList<int> monthDaysInGridOrder(const QList<int>& selected);

// A number field's entry: an integer of at least 1 and at most `maximum`; text that is no such
// number becomes 1, a larger one `maximum`.
int numberFromText(const QString& text, int maximum);
constexpr int kMaximumInterval = 999;
constexpr int kMaximumCount = 9999;

EndChoice endChoiceForRule(const store::RecurrenceRule* rule);
// The end a choice gives; none for Never.
std::optional<store::RecurrenceEnd> endFor(EndChoice choice, const QDateTime& date, int count);
// Whether an end date comes before the due date, so that the task would not repeat at all.
bool endsBeforeDue(const store::RecurrenceRule& rule, const QDateTime& due);

} // namespace RepeatChoices
