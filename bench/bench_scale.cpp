// A store of 100,000 tasks in 20 lists and 5,000 events, as a heavy user may keep: every
// command a script runs over it, the real velmoran-cli as a process with its peak memory, warm
// (page cache and parse cache) and, when the page cache can be dropped, cold; the application
// under its own Xvfb until its first view is filled; the command line's start-up over an empty
// store; and the all-tasks command against todoman over 10,000 tasks in the same run.

#include "BenchPrograms.h"
#include "BenchStore.h"
#include "BenchTiming.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <ctime>
#include <optional>
#include <unistd.h>

using namespace BenchPrograms;
using namespace BenchStore;

namespace {

constexpr Shape kScaleShape{20, 5000, 2, 2500, 10};
constexpr int kRuns = 5;
constexpr int kQuickRuns = 9;
constexpr int kWindowRuns = 3;
constexpr const char* kSearchWord = "milk";

const QString kCli = QStringLiteral(VELMORAN_CLI_PATH);

QString processorName()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (!cpuinfo.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown processor");
    for (const QByteArray& line : cpuinfo.readAll().split('\n')) {
        if (line.startsWith("model name"))
            return QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
    }
    return QStringLiteral("unknown processor");
}

// TZ as the benchmark was started with; unset stays unset.
const std::optional<QByteArray>& callerZone()
{
    static const std::optional<QByteArray> zone =
        qEnvironmentVariableIsSet("TZ") ? std::optional(qgetenv("TZ")) : std::nullopt;
    return zone;
}

// A home of its own for each store: preferences (the visible lists follow the store), parse
// cache and data.
QProcessEnvironment environmentFor(const QString& home, const QString& root)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QDir().mkpath(home);
    environment.insert(QStringLiteral("HOME"), home);
    for (const char* variable : {"CONFIG", "DATA", "CACHE", "STATE"})
        environment.insert(QStringLiteral("XDG_%1_HOME").arg(QLatin1String(variable)),
                           home + QLatin1Char('/') + QLatin1String(variable).toString().toLower());
    environment.insert(QStringLiteral("VELMORAN_STORE"), root);
    // The programs run in the zone their user runs them in: most users leave TZ unset, and the
    // C library then costs more per local time than with a zone named.
    if (callerZone())
        environment.insert(QStringLiteral("TZ"), QString::fromLocal8Bit(*callerZone()));
    else
        environment.remove(QStringLiteral("TZ"));
    return environment;
}

// Done once per home before anything is timed: the window would show its introduction, and the
// first command parses every file and writes the parse cache.
Run prepare(const QProcessEnvironment& environment, const QStringList& firstCommand)
{
    const Run prefs = runProgram(kCli,
                                 {QStringLiteral("prefs"), QStringLiteral("set"),
                                  QStringLiteral("initialLaunch"), QStringLiteral("false")},
                                 environment);
    if (!prefs.ok)
        return prefs;
    return runProgram(kCli, firstCommand, environment);
}

// The page cache emptied, as after a fresh boot; only root may.
QString dropPageCache()
{
    if (::geteuid() != 0)
        return QStringLiteral("needs root");
    ::sync();
    QFile control(QStringLiteral("/proc/sys/vm/drop_caches"));
    if (!control.open(QIODevice::WriteOnly) || control.write("3\n") != 2)
        return QStringLiteral("cannot write /proc/sys/vm/drop_caches: ") + control.errorString();
    return {};
}

class Report
{
public:
    void header()
    {
        std::printf("\n  %-44s %10s %10s %9s   %s\n", "command (median of the runs)", "wall", "cpu",
                    "peak RSS", "target");
    }

    // A target of 0 is no target.
    void row(const char* what, const Figure& figure, double targetMs, double targetMb = 0)
    {
        if (!figure.ok) {
            std::printf("  %-44s not measured: %s\n", what, qPrintable(figure.note));
            m_allMet = false;
            return;
        }
        QString target;
        if (targetMs > 0)
            target += mark(QStringLiteral("≤ %1 ms").arg(targetMs), figure.wallMs <= targetMs);
        if (targetMb > 0)
            target += QStringLiteral("  ") +
                      mark(QStringLiteral("≤ %1 MB").arg(targetMb), figure.peakMb <= targetMb);
        const QString cpu = figure.cpuMs > 0 ? QStringLiteral("%1 ms").arg(figure.cpuMs, 7, 'f', 1)
                                             : QStringLiteral("-");
        const QString peak = figure.peakMb > 0
                                 ? QStringLiteral("%1 MB").arg(figure.peakMb, 6, 'f', 0)
                                 : QStringLiteral("-");
        std::printf("  %-44s %7.1f ms %10s %9s   %s\n", what, figure.wallMs, qPrintable(cpu),
                    qPrintable(peak), qPrintable(target));
        std::fflush(stdout);
    }

    void skipped(const char* what, const QString& why)
    {
        std::printf("  %-44s skipped (%s)\n", what, qPrintable(why));
    }

