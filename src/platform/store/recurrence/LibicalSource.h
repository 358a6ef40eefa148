#pragma once

#include "platform/store/recurrence/OccurrenceSource.h"
#include "platform/store/recurrence/RuleParts.h"

#include <QtGlobal>

struct icalrecur_iterator_impl;

namespace store::recurrence {

// libical's iterator over one rule, on the wall clock. Each instance owns its iterator, so
// several threads may expand at once. COUNT is left to the caller; the horizon becomes the
// iterator's UNTIL, which is what bounds libical's search inside a single step.
class LibicalSource : public OccurrenceSource
{
public:
    // `rule` must be normalized. `resumeAt` (rules without COUNT only) moves the iterator
    // forward without walking every step before it.
    LibicalSource(const RuleParts& rule, const WallTime& start,
                  const std::optional<WallTime>& resumeAt, const std::optional<WallTime>& horizon);
    ~LibicalSource() override;
    Q_DISABLE_COPY_MOVE(LibicalSource)

    // False when libical refused the rule or a list did not fit its arrays.
    bool isValid() const { return m_iterator != nullptr; }
    std::optional<WallTime> next() override;

private:
    icalrecur_iterator_impl* m_iterator = nullptr;
};

} // namespace store::recurrence
