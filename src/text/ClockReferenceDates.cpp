#include "text/ClockReferenceDates.h"

#include "platform/Clock.h"
#include "text/Global.h"

ClockReferenceDates::ClockReferenceDates(const Clock& clock)
    : m_clock(clock)
{}

QDateTime ClockReferenceDates::today() const
{
    return m_clock.now().toLocalTime().date().startOfDay();
}

QDateTime ClockReferenceDates::thisWeekDate() const
{
    return Global::calculateStartingDayOfTheWeekOnDate(today());
}

QDateTime ClockReferenceDates::thisMonthDate() const
{
    return Global::calculateStartingDayOfTheMonthOnDate(today());
}