    void factor(const char* what, double factor, double target)
    {
        std::printf("  %-44s %7.1f x  %32s\n", what, factor,
                    qPrintable(mark(QStringLiteral("≥ %1 x").arg(target), factor >= target)));
    }

    bool allMet() const { return m_allMet; }

private:
    QString mark(const QString& target, bool met)
    {
        m_allMet = m_allMet && met;
        return target + (met ? QStringLiteral(" ✓") : QStringLiteral(" ✗"));
    }

    bool m_allMet = true;
};

double secondsSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    callerZone(); // read before the benchmark names a zone of its own for the store it writes
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", "Europe/Berlin");
    tzset();
    QCoreApplication app(argc, argv);
    const QStringList known{QStringLiteral("--no-todoman"), QStringLiteral("--no-window"),
                            QStringLiteral("--keep")};
    const QStringList arguments = app.arguments().mid(1);
    const bool askedForHelp =
        arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"));
    for (const QString& argument : arguments) {
        if (!askedForHelp && !known.contains(argument)) {
            std::fprintf(stderr, "bench_scale: unknown option %s (try --help)\n",
                         qPrintable(argument));
            return 2;
        }
    }
    if (askedForHelp) {
        std::printf("Usage: bench_scale [--no-todoman] [--no-window] [--keep]\n"
                    "Writes a store of 100,000 tasks and 5,000 events in a temporary folder and\n"
                    "prints how long velmoran-cli and the window take over it.\n"
                    "  --no-todoman  leave out the 10,000-task comparison with todoman\n"
                    "  --no-window   leave out the window's start (needs Xvfb)\n"
                    "  --keep        keep the stores and print where they are, for profiling\n");
        return 0;
    }
    const bool withTodoman = !arguments.contains(known[0]);
    const bool withWindow = !arguments.contains(known[1]);

    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/velmoran-scale-XXXXXX"));
    if (!work.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    work.setAutoRemove(!arguments.contains(known[2]));
    const QString root = work.filePath(QStringLiteral("store"));
    const QString emptyRoot = work.filePath(QStringLiteral("empty-store"));
    const QString comparedRoot = work.filePath(QStringLiteral("store-10k"));
    // Due dates around today, so that the window's first view has tasks to show.
    const QDate firstDue = QDate::currentDate().addDays(-180);
    const QTimeZone zone("Europe/Berlin");

    std::printf("Scale benchmark on %d cores (%s); load average %s; the programs run with %s\n",
                QThread::idealThreadCount(), qPrintable(processorName()),
                qPrintable(BenchTiming::loadAverage()),
                callerZone()
                    ? qPrintable(QStringLiteral("TZ=") + QString::fromLocal8Bit(*callerZone()))
                    : "TZ unset");
    std::fflush(stdout);
    QElapsedTimer generation;
    generation.start();
    if (!generateTasks(root, zone, firstDue, kScaleShape) || !generateEvents(root, kScaleShape) ||
        !generateTasks(comparedRoot, zone, firstDue) || !QDir().mkpath(emptyRoot)) {
        std::fprintf(stderr, "cannot write the stores in %s\n", qPrintable(work.path()));
        return 1;
    }
    ageFiles(root);
    ageFiles(comparedRoot);
    const double generated = secondsSince(generation);

    const QProcessEnvironment environment =
        environmentFor(work.filePath(QStringLiteral("home")), root);
    const QProcessEnvironment emptyEnvironment =
        environmentFor(work.filePath(QStringLiteral("home-empty")), emptyRoot);
    const QProcessEnvironment comparedEnvironment =
        environmentFor(work.filePath(QStringLiteral("home-10k")), comparedRoot);
    const QStringList allTasks{QStringLiteral("tasks"), QStringLiteral("--filter"),
                               QStringLiteral("0"), QStringLiteral("--json")};
    const Run first = prepare(environment, allTasks);
    // The first run over an empty store makes its two collections.
    const Run firstEmpty = prepare(emptyEnvironment, {QStringLiteral("lists")});
    const Run firstCompared = prepare(comparedEnvironment, allTasks);
    for (const Run* run : {&first, &firstEmpty, &firstCompared}) {
        if (!run->ok) {
            std::fprintf(stderr, "velmoran-cli failed: %s\n", qPrintable(run->problem));
            return 1;
        }
    }
    std::printf("%d tasks in %d lists (%d with long notes), %d events in %d calendars (%d "
                "recurring), written and aged in %.1f s; the first run (parses every file, "
                "writes the parse cache) took %.1f s\n",
                kScaleShape.tasks(), kScaleShape.lists, kScaleShape.tasks() / 50,
                kScaleShape.events(), kScaleShape.calendars, kScaleShape.recurringEvents(),
                generated, first.wallMs / 1000);
    std::fflush(stdout);

    const Figure tasks = timeRuns(kRuns, kCli, allTasks, environment);
    const QString cantDrop = dropPageCache();
    Figure cold;
    if (cantDrop.isEmpty()) {
        const Run run = runProgram(kCli, allTasks, environment);
        cold = {run.wallMs, run.cpuMs, run.peakMb, run.problem, run.ok};
    }
    const Figure lists = timeRuns(kQuickRuns, kCli, {QStringLiteral("lists")}, environment);
    const Figure oneList = timeRuns(
        kRuns, kCli, {QStringLiteral("tasks"), QStringLiteral("--list"), QStringLiteral("List 3")},
        environment);
    const Figure search = timeRuns(
        kRuns, kCli,
        {QStringLiteral("tasks"), QStringLiteral("--search"), QString::fromLatin1(kSearchWord)},
        environment);
    // A month of the generated events (they fall in 2026), repeating ones included.
    const Figure events = timeRuns(
        kRuns, kCli,
        {QStringLiteral("events"), QStringLiteral("2026-06-01"), QStringLiteral("2026-07-01")},
        environment);
    const Figure empty = timeRuns(kQuickRuns, kCli, {QStringLiteral("lists")}, emptyEnvironment);

    Figure window;
    if (withWindow) {
        Desktop desktop;
        QString problem;
        if (desktop.start(&problem)) {
            QProcessEnvironment appEnvironment = environment;
            desktop.apply(appEnvironment);
            appEnvironment.insert(QStringLiteral("VELMORAN_REPORT_FILLED"), QStringLiteral("1"));
            std::vector<double> walls;
            std::vector<double> cpus;
            std::vector<double> peaks;
            // The first launch settles the window's own files; the next ones are timed.
            for (int i = 0; i <= kWindowRuns && problem.isEmpty(); ++i) {
                const Run run = timeWindowFilled(QStringLiteral(VELMORAN_APP_PATH), appEnvironment);
                if (!run.ok) {
                    problem = run.problem;
                } else if (i > 0) {
                    walls.push_back(run.wallMs);
                    cpus.push_back(run.cpuMs);
                    peaks.push_back(run.peakMb);
                }
                window.note = QString::fromUtf8(run.out);
            }
            if (problem.isEmpty())
                window = {medianOf(walls), medianOf(cpus), medianOf(peaks), window.note, true};
        }
        if (!problem.isEmpty())
            window.note = problem;
    } else {
        window.note = QStringLiteral("left out (--no-window)");
    }

    // A command of tens of milliseconds: more runs steady its median against the machine's noise.
    const Figure compared = timeRuns(kQuickRuns, kCli, allTasks, comparedEnvironment);
    TodomanTiming todoman;
    if (withTodoman)
        todoman = timeTodoman(work.filePath(QStringLiteral("todoman")), comparedRoot);
    else
        todoman.problem = QStringLiteral("left out (--no-todoman)");

    Report report;
    report.header();
    report.row("tasks --filter 0 --json (all tasks)", tasks, 450, 120);
    if (cantDrop.isEmpty())
        report.row("the same, cold (page cache dropped)", cold, 1500);
    else
        report.skipped("cold", cantDrop);
    report.row("lists", lists, 50);
    report.row("tasks --list \"List 3\" (5,000 tasks)", oneList, 120);
    report.row(qPrintable(QStringLiteral("tasks --search %1").arg(QLatin1String(kSearchWord))),
               search, 250);
    report.row("events 2026-06-01 2026-07-01", events, 100);
    if (withWindow)
        report.row("window: start to filled view (Xvfb)", window, 1000, 150);
    else
        report.skipped("window", window.note);
    report.row("lists over an empty store (start-up)", empty, 15);
    report.row("10k store: tasks --filter 0 --json", compared, 0);
    if (todoman.ran) {
        report.row("10k store: todoman list, warm", {todoman.warmMs, 0, 0, {}, true}, 0);
        report.factor("10k store: todoman / velmoran-cli", todoman.warmMs / compared.wallMs, 20);
    } else {
        report.skipped("10k store: todoman", todoman.problem);
    }

    std::printf("\n  details\n");
    std::printf("  %-44s %s\n", "all tasks", qPrintable(tasks.note));
    std::printf("  %-44s %s\n", "--search", qPrintable(search.note));
    std::printf("  %-44s %s\n", "events", qPrintable(events.note));
    std::printf("  %-44s %s\n", "window", qPrintable(window.note));
    if (todoman.ran)
        std::printf("  %-44s %7.1f ms (%d lines)\n", "todoman list, first run (fills its cache)",
                    todoman.firstMs, todoman.lines);
    std::printf("  %-44s %s\n", "load average after the runs",
                qPrintable(BenchTiming::loadAverage()));
    std::printf("\n%s\n", report.allMet() ? "All targets met." : "Some targets were missed.");
    if (!work.autoRemove())
        std::printf("The stores are kept in %s. The programs ran over the large one with HOME and\n"
                    "the XDG_*_HOME folders under %s and VELMORAN_STORE=%s.\n",
                    qPrintable(work.path()), qPrintable(work.filePath(QStringLiteral("home"))),
                    qPrintable(root));
    return report.allMet() ? 0 : 1;
}
