#include "entry/SmartAddMatcher.h"

#include "entry/SmartAddPatterns.h"

#include <QMutexLocker>

namespace {

constexpr QChar kSpace = u' ';
// Users rarely keep more than a handful of prefix rules; the bound only stops a stream of
// ever-changing rule sets from growing the cache without end.
constexpr qsizetype kMaxCachedPrefixes = 64;

// A typed apostrophe is often the typographic one (U+2019, put in by the keyboard layout or an
// input method): "aujourd’hui" is the word "aujourd'hui". Each is one UTF-16 unit, so ranges
// found in the folded text are ranges of the typed one.
QString foldApostrophes(QString text)
{
    text.replace(u'\u2019', u'\'');
    return text;
}

bool isSkipped(const SmartAddRule& rule, const QList<qint64>& addedRuleTypes,
               const QList<SmartAddRule>& addedRules, const QList<SmartAddRule>& cancelledRules)
{
    return addedRuleTypes.contains(rule.resultType) || containsSmartAddRule(cancelledRules, rule) ||
           containsSmartAddRule(addedRules, rule);
}

} // namespace

SmartAddRule SmartAddMatch::recordedRule() const
{
    SmartAddRule recorded = rule;
    if (rule.type == SmartAddRule::PatternRule)
        recorded.value = matchedText;
    return recorded;
}

QString SmartAddMatch::cutFrom(const QString& line) const
{
    if (!found || location < 0 || length < 0 || location + length > line.size())
        return line;
    QString cut = line;
    cut.replace(location, length, betweenSpaces ? QString(kSpace) : QString());
    return cut;
}

qsizetype SmartAddMatch::cursorAfterCut(qsizetype cursor) const
{
    if (!found || cursor <= location)
        return cursor;
    const qsizetype replacement = betweenSpaces ? 1 : 0;
    if (cursor >= location + length)
        return cursor - length + replacement;
    return location + replacement;
}

SmartAddMatch SmartAddMatcher::checkRules(const QString& line, bool withSuffix,
                                          const QList<SmartAddRule>& rules,
                                          const QList<qint64>& addedRuleTypes,
                                          const QList<SmartAddRule>& addedRules,
                                          const QList<SmartAddRule>& cancelledRules) const
{
    const QString searched = foldApostrophes(line);
    for (const SmartAddRule& rule : rules) {
        if (isSkipped(rule, addedRuleTypes, addedRules, cancelledRules))
            continue;
        const QString typedTrigger = triggerText(rule, line);
        const QString trigger = foldApostrophes(typedTrigger);
        if (trigger.isEmpty())
            continue;

        const qint64 place = rule.place();
        bool found = false;
        bool betweenSpaces = false;
        QString searchText;
        qsizetype location = 0;
        // Later searches replace the range of earlier ones, so a trigger that also stands at
        // the start or the end is cut from there.
        if (place == SmartAddRule::Anywhere || place == SmartAddRule::BetweenSpaces) {
            const QString spaced = kSpace + trigger + kSpace;
            const qsizetype index = searched.indexOf(spaced, 0, Qt::CaseInsensitive);
            if (index >= 0) {
                found = betweenSpaces = true;
                searchText = line.mid(index, spaced.size());
                location = index;
            }
        }
        if (place == SmartAddRule::Anywhere || place == SmartAddRule::AtStart) {
            const QString leading = trigger + kSpace;
            if (searched.startsWith(leading, Qt::CaseInsensitive)) {
                found = true;
                searchText = line.first(leading.size());
                location = 0;
            }
        }
        if (withSuffix && (place == SmartAddRule::Anywhere || place == SmartAddRule::AtEnd)) {
            const QString trailing = kSpace + trigger;
            if (searched.endsWith(trailing, Qt::CaseInsensitive)) {
                found = true;
                searchText = line.last(trailing.size());
                location = line.size() - trailing.size();
            }
        }
        if (!found)
            continue;

        SmartAddMatch match;
        match.found = true;
        match.searchText = searchText;
        match.rule = rule;
        match.betweenSpaces = betweenSpaces;
        match.location = location;
        match.length = searchText.size();
        if (rule.type != SmartAddRule::WordRule)
            match.matchedText = typedTrigger;
        return match;
    }
    return SmartAddMatch();
}

QString SmartAddMatcher::triggerText(const SmartAddRule& rule, const QString& line) const
{
    QString trigger;
    switch (rule.type) {
    case SmartAddRule::WordRule:
        trigger = rule.word;
        break;
    case SmartAddRule::PatternRule: {
        const auto family = SmartAddPatterns::familyFromName(rule.word);
        if (!family)
            return QString();
        const bool takesPart = (rule.resultType == SmartAddRule::TimeOfDay &&
                                SmartAddPatterns::isTimeFamily(*family)) ||
                               (rule.resultType == SmartAddRule::DateFromText &&
                                SmartAddPatterns::isDateFamily(*family));
        if (!takesPart)
            return QString();
        trigger = SmartAddPatterns::firstMatch(*family, line);
        break;
    }
    case SmartAddRule::PrefixRule:
        // An empty prefix would turn every word of the line into a list name.
        if (rule.resultType != SmartAddRule::List || rule.word.isEmpty())
            return QString();
        trigger = substringWithRegularExpression(prefixExpression(rule.word), line);
        break;
    default:
        return QString();
    }
    // A blank trigger would match runs of spaces and cut them out of the title.
    if (trigger.trimmed().isEmpty())
        return QString();
    return trigger;
}

std::optional<SmartAddMatcher::Range>
SmartAddMatcher::rangeOfCaseInsensitiveSearchOnString(const QString& string, const QString& text,
                                                      TextEnd end)
{
    if (text.isEmpty())
        return std::nullopt;
    if (end == TextEnd::Start) {
        if (string.startsWith(text, Qt::CaseInsensitive))
            return Range{0, text.size()};
    } else if (string.endsWith(text, Qt::CaseInsensitive)) {
        return Range{string.size() - text.size(), text.size()};
    }
    return std::nullopt;
}

QString SmartAddMatcher::substringWithRegularExpression(const QRegularExpression& expression,
                                                        const QString& string)
{
    if (!expression.isValid())
        return QString();
    const QRegularExpressionMatch match = expression.match(string);
    return match.hasMatch() ? match.captured(0) : QString();
}

QString SmartAddMatcher::substringWithRegularExpression(const QString& pattern,
                                                        const QString& string)
{
    return substringWithRegularExpression(
        QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption), string);
}

QRegularExpression SmartAddMatcher::prefixExpression(const QString& prefix) const
{
    QMutexLocker lock(&m_mutex);
    const auto it = m_prefixExpressions.constFind(prefix);
    if (it != m_prefixExpressions.constEnd())
        return it.value();
    // The prefix is the user's literal text, never a pattern. Word characters follow Unicode so
    // that a list named "Einkäufe" is taken whole.
    QRegularExpression expression(QRegularExpression::escape(prefix) + QStringLiteral("\\w+"),
                                  QRegularExpression::CaseInsensitiveOption |
                                      QRegularExpression::UseUnicodePropertiesOption);
    expression.optimize();
    if (m_prefixExpressions.size() >= kMaxCachedPrefixes)
        m_prefixExpressions.clear();
    m_prefixExpressions.insert(prefix, expression);
    return expression;
}
