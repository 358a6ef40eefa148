#pragma once

#include "platform/store/Reminder.h"

#include <QWidget>

class QCheckBox;
class QLabel;

// The Location row: whether the task has an alarm at a place, and which. Shown read-only: the
// row never changes the task's location alarms, which every other edit keeps as they are.
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
    // The place of the first location alarm, for the row below it: its coordinates and its
    // radius.
    static QStringList placeLines(const store::Reminder& reminder);

private:
    QCheckBox* m_check = nullptr;
    QLabel* m_status = nullptr;
};
