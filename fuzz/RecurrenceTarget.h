#pragma once

#include "FuzzTarget.h"

// A recurring series written as content lines, one per line: DTSTART (with TZID or
// VALUE=DATE), an RRULE, RDATE and EXDATE lists, and WINDOW:from/to and LIMIT:n for
// the range asked. Any other line is skipped, so the rule tables of the tests serve as seeds.
// Expansion must return within its time budget, with distinct instances in ascending order,
// inside the window and no more than asked for.
class RecurrenceTarget : public FuzzTarget
{
public:
    RecurrenceTarget();
    QStringList run(QByteArrayView input) override;
};
