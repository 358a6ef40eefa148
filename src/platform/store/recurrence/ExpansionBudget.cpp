#include "platform/store/recurrence/ExpansionBudget.h"

#include <ctime>

namespace store::recurrence {

namespace {

qint64 threadNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Reading the clocks costs more than a cheap step, so they are read every few calls.
constexpr int kCallsPerClockRead = 16;

} // namespace

ExpansionBudget::ExpansionBudget()
    : m_threadStartNs(threadNanoseconds())
{
    m_elapsed.start();
}

bool ExpansionBudget::spend(qint64 steps)
{
    if (m_exhausted)
        return false;
    m_steps += steps;
    if (m_steps > kMaxSteps)
        m_exhausted = true;
    else if (++m_calls % kCallsPerClockRead == 0 || steps > 1)
        m_exhausted = threadNanoseconds() - m_threadStartNs > kMaxThreadMilliseconds * 1000000 ||
                      m_elapsed.elapsed() > kMaxElapsedMilliseconds;
    return !m_exhausted;
}

} // namespace store::recurrence
