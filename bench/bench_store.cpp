// How fast the store loads and queries a large collection, and how much memory it keeps.
// Generates 10,000 tasks in 10 lists and 2,000 events (a quarter of them recurring) in a
// temporary folder, then times a cold load, a refresh after one changed file and a 12-month
// event query, reads the resident memory, and compares with todoman over the same lists. Beside
// that store, 2,000 endless daily events and 25 events whose rules never match time the
// recurrence expansion (RecurringEvents.h).

#include "RecurringEvents.h"

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

constexpr int kLists = 10;
constexpr int kTasksPerList = 1000;
constexpr int kCalendars = 2;
constexpr int kEventsPerCalendar = 1000;

constexpr double kColdLoadTargetMs = 250;
constexpr double kRefreshTargetMs = 30;
constexpr double kEventWindowTargetMs = 100;
constexpr double kMemoryTargetMb = 100;
constexpr double kDailyExpansionTargetMs = 50;
constexpr double kNeverMatchingTargetMs = 50;

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

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

const char* const kWords[] = {
    "call", "the",       "bank", "about",   "Müller", "invoice", "buy", "milk", "eggs",  "renew",
    "car",  "insurance", "book", "flights", "water",  "plants",  "fix", "bike", "review"};

QString words(int seed, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QString::fromUtf8(kWords[(seed * 7 + i * 13) % std::size(kWords)]);
    return out.join(QLatin1Char(' '));
}

bool makeCollection(const QString& folder, const QString& name, const QString& color)
{
    return QDir().mkpath(folder) &&
           writeFile(folder + QStringLiteral("/displayname"), name.toUtf8()) &&
           writeFile(folder + QStringLiteral("/color"), color.toUtf8());
}

// Tasks as Velmoran itself writes them: due dates spread over a year, some with times, alarms,
// notes, rules, some completed.
bool generateTasks(const QString& root, const QTimeZone& zone)
{
    const QDateTime created(QDate(2025, 12, 1), QTime(10, 0), Qt::UTC);
    for (int list = 0; list < kLists; ++list) {
        const QString folder = root + QStringLiteral("/list-%1").arg(list, 2, 10, QLatin1Char('0'));
        if (!makeCollection(
                folder, QStringLiteral("List %1").arg(list),
                QStringLiteral("#%1").arg(0x203040 + list * 0x101010, 6, 16, QLatin1Char('0'))))
            return false;
        for (int i = 0; i < kTasksPerList; ++i) {
            const int n = list * kTasksPerList + i;
            Reminder reminder;
            reminder.uid = QStringLiteral("task-%1").arg(n, 5, 10, QLatin1Char('0'));
            reminder.title = QStringLiteral("Task %1: ").arg(n) + words(n, 2 + n % 6);
            reminder.priority = n % 10;
            reminder.creationDate = created.addSecs(n * 60);
            reminder.lastModifiedDate = reminder.creationDate;
            if (n % 3 == 0)
                reminder.notes = words(n + 1, 12) + QStringLiteral("\n") + words(n + 2, 8);
            if (n % 5 != 0) {
                DateComponents due =
                    DateComponents::fromDate(QDate(2026, 1, 1).addDays((n * 37) % 365));
                if (n % 2 == 0) {
                    due.hour = 8 + n % 10;
                    due.minute = (n % 4) * 15;
                    due.timeZone = zone;
                }
                reminder.dueDateComponents = due;
                if (n % 4 == 1)
                    reminder.addAlarm(Alarm::withRelativeOffset(-900));
                if (n % 17 == 0)
                    reminder.addAlarm(Alarm::withAbsoluteDate(due.toDateTime().addDays(-1)));
                if (n % 10 == 3) {
                    RecurrenceRule rule;
                    rule.frequency = n % 20 == 3 ? RecurrenceRule::Frequency::Weekly
                                                 : RecurrenceRule::Frequency::Monthly;
                    reminder.addRecurrenceRule(rule);
                }
            }
            if (n % 10 >= 7) {
                reminder.completed = true;
                reminder.completionDate = reminder.creationDate.addDays(3);
            }
            if (!writeFile(folder + QLatin1Char('/') + reminder.uid + QStringLiteral(".ics"),
                           IcsItem::fromReminder(reminder).serialize()))
                return false;
        }
    }
    return true;
}

