#pragma once

#include "data/QuickAction.h"

#include "ui/prefs/SignedAmountRow.h"

#include <QDialog>
#include <QList>

#include <optional>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The sheet that adds or changes one quick action: its kind and that kind's parameters (a date
// shift, a tag, up to three switch words). It only collects; the tab stores the record.
class QuickActionSheet : public QDialog
{
    Q_OBJECT

public:
    // The kinds of the pop-up, in order.
    enum Kind { ClearDueDate, Today, Now, Tag, DueDate, Switch, After, KindCount };

    explicit QuickActionSheet(QWidget* parent = nullptr);

    // A new action: "Clear Due Date", "+", 1, "Minutes"; the done button reads "Add".
    void setupAdd();
    // The action's own values; the done button reads "Edit".
    void setupEdit(const QuickAction& action);
    // The user chose a kind: its view, with "#" put into its empty word fields.
    void setKind(int kind);
    // The number field as a whole number; 0 (empty, not a number) becomes 1.
    // The record the sheet makes; none when a tag or switch has no usable word.
    std::optional<QuickAction> record();

    QComboBox* kindChooser() const { return m_kind; }
    QLabel* emptyText() const { return m_empty; }
    QWidget* dateView() const { return m_amount; }
    QWidget* tagView() const { return m_tagView; }
    QWidget* switchView() const { return m_switchView; }
    QAbstractButton* signButton(int index) const { return m_amount->signButton(index); }
    QLineEdit* numberField() const { return m_amount->numberField(); }
    QAbstractButton* unitButton(int index) const { return m_amount->unitButton(index); }
    QLineEdit* tagField() const { return m_tag; }
    QLineEdit* switchField(int index) const { return m_switchFields.value(index); }
    QPushButton* doneButton() const { return m_done; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    void showKind(int kind);

    QComboBox* m_kind;
    QLabel* m_empty;
    SignedAmountRow* m_amount;
    QWidget* m_tagView;
    QWidget* m_switchView;
    QLineEdit* m_tag;
    QList<QLineEdit*> m_switchFields;
    QPushButton* m_done;
    QPushButton* m_cancel;
};
