#include "data/views/MonthGrid.h"

#include "text/Global.h"

MonthGrid::MonthGrid(const QDateTime& date, bool sundayFirst)
    : m_sundayFirst(sundayFirst)
{
    const QDate day = date.toLocalTime().date();
    m_firstDay = QDate(day.year(), day.month(), 1);
    m_gridStart =
        Global::calculateStartingDayOfTheWeekOnDate(m_firstDay.startOfDay(), sundayFirst).date();
    m_offset = int(m_gridStart.daysTo(m_firstDay));
    m_dayCount = m_firstDay.daysInMonth();

    // Every further day that opens a week opens a new row.
    const int firstWeekday = sundayFirst ? 7 : 1;
    m_weekRows = 1;
    for (int dayNumber = 2; dayNumber <= m_dayCount; ++dayNumber) {
        if (m_firstDay.addDays(dayNumber - 1).dayOfWeek() == firstWeekday)
            ++m_weekRows;
    }
}

int MonthGrid::rowHeightForWeekRows(int weekRows)
{
    // Fewer rows get taller ones so that the grid fills the strip either way.
    if (weekRows == 6)
        return 28;
    if (weekRows == 4)
        return 40;
    return 34;
}

QDateTime MonthGrid::cellDate(int index) const
{
    if (index < 0 || index >= kCellCount)
        return {};
    return m_gridStart.addDays(index).startOfDay();
}

bool MonthGrid::isCellVisible(int index) const
{
    return index >= m_offset && index < m_offset + m_dayCount;
}

int MonthGrid::dayForCell(int index) const
{
    return isCellVisible(index) ? index - m_offset + 1 : 0;
}

QList<QDateTime> MonthGrid::cellDates() const
{
    QList<QDateTime> dates;
    dates.reserve(kCellCount);
    for (int index = 0; index < kCellCount; ++index)
        dates.append(cellDate(index));
    return dates;
}

QList<QDateTime> MonthGrid::headerDates(const QDateTime& weekStart)
{
    const QDate first = weekStart.toLocalTime().date();
    QList<QDateTime> dates;
    for (int column = 0; column < kColumnCount; ++column)
        dates.append(first.addDays(column).startOfDay());
    return dates;
}
