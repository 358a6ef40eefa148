#include "entry/SmartAddRule.h"

#include "platform/UserDefaults.h"

#include <QLatin1StringView>

namespace {

constexpr QLatin1StringView kType{"type"};
constexpr QLatin1StringView kResultType{"resultType"};
constexpr QLatin1StringView kWord{"word"};
constexpr QLatin1StringView kResult{"result"};
constexpr QLatin1StringView kResultUnit{"resultUnit"};
constexpr QLatin1StringView kPlaceType{"placeType"};
constexpr QLatin1StringView kValue{"value"};

QString stringValue(const QVariant& value)
{
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

std::optional<QString> optionalString(const QVariantMap& record, QLatin1StringView key)
{
    const auto it = record.constFind(key);
    if (it == record.constEnd())
        return std::nullopt;
    return stringValue(it.value());
}

} // namespace

SmartAddRule SmartAddRule::fromVariant(const QVariant& record)
{
    QVariantMap map = record.toMap();
    SmartAddRule rule;
    rule.type = UserDefaults::integerValue(map.value(kType));
    rule.resultType = UserDefaults::integerValue(map.value(kResultType));
    rule.word = stringValue(map.value(kWord));
    rule.result = optionalString(map, kResult);
    rule.resultUnit = optionalString(map, kResultUnit);
    if (map.contains(kPlaceType))
        rule.placeType = UserDefaults::integerValue(map.value(kPlaceType));
    rule.value = optionalString(map, kValue);
    for (const QLatin1StringView key :
         {kType, kResultType, kWord, kResult, kResultUnit, kPlaceType, kValue})
        map.remove(key);
    rule.otherKeys = map;
    return rule;
}

QVariantMap SmartAddRule::toVariant() const
{
    QVariantMap record = otherKeys;
    record.insert(kType, QVariant::fromValue(type));
    record.insert(kResultType, QVariant::fromValue(resultType));
    record.insert(kWord, word);
    if (result)
        record.insert(kResult, *result);
    if (resultUnit)
        record.insert(kResultUnit, *resultUnit);
    if (placeType)
        record.insert(kPlaceType, QVariant::fromValue(*placeType));
    if (value)
        record.insert(kValue, *value);
    return record;
}

QList<SmartAddRule> SmartAddRule::listFromVariant(const QVariantList& records)
{
    QList<SmartAddRule> rules;
    rules.reserve(records.size());
    for (const QVariant& record : records) {
        // A stray non-dictionary entry is not a rule; skipping it keeps the others usable.
        if (record.typeId() == QMetaType::QVariantMap)
            rules.append(fromVariant(record));
    }
    return rules;
}

QVariantList SmartAddRule::listToVariant(const QList<SmartAddRule>& rules)
{
    QVariantList records;
    records.reserve(rules.size());
    for (const SmartAddRule& rule : rules)
        records.append(rule.toVariant());
    return records;
}

QList<qint64> SmartAddRule::groupOfResultType(qint64 resultType)
{
    if (setsDueDate(resultType) && resultType != TimeOfDay)
        return {DateFromText, RelativeDate, Weekday};
    if (resultType >= PriorityLow && resultType <= PriorityHigh)
        return {PriorityLow, PriorityMedium, PriorityHigh};
    return {resultType};
}

bool SmartAddRule::setsDueDate(qint64 resultType)
{
    return resultType == DateFromText || resultType == TimeOfDay || resultType == RelativeDate ||
           resultType == Weekday;
}

bool SmartAddRule::sameRule(const SmartAddRule& other) const
{
    return type == other.type && resultType == other.resultType && word == other.word &&
           result == other.result && resultUnit == other.resultUnit && place() == other.place() &&
           otherKeys == other.otherKeys;
}

bool containsSmartAddRule(const QList<SmartAddRule>& rules, const SmartAddRule& rule)
{
    for (const SmartAddRule& candidate : rules) {
        if (candidate.sameRule(rule))
            return true;
    }
    return false;
}
