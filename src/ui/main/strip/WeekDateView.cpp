#include "ui/main/strip/WeekDateView.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "ui/main/strip/WeekDateDayView.h"

WeekDateView::WeekDateView(DataManager& manager, ModeManager& mode, QWidget* parent)
    : DateStripView(manager, parent)
{
    setFixedHeight(kHeight);
    setAccessibleName(tr("Week"));
    setMinimumWidth(7 * DateDayView::kMinWidth);
    for (int index = 0; index < 7; ++index)
        m_days.append(new WeekDateDayView(manager, mode, this));
    reloadDaysWithDate(manager.dates().thisWeekDate());
    layoutDays();
    // The disc follows a click at once instead of waiting for the refetch the click starts.
    connect(&manager.dates(), &SharedDates::selectedDateChanged, this, &WeekDateView::refreshDays);
}

void WeekDateView::reloadDaysWithDate(const QDateTime& weekStart)
{
    const QDate first = weekStart.toLocalTime().date();
    for (int index = 0; index < m_days.size(); ++index)
        m_days.at(index)->reloadDayWithDate(first.addDays(index).startOfDay());
}

void WeekDateView::refreshDays()
{
    for (WeekDateDayView* day : std::as_const(m_days))
        day->refreshViewWithCheck();
    announceSelectedDay();
}

void WeekDateView::addCalendarDots(const CalendarDots& dots)
{
    for (int index = 0; index < m_days.size(); ++index)
        m_days.at(index)->addCalendarDots(dots.value(index + 1));
}

void WeekDateView::resetAppearance()
{
    for (WeekDateDayView* day : std::as_const(m_days))
        day->resetAppearance();
    update();
}

QSize WeekDateView::sizeHint() const
{
    return QSize(7 * 60, kHeight);
}

QSize WeekDateView::minimumSizeHint() const
{
    return QSize(7 * DateDayView::kMinWidth, kHeight);
}

void WeekDateView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutDays();
}

void WeekDateView::layoutDays()
{
    for (int index = 0; index < m_days.size(); ++index) {
        const int left = DateDayView::columnLeft(index, width());
        const int right = DateDayView::columnLeft(index + 1, width());
        m_days.at(index)->setGeometry(left, 0, right - left, kHeight);
    }
}
