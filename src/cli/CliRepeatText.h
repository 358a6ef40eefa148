#pragma once

#include "platform/store/RecurrenceRule.h"

#include <QString>

#include <optional>

// The repeat "edit --repeat" is given, as text. This is the one place that reads it: an
// iCalendar rule ("FREQ=WEEKLY;BYDAY=MO", with or without "RRULE:") today; the repeat words
// Smart Add understands are to be read here as well, before the rule.
namespace CliRepeatText {

// The rule; nothing, with the reason, when the text is none.
std::optional<store::RecurrenceRule> ruleFromText(const QString& text, QString* error);

} // namespace CliRepeatText
