#pragma once

#include "entry/RepeatPhraseStage.h"
#include "entry/SmartAdd.h"

#include <QDateTime>
#include <QObject>

// The Smart Add state of one quick-add field (the quick-add window's title field, the tray
// panel's entry). The field forwards the user's edits; the entry answers with the text the field
// should show, moves the due date, records priority and alarm rules for the label and its undo
// button, and assembles the task when the user adds it. Widget-free, so both views stay thin.
//
// A view follows it like this: on QLineEdit::textEdited call userEditedText() and, when a change
// comes back, set the text and cursor with the field's signals blocked (a programmatic change
// never starts another match); show dueDateChanged in the date chooser (an invalid date hides
// it); select the list named by listRequested; show ruleLabelChanged in the label and its undo
// button and repeatLabelChanged beside it; the undo button calls undo(); the chooser's own edits
// call setDueDate().
//
// A repeat phrase is read from the whole text at every edit and stays in the field until the
// task is added, so "every Mon" can still grow into "every Mon and Thu until 31 Dec".
class SmartAddEntry : public QObject
{
    Q_OBJECT

public:
    struct TextChange
    {
        QString text;
        qsizetype cursorPosition = 0;
    };

    // What adding the task takes. `accepted` is false when nothing is to be added (the text, or
    // what is left of it once the last trigger is cut, is blank); `text` is then still the
    // field's new text.
    struct Submission
    {
        bool accepted = false;
        QString text;
        QString title;
        // Invalid: no due date.
        QDateTime dueDate;
        // 1 high, 2 medium, 3 low (SmartAddResult::storePriority maps it for the store).
        std::optional<int> priority;
        bool alarm = false;
        // The repeat a phrase named; the due date is then its first day.
        std::optional<store::RecurrenceRule> repeat;
    };

    explicit SmartAddEntry(const SmartAdd& smartAdd, QObject* parent = nullptr);

    // Reads "smartAdd" and "smartAddRules" (no rules while Smart Add is off) and whether repeats
    // are read ("smartAddRepeats", and Smart Add on), then reset().
    void setup();
    // Empties the recorded, blocked and cancelled rules, the repeat, the labels and the due date;
    // the rules read at setup stay.
    void reset();

    bool isEnabled() const { return !m_rules.isEmpty(); }
    const QList<SmartAddRule>& rules() const { return m_rules; }
    // addedRulesArray, addedRulesTypeArray, cancelledRulesArray.
    const QList<SmartAddRule>& addedRules() const { return m_addedRules; }
    const QList<qint64>& addedRuleTypes() const { return m_addedRuleTypes; }
    const QList<SmartAddRule>& cancelledRules() const { return m_cancelledRules; }

    // The field's due date; invalid while the field has none (the chooser is hidden).
    QDateTime dueDate() const { return m_dueDate; }
    bool hasDueDate() const { return m_dueDate.isValid(); }
    // The chooser's own changes (a picked date, "No Due Date", clearing): an invalid date
    // removes the due date.
    void setDueDate(const QDateTime& dueDate);

    // After every change of the text by the user: takes at most one trigger, with the end of the
    // line not allowed (the user may still be typing the word). Nothing when no trigger matched.
    std::optional<TextChange> userEditedText(const QString& text, qsizetype cursorPosition);

    // Date and time rules move the due date at once; any other rule is recorded and blocks its
    // group until undone.
    void addRule(const SmartAddRule& rule);

    // The label: the word of the last recorded word rule, "?" for another kind, empty when
    // nothing is recorded.
    QString ruleLabelText() const;
    // The repeat the text names now, if any.
    const std::optional<RepeatPhrase>& repeat() const { return m_repeat; }
    // The label beside the rule label: the repeat in words, empty without one.
    QString repeatLabelText() const;
    bool canUndo() const { return !m_addedRules.isEmpty() || m_repeat; }
    // Cancels what came last: the repeat, which is then read no more in this entry and whose
    // words stay in the title as typed, or the last recorded rule, cancelled for the rest of
    // this entry (its cut words stay cut).
    void undo();

    // Adding the task: one more match with the end allowed, so a trigger typed last is taken.
    // The caller adds nothing when its list chooser holds no list.
    Submission submit(const QString& text);

Q_SIGNALS:
    void dueDateChanged(const QDateTime& dueDate);
    // A prefix rule named a list: the view selects the list that name resolves to.
    void listRequested(const QString& listName);
    void ruleLabelChanged(const QString& text, bool undoVisible);
    void repeatLabelChanged(const QString& text);

private:
    TextChange takeMatch(const SmartAddMatch& match, const QString& text, qsizetype cursor);
    void changeDueDate(const QDateTime& dueDate);
    void changeSmartRuleLabel();
    void readRepeat(const QString& text);
    QString seenByRules(const QString& text) const;

    const SmartAdd& m_smartAdd;
    QList<SmartAddRule> m_rules;
    QList<SmartAddRule> m_addedRules;
    QList<qint64> m_addedRuleTypes;
    QList<SmartAddRule> m_cancelledRules;
    QDateTime m_dueDate;
    bool m_readsRepeats = false;
    bool m_repeatCancelled = false;
    std::optional<RepeatPhrase> m_repeat;
    // How many rules were recorded when the repeat appeared: undo takes whichever came last.
    qsizetype m_rulesBeforeRepeat = 0;
};
