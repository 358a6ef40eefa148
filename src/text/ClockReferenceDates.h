#pragma once

#include "text/ReferenceDates.h"

class Clock;

// Reference dates taken from a clock at every call: what the texts are measured against before
// the data manager exists (start-up, the command-line front end) and in tests that move time.
// The week start follows the "sundayFirst" preference of the moment.
class ClockReferenceDates : public ReferenceDates
{
public:
    explicit ClockReferenceDates(const Clock& clock);

    QDateTime today() const override;
    QDateTime thisWeekDate() const override;
    QDateTime thisMonthDate() const override;

private:
    const Clock& m_clock;
};
