#pragma once

#include <QElapsedTimer>

namespace store::recurrence {

// The work one rule's expansion may do. A rule that libical handles badly, or that matches
// only once in centuries, must never hold up a refresh: past any limit the expansion ends with
// what it has. Time is counted on the expanding thread's own clock: a busy machine must not
// make occurrences disappear. Elapsed time has a far limit of its own, for the rare step that
// waits instead of computing.
class ExpansionBudget
{
public:
    static constexpr qint64 kMaxSteps = 100000;
    static constexpr qint64 kMaxThreadMilliseconds = 200;
    static constexpr qint64 kMaxElapsedMilliseconds = 2000;

    // Reading the thread's clock is a system call, which costs as much as a hundred cheap
    // steps, so it is read every so many steps. A step is at most a period's days, so the time
    // between reads stays far below the limit.
    static constexpr qint64 kStepsPerClockRead = 1024;

    ExpansionBudget();

    // Spends `steps`; false once the budget is gone.
    bool spend(qint64 steps = 1)
    {
        m_steps += steps;
        if (m_steps >= m_nextCheck)
            check();
        return !m_exhausted;
    }
    bool exhausted() const { return m_exhausted; }

private:
    void check();

    QElapsedTimer m_elapsed;
    qint64 m_threadStartNs = -1; // read at the first check: most expansions never get there
    qint64 m_steps = 0;
    qint64 m_nextCheck = kStepsPerClockRead;
    bool m_exhausted = false;
};

} // namespace store::recurrence