// Events in the shape calendar programs write them: a trimmed zone, local or UTC times, some
// all-day, a quarter with rules, some with an alarm.
bool generateEvents(const QString& root)
{
    const QByteArray zone = "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
                            "BEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
                            "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nTZNAME:CET\r\n"
                            "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
                            "BEGIN:DAYLIGHT\r\nDTSTART:19700329T020000\r\n"
                            "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nTZNAME:CEST\r\n"
                            "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\n"
                            "END:VTIMEZONE\r\n";
    const char* const rules[] = {"FREQ=WEEKLY",
                                 "FREQ=DAILY;COUNT=30",
                                 "FREQ=MONTHLY;BYMONTHDAY=15",
                                 "FREQ=YEARLY;BYMONTH=6",
                                 "FREQ=WEEKLY;BYDAY=MO,WE,FR;UNTIL=20261231T230000Z",
                                 "FREQ=WEEKLY;INTERVAL=2;COUNT=20"};
    for (int calendar = 0; calendar < kCalendars; ++calendar) {
        const QString folder = root + QStringLiteral("/calendar-%1").arg(calendar);
        if (!makeCollection(folder, QStringLiteral("Calendar %1").arg(calendar),
                            QStringLiteral("#63da38")))
            return false;
        for (int i = 0; i < kEventsPerCalendar; ++i) {
            const int n = calendar * kEventsPerCalendar + i;
            const QDate day = QDate(2026, 1, 1).addDays((n * 53) % 365);
            const bool allDay = n % 10 == 1;
            const bool recurring = n % 4 == 0;
            QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n";
            if (!allDay && n % 3 != 2)
                text += zone;
            text += "BEGIN:VEVENT\r\nUID:event-" + QByteArray::number(n) + "\r\n";
            text += "DTSTAMP:20251201T100000Z\r\n";
            text += "SUMMARY:" + QStringLiteral("Event %1 ").arg(n).toUtf8() +
                    words(n, 3 + n % 4).toUtf8() + "\r\n";
            const QByteArray date = day.toString(QStringLiteral("yyyyMMdd")).toLatin1();
            if (allDay) {
                text += "DTSTART;VALUE=DATE:" + date + "\r\nDTEND;VALUE=DATE:" +
                        day.addDays(1).toString(QStringLiteral("yyyyMMdd")).toLatin1() + "\r\n";
            } else if (n % 3 == 2) {
                const QByteArray hour = QByteArray::number(7 + n % 10).rightJustified(2, '0');
                text += "DTSTART:" + date + "T" + hour + "0000Z\r\nDTEND:" + date + "T" + hour +
                        "4500Z\r\n";
            } else {
                const QByteArray hour = QByteArray::number(8 + n % 10).rightJustified(2, '0');
                text += "DTSTART;TZID=Europe/Berlin:" + date + "T" + hour +
                        "0000\r\nDTEND;TZID=Europe/Berlin:" + date + "T" + hour + "3000\r\n";
            }
            if (n % 7 == 0)
                text += "LOCATION:Room " + QByteArray::number(n % 40) + "\r\n";
            if (recurring)
                text += QByteArray("RRULE:") + rules[(n / 4) % std::size(rules)] + "\r\n";
            if (n % 5 == 0)
                text += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\n"
                        "TRIGGER:-PT15M\r\nEND:VALARM\r\n";
            text += "END:VEVENT\r\nEND:VCALENDAR\r\n";
            if (!writeFile(folder + QStringLiteral("/event-%1.ics").arg(n), text))
                return false;
        }
    }
    return true;
}

