#pragma once

#include "platform/store/recurrence/SeriesFrame.h"

#include <optional>

namespace store::recurrence {

// Yields the wall times one rule generates, ascending, from the series start on; nullopt at
// the end of the rule or of the horizon it was given.
class OccurrenceSource
{
public:
    virtual ~OccurrenceSource() = default;
    virtual std::optional<WallTime> next() = 0;
};

} // namespace store::recurrence
