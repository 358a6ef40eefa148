#pragma once

#include "data/views/CalendarDot.h"
#include "ui/main/strip/DateStripView.h"

#include <QDateTime>
#include <QList>

class ModeManager;
class WeekDateDayView;

// The week strip: seven day cells side by side, from the first day of the week shown.
class WeekDateView : public DateStripView
{
    Q_OBJECT

public:
    static constexpr int kHeight = 64;

    // Starts on the data manager's current week.
    WeekDateView(DataManager& manager, ModeManager& mode, QWidget* parent = nullptr);

    // The cells in day order.
    const QList<WeekDateDayView*>& daysViewArray() const { return m_days; }

    // `weekStart` is the first day of a week; cell i shows the day i days later.
    void reloadDaysWithDate(const QDateTime& weekStart);
    // Every cell re-checks today and the selected day and redraws.
    void refreshDays() override;
    // Cell i gets the dots under key i + 1; a day without an entry loses its dots.
    void addCalendarDots(const CalendarDots& dots);
    // New fonts and colours after an appearance change.
    void resetAppearance();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutDays();

    QList<WeekDateDayView*> m_days;
};
