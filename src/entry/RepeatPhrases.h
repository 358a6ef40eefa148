#pragma once

#include "platform/store/RecurrenceRule.h"

#include <QDate>
#include <QString>

#include <optional>

// A repeat said in words inside a typed line ("every Monday until 31 Dec", "alle 3 Wochen",
// "tous les lundis"): where it stands in the line and the rule it names.
struct RepeatPhrase
{
    qsizetype location = 0;
    qsizetype length = 0;
    store::RecurrenceRule rule;
};

// The repeat phrases people type in English, German and French. Words in double quotes
// ("…", “…”, „…“, «…») are never read, so a title can say "weekly" and mean it. Pure
// functions: the same line, language and day give the same answer.
namespace RepeatPhrases {

// The first phrase of the line in `language` ("en", "de", "fr"; any other reads English), the
// longest where several start at the same place, with an end ("until 31 Dec", "10 mal") when
// one follows. `today` decides the year of an end date typed without one.
std::optional<RepeatPhrase> find(const QString& line, const QString& language, const QDate& today);

// The first day on or after `from` that the rule's days allow (`from` itself for a rule that
// names no days); invalid when none comes within eight years.
QDate firstDayFrom(const store::RecurrenceRule& rule, const QDate& from);

} // namespace RepeatPhrases
