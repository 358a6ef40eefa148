#pragma once

#include <QDateTime>
#include <QList>

// The six-week grid of the month strip for one month: which of its 42 cells carry days of the
// month, how many week rows those days span and how tall a row is then. Plain arithmetic in the
// local time zone; cell dates are calendar days, so a cell after a daylight-saving change still
// starts at midnight.
class MonthGrid
{
public:
    static constexpr int kCellCount = 42;
    static constexpr int kColumnCount = 7;

    // `date` is any instant in the month; `sundayFirst` chooses the first day of the week.
    MonthGrid(const QDateTime& date, bool sundayFirst);

    bool sundayFirst() const { return m_sundayFirst; }
    // The start of day 1 of the month.
    QDateTime firstDay() const { return m_firstDay.startOfDay(); }
    // The start of the week that contains day 1: the date of cell 0.
    QDateTime gridStart() const { return m_gridStart.startOfDay(); }
    // The cell of day 1, from 0 to 6.
    int offset() const { return m_offset; }
    // The number of days in the month.
    int dayCount() const { return m_dayCount; }
    // The week rows the days of the month span, from 4 to 6.
    int weekRows() const { return m_weekRows; }
    int rowHeight() const { return rowHeightForWeekRows(m_weekRows); }
    static int rowHeightForWeekRows(int weekRows);

    // Cell `index` (0 to 41): its day start, whether it shows a day of this month, and that
    // day's number (0 for the days of the months before and after).
    QDateTime cellDate(int index) const;
    bool isCellVisible(int index) const;
    int dayForCell(int index) const;
    QList<QDateTime> cellDates() const;

    // The seven day starts from `weekStart` on, whose weekday names head the columns.
    static QList<QDateTime> headerDates(const QDateTime& weekStart);

private:
    bool m_sundayFirst = false;
    QDate m_firstDay;
    QDate m_gridStart;
    int m_offset = 0;
    int m_dayCount = 0;
    int m_weekRows = 0;
};
