#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

// Timing shared by the benchmarks: medians of several runs, with the thread's CPU time beside
// the wall time so that a slow run on a busy machine shows how long it waited for a processor.
namespace BenchTiming {

struct Timing
{
    double wallMs = 0;
    double cpuMs = 0;
    // What the last run returned (a row count, say), for the report.
    qint64 results = 0;
};

inline double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// `prepare` runs untimed before each run.
inline Timing median(int runs, const std::function<qint64()>& work,
                     const std::function<void()>& prepare = {})
{
    std::vector<double> walls;
    std::vector<double> cpus;
    Timing timing;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        const double cpuStart = threadCpuMs();
        timer.start();
        timing.results = work();
        walls.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpus.push_back(threadCpuMs() - cpuStart);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    timing.wallMs = walls[walls.size() / 2];
    timing.cpuMs = cpus[cpus.size() / 2];
    return timing;
}

inline QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    return QString::fromLatin1(file.readLine()).section(QLatin1Char(' '), 0, 2);
}

} // namespace BenchTiming
