#pragma once

#include <QListView>

class ListRowActions;

// A list whose rows a screen reader finds as items of their own (ListViewAccessible): named and
// described by the model's accessible texts, in the role the model gives them, so that a blank
// spacer or a divider reads as a separator instead of an unnamed item, with the model's check
// state, and with the actions of the list's owner instead of Qt's lone "Toggle".
class AccessibleListView : public QListView
{
    Q_OBJECT

public:
    // Model role: a row's QAccessible::Role as an int; a row without one is a list item, or a
    // check box when it has a check state.
    static constexpr int AccessibleRowRole = Qt::UserRole + 0x0A11;
    // Model role: for a row that shows or hides rows below it, whether they are shown.
    static constexpr int AccessibleExpandedRole = Qt::UserRole + 0x0A12;

    explicit AccessibleListView(QWidget* parent = nullptr);

    // May stay null: the rows can then only be selected.
    void setRowActions(ListRowActions* actions) { m_rowActions = actions; }
    ListRowActions* rowActions() const { return m_rowActions; }

    // Tells assistive technology that the row's check state changed.
    void announceRowCheckedChange(int row);

private:
    ListRowActions* m_rowActions = nullptr;
};
