#include "CliRun.h"
#include "IcsLines.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QDirIterator>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace TestFiles;

namespace {

// Another program's task with a bit of everything, a line of its own and its own line
// endings: each edit must leave all of it that the edit does not name as it was.
const QByteArray kRichTask =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Other//EN\r\nBEGIN:VTODO\r\nUID:rich\r\n"
    "DTSTAMP:20261201T080000Z\r\nCREATED:20261201T080000Z\r\nLAST-MODIFIED:20261202T090000Z\r\n"
    "SUMMARY:Water the plants\r\nDESCRIPTION:Use the green can\\nand the rain water\r\n"
    "URL:https://example.org/plants\r\nPRIORITY:5\r\n"
    "DTSTART;TZID=Europe/Berlin:20261210T090000\r\nDUE;TZID=Europe/Berlin:20261210T090000\r\n"
    "RRULE:FREQ=WEEKLY;BYDAY=TH\r\nX-OTHER-PROGRAM;X-KEEP=1:its own line\r\n"
    "CATEGORIES:garden\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nX-ALARM-NOTE:kept\r\nEND:VALARM\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;VALUE=DATE-TIME:19760401T005545Z\r\n"
    "X-APPLE-PROXIMITY:ARRIVE\r\nX-APPLE-STRUCTURED-LOCATION;VALUE=URI;X-APPLE-RADIUS=70;"
    "X-TITLE=Garden:geo:52.5,13.4\r\nEND:VALARM\r\n"
    "END:VTODO\r\nEND:VCALENDAR\r\n";

// The counted lines of a file (see IcsLines) outside the properties named, in file order.
QList<QByteArray> linesApartFrom(const QByteArray& file, const QStringList& properties)
{
    QList<QByteArray> lines;
    for (const auto& [property, line] : IcsLines::counted(file))
        if (!properties.contains(QString::fromUtf8(property)))
            lines << line;
    return lines;
}

// Every file under a folder with its bytes.
QMap<QString, QByteArray> filesUnder(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.endsWith(QLatin1StringView(".velmoran.lock")))
            files.insert(path, readFile(path));
    }
    return files;
}

} // namespace

