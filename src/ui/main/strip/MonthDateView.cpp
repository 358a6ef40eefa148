#include "ui/main/strip/MonthDateView.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "text/DateFormatters.h"
#include "ui/main/strip/MonthDateDayView.h"

#include <QPainter>

MonthDateView::MonthDateView(DataManager& manager, ModeManager& mode, QWidget* parent)
    : DateStripView(manager, parent)
    , m_mode(mode)
    , m_grid(manager.dates().thisMonthDate(), manager.defaults().boolForKey(PrefKey::sundayFirst))
{
    setFixedHeight(kHeight);
    setAccessibleName(tr("Month"));
    setMinimumWidth(7 * DateDayView::kMinWidth);
    for (int index = 0; index < MonthGrid::kCellCount; ++index)
        m_days.append(new MonthDateDayView(manager, mode, this));
    m_headerFont = m_mode.fontWithSize(12);
    reloadDaysWithDate(manager.dates().thisMonthDate());
    // The disc follows a click at once instead of waiting for the refetch the click starts.
    connect(&manager.dates(), &SharedDates::selectedDateChanged, this, &MonthDateView::refreshDays);
}

void MonthDateView::reloadDaysWithDate(const QDateTime& date)
{
    m_grid = MonthGrid(date, m_manager.defaults().boolForKey(PrefKey::sundayFirst));

    // The names come from the grid's own first week rather than from the data manager's
    // current week, so that header and columns agree even in the moment between a change of
    // the first weekday and the data manager's move of its week.
    m_weekdayNames.clear();
    const DateFormatter& weekday = m_manager.formatters().weekdayFormatter();
    for (const QDateTime& day : MonthGrid::headerDates(m_grid.gridStart()))
        m_weekdayNames.append(weekday.stringFromDate(day));

    for (int index = 0; index < m_days.size(); ++index) {
        MonthDateDayView* day = m_days.at(index);
        day->reloadDayWithDate(m_grid.cellDate(index));
        day->setVisible(m_grid.isCellVisible(index));
    }
    layoutDays();
    update();
}

void MonthDateView::refreshDays()
{
    for (MonthDateDayView* day : std::as_const(m_days))
        day->refreshViewWithCheck();
    announceSelectedDay();
}

void MonthDateView::addCalendarDots(const CalendarDots& dots)
{
    int dayNumber = 0;
    for (MonthDateDayView* day : std::as_const(m_days)) {
        if (day->isHidden()) {
            day->addCalendarDots({});
            continue;
        }
        day->addCalendarDots(dots.value(++dayNumber));
    }
}

void MonthDateView::resetAppearance()
{
    m_headerFont = m_mode.fontWithSize(12);
    for (MonthDateDayView* day : std::as_const(m_days))
        day->resetAppearance();
    update();
}

QSize MonthDateView::sizeHint() const
{
    return QSize(7 * 60, kHeight);
}

QSize MonthDateView::minimumSizeHint() const
{
    return QSize(7 * DateDayView::kMinWidth, kHeight);
}

void MonthDateView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(m_headerFont);
    painter.setPen(m_mode.subTextColor());
    for (int column = 0; column < m_weekdayNames.size(); ++column) {
        const int left = DateDayView::columnLeft(column, width());
        const int right = DateDayView::columnLeft(column + 1, width());
        painter.drawText(QRect(left, kHeaderLabelTop, right - left, kHeaderLabelHeight),
                         Qt::AlignCenter, m_weekdayNames.at(column));
    }
}

void MonthDateView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutDays();
}

void MonthDateView::layoutDays()
{
    const int rowHeight = m_grid.rowHeight();
    // Six rows of 28 are shorter than a cell; the cells shrink to their row so that a day's
    // dots never reach into the disc of the day below.
    const int cellHeight = qMin(kCellHeight, rowHeight);
    for (int index = 0; index < m_days.size(); ++index) {
        const int column = index % MonthGrid::kColumnCount;
        const int row = index / MonthGrid::kColumnCount;
        const int left = DateDayView::columnLeft(column, width());
        const int right = DateDayView::columnLeft(column + 1, width());
        m_days.at(index)->setGeometry(left, kHeaderHeight + row * rowHeight, right - left,
                                      cellHeight);
    }
}