struct TodomanTiming
{
    bool ran = false;
    QString problem;
    double firstMs = 0;
    double warmMs = 0;
    int lines = 0;
};

TodomanTiming timeTodoman(const QString& work, const QString& root)
{
    TodomanTiming timing;
    QString program = QStandardPaths::findExecutable(QStringLiteral("todo"));
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("todoman"));
    if (program.isEmpty()) {
        timing.problem = QStringLiteral("todoman is not installed");
        return timing;
    }
    const QString home = work + QStringLiteral("/home");
    QDir().mkpath(home + QStringLiteral("/config/todoman"));
    writeFile(home + QStringLiteral("/config/todoman/config.py"),
              QStringLiteral("path = \"%1/list-*\"\ndate_format = \"%Y-%m-%d\"\n"
                             "time_format = \"%H:%M\"\ndefault_list = \"List 0\"\n"
                             "cache_path = \"%2/todoman.sqlite3\"\n")
                  .arg(root, home)
                  .toUtf8());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));

    auto runOnce = [&](double* ms) {
        QProcess process;
        process.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        process.start(program, {QStringLiteral("list")});
        process.closeWriteChannel();
        if (!process.waitForFinished(300000)) {
            process.kill();
            process.waitForFinished();
            timing.problem = QStringLiteral("todoman did not finish within 5 minutes");
            return false;
        }
        *ms = msSince(timer);
        const QByteArray out = process.readAllStandardOutput();
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            timing.problem = QStringLiteral("todoman failed: ") +
                             QString::fromUtf8(process.readAllStandardError().left(400));
            return false;
        }
        timing.lines = int(out.count('\n'));
        return true;
    };
    // The first run fills todoman's cache; the user's everyday case is the warm one.
    if (!runOnce(&timing.firstMs))
        return timing;
    std::vector<double> warm;
    for (int i = 0; i < 3; ++i) {
        double ms = 0;
        if (!runOnce(&ms))
            return timing;
        warm.push_back(ms);
    }
    timing.warmMs = median(warm);
    timing.ran = true;
    return timing;
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

void printRow(const char* what, const Timings& timings, double target, bool* allMet)
{
    const bool met = timings.wallMedian() <= target;
    *allMet = *allMet && met;
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
    QFile file(reminder.origin->filePath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    std::optional<IcsItem> item = IcsItem::parse(file.readAll());
    file.close();
    if (!item)
        return;
    Reminder edited = reminder;
    edited.title += QStringLiteral(" (edited %1)").arg(round);
    item->applyReminder(edited, QDateTime::currentDateTime());
    writeFile(reminder.origin->filePath, item->serialize());
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
    QElapsedTimer generation;
    generation.start();
    if (!QFileInfo::exists(root) &&
        (!generateTasks(root, QTimeZone("Europe/Berlin")) || !generateEvents(root))) {
        std::fprintf(stderr, "cannot write the store in %s\n", qPrintable(root));
        return 1;
    }
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

    // Cold load: a store that has never seen the folders (the files are in the page cache,
    // as they are when the application starts again).
    const double rssBefore = residentMb();
    auto store = std::make_unique<EventStore>(QStringList{root});
    const ReminderPredicate all = store->predicateForRemindersInCalendars({});
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
        cold.measure([&] { fresh.remindersMatchingPredicate(all); });
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
    const EventPredicate year = store->predicateForEventsWithStartDate(
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
            dailyEvents =
                recurringStore
                    .eventsMatchingPredicate(recurringStore.predicateForEventsWithStartDate(
                        from, from.addMonths(12), dailyCalendar))
                    .size();
        });
        neverStore.measure([&] {
            neverEvents =
                recurringStore
                    .eventsMatchingPredicate(recurringStore.predicateForEventsWithStartDate(
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
    printDetail("refresh after one change, index only", refreshIndex);
    printDetail("fetch all with nothing changed", unchangedFetch);
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
    return 0;
}