// show, edit and reopen of velmoran-cli, run over a store of its own: Home (with the rich
// task and an undated one) and Work.
class TestCliEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_cli = std::make_unique<CliRun>(QStringLiteral("2026-12-09T10:00"));
        QVERIFY(m_cli->isValid());
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/work/displayname", "Work");
        writeFile(richFile(), kRichTask);
        writeFile(root() + "/home/undated.ics", todo("undated", "Someday"));
    }

    void showsWhatTheDetailsShow()
    {
        QJsonObject shown = ok({"show", "rich", "--json"}).object();
        QCOMPARE(shown.take("file").toString(), richFile());
        QCOMPARE(
            shown,
            CliRun::quoted(
                "{'alarms': [{'offset': -900}, {'latitude': 52.5, 'location': 'Garden', "
                "'longitude': 13.4, 'proximity': 'arrive', 'radius': 70}], 'completed': false, "
                "'completionDate': null, 'created': '2026-12-01T09:00', 'due': "
                "'2026-12-10T09:00', 'id': 'rich', 'list': 'Home', 'listId': 'home', "
                "'location': 'Garden', 'modified': '2026-12-02T10:00', 'notes': 'Use the green "
                "can\\nand the rain water', 'parent': null, 'priority': 5, 'repeat': 'Every "
                "Week on Thursday', 'rrule': 'FREQ=WEEKLY;BYDAY=TH', 'start': "
                "'2026-12-10T09:00', 'title': 'Water the plants', 'url': "
                "'https://example.org/plants'}"));

        const CliRun::Result lines = ok({"show", "rich"});
        // One "name<TAB>value" line each, the names those of the JSON keys.
        QVERIFY(lines.out.startsWith("id\trich\ntitle\tWater the plants\nlist\tHome\n"));
        QVERIFY(lines.out.contains("\nalarm\t2026-12-10T08:45\nalarm\tarrive Garden\n"));
        QVERIFY(lines.out.contains("\nnotes\tUse the green can and the rain water\n"));
        QVERIFY(lines.out.endsWith("\nfile\t" + richFile().toUtf8() + "\n"));

        // The file as stored, after the fields.
        const CliRun::Result raw = cli({"show", "rich", "--raw"});
        QCOMPARE(raw.out, lines.out + "\n" + kRichTask);
        QCOMPARE(cli({"show", "rich", "--raw", "--json"}).object().value("raw").toString(),
                 QString::fromUtf8(kRichTask));
        QCOMPARE(cli({"show", "nobody"}).exitCode, 1);
    }

    void editChangesOnlyWhatItNames_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("changed");
        QTest::addColumn<QByteArray>("line"); // a line the file has afterwards, if any

        const auto row = [](const char* name, const QStringList& arguments,
                            const QStringList& changed, const char* line = "") {
            QTest::newRow(name) << arguments << changed << QByteArray(line);
        };
        const QStringList dates{"DTSTART", "DUE"};
        row("title", {"--title", "Water the roses"}, {"SUMMARY"}, "SUMMARY:Water the roses");
        row("due", {"--due", "2026-12-24 18:00"}, dates, "DUE;TZID=Europe/Berlin:20261224T180000");
        row("no due", {"--no-due"}, {"DTSTART", "DUE", "RRULE", "VALARM"});
        row("time", {"--time", "7:30"}, dates, "DUE;TZID=Europe/Berlin:20261210T073000");
        row("no time", {"--no-time"}, dates, "DUE;VALUE=DATE:20261210");
        row("priority", {"--priority", "low"}, {"PRIORITY"}, "PRIORITY:9");
        row("notes", {"--notes", "Only rain water"}, {"DESCRIPTION"},
            "DESCRIPTION:Only rain water");
        row("url", {"--url", "https://example.org/roses"}, {"URL"},
            "URL:https://example.org/roses");
        row("repeat", {"--repeat", "RRULE:FREQ=MONTHLY;BYMONTHDAY=10"}, {"RRULE"},
            "RRULE:FREQ=MONTHLY;BYMONTHDAY=10");
        row("repeat in Smart Add's words", {"--repeat", "every month on the 10th"}, {"RRULE"},
            "RRULE:FREQ=MONTHLY;BYMONTHDAY=10");
        row("no repeat", {"--no-repeat"}, {"RRULE"});
        row("alarm at a date", {"--alarm", "2026-12-10 08:00"}, {"VALARM"},
            "TRIGGER;VALUE=DATE-TIME:20261210T070000Z");
        row("alarm on", {"--alarm", "on"}, {"VALARM"}, "TRIGGER;VALUE=DATE-TIME:20261210T080000Z");
        row("no alarm", {"--no-alarm"}, {"VALARM"}, "X-TITLE=Garden");
        row("the same title", {"--title", "Water the plants"}, {});
        row("combined", {"--title", "Roses", "--priority", "high", "--no-repeat", "--notes", ""},
            {"DESCRIPTION", "PRIORITY", "RRULE", "SUMMARY"}, "PRIORITY:1");
    }

    void editChangesOnlyWhatItNames()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, changed);
        QFETCH(QByteArray, line);
        QCOMPARE(
            ok(QStringList{"edit", "rich", "--json"} + arguments).first().value("id").toString(),
            QString("rich"));
        const QByteArray after = readFile(richFile());
        QCOMPARE(IcsLines::changedProperties(kRichTask, after), changed);
        QCOMPARE(linesApartFrom(after, changed), linesApartFrom(kRichTask, changed));
        if (!line.isEmpty())
            QVERIFY2(IcsLines::unfolded(after).join('\n').contains(line), after.constData());
        if (changed.isEmpty())
            QCOMPARE(after, kRichTask);
    }

    // A move to another list is the same file, under the same name, in the other folder.
    void editMovesToAnotherList()
    {
        QCOMPARE(ok({"edit", "rich", "--list", "work", "--json"}).first().value("list").toString(),
                 QString("Work"));
        QVERIFY(!QFileInfo::exists(richFile()));
        const QByteArray moved = readFile(root() + "/work/rich.ics");
        QCOMPARE(linesApartFrom(moved, {}), linesApartFrom(kRichTask, {}));
    }

    void aBadValueWritesNothing_data()
    {
        QTest::addColumn<QString>("task");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message");
        const auto row = [](const char* name, const char* task, const QStringList& arguments,
                            int exitCode, const char* message) {
            QTest::newRow(name) << QString(task) << arguments << exitCode << QByteArray(message);
        };
        row("a day that does not exist", "rich", {"--due", "2026-02-30"}, 1, "--due");
        row("an unreadable due date", "rich", {"--due", "13-45"}, 1, "13-45");
        row("an unknown list", "rich", {"--list", "Garden"}, 1, "--list");
        row("a good title and an unknown list", "rich", {"--title", "Roses", "--list", "Garden"}, 1,
            "Garden");
        row("an hourly rule", "rich", {"--repeat", "FREQ=HOURLY"}, 1, "--repeat");
        row("repeat words with more", "rich", {"--repeat", "every Monday and more"}, 1, "--repeat");
        row("a rule with a bad day", "rich", {"--repeat", "FREQ=WEEKLY;BYDAY=XX"}, 1, "--repeat");
        row("a rule ended before the due date", "rich", {"--repeat", "FREQ=DAILY;UNTIL=20261201"},
            1, "never repeat");
        row("a repeat without a due date", "undated", {"--repeat", "FREQ=DAILY"}, 1, "--due");
        row("a time without a due date", "undated", {"--time", "09:00"}, 1, "--due");
        row("an alarm without a due date", "undated", {"--alarm", "on"}, 1, "--due");
        row("a bad priority", "rich", {"--priority", "urgent"}, 1, "--priority");
        row("a bad time", "rich", {"--time", "25:00"}, 1, "--time");
        row("a bad alarm", "rich", {"--alarm", "soon"}, 1, "--alarm");
        row("a URL without a link", "rich", {"--url", "no link here"}, 1, "--url");
        row("an empty title", "rich", {"--title", " "}, 1, "--title");
        row("due and no due", "rich", {"--due", "09:00", "--no-due"}, 2, "--no-due");
        row("repeat and no due", "rich", {"--repeat", "FREQ=DAILY", "--no-due"}, 2, "--no-due");
        row("nothing to change", "rich", {}, 2, "at least one");
        row("an option of another command", "rich", {"--tree"}, 2, "--tree");
        row("an unknown task", "nobody", {"--title", "X"}, 1, "nobody");
    }

    void aBadValueWritesNothing()
    {
        QFETCH(QString, task);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        const QMap<QString, QByteArray> before = filesUnder(root());
        const CliRun::Result run = cli(QStringList{"edit", task} + arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), run.err.constData());
        QVERIFY(run.out.isEmpty());
        QCOMPARE(filesUnder(root()), before);
    }

    // The command has read the task and waits for the list's folder lock, which this test
    // holds, while another program (which takes no lock) replaces the file: the edit is
    // refused and the other program's version stays.
    void aFileChangedSinceItWasReadIsNotOverwritten()
    {
        const QByteArray lockPath = QFile::encodeName(root() + "/home/.velmoran.lock");
        const int lock = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        QVERIFY(lock >= 0);
        QCOMPARE(::flock(lock, LOCK_EX), 0);
        QProcess process;
        m_cli->start(process, {"edit", "rich", "--title", "Mine"});
        QVERIFY(process.waitForStarted());
        const QString fdFolder = QStringLiteral("/proc/%1/fd").arg(process.processId());
        const auto waitsForTheLock = [&fdFolder, &lockPath] {
            for (const QFileInfo& fd : QDir(fdFolder).entryInfoList(QDir::Files | QDir::System))
                if (QFile::encodeName(fd.symLinkTarget()) == lockPath)
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(waitsForTheLock(), 30000);
        QByteArray theirs = kRichTask;
        theirs.replace("SUMMARY:Water the plants", "SUMMARY:Theirs");
        replaceFile(richFile(), theirs);
        ::close(lock);

        const CliRun::Result run = CliRun::finish(process);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("changed by another program"), run.err.constData());
        QCOMPARE(readFile(richFile()), theirs);
    }

    // What unchecking in the details does: open again, without a completion date, every
    // other line kept.
    void reopenATask()
    {
        const QByteArray done = todo("done", "Done",
                                     "DUE;VALUE=DATE:20261208\r\nDTSTART;VALUE=DATE:20261208\r\n"
                                     "STATUS:COMPLETED\r\nCOMPLETED:20261208T170000Z\r\n"
                                     "PERCENT-COMPLETE:100\r\nX-OTHER-PROGRAM:its line\r\n");
        writeFile(root() + "/home/done.ics", done);
        const QJsonObject reopened = ok({"reopen", "done", "--json"}).first();
        QVERIFY(!reopened.value("completed").toBool() && reopened.value("completionDate").isNull());
        const QByteArray after = readFile(root() + "/home/done.ics");
        QCOMPARE(IcsLines::changedProperties(done, after),
                 (QStringList{"COMPLETED", "PERCENT-COMPLETE", "STATUS"}));
        QVERIFY(!after.contains("COMPLETED:"));
        QCOMPARE(cli({"tasks", "--json"}).json().size(), 3);

        // An open task is left as it is.
        const QByteArray open = readFile(root() + "/home/undated.ics");
        ok({"reopen", "undated"});
        QCOMPARE(readFile(root() + "/home/undated.ics"), open);
    }

    // Completing moved the series on and kept the occurrence as a task of its own, completed
    // now and listed only with the completed tasks: reopening that one brings the occurrence
    // back open, and the series stays where it moved to.
    void reopenACompletedOccurrence()
    {
        m_cli->setNow("2026-12-09T18:45");
        ok({"complete", "rich"});
        QCOMPARE(cli({"tasks", "--json"}).json().size(), 2);
        QJsonObject occurrence;
        for (const QJsonValue& task : cli({"tasks", "--completed", "--json"}).json())
            if (task["completed"].toBool())
                occurrence = task.toObject();
        QCOMPARE(occurrence.value("due").toString() + " " +
                     occurrence.value("completionDate").toString(),
                 QString("2026-12-10T09:00 2026-12-09T18:45"));
        const QByteArray series = readFile(richFile());
        QVERIFY(series.contains("DUE;TZID=Europe/Berlin:20261217T090000"));

        const CliRun::Result warned = ok({"reopen", "rich"});
        QVERIFY2(warned.err.contains("tasks --completed"), warned.err.constData());
        QCOMPARE(readFile(richFile()), series);

        const QJsonObject run = ok({"reopen", occurrence.value("id").toString(), "--json"}).first();
        QVERIFY(!run.value("completed").toBool() && run.value("recurrence").isNull());
        QCOMPARE(run.value("due").toString(), QString("2026-12-10T09:00"));
        QCOMPARE(readFile(richFile()), series);
    }

private:
    QString root() const { return m_cli->storeRoot(); }
    QString richFile() const { return root() + "/home/rich.ics"; }
    CliRun::Result cli(const QStringList& arguments) const { return (*m_cli)(arguments); }
    CliRun::Result ok(const QStringList& arguments) const { return m_cli->ok(arguments); }

    std::unique_ptr<CliRun> m_cli;
};

VELMORAN_TEST_MAIN(TestCliEdit)
#include "tst_cliedit.moc"
