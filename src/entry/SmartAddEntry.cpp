#include "entry/SmartAddEntry.h"

#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

SmartAddEntry::SmartAddEntry(const SmartAdd& smartAdd, QObject* parent)
    : QObject(parent)
    , m_smartAdd(smartAdd)
{}

void SmartAddEntry::setup()
{
    const bool enabled = m_smartAdd.defaults().boolForKey(PrefKey::smartAdd);
    m_rules = enabled ? m_smartAdd.rulesFromPreferences() : QList<SmartAddRule>();
    m_readsRepeats = enabled;
    reset();
}

void SmartAddEntry::reset()
{
    m_addedRules.clear();
    m_addedRuleTypes.clear();
    m_cancelledRules.clear();
    m_repeat.reset();
    m_repeatCancelled = false;
    changeDueDate(QDateTime());
    changeSmartRuleLabel();
}

void SmartAddEntry::setDueDate(const QDateTime& dueDate)
{
    changeDueDate(dueDate);
}

std::optional<SmartAddEntry::TextChange> SmartAddEntry::userEditedText(const QString& text,
                                                                       qsizetype cursorPosition)
{
    readRepeat(text);
    const SmartAddMatch match = m_smartAdd.checkRules(
        seenByRules(text), false, m_rules, m_addedRuleTypes, m_addedRules, m_cancelledRules);
    if (!match.found)
        return std::nullopt;
    const TextChange change = takeMatch(match, text, cursorPosition);
    readRepeat(change.text);
    return change;
}

void SmartAddEntry::addRule(const SmartAddRule& rule)
{
    if (SmartAddRule::setsDueDate(rule.resultType)) {
        // Without a due date yet the rule starts from none, so the preset time applies.
        changeDueDate(m_smartAdd.dateFromDate(m_dueDate, rule));
        return;
    }
    m_addedRules.append(rule);
    for (const qint64 type : SmartAddRule::groupOfResultType(rule.resultType)) {
        if (!m_addedRuleTypes.contains(type))
            m_addedRuleTypes.append(type);
    }
    changeSmartRuleLabel();
}

QString SmartAddEntry::ruleLabelText() const
{
    if (m_addedRules.isEmpty())
        return QString();
    const SmartAddRule& last = m_addedRules.constLast();
    return last.type == SmartAddRule::WordRule ? last.word : QStringLiteral("?");
}

QString SmartAddEntry::repeatLabelText() const
{
    return m_repeat ? RepeatPhraseStage::describe(m_repeat->rule) : QString();
}

void SmartAddEntry::undo()
{
    if (m_repeat && m_rulesBeforeRepeat >= m_addedRules.size()) {
        m_repeatCancelled = true;
        m_repeat.reset();
        changeSmartRuleLabel();
        return;
    }
    if (m_addedRules.isEmpty())
        return;
    const SmartAddRule last = m_addedRules.takeLast();
    m_cancelledRules.append(last);
    for (const qint64 type : SmartAddRule::groupOfResultType(last.resultType))
        m_addedRuleTypes.removeAll(type);
    changeSmartRuleLabel();
}

SmartAddEntry::Submission SmartAddEntry::submit(const QString& text)
{
    Submission submission;
    submission.text = text;
    if (text.trimmed().isEmpty())
        return submission;
    // The spaces typed last go: a trigger that waits for the word after it ("um 9" before a
    // possible "Uhr") is then last in the line and taken.
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    const QString line = text.first(end);
    readRepeat(line);
    const SmartAddMatch match = m_smartAdd.checkRules(
        seenByRules(line), true, m_rules, m_addedRuleTypes, m_addedRules, m_cancelledRules);
    if (match.found) {
        submission.text = takeMatch(match, line, line.size()).text;
        readRepeat(submission.text);
    }
    submission.title =
        (m_repeat ? RepeatPhraseStage::cut(submission.text, *m_repeat) : submission.text).trimmed();
    // A line that was nothing but a trigger leaves no title; a blank task helps nobody.
    if (submission.title.isEmpty())
        return submission;

    const SmartAddResult result =
        m_smartAdd.dictionaryFromSmartAddRules(m_addedRules, m_dueDate, std::nullopt);
    submission.accepted = true;
    submission.dueDate = m_dueDate;
    if (m_repeat) {
        submission.repeat = m_repeat->rule;
        submission.dueDate = m_smartAdd.repeats().firstDueDate(m_repeat->rule, m_dueDate);
    }
    submission.priority = result.priority;
    submission.alarm = result.alarmOn.value_or(m_smartAdd.defaults().boolForKey(PrefKey::alarmOn));
    return submission;
}

SmartAddEntry::TextChange SmartAddEntry::takeMatch(const SmartAddMatch& match, const QString& text,
                                                   qsizetype cursor)
{
    TextChange change{match.cutFrom(text), match.cursorAfterCut(cursor)};
    if (match.rule.type == SmartAddRule::PrefixRule) {
        // The whole prefix goes, not just its first character, so a two-character prefix works.
        Q_EMIT listRequested(match.matchedText.mid(match.rule.word.size()));
    } else {
        addRule(match.recordedRule());
    }
    return change;
}

void SmartAddEntry::changeDueDate(const QDateTime& dueDate)
{
    if (dueDate == m_dueDate)
        return;
    m_dueDate = dueDate;
    Q_EMIT dueDateChanged(m_dueDate);
}

void SmartAddEntry::changeSmartRuleLabel()
{
    Q_EMIT ruleLabelChanged(ruleLabelText(), canUndo());
    Q_EMIT repeatLabelChanged(repeatLabelText());
}

void SmartAddEntry::readRepeat(const QString& text)
{
    std::optional<RepeatPhrase> repeat;
    if (m_readsRepeats && !m_repeatCancelled)
        repeat = m_smartAdd.repeats().find(text);
    const bool sameRule = repeat && m_repeat && repeat->rule == m_repeat->rule;
    const bool changed = bool(repeat) != bool(m_repeat) || (repeat && !sameRule);
    if (repeat && !m_repeat)
        m_rulesBeforeRepeat = m_addedRules.size();
    m_repeat = repeat;
    if (changed)
        changeSmartRuleLabel();
}

QString SmartAddEntry::seenByRules(const QString& text) const
{
    return m_repeat ? RepeatPhraseStage::hide(text, *m_repeat) : text;
}
