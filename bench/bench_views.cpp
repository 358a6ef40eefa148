// Times the task list of the day, week and month views over a store of 100,000 tasks in 10
// lists and 1,000 events, as the window assembles it on every refresh (fetch, sort, events),
// and the dots of the month strip, against the target of 50 ms per view.

#include "BenchTiming.h"
#include "data/CalendarEvents.h"
#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/views/TaskListAssembly.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "platform/store/EventStore.h"
#include "prefs/DefaultPreferences.h"
#include "text/Global.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int kLists = 10;
constexpr int kTasksPerList = 10000;
constexpr int kEvents = 1000;
constexpr int kRuns = 15;
constexpr double kViewTargetMs = 50.0;

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray stamp(const QDateTime& local)
{
    return local.toString(QStringLiteral("yyyyMMdd'T'HHmmss")).toLatin1();
}

// One task: due within a year either side of today (one in ten undated, a third without a
// time of day), three in ten completed during the last year.
QByteArray taskFile(int n, const QDateTime& today, QRandomGenerator& random)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Bench//EN\r\n"
                      "BEGIN:VTODO\r\nUID:task-" +
                      QByteArray::number(n) + "\r\nSUMMARY:Task " + QByteArray::number(n) +
                      "\r\nPRIORITY:" + QByteArray::number(int(random.bounded(4)) * 3) + "\r\n";
    if (random.bounded(10) != 0) {
        const QDate day = today.date().addDays(qint64(random.bounded(731)) - 365);
        if (random.bounded(3) == 0)
            text += "DUE;VALUE=DATE:" + day.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        else
            text += "DUE;TZID=Europe/Berlin:" +
                    stamp(QDateTime(day, QTime(7 + int(random.bounded(14)), 0)));
        text += "\r\n";
    }
    if (random.bounded(10) < 3) {
        const QDateTime done = today.addSecs(-qint64(random.bounded(365 * 86400)));
        text += "STATUS:COMPLETED\r\nCOMPLETED:" + stamp(done.toUTC()) + "Z\r\n";
    }
    return text + "END:VTODO\r\nEND:VCALENDAR\r\n";
}

QByteArray eventFile(int n, const QDateTime& today, QRandomGenerator& random)
{
    const QDateTime start(today.date().addDays(qint64(random.bounded(300)) - 150),
                          QTime(8 + int(random.bounded(10)), 0));
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Bench//EN\r\nBEGIN:VEVENT\r\n"
           "UID:event-" +
           QByteArray::number(n) + "\r\nSUMMARY:Event " + QByteArray::number(n) +
           "\r\nDTSTART;TZID=Europe/Berlin:" + stamp(start) +
           "\r\nDTEND;TZID=Europe/Berlin:" + stamp(start.addSecs(3600)) +
           "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

bool writeStore(const QString& root, const QDateTime& today)
{
    QRandomGenerator random(20240315);
    for (int list = 0; list < kLists; ++list) {
        const QString folder = QStringLiteral("%1/list-%2/").arg(root).arg(list);
        if (!QDir().mkpath(folder) ||
            !writeFile(folder + "displayname", "List " + QByteArray::number(list)))
            return false;
        for (int i = 0; i < kTasksPerList; ++i) {
            const int n = list * kTasksPerList + i;
            if (!writeFile(folder + QStringLiteral("task-%1.ics").arg(n),
                           taskFile(n, today, random)))
                return false;
        }
    }
    const QString calendar = root + QStringLiteral("/calendar/");
    if (!QDir().mkpath(calendar) || !writeFile(calendar + "displayname", "Calendar"))
        return false;
    for (int n = 0; n < kEvents; ++n) {
        if (!writeFile(calendar + QStringLiteral("event-%1.ics").arg(n),
                       eventFile(n, today, random)))
            return false;
    }
    return true;
}

using BenchTiming::Timing;

Timing timeMs(const std::function<qsizetype()>& work)
{
    return BenchTiming::median(kRuns, [&work] { return qint64(work()); });
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    const QDateTime now(QDate(2025, 3, 27), QTime(10, 30));
    QTemporaryDir dir;
    if (!dir.isValid() ||
        !writeStore(dir.filePath(QStringLiteral("store")), now.date().startOfDay())) {
        out << "could not write the store\n";
        return 1;
    }

    UserDefaults defaults(dir.filePath(QStringLiteral("prefs.json")));
    setupDefaultPreferences(defaults, nullptr);
    Clock clock;
    clock.setNow(now);
    const QString root = dir.filePath(QStringLiteral("store"));
    DataManager manager(defaults, clock, [&clock, root] {
        return std::make_unique<store::EventStore>(QStringList{root}, clock);
    });
    const Global::Context texts(&manager.dates(), &defaults);

    QElapsedTimer loadTimer;
    loadTimer.start();
    QEventLoop loop;
    bool loaded = false;
    QObject::connect(&manager, &DataManager::remindersRefreshed, &loop, [&] {
        loaded = true;
        loop.quit();
    });
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    manager.initStore();
    loop.exec();
    if (!loaded) {
        out << "the store did not load\n";
        return 1;
    }
    out << "store of " << manager.session().countForAllReminders() << " tasks and "
        << manager.events().eventsArray().size() << " events loaded in " << loadTimer.elapsed()
        << " ms\n\n";

    const TaskListAssembly assembly(manager);
    struct Row
    {
        QString name;
        TaskViewMode mode;
        QDateTime start;
    };
    const QList<Row> rows = {
        {QStringLiteral("day view (today)"), TaskViewMode::Day, manager.dates().today()},
        {QStringLiteral("week view (this week)"), TaskViewMode::Week,
         manager.dates().thisWeekDate()},
        {QStringLiteral("month view (this month)"), TaskViewMode::Month,
         manager.dates().thisMonthDate()},
    };
    BenchTiming::Table table(out, 28, true);
    table.header();
    const auto report = [&table](const QString& name, const Timing& timing) {
        table.row(name, timing, kViewTargetMs);
    };
    for (const Row& row : rows) {
        report(row.name, timeMs([&] {
                   const auto content = assembly.fetchData(row.mode, {}, row.start, true, {});
                   return content.reminders.size() +
                          content.events.value_or(QList<store::EventPtr>()).size();
               }));
    }
    const auto month =
        assembly.fetchData(TaskViewMode::Month, {}, manager.dates().thisMonthDate(), true, {});
    report(QStringLiteral("month strip dots"), timeMs([&] {
               return qsizetype(assembly
                                    .calendarDots(TaskViewMode::Month,
                                                  manager.dates().thisMonthDate(), month.reminders,
                                                  *month.events)
                                    .size());
           }));
    out << "\ntarget: " << kViewTargetMs << " ms per view (median of " << kRuns << " runs); "
        << (table.allMet() ? "met" : "NOT met") << "\n";
    if (store::EventStore* eventStore = manager.eventStore())
        eventStore->waitForFetches();
    return table.allMet() ? 0 : 1;
}
