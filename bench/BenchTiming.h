#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

// Timing shared by the benchmarks: medians of several runs, with the thread's CPU time beside
// the wall time so that a slow run on a busy machine shows how long it waited for a processor.
namespace BenchTiming {

// The mean wall time of one pass in nanoseconds, after `warmUps` passes (expressions and caches
// are built on first use), for work too short to time one run at a time.
template <typename Pass> double nanosecondsPerPass(int warmUps, int iterations, Pass pass)
{
    for (int i = 0; i < warmUps; ++i)
        pass();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < iterations; ++i)
        pass();
    return double(timer.nsecsElapsed()) / iterations;
}

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

// The report: one row per measurement with its median wall and CPU times, what it returned
// (when asked for) and whether it met its target (a target of 0 is informational).
class Table
{
public:
    Table(QTextStream& out, int nameWidth, bool withResults)
        : m_out(out)
        , m_nameWidth(nameWidth)
        , m_withResults(withResults)
    {}

    void header()
    {
        m_out << QStringLiteral("%1 ").arg(QStringLiteral("measurement"), -m_nameWidth);
        if (m_withResults)
            m_out << QStringLiteral("%1 ").arg(QStringLiteral("results"), 8);
        m_out << QStringLiteral("%1 %2 %3\n")
                     .arg(QStringLiteral("wall ms"), 8)
                     .arg(QStringLiteral("cpu ms"), 8)
                     .arg(QStringLiteral("target"), 8);
    }

    void row(const QString& name, const Timing& timing, double target)
    {
        const bool met = target <= 0 || timing.wallMs <= target;
        m_allMet = m_allMet && met;
        m_out << QStringLiteral("%1 ").arg(name, -m_nameWidth);
        if (m_withResults)
            m_out << QStringLiteral("%1 ").arg(timing.results, 8);
        m_out << QStringLiteral("%1 %2 %3 %4\n")
                     .arg(timing.wallMs, 8, 'f', 2)
                     .arg(timing.cpuMs, 8, 'f', 2)
                     .arg(target > 0 ? QStringLiteral("<= %1").arg(target) : QStringLiteral("-"), 8)
                     .arg(met ? QStringLiteral("ok") : QStringLiteral("SLOW"));
        m_out.flush();
    }

    bool allMet() const { return m_allMet; }

private:
    QTextStream& m_out;
    int m_nameWidth;
    bool m_withResults;
    bool m_allMet = true;
};

} // namespace BenchTiming
