#pragma once

#include <QtGlobal>

#include <limits>

namespace store {

// When a file's events can happen at all, as instants in milliseconds: every occurrence
// starts at `first` or later and ends by `last`. Kept with the file's entry in the parse
// cache, so that a question about a few days reads only the files that may answer it. A file
// with a repeating event may happen at any time; one without a placed event never does.
struct EventSpan
{
    qint64 first = std::numeric_limits<qint64>::min();
    qint64 last = std::numeric_limits<qint64>::max();

    static EventSpan always() { return {}; }
    static EventSpan never()
    {
        return {std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::min()};
    }
    // Whether an occurrence may overlap [from, to) as the event query counts overlap: an
    // occurrence of no length at `from` counts, one ending at `from` does not.
    bool mayOverlap(qint64 from, qint64 to) const { return first < to && last >= from; }
    void include(qint64 start, qint64 end)
    {
        first = qMin(first, qMin(start, end));
        last = qMax(last, qMax(start, end));
    }
    bool operator==(const EventSpan&) const = default;
};

} // namespace store
