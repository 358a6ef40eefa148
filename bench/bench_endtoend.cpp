// The programs as a user runs them, over the shared 10,000-task store: the real velmoran-cli
// as a process (end to end, warm page cache and parse cache), todoman over the same lists in
// the same run, velmoran-cli beside a calendar file of 2,000 endless daily events, and the
// real application under its own Xvfb until its task list is first filled.

#include "BenchStore.h"
#include "BenchTiming.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>

using namespace BenchStore;

namespace {

constexpr int kRuns = 7;
constexpr int kAppRuns = 5;
constexpr double kTasksTargetMs = 150;
constexpr double kListsTargetMs = 60;
constexpr double kListsBesideEventsTargetMs = 100;
constexpr double kWindowFilledTargetMs = 400;
constexpr double kTodomanFactorTarget = 6;
constexpr int kEndlessEvents = 2000;

double childrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

struct Run
{
    bool ok = false;
    double wallMs = 0;
    double cpuMs = 0;
    QByteArray out;
    QString problem;
};

Run runProgram(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment)
{
    Run run;
    QProcess process;
    process.setProcessEnvironment(environment);
    const double cpuBefore = childrenCpuMs();
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        run.problem = QStringLiteral("%1 did not finish").arg(program);
        return run;
    }
    run.wallMs = double(timer.nsecsElapsed()) / 1e6;
    run.cpuMs = childrenCpuMs() - cpuBefore;
    run.out = process.readAllStandardOutput();
    run.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!run.ok)
        run.problem = QString::fromUtf8(process.readAllStandardError().left(400));
    return run;
}

struct Figure
{
    double wallMs = 0;
    double cpuMs = 0;
    QString note;
    bool ok = false;
};

double medianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

Figure timeCli(const QStringList& arguments, const QProcessEnvironment& environment)
{
    std::vector<double> walls;
    std::vector<double> cpus;
    Figure figure;
    for (int i = 0; i < kRuns; ++i) {
        const Run run = runProgram(QStringLiteral(VELMORAN_CLI_PATH), arguments, environment);
        if (!run.ok) {
            figure.note = run.problem;
            return figure;
        }
        walls.push_back(run.wallMs);
        cpus.push_back(run.cpuMs);
        figure.note = QStringLiteral("%1 bytes out").arg(run.out.size());
    }
    figure.wallMs = medianOf(walls);
    figure.cpuMs = medianOf(cpus);
    figure.ok = true;
    return figure;
}

