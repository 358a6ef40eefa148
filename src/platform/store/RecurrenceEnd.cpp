#include "platform/store/RecurrenceRule.h"

namespace store {

RecurrenceEnd RecurrenceEnd::withEndDate(const QDateTime& date)
{
    RecurrenceEnd end;
    end.endDate = date;
    return end;
}

RecurrenceEnd RecurrenceEnd::withOccurrenceCount(int count)
{
    RecurrenceEnd end;
    end.occurrenceCount = count;
    return end;
}

} // namespace store
