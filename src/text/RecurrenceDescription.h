#pragma once

#include "platform/store/RecurrenceRule.h"

#include <QString>

// The one-line text for a repeat rule that the repeat editor shows when none of its preset
// items fits ("Every 2 Weeks on Monday and Thursday", "Every Month on 1st Monday and Last
// Friday"). Only the unit, the interval and the days are described; how the rule ends is
// shown elsewhere. Stateless, translated at each call, callable from any thread.
class RecurrenceDescription
{
public:
    RecurrenceDescription() = delete;

    // nullptr stands for "no rule" and reads "Never".
    static QString recurrenceRuleDescription(const store::RecurrenceRule* rule);
    static QString recurrenceRuleDescription(const store::RecurrenceRule& rule)
    {
        return recurrenceRuleDescription(&rule);
    }

    // The parts, exposed for the editor's own labels.
    // "Sunday" for 1 ... "Saturday" for 7; empty for any other value.
    static QString dayName(int dayOfTheWeek);
    // "1st", "2nd", "3rd", "Last" for -1, and English suffixes for the rest ("21st", "11th").
    static QString ordinal(int number);
    // "Every Week" / "Every %i Weeks" and the like for the rule's unit.
    static QString baseText(store::RecurrenceRule::Frequency frequency, int interval);
};
