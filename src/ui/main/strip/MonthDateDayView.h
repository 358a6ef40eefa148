#pragma once

#include "ui/main/strip/DateDayView.h"

// A day of the month grid: a small day number and dots 6 points wide.
class MonthDateDayView : public DateDayView
{
    Q_OBJECT

public:
    MonthDateDayView(DataManager& manager, ModeManager& mode, QWidget* parent = nullptr);
};
