// The programs as a user runs them, over the shared 10,000-task store: the real velmoran-cli
// as a process (end to end, warm page cache and parse cache), todoman over the same lists in
// the same run, velmoran-cli beside a calendar file of 2,000 endless daily events, and the
// real application under its own Xvfb until its task list is first filled.

#include "BenchPrograms.h"
#include "BenchStore.h"
#include "BenchTiming.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

using namespace BenchPrograms;
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

Figure timeCli(const QStringList& arguments, const QProcessEnvironment& environment)
{
    return timeRuns(kRuns, QStringLiteral(VELMORAN_CLI_PATH), arguments, environment);
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
                const Run run = timeWindowFilled(QStringLiteral(VELMORAN_APP_PATH), appEnvironment);
                if (!run.ok)
                    problem = run.problem;
                else if (i == 0)
                    firstWindow = {run.wallMs, 0, run.peakMb, QString::fromUtf8(run.out), true};
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
        report.row("todoman list, warm cache (beside)", {todoman.warmMs, 0, 0, {}, true}, 0);
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
    return report.allMet() ? 0 : 1;
}
