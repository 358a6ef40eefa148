#pragma once

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
// button; the undo button calls undo(); the chooser's own edits call setDueDate().
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
    };

    explicit SmartAddEntry(const SmartAdd& smartAdd, QObject* parent = nullptr);

    // Reads "smartAdd" and "smartAddRules" (no rules while Smart Add is off), then reset().
    void setup();
    // Empties the recorded, blocked and cancelled rules, the label and the due date; the rules
    // read at setup stay.
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
    bool canUndo() const { return !m_addedRules.isEmpty(); }
    // Cancels the last recorded rule for the rest of this entry; the cut words stay cut.
    void undo();

    // Adding the task: one more match with the end allowed, so a trigger typed last is taken.
    // The caller adds nothing when its list chooser holds no list.
    Submission submit(const QString& text);

Q_SIGNALS:
    void dueDateChanged(const QDateTime& dueDate);
    // A prefix rule named a list: the view selects the list that name resolves to.
    void listRequested(const QString& listName);
    void ruleLabelChanged(const QString& text, bool undoVisible);

private:
    TextChange takeMatch(const SmartAddMatch& match, const QString& text, qsizetype cursor);
    void changeDueDate(const QDateTime& dueDate);
    void changeSmartRuleLabel();

    const SmartAdd& m_smartAdd;
    QList<SmartAddRule> m_rules;
    QList<SmartAddRule> m_addedRules;
    QList<qint64> m_addedRuleTypes;
    QList<SmartAddRule> m_cancelledRules;
    QDateTime m_dueDate;
};
