#pragma once

#include <QString>
#include <QVariantList>

// The Smart Add rules a new store starts with, one set per language the program speaks, in
// matching order. They are data, not translations: each set holds the words and time patterns
// people of that language type ("morgen", "um 9", "à 9h"), and a set may have more or fewer
// rules than another.
//
// A new language adds its set as one more function in SmartAddRuleSets.cpp and one more row
// of its table of sets; a language without a set starts with the English one.
namespace SmartAddRuleSets {

// The set for `language` ("de", "fr", "en"); English for a language without a set.
QVariantList forLanguage(const QString& language);
// The languages that have a set of their own, English first.
QStringList languages();

} // namespace SmartAddRuleSets
