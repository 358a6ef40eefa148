#pragma once

// The store the benchmarks share: 10,000 tasks in 10 lists and 2,000 events (a quarter of them
// recurring) in 2 calendars, generated into a folder, and todoman timed over the same lists.
// The scale benchmark generates the same kind of store ten times larger.

#include "platform/store/IcsItem.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimeZone>
#include <QtConcurrent>

#include <algorithm>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

namespace BenchStore {

using namespace store;

constexpr int kLists = 10;
constexpr int kTasksPerList = 1000;
constexpr int kCalendars = 2;
constexpr int kEventsPerCalendar = 1000;

// How many lists, tasks and events a generated store holds.
struct Shape
{
    int lists = kLists;
    int tasksPerList = kTasksPerList;
    int calendars = kCalendars;
    int eventsPerCalendar = kEventsPerCalendar;
    // One event in this many repeats.
    int recurringEventEvery = 4;

    int tasks() const { return lists * tasksPerList; }
    int events() const { return calendars * eventsPerCalendar; }
    int recurringEvents() const
    {
        return (events() + recurringEventEvery - 1) / recurringEventEvery;
    }
};

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline const char* const kWords[] = {
    "call", "the",       "bank", "about",   "Müller", "invoice", "buy", "milk", "eggs",  "renew",
    "car",  "insurance", "book", "flights", "water",  "plants",  "fix", "bike", "review"};

inline QString words(int seed, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QString::fromUtf8(kWords[(seed * 7 + i * 13) % std::size(kWords)]);
    return out.join(QLatin1Char(' '));
}

inline bool makeCollection(const QString& folder, const QString& name, const QString& color)
{
    return QDir().mkpath(folder) &&
           writeFile(folder + QStringLiteral("/displayname"), name.toUtf8()) &&
           writeFile(folder + QStringLiteral("/color"), color.toUtf8());
}

// Tasks as Velmoran itself writes them: due dates spread over a year from `firstDue`, some
// with times, alarms, notes (a few long ones), rules, some completed. Lists are written side by
// side.
inline bool generateTasks(const QString& root, const QTimeZone& zone,
                          const QDate& firstDue = QDate(2026, 1, 1), const Shape& shape = {})
{
    const QDateTime created(QDate(2025, 12, 1), QTime(10, 0), Qt::UTC);
    auto writeList = [&](int list) {
        const QString folder = root + QStringLiteral("/list-%1").arg(list, 2, 10, QLatin1Char('0'));
        if (!makeCollection(folder, QStringLiteral("List %1").arg(list),
                            QStringLiteral("#%1").arg((0x203040 + list * 0x101010) & 0xffffff, 6,
                                                      16, QLatin1Char('0'))))
            return false;
        for (int i = 0; i < shape.tasksPerList; ++i) {
            const int n = list * shape.tasksPerList + i;
            Reminder reminder;
            reminder.uid = QStringLiteral("task-%1").arg(n, 5, 10, QLatin1Char('0'));
            reminder.title = QStringLiteral("Task %1: ").arg(n) + words(n, 2 + n % 6);
            reminder.priority = n % 10;
            reminder.creationDate = created.addSecs(n * 60);
            reminder.lastModifiedDate = reminder.creationDate;
            if (n % 50 == 25) {
                QStringList paragraphs;
                for (int p = 0; p < 12; ++p)
                    paragraphs << words(n + p, 20 + p);
                reminder.notes = paragraphs.join(QStringLiteral("\n\n"));
            } else if (n % 3 == 0) {
                reminder.notes = words(n + 1, 12) + QStringLiteral("\n") + words(n + 2, 8);
            }
            if (n % 5 != 0) {
                DateComponents due = DateComponents::fromDate(firstDue.addDays((n * 37) % 365));
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
        return true;
    };
    QList<int> lists;
    for (int list = 0; list < shape.lists; ++list)
        lists << list;
    const QList<bool> written = QtConcurrent::blockingMapped(lists, writeList);
    return !written.contains(false);
}

// Events in the shape calendar programs write them: a trimmed zone, local or UTC times, some
// all-day, a quarter with rules, some with an alarm.
inline bool generateEvents(const QString& root, const Shape& shape = {})
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
    for (int calendar = 0; calendar < shape.calendars; ++calendar) {
        const QString folder = root + QStringLiteral("/calendar-%1").arg(calendar);
        if (!makeCollection(folder, QStringLiteral("Calendar %1").arg(calendar),
                            QStringLiteral("#63da38")))
            return false;
        for (int i = 0; i < shape.eventsPerCalendar; ++i) {
            const int n = calendar * shape.eventsPerCalendar + i;
            const QDate day = QDate(2026, 1, 1).addDays((n * 53) % 365);
            const bool allDay = n % 10 == 1;
            const bool recurring = n % shape.recurringEventEvery == 0;
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
                text += QByteArray("RRULE:") +
                        rules[(n / shape.recurringEventEvery) % std::size(rules)] + "\r\n";
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

// Gives every file of the store a modification time a minute back, as a store has between
// runs (the parse cache keeps nothing changed in the last moments).
inline void ageFiles(const QString& root)
{
    const timespec past{time(nullptr) - 60, 0};
    const timespec times[2] = {past, past};
    QDirIterator files(root, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext())
        ::utimensat(AT_FDCWD, QFile::encodeName(files.next()).constData(), times, 0);
}

struct TodomanTiming
{
    bool ran = false;
    QString problem;
    double firstMs = 0;
    double warmMs = 0;
    int lines = 0;
};

inline TodomanTiming timeTodoman(const QString& work, const QString& root)
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
        *ms = double(timer.nsecsElapsed()) / 1e6;
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
    std::sort(warm.begin(), warm.end());
    timing.warmMs = warm[warm.size() / 2];
    timing.ran = true;
    return timing;
}

} // namespace BenchStore
