#pragma once

#include "entry/RepeatPhraseStage.h"
#include "entry/SmartAddMatcher.h"
#include "entry/SmartAddRule.h"

#include <QDateTime>
#include <QVariantMap>

#include <optional>

class Clock;
class UserDefaults;

// What a series of applied rules sets on a new task. Each value is present only when a rule (or
// the starting value) gave it one.
struct SmartAddResult
{
    std::optional<QDateTime> dueDate;
    // 1 high, 2 medium, 3 low.
    std::optional<int> priority;
    std::optional<bool> alarmOn;

    // The dictionary form: "dueDate", "priority", "alarmOnNumber", each only when present.
    QVariantMap toDictionary() const;
    // The store's priority for a Smart Add priority: 1, 5, 9 for high, medium, low; 0 (none)
    // for anything else.
    static int storePriority(int priority);
};

// A whole line run through the rules at once, as the "smartadd" command does.
struct SmartAddParse
{
    // The line with every matched trigger cut out.
    QString remainingText;
    // The remaining text without surrounding whitespace: the task's title.
    QString title;
    // The list name a prefix rule matched (its text without the prefix), if any.
    std::optional<QString> listName;
    // Every matched rule, in matching order.
    QList<SmartAddRule> appliedRules;
    // The word rules and the pattern copies carrying their matched text, fed to the result.
    QList<SmartAddRule> computedRules;
    SmartAddResult result;
    // The repeat a phrase named (parseLineWithRepeat only); the due date is then its first day.
    std::optional<store::RecurrenceRule> repeat;
};

// The Smart Add operations of the data manager: the matcher, one rule applied to a due date,
// several rules folded into a result, and the one-pass use. "Now" comes from the clock; the
// preset time ("alarmTime", "noDueTime") is read from the preferences at each call so a changed
// preference applies at once.
class SmartAdd
{
public:
    SmartAdd(UserDefaults& defaults, Clock& clock);
    SmartAdd(const SmartAdd&) = delete;
    SmartAdd& operator=(const SmartAdd&) = delete;

    UserDefaults& defaults() const { return m_defaults; }
    Clock& clock() const { return m_clock; }
    const SmartAddMatcher& matcher() const { return m_matcher; }
    const RepeatPhraseStage& repeats() const { return m_repeats; }
    RepeatPhraseStage& repeats() { return m_repeats; }

    // The stored "smartAddRules", typed.
    QList<SmartAddRule> rulesFromPreferences() const;

    SmartAddMatch checkRules(const QString& line, bool withSuffix, const QList<SmartAddRule>& rules,
                             const QList<qint64>& addedRuleTypes,
                             const QList<SmartAddRule>& addedRules,
                             const QList<SmartAddRule>& cancelledRules) const;

    // The due date after applying one rule to `date` (invalid: no due date yet). Rules that do
    // not set a date, and date rules whose text names no date or time, leave `date` unchanged.
    QDateTime dateFromDate(const QDateTime& date, const SmartAddRule& rule) const;
    QDateTime dateFromDate(const QDateTime& date, const QVariantMap& rule) const;

    // Folds the applied rules, in order, over a starting due date (invalid: none) and priority.
    SmartAddResult dictionaryFromSmartAddRules(const QList<SmartAddRule>& rules,
                                               const QDateTime& dueDate,
                                               std::optional<int> priority) const;
    // The dictionary form; `priority` is a number or null.
    QVariantMap dictionaryFromSmartAddRules(const QVariantList& rules, const QDateTime& dueDate,
                                            const QVariant& priority) const;

    // Matches the line again and again, with the end allowed, until nothing more matches; every
    // match blocks its rule's group, so at most one rule of each group applies.
    SmartAddParse parseLine(const QString& line, const QList<SmartAddRule>& rules) const;
    // parseLine with the repeat stage after the rules: a repeat phrase is hidden from them, cut
    // from the title and gives the task its repeat and, without a due date, its first day.
    SmartAddParse parseLineWithRepeat(const QString& line, const QList<SmartAddRule>& rules) const;

private:
    QDate today() const;
    QTime timeFromDateOrPreset(const QDateTime& date) const;
    std::optional<QTime> ruleTime(const SmartAddRule& rule) const;
    QDateTime dateFromText(const QDateTime& date, const SmartAddRule& rule) const;
    QDateTime timeOfDay(const QDateTime& date, const SmartAddRule& rule) const;
    QDateTime relativeDate(const QDateTime& date, const SmartAddRule& rule) const;
    QDateTime nextWeekday(const QDateTime& date, const SmartAddRule& rule) const;

    UserDefaults& m_defaults;
    Clock& m_clock;
    SmartAddMatcher m_matcher;
    RepeatPhraseStage m_repeats;
};
