#include "platform/store/recurrence/ExpansionBudget.h"

#include <ctime>
#include <limits>

namespace store::recurrence {

namespace {

qint64 threadNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

ExpansionBudget::ExpansionBudget()
{
    m_elapsed.start();
}

void ExpansionBudget::check()
{
    if (m_exhausted || m_steps > kMaxSteps) {
        m_exhausted = true;
        m_nextCheck = std::numeric_limits<qint64>::max();
        return;
    }
    m_nextCheck = m_steps + kStepsPerClockRead;
    if (m_threadStartNs < 0) {
        m_threadStartNs = threadNanoseconds();
        return;
    }
    m_exhausted = threadNanoseconds() - m_threadStartNs > kMaxThreadMilliseconds * 1000000 ||
                  m_elapsed.elapsed() > kMaxElapsedMilliseconds;
    if (m_exhausted)
        m_nextCheck = std::numeric_limits<qint64>::max();
}

} // namespace store::recurrence
