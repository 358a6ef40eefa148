#pragma once

#include <QWidget>

class DateFormatters;
class DatePickerButton;
class QCheckBox;
class QLabel;
class QMenu;
class QToolButton;

// A row with a check box, a status text and a date picker: the due date, the completion date
// and the alarm. The check box switches the date on and off; the status text stands where the
// picker is hidden ("No Due Date"). The alarm row adds a menu of offsets from the due date.
class CheckDateRow : public QWidget
{
    Q_OBJECT

public:
    CheckDateRow(const DateFormatters& formatters, const QString& accessibleName,
                 QWidget* parent = nullptr);

    QCheckBox* checkBox() const { return m_check; }
    DatePickerButton* picker() const { return m_picker; }
    QLabel* statusLabel() const { return m_status; }
    // The offsets button, made on first use.
    QToolButton* offsetButton();

    void setRowFont(const QFont& font);
    // Checked: the picker shows `date`; unchecked: the status text.
    void setState(bool checked, const QDateTime& date, const QString& statusText);

Q_SIGNALS:
    // The user switched the check box.
    void checkChanged(bool checked);
    void pickerDismissed();

private:
    QCheckBox* m_check = nullptr;
    QLabel* m_status = nullptr;
    DatePickerButton* m_picker = nullptr;
    QToolButton* m_offsets = nullptr;
};
