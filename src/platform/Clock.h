#pragma once

#include <QDateTime>
#include <QMutex>

// The one source of "now" for the whole program. Tests freeze or move it; everything else
// asks it instead of QDateTime::currentDateTime() so that time-dependent rules are testable.
class Clock
{
public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;

    // The process-wide clock that follows the system time unless a test set it.
    static Clock& system();

    QDateTime now() const;

    // Freezes the clock at the given instant (local time zone semantics are the caller's).
    void setNow(const QDateTime& instant);
    // Moves a frozen clock forward (or back with a negative value).
    void advanceSeconds(qint64 seconds);
    // Follows the system time again.
    void reset();
    bool isFrozen() const;

private:
    mutable QMutex m_mutex;
    QDateTime m_fixed;
};
