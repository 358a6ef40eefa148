#pragma once

#include <QDateTime>
#include <QWidget>

class DataManager;
class DateDayView;

// A strip of day cells (the week's or the month's) that takes the keyboard: reached with Tab,
// the arrow keys move the selected day (DateDayView), and the selected day carries the focus
// ring while the strip has the keyboard. A screen reader finds the days as the strip's items
// (DateStripAccessible) and hears the selected one take the focus.
class DateStripView : public QWidget
{
    Q_OBJECT

public:
    DateStripView(DataManager& manager, QWidget* parent);

    // Every cell re-checks today and the selected day and redraws.
    virtual void refreshDays() = 0;
    // The shown cell of the selected day; null when the strip does not show it.
    DateDayView* selectedDay() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // While the strip has the keyboard, tells assistive technology that the focus is on the
    // newly selected day; the cells of another week or month may only come with a refresh,
    // hence every refresh asks.
    void announceSelectedDay();

    DataManager& m_manager;

private:
    QDateTime m_announcedDate;
};
