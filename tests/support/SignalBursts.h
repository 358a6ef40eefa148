#pragma once

#include <QDeadlineTimer>
#include <QSignalSpy>

// Waits until `spy` has heard nothing for `quietMs`: for signals that come in bursts, such as
// a folder's events after a write or the runs a timer starts. False when the burst has not
// ended within `limitMs`.
inline bool waitForQuiet(QSignalSpy& spy, int quietMs, int limitMs = 30000)
{
    const QDeadlineTimer limit(limitMs);
    while (spy.wait(quietMs)) {
        if (limit.hasExpired())
            return false;
    }
    return true;
}
