#include "ui/main/strip/MonthDateDayView.h"

namespace {

DateDayView::Metrics monthMetrics()
{
    DateDayView::Metrics metrics;
    metrics.dayNumberPointSize = 13;
    metrics.dotSize = 6;
    metrics.dotsHeight = 6;
    metrics.maxDiscSize = 26;
    metrics.selectedImage = QStringLiteral("MonthSelected");
    metrics.reminderDotImage = QStringLiteral("SmallDotMonth");
    metrics.eventDotImage = QStringLiteral("SmallDotMonth2");
    return metrics;
}

} // namespace

MonthDateDayView::MonthDateDayView(DataManager& manager, ModeManager& mode, QWidget* parent)
    : DateDayView(manager, mode, monthMetrics(), parent)
{}
