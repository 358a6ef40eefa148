#include "ui/main/strip/WeekDateDayView.h"

namespace {

DateDayView::Metrics weekMetrics()
{
    DateDayView::Metrics metrics;
    metrics.dayNumberPointSize = 20;
    metrics.weekdayPointSize = 12;
    metrics.weekdayHeight = 16;
    metrics.dotSize = 8;
    metrics.dotsHeight = 9;
    metrics.maxDiscSize = 36;
    metrics.selectedImage = QStringLiteral("DaySelected");
    metrics.reminderDotImage = QStringLiteral("SmallDotWeek");
    metrics.eventDotImage = QStringLiteral("SmallDotWeek2");
    return metrics;
}

} // namespace

WeekDateDayView::WeekDateDayView(DataManager& manager, ModeManager& mode, QWidget* parent)
    : DateDayView(manager, mode, weekMetrics(), parent)
{}
