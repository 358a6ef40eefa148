#pragma once

#include "platform/store/Reminder.h"

#include <QWidget>

class QCheckBox;
class QLabel;

// The Location row: whether the task has an alarm at a place, and which. Its check box opens
// the pop-over that adds one, or removes them all; every other edit keeps them as they are.
class LocationRow : public QWidget
{
    Q_OBJECT

public:
    explicit LocationRow(QWidget* parent = nullptr);

    QCheckBox* checkBox() const { return m_check; }
    QLabel* statusLabel() const { return m_status; }
    void showReminder(const store::Reminder& reminder);

    // "When I arrive... Office" for the last location alarm; "No Location" without one.
    static QString statusText(const store::Reminder& reminder);

Q_SIGNALS:
    // The user clicked the check box; `checked` is its new state.
    void checkClicked(bool checked);

private:
    QCheckBox* m_check = nullptr;
    QLabel* m_status = nullptr;
};
