#pragma once

#include "platform/store/recurrence/OccurrenceSource.h"
#include "platform/store/recurrence/RuleParts.h"

#include <QtGlobal>

struct icalrecur_iterator_impl;

namespace store::recurrence {

// libical's iterator over one rule, on the wall clock: a second opinion on our own expansion,
// which the tests compare with it. Each instance owns its iterator, so several threads may
// expand at once. COUNT is left to the caller; the horizon becomes the iterator's UNTIL, which
// is what bounds libical's search inside a single step. This is the only place that creates a
// libical iterator, and it creates none for a rule that accepts() refuses.
class LibicalSource : public OccurrenceSource
{
public:
    // Whether libical 3.0.16 may be handed the rule at all. It crashes on some BYWEEKNO lists
    // (FREQ=YEARLY;BYWEEKNO=02,010,42 inside icalrecur_iterator_next), and it searches for seconds
    // or minutes inside a single call for a date that never comes: in a rule no day can
    // satisfy, already while creating the iterator, and in a sub-daily rule without a near
    // UNTIL. `rule` must be normalized.
    static bool accepts(const RuleParts& rule, const WallTime& start,
                        const std::optional<WallTime>& horizon);

    // `rule` must be normalized. `resumeAt` (rules without COUNT only) moves the iterator
    // forward without walking every step before it.
    LibicalSource(const RuleParts& rule, const WallTime& start,
                  const std::optional<WallTime>& resumeAt, const std::optional<WallTime>& horizon);
    ~LibicalSource() override;
    Q_DISABLE_COPY_MOVE(LibicalSource)

    // False when accepts() or libical refused the rule, or a list did not fit its arrays.
    bool isValid() const { return m_iterator != nullptr; }
    std::optional<WallTime> next() override;

private:
    icalrecur_iterator_impl* m_iterator = nullptr;
};

} // namespace store::recurrence
