#pragma once

#include "entry/SmartAddRule.h"

#include <QHash>
#include <QMutex>
#include <QRegularExpression>

#include <optional>

// The outcome of one matcher run: at most one trigger found in the line.
struct SmartAddMatch
{
    bool found = false;
    // The trigger with the space or spaces around it that were searched for.
    QString searchText;
    SmartAddRule rule;
    // The trigger was found between two spaces (even when a start or end search then supplied
    // the range); the cut leaves one space behind in that case.
    bool betweenSpaces = false;
    qsizetype location = 0;
    qsizetype length = 0;
    // The text a pattern or prefix rule matched; empty for word rules.
    QString matchedText;

    // The rule as it is recorded: pattern rules as a copy carrying the matched text in "value".
    SmartAddRule recordedRule() const;
    // `line` with the matched range cut out (one space left when it stood between spaces).
    QString cutFrom(const QString& line) const;
    // Where a cursor at `cursor` in the line stands after the cut.
    qsizetype cursorAfterCut(qsizetype cursor) const;
};

// Finds the first rule, in array order, whose trigger stands in the line at a place the rule
// allows. Only the first occurrence of a pattern in the line is considered. Holds the compiled
// expressions of the prefix rules it has seen, so one object serves many lines; it may be used
// from several threads.
class SmartAddMatcher
{
public:
    SmartAddMatcher() = default;
    SmartAddMatcher(const SmartAddMatcher&) = delete;
    SmartAddMatcher& operator=(const SmartAddMatcher&) = delete;

    // `withSuffix`: a trigger at the very end of the line (after a space) may match. Rules whose
    // result type is blocked, or that were applied or cancelled already, are skipped.
    SmartAddMatch checkRules(const QString& line, bool withSuffix, const QList<SmartAddRule>& rules,
                             const QList<qint64>& addedRuleTypes,
                             const QList<SmartAddRule>& addedRules,
                             const QList<SmartAddRule>& cancelledRules) const;

    // The trigger text of a rule in this line: the word, or the first match of its pattern or
    // prefix expression. Empty when the rule cannot match here.
    QString triggerText(const SmartAddRule& rule, const QString& line) const;

    enum class TextEnd { Start, End };
    struct Range
    {
        qsizetype location = 0;
        qsizetype length = 0;
    };
    // The range of `text` when `string` begins (TextEnd::Start) or ends with it, compared
    // without regard to case.
    static std::optional<Range>
    rangeOfCaseInsensitiveSearchOnString(const QString& string, const QString& text, TextEnd end);
    // The first match of an expression in the string; a null string when there is none.
    static QString substringWithRegularExpression(const QRegularExpression& expression,
                                                  const QString& string);
    // The same for a pattern text, compiled case-insensitive for this call. An invalid pattern
    // matches nothing.
    static QString substringWithRegularExpression(const QString& pattern, const QString& string);

private:
    QRegularExpression prefixExpression(const QString& prefix) const;

    mutable QMutex m_mutex;
    mutable QHash<QString, QRegularExpression> m_prefixExpressions;
};
