#include "cli/CliRepeatText.h"

#include "entry/RepeatPhrases.h"
#include "platform/store/Recurrence.h"

namespace CliRepeatText {

std::optional<store::RecurrenceRule> ruleFromText(const QString& text, const QString& language,
                                                  const QDate& today, QString* error)
{
    const QString trimmed = text.trimmed();
    // Words only when they are all of the text: "every Monday and more" is neither form.
    if (const auto phrase = RepeatPhrases::find(trimmed, language, today);
        phrase && phrase->location == 0 && phrase->length == trimmed.size())
        return phrase->rule;
    QString rule = trimmed;
    if (rule.startsWith(QLatin1StringView("RRULE:"), Qt::CaseInsensitive))
        rule = rule.mid(6);
    return store::Recurrence::parseRule(rule, error);
}

} // namespace CliRepeatText
