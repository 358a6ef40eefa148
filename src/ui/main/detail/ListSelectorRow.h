#pragma once

#include "platform/store/Calendar.h"

#include <QWidget>

class QComboBox;

// The list selector: the visible lists in the user's order, each with its colour dot. A task
// in a list that is not among them sees that list added at the end, so that the selector
// always names the task's own list.
class ListSelectorRow : public QWidget
{
    Q_OBJECT

public:
    explicit ListSelectorRow(QWidget* parent = nullptr);

    QComboBox* comboBox() const { return m_combo; }
    QList<store::CalendarPtr> lists() const { return m_lists; }
    // Fills the items and selects the task's list.
    void setLists(const QList<store::CalendarPtr>& visible, const store::CalendarPtr& own,
                  const QString& defaultListIdentifier, const QColor& textColor);

Q_SIGNALS:
    // The user chose a list.
    void chosen(const store::CalendarPtr& list);

private:
    QComboBox* m_combo = nullptr;
    QList<store::CalendarPtr> m_lists;
};
