#pragma once

#include "data/views/CalendarDot.h"
#include "data/views/MonthGrid.h"
#include "ui/main/strip/DateStripView.h"

#include <QDateTime>
#include <QFont>
#include <QList>
#include <QStringList>

class ModeManager;
class MonthDateDayView;

// The month strip: a header of weekday names over a grid of 42 day cells (six weeks), of which
// only the days of the month shown are visible; the rows grow taller when the month spans fewer
// weeks.
class MonthDateView : public DateStripView
{
    Q_OBJECT

public:
    static constexpr int kHeight = 200;
    static constexpr int kHeaderHeight = 24;
    static constexpr int kHeaderLabelTop = 4;
    static constexpr int kHeaderLabelHeight = 20;
    static constexpr int kCellHeight = 33;

    // Starts on the data manager's current month.
    MonthDateView(DataManager& manager, ModeManager& mode, QWidget* parent = nullptr);

    // The 42 cells, row by row.
    const QList<MonthDateDayView*>& daysViewArray() const { return m_days; }
    // The month shown and how its grid is laid out.
    const MonthGrid& grid() const { return m_grid; }
    bool sundayFirst() const { return m_grid.sundayFirst(); }
    // The weekday names of the header, first column first.
    QStringList weekdayNames() const { return m_weekdayNames; }

    // Shows the month of `date` (any day in it), with the first weekday as the preferences say
    // now.
    void reloadDaysWithDate(const QDateTime& date);
    // Every cell re-checks today and the selected day and redraws.
    void refreshDays() override;
    // The n-th visible cell (day n of the month) gets the dots under key n.
    void addCalendarDots(const CalendarDots& dots);
    // New fonts and colours after an appearance change.
    void resetAppearance();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutDays();

    ModeManager& m_mode;
    QList<MonthDateDayView*> m_days;
    MonthGrid m_grid;
    QStringList m_weekdayNames;
    QFont m_headerFont;
};
