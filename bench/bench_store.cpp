// How fast the store loads and queries a large collection, and how much memory it keeps.
// Generates 10,000 tasks in 10 lists and 2,000 events (a quarter of them recurring) in a
// temporary folder, then times a cold load (nothing parsed before), a warm one (from the parse
// cache), a refresh with nothing changed and one after a changed file, and a 12-month event
// query, reads the resident memory, and compares with todoman over the same lists. Beside that
// store, 2,000 endless daily events and 25 events whose rules never match time the recurrence
// expansion (RecurringEvents.h).

#include "RecurringEvents.h"

#include "BenchStore.h"
#include "platform/store/EventStore.h"
#include "platform/store/IcsItem.h"
#include "platform/store/LibicalSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

using namespace store;

namespace {

using namespace BenchStore;

constexpr double kColdLoadTargetMs = 150;
constexpr double kWarmLoadTargetMs = 0; // informational: the command line's targets cover it
constexpr double kRefreshTargetMs = 30;
constexpr double kUnchangedRefreshTargetMs = 15;
constexpr double kEventWindowTargetMs = 100;
constexpr double kMemoryTargetMb = 100;
constexpr double kDailyExpansionTargetMs = 50;
constexpr double kNeverMatchingTargetMs = 50;

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Wall-clock and process CPU time of repeated runs. On a busy machine the CPU time shows what
// the work itself costs; the targets are for wall-clock time on an idle one.
class Timings
{
public:
    template <typename Work> void measure(Work&& work)
    {
        const double cpuBefore = processCpuMs();
        QElapsedTimer timer;
        timer.start();
        work();
        m_wall.push_back(msSince(timer));
        m_cpu.push_back(processCpuMs() - cpuBefore);
    }
    double wallMedian() const { return median(m_wall); }
    double cpuMedian() const { return median(m_cpu); }
    QString list() const
    {
        QStringList out;
        for (double ms : m_wall)
            out << QString::number(ms, 'f', 1);
        return out.join(QLatin1Char(' '));
    }

private:
    static double processCpuMs()
    {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    }
    std::vector<double> m_wall;
    std::vector<double> m_cpu;
};

// A target of 0 is informational.
void printRow(const char* what, const Timings& timings, double target, bool* allMet)
{
    const bool met = target <= 0 || timings.wallMedian() <= target;
    *allMet = *allMet && met;
    if (target <= 0) {
        std::printf("  %-46s %9.1f ms   %14s   %-6s   %9.1f ms\n", what, timings.wallMedian(), "",
                    "", timings.cpuMedian());
        return;
    }
    std::printf("  %-46s %9.1f ms   <= %5.0f ms   %-6s   %9.1f ms\n", what, timings.wallMedian(),
                target, met ? "met" : "MISSED", timings.cpuMedian());
}

void printDetail(const char* what, const Timings& timings)
{
    std::printf("  %-46s %9.1f ms   (cpu %.1f ms)\n", what, timings.wallMedian(),
                timings.cpuMedian());
}

// Changes one task's file the way another program would: the same file, new content.
void editElsewhere(const Reminder& reminder, int round)
{
    QFile file(reminder.origin->path());
    if (!file.open(QIODevice::ReadOnly))
        return;
    std::optional<IcsItem> item = IcsItem::parse(file.readAll());
    file.close();
    if (!item)
        return;
    Reminder edited = reminder;
    edited.title = edited.title.toString() + QStringLiteral(" (edited %1)").arg(round);
    item->applyReminder(edited, QDateTime::currentDateTime());
    writeFile(reminder.origin->path(), item->serialize());
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", "Europe/Berlin");
    tzset();
    QCoreApplication app(argc, argv);
    LibicalSetup::initialize();

    // `bench_store [FOLDER] [--no-todoman]`: a folder keeps the generated store for profiling
    // runs (it is generated only when empty).
    QString folder;
    bool withTodoman = true;
    for (const QString& argument : app.arguments().mid(1)) {
        if (argument == QLatin1String("--no-todoman"))
            withTodoman = false;
        else
            folder = argument;
    }
    QTemporaryDir temporary(QDir::tempPath() + QStringLiteral("/velmoran-bench-XXXXXX"));
    if (folder.isEmpty() && !temporary.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    const QString work = folder.isEmpty() ? temporary.path() : folder;
    const QString root = work + QStringLiteral("/store");
    // The parse cache goes with the benchmark's own files, never to the user's.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(work + QStringLiteral("/cache")));
    QElapsedTimer generation;
    generation.start();
    if (!QFileInfo::exists(root) &&
        (!generateTasks(root, QTimeZone("Europe/Berlin")) || !generateEvents(root))) {
        std::fprintf(stderr, "cannot write the store in %s\n", qPrintable(root));
        return 1;
    }
    ageFiles(root);
    const QString recurringRoot = work + QStringLiteral("/recurring");
    if (!QFileInfo::exists(recurringRoot) && !RecurringEvents::generate(recurringRoot)) {
        std::fprintf(stderr, "cannot write the recurring events in %s\n",
                     qPrintable(recurringRoot));
        return 1;
    }
    QFile loadAverage(QStringLiteral("/proc/loadavg"));
    loadAverage.open(QIODevice::ReadOnly);
    std::printf("Store of %d tasks in %d lists and %d events (%d recurring) in %s, ready in "
                "%.0f ms; load average %s\n",
                kLists * kTasksPerList, kLists, kCalendars * kEventsPerCalendar,
                kCalendars * kEventsPerCalendar / 4, qPrintable(root), msSince(generation),
                loadAverage.readLine().trimmed().constData());

    // Cold load: a store that has never seen the folders and has no parse cache (the files are
    // in the page cache, as they are when the application starts again).
    const double rssBefore = residentMb();
    auto store = std::make_unique<EventStore>(QStringList{root});
    store->setParseCacheFile({});
    const ReminderPredicate all = store::predicateForRemindersInCalendars({});
    Timings cold;
    QList<ReminderPtr> reminders;
    cold.measure([&] { reminders = store->remindersMatchingPredicate(all); });
    const double rssLoaded = residentMb();
    if (reminders.size() != kLists * kTasksPerList) {
        std::fprintf(stderr, "loaded %lld tasks, expected %d\n", qint64(reminders.size()),
                     kLists * kTasksPerList);
        return 1;
    }
    for (int i = 0; i < 4; ++i) {
        EventStore fresh({root});
        fresh.setParseCacheFile({});
        cold.measure([&] { fresh.remindersMatchingPredicate(all); });
    }

    // Warm load: a later start, which finds what the first one parsed in the parse cache.
    {
        EventStore first({root});
        first.remindersMatchingPredicate(all);
        first.waitForParseCache();
    }
    Timings warm;
    quint64 parsedWarm = 0;
    for (int i = 0; i < 5; ++i) {
        EventStore fresh({root});
        warm.measure([&] { fresh.remindersMatchingPredicate(all); });
        parsedWarm += fresh.parsedFileCount();
    }

    // Refresh after another program changed one file, as the data layer refetches then.
    Timings refreshFetch;
    Timings refreshIndex;
    Timings unchangedFetch;
    for (int i = 0; i < 9; ++i) {
        editElsewhere(*reminders.at((i * 997) % reminders.size()), i);
        refreshIndex.measure([&] { store->calendarsForEntityType(EntityType::Reminder); });
        editElsewhere(*reminders.at((i * 1009 + 5) % reminders.size()), i + 100);
        refreshFetch.measure([&] { reminders = store->remindersMatchingPredicate(all); });
        unchangedFetch.measure([&] { reminders = store->remindersMatchingPredicate(all); });
    }

    // The calendar view's question: every occurrence in a year.
    const EventPredicate year = store::predicateForEventsWithStartDate(
        QDateTime(QDate(2026, 1, 1), QTime(0, 0)), QDateTime(QDate(2027, 1, 1), QTime(0, 0)), {});
    Timings window;
    qsizetype occurrences = 0;
    for (int i = 0; i < 5; ++i)
        window.measure([&] { occurrences = store->eventsMatchingPredicate(year).size(); });
    const double rssAfterEvents = residentMb();

    // Recurrence expansion: the occurrences of 2,000 endless daily series in the application's
    // 12-month window, as instants and as date-times, and through the store as event records;
    // and 25 events whose rules never match. Each store query asks another window, as the
    // store keeps the last expansion of each file.
    const QList<RecurrenceSet> dailySeries = RecurringEvents::dailySeries();
    const QDateTime windowStart(QDate(2026, 1, 1), QTime(0, 0));
    Timings dailyInstants;
    Timings dailyDateTimes;
    qsizetype dailyOccurrences = 0;
    for (int i = 0; i < 5; ++i) {
        dailyInstants.measure([&] {
            dailyOccurrences = 0;
            for (const RecurrenceSet& set : dailySeries)
                dailyOccurrences +=
                    Recurrence::occurrenceInstants(set, windowStart, windowStart.addMonths(12))
                        .size();
        });
        dailyDateTimes.measure([&] {
            for (const RecurrenceSet& set : dailySeries)
                Recurrence::occurrences(set, windowStart, windowStart.addMonths(12));
        });
    }
    EventStore recurringStore({recurringRoot});
    const auto calendarNamed = [&recurringStore](const QString& title) {
        for (const CalendarPtr& calendar :
             recurringStore.calendarsForEntityType(EntityType::Event)) {
            if (calendar->title == title)
                return QList<CalendarPtr>{calendar};
        }
        return QList<CalendarPtr>{};
    };
    const QList<CalendarPtr> dailyCalendar = calendarNamed(QStringLiteral("Daily"));
    const QList<CalendarPtr> neverCalendar = calendarNamed(QStringLiteral("Never"));
    Timings dailyStore;
    Timings neverStore;
    qsizetype dailyEvents = 0;
    qsizetype neverEvents = 0;
    for (int i = 0; i < 5; ++i) {
        const QDateTime from = windowStart.addDays(i);
        dailyStore.measure([&] {
            dailyEvents = recurringStore
                              .eventsMatchingPredicate(store::predicateForEventsWithStartDate(
                                  from, from.addMonths(12), dailyCalendar))
                              .size();
        });
        neverStore.measure([&] {
            neverEvents = recurringStore
                              .eventsMatchingPredicate(store::predicateForEventsWithStartDate(
                                  from, from.addMonths(12), neverCalendar))
                              .size();
        });
    }

    TodomanTiming todoman;
    if (withTodoman)
        todoman = timeTodoman(work, root);
    else
        todoman.problem = QStringLiteral("left out (--no-todoman)");

    const double memoryMb = rssLoaded - rssBefore;
    bool allMet = true;
    std::printf("\n  %-46s %12s %14s   %s\n", "median of the runs", "wall", "target",
                "cpu (all threads)");
    printRow("cold load, all 10,000 tasks", cold, kColdLoadTargetMs, &allMet);
    printRow("warm load from the parse cache", warm, kWarmLoadTargetMs, &allMet);
    printRow("refresh with nothing changed (fetch all)", unchangedFetch, kUnchangedRefreshTargetMs,
             &allMet);
    printRow("refresh after one changed file (fetch all)", refreshFetch, kRefreshTargetMs, &allMet);
    printRow(qPrintable(QStringLiteral("12-month event window (%1 occurrences)").arg(occurrences)),
             window, kEventWindowTargetMs, &allMet);
    printRow(
        qPrintable(
            QStringLiteral("expansion, 2,000 endless daily events (%1)").arg(dailyOccurrences)),
        dailyInstants, kDailyExpansionTargetMs, &allMet);
    printRow(qPrintable(QStringLiteral("store, 25 events that never match (%1)").arg(neverEvents)),
             neverStore, kNeverMatchingTargetMs, &allMet);
    const bool memoryMet = memoryMb <= kMemoryTargetMb;
    allMet = allMet && memoryMet;
    std::printf("  %-46s %9.1f MB   <= %5.0f MB   %-6s\n", "resident memory of the loaded store",
                memoryMb, kMemoryTargetMb, memoryMet ? "met" : "MISSED");
    std::printf("\n  details\n");
    std::printf("  %-46s %s\n", "cold load, every run (wall ms)", qPrintable(cold.list()));
    std::printf("  %-46s %s   (%llu files parsed in them)\n", "warm load, every run (wall ms)",
                qPrintable(warm.list()), static_cast<unsigned long long>(parsedWarm));
    printDetail("refresh after one change, index only", refreshIndex);
    std::printf("  %-46s %s\n", "12-month event window, every run (wall ms)",
                qPrintable(window.list()));
    printDetail("the daily expansion, as zoned date-times", dailyDateTimes);
    printDetail(
        qPrintable(QStringLiteral("the daily events through the store (%1)").arg(dailyEvents)),
        dailyStore);
    std::printf("  %-46s %9.1f MB   (before %.1f, loaded %.1f, after the event queries %.1f)\n",
                "resident memory, whole process", rssAfterEvents, rssBefore, rssLoaded,
                rssAfterEvents);
    if (todoman.ran) {
        std::printf("  %-46s %9.1f ms   (first run, filling its cache: %.1f ms; %d lines)\n",
                    "todoman `todo list`, warm cache", todoman.warmMs, todoman.firstMs,
                    todoman.lines);
        std::printf("  %-46s %9.1f x\n", "todoman warm list / Velmoran cold load",
                    todoman.warmMs / cold.wallMedian());
    } else {
        std::printf("  todoman not timed: %s\n", qPrintable(todoman.problem));
    }
    std::printf("\n%s\n", allMet ? "All targets met." : "Some targets were MISSED.");
    return allMet ? 0 : 1;
}
