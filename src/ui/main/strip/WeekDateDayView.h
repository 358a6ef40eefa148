#pragma once

#include "ui/main/strip/DateDayView.h"

// A day of the week strip: the weekday name above a large day number, dots 8 points wide.
class WeekDateDayView : public DateDayView
{
    Q_OBJECT

public:
    WeekDateDayView(DataManager& manager, ModeManager& mode, QWidget* parent = nullptr);
};
