#pragma once

#include <QList>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

// One Smart Add rule: which text triggers it, where in the line the trigger may stand and what
// it sets on the new task. Rules live in the preferences as dictionaries; this record reads
// them leniently (a value of the wrong type reads as its zero value) and keeps every key it
// does not know, so that a rule written back loses nothing.
struct SmartAddRule
{
    // What kind of text triggers the rule ("type").
    enum Kind : qint64 {
        WordRule = 0,    // a fixed word, compared without regard to case
        PatternRule = 1, // a built-in text pattern family named by "word"
        PrefixRule = 2,  // leading character(s) followed by a name
    };

    // What the rule sets ("resultType"); anything above 9 sets nothing.
    enum ResultType : qint64 {
        DateFromText = 0,
        TimeOfDay = 1,
        RelativeDate = 2,
        PriorityLow = 3,
        PriorityMedium = 4,
        PriorityHigh = 5,
        List = 6,
        AlarmOn = 7,
        AlarmOff = 8,
        Weekday = 9,
    };

    // Where the trigger may stand ("placeType"; absent means anywhere).
    enum Place : qint64 {
        Anywhere = 0,
        AtStart = 1,
        AtEnd = 2,
        BetweenSpaces = 3,
    };

    qint64 type = WordRule;
    qint64 resultType = DateFromText;
    QString word;
    std::optional<QString> result;
    std::optional<QString> resultUnit;
    std::optional<qint64> placeType;
    // The text a pattern or prefix rule matched; only on the copies handed out after a match.
    std::optional<QString> value;
    // Keys this record does not know, kept for writing back.
    QVariantMap otherKeys;

    qint64 place() const { return placeType.value_or(Anywhere); }
    QString resultText() const { return result.value_or(QString()); }
    QString resultUnitText() const { return resultUnit.value_or(QString()); }
    QString valueText() const { return value.value_or(QString()); }

    static SmartAddRule fromVariant(const QVariant& record);
    QVariantMap toVariant() const;

    static QList<SmartAddRule> listFromVariant(const QVariantList& records);
    static QVariantList listToVariant(const QList<SmartAddRule>& rules);

    // The result types blocked together once a rule of `resultType` has been applied: the dates
    // {0, 2, 9}, the priorities {3, 4, 5}, any other type alone.
    static QList<qint64> groupOfResultType(qint64 resultType);
    static bool setsDueDate(qint64 resultType);

    // Rules compare by content. The matched "value" is left out: a recorded copy of a pattern
    // rule is still the same rule as the one in the rules array.
    bool sameRule(const SmartAddRule& other) const;
    friend bool operator==(const SmartAddRule& a, const SmartAddRule& b)
    {
        return a.sameRule(b) && a.value == b.value;
    }
};

// Whether `rules` holds a rule with the same content as `rule` (see sameRule).
bool containsSmartAddRule(const QList<SmartAddRule>& rules, const SmartAddRule& rule);
