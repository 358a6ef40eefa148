#include "cli/CliRepeatText.h"

#include "platform/store/Recurrence.h"

namespace CliRepeatText {

std::optional<store::RecurrenceRule> ruleFromText(const QString& text, QString* error)
{
    QString rule = text.trimmed();
    if (rule.startsWith(QLatin1StringView("RRULE:"), Qt::CaseInsensitive))
        rule = rule.mid(6);
    return store::Recurrence::parseRule(rule, error);
}

} // namespace CliRepeatText
