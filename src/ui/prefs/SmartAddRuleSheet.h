#pragma once

#include "entry/SmartAddSettings.h"

#include "ui/prefs/SignedAmountRow.h"

#include <QDialog>
#include <QList>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

// The sheet that adds or changes one of the user's Smart Add rules: the word, what it sets
// (a date some days ahead, a time, the alarm, a weekday) and that choice's inputs. It only
// collects; the tab checks the word and stores the rule when the sheet is accepted.
class SmartAddRuleSheet : public QDialog
{
    Q_OBJECT

public:
    explicit SmartAddRuleSheet(QWidget* parent = nullptr);

    // A new rule: "Due Date", "+", 0, "Days"; the done button reads "Add".
    void setupNew();
    // The rule's own values; the done button reads "Edit".
    void setupEdit(const SmartAddRule& rule);

    QString word() const;
    SmartAddRuleChoice choice() const;
    void setKind(int kind);
    // The number field's text as a whole number ("3x" is 3, a text without one 0).

    QLineEdit* wordField() const { return m_word; }
    QComboBox* kindChooser() const { return m_kind; }
    void normaliseNumber() { m_amount->normalise(); }
    QAbstractButton* signButton(int index) const { return m_amount->signButton(index); }
    QLineEdit* numberField() const { return m_amount->numberField(); }
    QAbstractButton* unitButton(int index) const { return m_amount->unitButton(index); }
    QTimeEdit* timePicker() const { return m_time; }
    QLabel* emptyText() const { return m_empty; }
    QWidget* dateInputs() const { return m_amount; }
    QPushButton* doneButton() const { return m_done; }
    QPushButton* cancelButton() const { return m_cancel; }

Q_SIGNALS:
    // The done button: the tab stores the rule and closes the sheet, or refuses the word.
    void doneRequested();

private:
    QLineEdit* m_word;
    QComboBox* m_kind;
    SignedAmountRow* m_amount;
    QTimeEdit* m_time;
    QLabel* m_empty;
    QPushButton* m_done;
    QPushButton* m_cancel;
};
