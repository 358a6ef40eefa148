#pragma once

#include <QWidget>

class DataManager;

// A strip of day cells (the week's or the month's) that takes the keyboard: reached with Tab,
// the arrow keys move the selected day (DateDayView), and the selected day carries the focus
// ring while the strip has the keyboard.
class DateStripView : public QWidget
{
    Q_OBJECT

public:
    DateStripView(DataManager& manager, QWidget* parent);

    // Every cell re-checks today and the selected day and redraws.
    virtual void refreshDays() = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    DataManager& m_manager;
};
