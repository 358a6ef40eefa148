#pragma once

#include "platform/store/RecurrenceRule.h"

#include <QDate>
#include <QString>

#include <optional>

// The repeat "edit --repeat" is given, as text. This is the one place that reads it: the whole
// text a repeat in the words Smart Add reads ("every Monday until 31 Dec", in the language of
// the Smart Add rules), or an iCalendar rule ("FREQ=WEEKLY;BYDAY=MO", with or without
// "RRULE:"). The words are read even while Smart Add's own reading of them is switched off:
// the option asks for a repeat by name.
namespace CliRepeatText {

// The rule; nothing, with the reason, when the text is none. `today` gives the year of an end
// date typed without one.
std::optional<store::RecurrenceRule> ruleFromText(const QString& text, const QString& language,
                                                  const QDate& today, QString* error);

} // namespace CliRepeatText
