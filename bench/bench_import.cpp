// Import speed: one calendar of 1,000 tasks (a third of them with a time zone, some repeating,
// some with alarms) read, planned against a store of 1,000 tasks already there, and written
// into an empty list, each task a file of its own. Target: under a second.

#include "BenchTiming.h"

#include "data/exchange/IcsImport.h"
#include "platform/store/EventStore.h"
#include "platform/store/VdirCollections.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int kTasks = 1000;

QByteArray task(const QByteArray& uid, int i)
{
    QByteArray lines = "BEGIN:VTODO\r\nUID:" + uid + "\r\nSUMMARY:Task number " +
                       QByteArray::number(i) + " with a title of ordinary length\r\n" +
                       "DTSTAMP:20261201T090000Z\r\nCREATED:20261201T090000Z\r\n";
    if (i % 3 == 0)
        lines += "DUE;TZID=America/New_York:20261215T090000\r\n";
    else
        lines += "DUE:2026121" + QByteArray::number(i % 10) + "T100000Z\r\n";
    if (i % 7 == 0)
        lines += "RRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\n";
    if (i % 5 == 0)
        lines += "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n";
    return lines + "END:VTODO\r\n";
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString root = dir.filePath("store");
    QByteArray incoming = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n";
    for (int i = 0; i < kTasks; ++i) {
        incoming += task("incoming-" + QByteArray::number(i), i);
        writeFile(root + "/present/task-" + QString::number(i) + ".ics",
                  "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n" +
                      task("present-" + QByteArray::number(i), i) + "END:VCALENDAR\r\n");
    }
    incoming += "END:VCALENDAR\r\n";
    const QString file = dir.filePath("incoming.ics");
    if (!writeFile(file, incoming) || !writeFile(root + "/present/displayname", "Present"))
        return 1;

    store::EventStore eventStore(QStringList{root});
    int run = 0;
    QString target;
    const BenchTiming::Timing timing = BenchTiming::median(
        5,
        [&] {
            exchange::ImportPlan plan;
            QString error;
            if (!exchange::planImport({file}, exchange::storedItems(eventStore.calendars()), 2026,
                                      &plan, &error))
                return qint64(-1);
            auto list = std::make_shared<store::Calendar>();
            list->folderPath = target;
            return qint64(
                exchange::runImport(plan, {list, nullptr}, exchange::PresentItems::Skip).added);
        },
        [&] {
            target = dir.filePath("targets/empty-") + QString::number(run++);
            QDir().mkpath(target);
        });

    QTextStream out(stdout);
    out << "load average: " << BenchTiming::loadAverage() << "\n";
    BenchTiming::Table table(out, 40, true);
    table.header();
    table.row(QStringLiteral("import 1,000 tasks beside 1,000"), timing, 1000);
    if (timing.results != kTasks) {
        std::fprintf(stderr, "imported %lld tasks, not %d\n",
                     static_cast<long long>(timing.results), kTasks);
        return 1;
    }
    return table.allMet() ? 0 : 1;
}
