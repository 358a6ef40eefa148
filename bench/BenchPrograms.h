#pragma once

// Running the built programs as a user does, for the end-to-end benchmarks: one process per
// run, timed from its start to its end, with the CPU time and the peak memory of that process
// alone (the benchmark must define BENCH_CHILD_RESOURCES_PATH); and the application under a private
// X server and session bus until its task list is first filled.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace BenchPrograms {

struct Run
{
    bool ok = false;
    double wallMs = 0;
    // User and system time of the process.
    double cpuMs = 0;
    // Its peak resident memory.
    double peakMb = 0;
    QByteArray out;
    QString problem;
};

inline double medianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Runs `program` to its end with standard output in a file (read back into `out`), through the
// small program that reports the resources of that command alone (see ChildResources.c).
inline Run runProgram(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment)
{
    Run run;
    QTemporaryFile out;
    QTemporaryFile err;
    QTemporaryFile used;
    if (!out.open() || !err.open() || !used.open()) {
        run.problem = QStringLiteral("cannot create the output files");
        return run;
    }
    std::vector<QByteArray> argumentBytes{QByteArrayLiteral(BENCH_CHILD_RESOURCES_PATH),
                                          QFile::encodeName(used.fileName()),
                                          QFile::encodeName(program)};
    for (const QString& argument : arguments)
        argumentBytes.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& bytes : argumentBytes)
        argv.push_back(bytes.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> environmentBytes;
    for (const QString& entry : environment.toStringList())
        environmentBytes.push_back(entry.toLocal8Bit());
    std::vector<char*> envp;
    for (QByteArray& bytes : environmentBytes)
        envp.push_back(bytes.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.handle(), 1);
    posix_spawn_file_actions_adddup2(&actions, err.handle(), 2);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        run.problem = QStringLiteral("%1 does not start").arg(QLatin1String(argv[0]));
        return run;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.wallMs = double(timer.nsecsElapsed()) / 1e6;
    QFile usage(used.fileName());
    const QList<QByteArray> figures = usage.open(QIODevice::ReadOnly)
                                          ? usage.readAll().simplified().split(' ')
                                          : QList<QByteArray>();
    if (figures.size() == 4) {
        run.cpuMs = (figures[0].toDouble() + figures[1].toDouble()) / 1e3;
        run.peakMb = figures[2].toDouble() / 1024.0;
    }
    QFile output(out.fileName());
    if (output.open(QIODevice::ReadOnly))
        run.out = output.readAll();
    run.ok = figures.size() == 4 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!run.ok) {
        QFile errors(err.fileName());
        run.problem = QStringLiteral("%1 failed: ").arg(program);
        if (errors.open(QIODevice::ReadOnly))
            run.problem += QString::fromUtf8(errors.read(400));
    }
    return run;
}

// The medians of several runs of one command; `ok` only when every run succeeded.
struct Figure
{
    double wallMs = 0;
    double cpuMs = 0;
    double peakMb = 0;
    QString note;
    bool ok = false;
};

inline Figure timeRuns(int runs, const QString& program, const QStringList& arguments,
                       const QProcessEnvironment& environment)
{
    std::vector<double> walls;
    std::vector<double> cpus;
    std::vector<double> peaks;
    Figure figure;
    for (int i = 0; i < runs; ++i) {
        const Run run = runProgram(program, arguments, environment);
        if (!run.ok) {
            figure.note = run.problem;
            return figure;
        }
        walls.push_back(run.wallMs);
        cpus.push_back(run.cpuMs);
        peaks.push_back(run.peakMb);
        figure.note = QStringLiteral("%1 bytes out").arg(run.out.size());
    }
    figure.wallMs = medianOf(walls);
    figure.cpuMs = medianOf(cpus);
    figure.peakMb = medianOf(peaks);
    figure.ok = true;
    return figure;
}

// A private X server and session bus for the application.
class Desktop
{
public:
    ~Desktop()
    {
        for (QProcess* process : {&m_bus, &m_display}) {
            if (process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(3000)) {
                    process->kill();
                    process->waitForFinished();
                }
            }
        }
    }

    bool start(QString* problem)
    {
        for (int number = 90; number < 110; ++number) {
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
            if (QFile::exists(socket) ||
                QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
                continue;
            m_display.start(QStringLiteral("Xvfb"),
                            {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"),
                             QStringLiteral("0"), QStringLiteral("1280x800x24"),
                             QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (!m_display.waitForStarted(5000)) {
                *problem = QStringLiteral("Xvfb does not start");
                return false;
            }
            QElapsedTimer waited;
            waited.start();
            while (!QFile::exists(socket) && waited.elapsed() < 10000 &&
                   m_display.state() == QProcess::Running)
                QThread::msleep(20);
            if (!QFile::exists(socket)) {
                *problem = QStringLiteral("Xvfb did not open its display");
                return false;
            }
            m_name = QStringLiteral(":%1").arg(number);
            break;
        }
        if (m_name.isEmpty()) {
            *problem = QStringLiteral("no free display number");
            return false;
        }
        m_bus.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address")});
        if (!m_bus.waitForReadyRead(10000)) {
            *problem = QStringLiteral("dbus-daemon does not start");
            return false;
        }
        m_busAddress = QString::fromUtf8(m_bus.readLine()).trimmed();
        return true;
    }

    void apply(QProcessEnvironment& environment) const
    {
        environment.insert(QStringLiteral("DISPLAY"), m_name);
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_busAddress);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }

private:
    QProcess m_display;
    QProcess m_bus;
    QString m_name;
    QString m_busAddress;
};

// The CPU time of a running process so far.
inline double cpuMsOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    // The fields after the command name, which may hold blanks: utime and stime are the 12th
    // and 13th of them, in clock ticks.
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0;
    return (fields[11].toDouble() + fields[12].toDouble()) * 1e3 / double(::sysconf(_SC_CLK_TCK));
}

// The peak resident memory of a running process so far.
inline double peakMbOf(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').constFirst().toDouble() / 1024.0;
    }
    return 0;
}

// From the launch of the real application until it reports its task list filled (it must run
// with VELMORAN_REPORT_FILLED set), with its CPU time and peak memory until then.
inline Run timeWindowFilled(const QString& program, const QProcessEnvironment& environment)
{
    Run run;
    QProcess app;
    app.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    app.setReadChannel(QProcess::StandardError);
    app.start(program, {});
    QByteArray err;
    while (timer.elapsed() < 30000 && app.state() != QProcess::NotRunning) {
        app.waitForReadyRead(50);
        err += app.readAllStandardError();
        const qsizetype at = err.indexOf("velmoran: task list filled");
        if (at >= 0 && err.indexOf('\n', at) > at) {
            run.wallMs = double(timer.nsecsElapsed()) / 1e6;
            run.cpuMs = cpuMsOf(app.processId());
            run.peakMb = peakMbOf(app.processId());
            run.out = err.mid(at, err.indexOf('\n', at) - at);
            run.ok = true;
            break;
        }
    }
    if (!run.ok)
        run.problem = QStringLiteral("the window never reported its task list: ") +
                      QString::fromUtf8(err.left(400));
    app.terminate();
    if (!app.waitForFinished(5000)) {
        app.kill();
        app.waitForFinished();
    }
    return run;
}

} // namespace BenchPrograms