// One file of endless daily events, as a shared calendar subscription may hold.
bool writeEndlessEvents(const QString& root)
{
    if (!makeCollection(root + QStringLiteral("/endless"), QStringLiteral("Endless"),
                        QStringLiteral("#3366cc")) ||
        !makeCollection(root + QStringLiteral("/tasks"), QStringLiteral("Tasks"),
                        QStringLiteral("#cc6633")))
        return false;
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n";
    for (int i = 0; i < kEndlessEvents; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray hour = QByteArray::number(6 + i % 14).rightJustified(2, '0');
        text += "BEGIN:VEVENT\r\nUID:endless-" + n + "\r\nDTSTAMP:20250101T000000Z\r\n" +
                "DTSTART:20250101T" + hour + "0000Z\r\nDTEND:20250101T" + hour + "3000Z\r\n" +
                "SUMMARY:Every day " + n + "\r\nRRULE:FREQ=DAILY\r\nEND:VEVENT\r\n";
    }
    text += "END:VCALENDAR\r\n";
    Reminder task;
    task.uid = QStringLiteral("endless-task");
    task.title = QStringLiteral("A task beside the events");
    return writeFile(root + QStringLiteral("/endless/all.ics"), text) &&
           writeFile(root + QStringLiteral("/tasks/endless-task.ics"),
                     IcsItem::fromReminder(task).serialize());
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

// From the launch of the real application until it reports its task list filled.
Run timeWindowFilled(const QProcessEnvironment& environment)
{
    Run run;
    QProcess app;
    app.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    app.setReadChannel(QProcess::StandardError);
    app.start(QStringLiteral(VELMORAN_APP_PATH), {});
    QByteArray err;
    while (timer.elapsed() < 30000 && app.state() != QProcess::NotRunning) {
        app.waitForReadyRead(50);
        err += app.readAllStandardError();
        const qsizetype at = err.indexOf("velmoran: task list filled");
        if (at >= 0 && err.indexOf('\n', at) > at) {
            run.wallMs = double(timer.nsecsElapsed()) / 1e6;
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

class Report
{
public:
    void header()
    {
        std::printf("\n  %-52s %10s %10s %12s\n", "median of the runs", "wall", "cpu", "target");
    }
    void row(const char* what, const Figure& figure, double target)
    {
        if (!figure.ok) {
            std::printf("  %-52s not measured: %s\n", what, qPrintable(figure.note));
            m_allMet = false;
            return;
        }
        const bool met = target <= 0 || figure.wallMs <= target;
        m_allMet = m_allMet && met;
        std::printf("  %-52s %7.1f ms %7.1f ms %12s  %s\n", what, figure.wallMs, figure.cpuMs,
                    target > 0 ? qPrintable(QStringLiteral("<= %1 ms").arg(target)) : "",
                    target > 0 ? (met ? "met" : "MISSED") : "");
    }
    void factor(const char* what, double factor, double target)
    {
        const bool met = factor >= target;
        m_allMet = m_allMet && met;
        std::printf("  %-52s %7.1f x  %20s  %s\n", what, factor,
                    qPrintable(QStringLiteral(">= %1 x").arg(target)), met ? "met" : "MISSED");
    }
    bool allMet() const { return m_allMet; }

private:
    bool m_allMet = true;
};

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", "Europe/Berlin");
    tzset();
    QCoreApplication app(argc, argv);
    const bool withTodoman = !app.arguments().contains(QStringLiteral("--no-todoman"));
    const bool withWindow = !app.arguments().contains(QStringLiteral("--no-window"));

    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/velmoran-bench-XXXXXX"));
    if (!work.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    const QString root = work.filePath(QStringLiteral("store"));
    const QString endlessRoot = work.filePath(QStringLiteral("endless-store"));
    // Due dates around today, so that the window's day view has tasks to show.
    const QDate firstDue = QDate::currentDate().addDays(-180);
    if (!generateTasks(root, QTimeZone("Europe/Berlin"), firstDue) || !generateEvents(root) ||
        !writeEndlessEvents(endlessRoot)) {
        std::fprintf(stderr, "cannot write the stores in %s\n", qPrintable(work.path()));
        return 1;
    }
    ageFiles(root);
    ageFiles(endlessRoot);

    // A home of the benchmark's own: preferences, parse cache, data.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString home = work.filePath(QStringLiteral("velmoran-home"));
    QDir().mkpath(home);
    environment.insert(QStringLiteral("HOME"), home);
    for (const char* variable : {"CONFIG", "DATA", "CACHE", "STATE"})
        environment.insert(QStringLiteral("XDG_%1_HOME").arg(QLatin1String(variable)),
                           home + QLatin1Char('/') + QLatin1String(variable).toString().toLower());
    environment.insert(QStringLiteral("VELMORAN_STORE"), root);
    environment.insert(QStringLiteral("TZ"), QString::fromLocal8Bit(qgetenv("TZ")));
    QProcessEnvironment endless = environment;
    endless.insert(QStringLiteral("VELMORAN_STORE"), endlessRoot);

    const Run prefs = runProgram(QStringLiteral(VELMORAN_CLI_PATH),
                                 {QStringLiteral("prefs"), QStringLiteral("set"),
                                  QStringLiteral("initialLaunch"), QStringLiteral("false")},
                                 environment);
    // The first runs parse every file and write the parse cache; the everyday case is the next.
    const Run first = runProgram(QStringLiteral(VELMORAN_CLI_PATH),
                                 {QStringLiteral("tasks"), QStringLiteral("--filter"),
                                  QStringLiteral("0"), QStringLiteral("--json")},
                                 environment);
    const Run firstEndless =
        runProgram(QStringLiteral(VELMORAN_CLI_PATH), {QStringLiteral("lists")}, endless);
    if (!prefs.ok || !first.ok || !firstEndless.ok) {
        std::fprintf(stderr, "velmoran-cli failed: %s%s%s\n", qPrintable(prefs.problem),
                     qPrintable(first.problem), qPrintable(firstEndless.problem));
        return 1;
    }

    std::printf("Store of %d tasks in %d lists and %d events in %s; load average %s\n",
                kLists * kTasksPerList, kLists, kCalendars * kEventsPerCalendar, qPrintable(root),
                qPrintable(BenchTiming::loadAverage()));
    const Figure tasks = timeCli({QStringLiteral("tasks"), QStringLiteral("--filter"),
                                  QStringLiteral("0"), QStringLiteral("--json")},
                                 environment);
    const Figure lists = timeCli({QStringLiteral("lists")}, environment);
    const Figure listsBesideEvents = timeCli({QStringLiteral("lists")}, endless);

    Figure window;
    Figure firstWindow;
    if (withWindow) {
        Desktop desktop;
        QString problem;
        if (desktop.start(&problem)) {
            QProcessEnvironment appEnvironment = environment;
            desktop.apply(appEnvironment);
            appEnvironment.insert(QStringLiteral("VELMORAN_REPORT_FILLED"), QStringLiteral("1"));
            std::vector<double> walls;
            for (int i = 0; i <= kAppRuns && problem.isEmpty(); ++i) {
                const Run run = timeWindowFilled(appEnvironment);
                if (!run.ok)
                    problem = run.problem;
                else if (i == 0)
                    firstWindow = {run.wallMs, 0, QString::fromUtf8(run.out), true};
                else
                    walls.push_back(run.wallMs);
                window.note = QString::fromUtf8(run.out);
            }
            if (problem.isEmpty()) {
                window.wallMs = medianOf(walls);
                window.ok = true;
            }
        }
        if (!problem.isEmpty())
            window.note = problem;
    } else {
        window.note = QStringLiteral("left out (--no-window)");
    }

    TodomanTiming todoman;
    if (withTodoman)
        todoman = timeTodoman(work.path(), root);
    else
        todoman.problem = QStringLiteral("left out (--no-todoman)");

    Report report;
    report.header();
    report.row("velmoran-cli tasks --filter 0 --json", tasks, kTasksTargetMs);
    report.row("velmoran-cli lists", lists, kListsTargetMs);
    report.row("velmoran-cli lists beside 2,000 endless daily events", listsBesideEvents,
               kListsBesideEventsTargetMs);
    if (todoman.ran) {
        report.row("todoman list, warm cache (beside)", {todoman.warmMs, 0, {}, true}, 0);
        report.factor("todoman list / velmoran-cli tasks", todoman.warmMs / tasks.wallMs,
                      kTodomanFactorTarget);
    } else {
        std::printf("  todoman not timed: %s\n", qPrintable(todoman.problem));
    }
    report.row("main window filled after launch (Xvfb)", window, kWindowFilledTargetMs);

    std::printf("\n  details\n");
    std::printf("  %-52s %7.1f ms (parses every file, writes the parse cache; %lld bytes out)\n",
                "velmoran-cli tasks, first run", first.wallMs, qint64(first.out.size()));
    std::printf("  %-52s %s\n", "velmoran-cli tasks --filter 0 --json", qPrintable(tasks.note));
    if (todoman.ran)
        std::printf("  %-52s %7.1f ms (%d lines)\n", "todoman list, first run (fills its cache)",
                    todoman.firstMs, todoman.lines);
    if (firstWindow.ok)
        std::printf("  %-52s %7.1f ms\n", "main window filled, first launch", firstWindow.wallMs);
    std::printf("  %-52s %s\n", "main window", qPrintable(window.note));
    std::printf("\n%s\n", report.allMet() ? "All targets met." : "Some targets were MISSED.");
    return 0;
}
