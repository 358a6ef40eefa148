#include "../data/CalendarFiles.h"
#include "CliRun.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "Todoman.h"

#include "platform/store/EventStore.h"
#include "platform/store/ParseCache.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestFiles;

using Run = CliRun::Result;

// The built velmoran-cli, run as a separate process over a store, preferences and clock of
// its own, and what todoman makes of an exported calendar taken into another store. The store
// starts with the lists Home and Work and a calendar with one event.
class TestCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<CliRun>("2026-12-09T10:00");
        QVERIFY(m_dir->isValid());
        for (const auto& [file, text] : {std::pair{"home/displayname", "Home"},
                                         {"home/order", "0"},
                                         {"work/displayname", "Work"},
                                         {"work/order", "1"},
                                         {"calendar/displayname", "Calendar"}})
            writeFile(storeRoot() + "/" + file, text);
        writeFile(
            storeRoot() + "/calendar/standup.ics",
            CalendarFiles::eventFile("standup", "Stand-up", "20261210T090000", "20261210T091500"));
    }

    void addThenListTasksAsJson()
    {
        const Run added =
            ok({"add", "Buy", "milk", "--due", "09:00", "--priority", "high", "--notes",
                "two\nlines", "--url", "https://example.org/shop", "--json"});
        QCOMPARE(added.json().size(), 1);
        QJsonObject task = added.first();
        const QString id = task.take("id").toString();
        QVERIFY(!id.isEmpty());
        QCOMPARE(
            task,
            CliRun::quoted(
                "{'title': 'Buy milk', 'list': 'Home', 'listId': 'home', 'due': "
                "'2026-12-10T09:00', 'priority': 1, 'completed': false, 'completionDate': null, "
                "'notes': 'two\\nlines', 'url': 'https://example.org/shop', 'alarms': [{'date': "
                "'2026-12-10T09:00'}], 'recurrence': null, 'parent': null}"));
        QCOMPARE(cli({"tasks", "--json"}).json(), QJsonArray{added.first()});
        // Without --json: one line per task, the identifier first.
        const Run lines = cli({"tasks"});
        QVERIFY2(lines.out.startsWith(id.toUtf8() + "\t[ ]\t") && lines.out.count('\n') == 1,
                 lines.out.constData());

        // A due day without a time, and absent fields.
        ok({"prefs", "set", "noDueTime", "true"});
        task = cli({"add", "--text", "Pay rent", "--due", "2030-01-15", "--json"}).first();
        QCOMPARE(task.value("due").toString(), QString("2030-01-15"));
        QVERIFY(task.value("notes").isNull() && task.value("url").isNull());
    }

    // Smart Add and the URL run as the application runs them; what they cannot read is said.
    void smartAddAndUrlCommands()
    {
        const QJsonObject run =
            ok({"smartadd", "call", "mom", "tomorrow", "3pm", "!", "--json"}).first();
        QCOMPARE(run.value("title").toString() + " " + run.value("due").toString(),
                 QString("call mom ! 2026-12-10T15:00"));
        QCOMPARE(cli({"url", "velmoran://open?uuid=" + run["id"].toString(), "--json"}).first(),
                 run);
        const Run undated = ok({"url", "velmoran://add?text=Later&due=13-45", "--json"});
        QVERIFY(undated.err.contains("13-45") && undated.first().value("due").isNull());
    }

    // Subtasks: "parent" in the JSON, the tree indented; a move that would loop is refused.
    void subtasks()
    {
        const QString trip = cli({"add", "Trip", "--json"}).first().value("id").toString();
        const Run pack = ok({"add", "Pack", "--parent", trip, "--json"});
        QCOMPARE(pack.first().value("parent").toString(), trip);
        const QString packId = pack.first().value("id").toString();
        const QString socks =
            cli({"add", "Socks", "--parent", packId, "--json"}).first().value("id").toString();
        ok({"add", "Bread"});

        QStringList titles;
        for (const QByteArray& line : cli({"tasks", "--tree"}).out.trimmed().split('\n'))
            titles << QString::fromUtf8(line.split('\t').constLast());
        // Subtasks follow their parent, indented by depth.
        QCOMPARE(titles.size(), 4);
        QCOMPARE(titles.mid(titles.indexOf("Trip"), 3),
                 (QStringList{"Trip", "  Pack", "    Socks"}));
        const Run loop = cli({"move", trip, "--parent", socks});
        QVERIFY(loop.exitCode == 1 && loop.out.isEmpty());
        QVERIFY(ok({"move", socks, "--no-parent", "--json"}).first().value("parent").isNull());
        QCOMPARE(ok({"move", trip, "--parent", socks, "--json"}).first().value("parent").toString(),
                 socks);
        // A deleted subtask still names the parent it had.
        QCOMPARE(ok({"delete", packId, "--json"}).first().value("parent").toString(), trip);
    }

    // A deleted task is listed newest first and comes back byte for byte; an identifier that
    // is not there fails the whole command before anything is restored.
    void deletedTasksAreListedAndRestored()
    {
        const QByteArray bytes = todo("kept-1", "Kept", "X-OTHER-PROGRAM:its line\r\n");
        writeFile(storeRoot() + "/work/kept-1.ics", bytes);
        const QString other = cli({"add", "Other", "--json"}).first().value("id").toString();
        ok({"delete", "kept-1"});
        m_dir->setNow("2026-12-09T11:30");
        ok({"delete", other});

        const QJsonArray deleted = cli({"deleted", "--json"}).json();
        QCOMPARE(deleted.size(), 2);
        const QJsonObject newest = deleted.at(0).toObject();
        QJsonObject kept = deleted.at(1).toObject();
        QCOMPARE(newest.value("title").toString(), QString("Other"));
        const QString keptId = kept.take("id").toString();
        QCOMPARE(kept.take("folder").toString(), storeRoot() + "/work");
        QCOMPARE(kept, CliRun::quoted("{'title': 'Kept', 'list': 'Work', 'kind': 'task', "
                                      "'deletedBy': 'velmoran', 'deletedAt': '2026-12-09T10:00', "
                                      "'file': 'kept-1.ics', 'uid': 'kept-1', 'tasks': 1}"));
        QVERIFY(
            cli({"deleted"}).out.startsWith(newest.value("id").toString().toUtf8() + "\ttask\t"));

        const Run refused = cli({"restore", keptId, "no-such-entry"});
        QVERIFY(refused.exitCode == 1 && refused.err.contains("no-such-entry"));
        QVERIFY(!QFileInfo::exists(storeRoot() + "/work/kept-1.ics"));

        const Run restored = ok({"restore", keptId});
        QVERIFY2(restored.out.contains("\"Kept\" into \"Work\""), restored.out.constData());
        QCOMPARE(readFile(storeRoot() + "/work/kept-1.ics"), bytes);
        QCOMPARE(cli({"restore", keptId}).exitCode, 1);

        ok({"deleted", "--empty"});
        QCOMPARE(cli({"deleted", "--json"}).json().size(), 0);
        QCOMPARE(cli({"deleted", "x"}).exitCode, 2);
        QCOMPARE(cli({"restore"}).exitCode, 2);
    }

    // Names that are not UTF-8 (a folder and a file another program named in Latin-1) are
    // listed readably, and the output stays valid UTF-8 without lone surrogate escapes.
    void namesThatAreNotUtf8AreShownReadably()
    {
        const QByteArray folder = storeRoot().toUtf8() + "/Eink\xe4ufe";
        const QByteArray file = storeRoot().toUtf8() + "/home/caf\xe9.ics";
        QCOMPARE(::mkdir(folder.constData(), 0755), 0);
        const auto writeBytes = [](const QByteArray& path, const QByteArray& bytes) {
            const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            QVERIFY(fd >= 0);
            QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
            ::close(fd);
        };
        writeBytes(folder + "/milk.ics", todo("milk", "Milk"));
        writeBytes(file, todo("coffee", "Coffee"));
        const QString shown = QStringLiteral("Eink\uFFFDufe");
        const auto readable = [](const Run& run) {
            return run.exitCode == 0 && QUtf8StringView(run.out).isValidUtf8() &&
                   !run.out.toLower().contains("\\udc");
        };

        const Run lists = ok({"lists", "--json"});
        QVERIFY2(readable(lists), lists.out.constData());
        QString listId;
        for (const QJsonValue& list : lists.json())
            if (list.toObject().value("title").toString() == shown)
                listId = list.toObject().value("id").toString();
        QVERIFY(listId.startsWith(shown));
        QVERIFY(readable(cli({"lists"})));

        QVERIFY(readable(cli({"tasks"})));
        const Run inList = cli({"tasks", "--list", listId, "--json"});
        QCOMPARE(titlesOf(inList), QStringList{"Milk"});
        QCOMPARE(inList.first().value("list").toString(), shown);

        ok({"delete", "coffee"});
        QCOMPARE(::access(file.constData(), F_OK), -1);
        const Run deleted = cli({"deleted", "--json"});
        QVERIFY2(readable(deleted), deleted.out.constData());
        QCOMPARE(deleted.first().value("file").toString(), QStringLiteral("caf\uFFFD.ics"));
    }

    void selectionsListsAndEvents()
    {
        cli({"add", "Call Anna #family", "--priority", "high"});
        cli({"add", "File taxes", "--list", "Work", "--priority", "low"});
        cli({"add", "Water plants", "--due", "2026-12-09 18:00"});
        QCOMPARE(titlesOf(cli({"tasks", "--list", "work", "--json"})), QStringList{"File taxes"});
        QCOMPARE(titlesOf(cli({"tasks", "--filter", "8", "--tag", "family", "--json"})),
                 QStringList{"Call Anna #family"});
        QCOMPARE(titlesOf(cli({"tasks", "--filter", "11", "--json"})), QStringList{"Water plants"});
        QCOMPARE(titlesOf(cli({"tasks", "--search", "plants", "--json"})),
                 QStringList{"Water plants"});
        QCOMPARE(cli({"tasks", "--list", "garden"}).exitCode, 1);
        QCOMPARE(cli({"tasks", "--list", "work", "--search", "x"}).exitCode, 2);

        const Run events = cli({"events", "2026-12-10", "2026-12-10", "--json"});
        QCOMPARE(events.first().value("end").toString(), QString("2026-12-10T09:15"));
        QCOMPARE(cli({"events", "2026-12-11", "2026-12-31", "--json"}).json().size(), 0);
    }

    void listProblemsNameTheFilesThatCouldNotBeRead()
    {
        QVERIFY(ok({"lists", "--problems"}).out.isEmpty());
        QCOMPARE(cli({"lists", "--problems", "--json"}).json().size(), 0);

        writeFile(storeRoot() + "/work/cut.ics", "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\n");
        const Run lines = cli({"lists", "--problems"});
        QCOMPARE(lines.exitCode, 1);
        QCOMPARE(lines.out, storeRoot().toUtf8() +
                                "/work/cut.ics\tWork\tnot an iCalendar file: BEGIN:VTODO is never "
                                "closed\n");
        const Run json = cli({"lists", "--problems", "--json"});
        QCOMPARE(json.exitCode, 1);
        QCOMPARE(json.first(), (QJsonObject{{"path", storeRoot() + "/work/cut.ics"},
                                            {"list", "Work"},
                                            {"listId", "work"},
                                            {"reason", "not an iCalendar file: BEGIN:VTODO is "
                                                       "never closed"}}));
        QCOMPARE(cli({"tasks", "--problems"}).exitCode, 2);
    }

    // A full disk: the change is refused with the disk's own reason at once, not blamed on a
    // lock "held by another process", and the file keeps its old value.
    void aPreferenceOnAFullDiskIsReported()
    {
        const QString config = m_dir->filePath("config");
        QVERIFY(cli({"prefs", "set", "alarmTime", "\"09:30\""}).exitCode == 0);
        const QByteArray before = readFile(config + "/velmoran/preferences.json");
        // A file system of its own, 64 KiB, filled to the last byte.
        const QString disk = m_dir->filePath("full");
        QDir().mkpath(disk);
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", disk}) != 0)
            QSKIP("needs to mount a small file system (root)");
        const auto unmount = qScopeGuard([disk] { QProcess::execute("umount", {disk}); });
        QDir().mkpath(disk + "/velmoran");
        writeFile(disk + "/velmoran/preferences.json", before);
        {
            QFile filler(disk + "/filler");
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
        m_dir->setVariable("XDG_CONFIG_HOME", disk);
        const Run full = cli({"prefs", "set", "alarmTime", "\"07:00\""});
        QCOMPARE(full.exitCode, 1);
        QVERIFY2(full.err.contains("No space left on device"), full.err.constData());
        QVERIFY2(!full.err.contains("another process"), full.err.constData());
        QCOMPARE(readFile(disk + "/velmoran/preferences.json"), before);
        QVERIFY(!QFileInfo::exists(disk + "/velmoran/preferences.json.lock"));
    }

    void preferences()
    {
        ok({"prefs", "set", "alarmTime", "\"09:30\""});
        QCOMPARE(cli({"prefs", "get", "alarmTime"}).out.trimmed(), QByteArray("\"09:30\""));
        // The application's preference file took the value, and the next add uses it.
        QVERIFY(readFile(m_dir->filePath("config/velmoran/preferences.json")).contains("09:30"));
        QCOMPARE(cli({"add", "Dentist", "--due", "2030-01-15", "--json"})
                     .first()
                     .value("due")
                     .toString(),
                 QString("2030-01-15T09:30"));

        QCOMPARE(cli({"prefs", "set", "alarmOn", "\"yes\""}).exitCode, 1);
        QCOMPARE(cli({"prefs", "set", "alarmOn", "{not json"}).exitCode, 1);
        QCOMPARE(cli({"prefs", "get", "alarmOn"}).out.trimmed(), QByteArray("true"));
        QCOMPARE(cli({"prefs", "get", "noSuchKey"}).out.trimmed(), QByteArray("null"));

        // Starting at login: the autostart entry comes and goes with the preference.
        const QString entry = m_dir->filePath("config/autostart/velmoran.desktop");
        ok({"prefs", "set", "startAtLogin", "true"});
        QVERIFY(readFile(entry).contains(" --background\n"));
        ok({"prefs", "set", "startAtLogin", "false"});
        QVERIFY(!QFileInfo::exists(entry));
    }

    // The tasks of one list go out as one calendar; imported into an empty store, todoman
    // lists them as they were.
    void exportedTasksReachTodoman()
    {
        ok({"add", "Water the plants", "--list", "Home", "--due", "2026-12-12 09:00"});
        ok({"add", "Pay rent", "--list", "Home"});
        ok({"add", "Write report", "--list", "Work"});
        const QString file = m_dir->filePath("home.ics");
        const Run exported = ok({"export", "--list", "Home", "-o", file});
        QVERIFY2(exported.out.startsWith("tasks: 2,"), exported.out);
        QCOMPARE(cli({"export", "--list", "Home"}).out, readFile(file));

        const QString otherStore = m_dir->filePath("other");
        writeFile(otherStore + "/moved/displayname", "Moved");
        m_dir->setStoreRoot(otherStore);
        const Run imported = ok({"import", file});
        QVERIFY2(imported.out.contains("tasks: 2, events: 0, added: 2"), imported.out);

        Todoman todoman(otherStore, m_dir->filePath("cache"));
        if (!todoman.isInstalled())
            QSKIP("todoman is not installed");
        QStringList titles;
        for (const QJsonValue& task : todoman.list())
            titles << task.toObject().value("summary").toString();
        titles.sort();
        QCOMPARE(titles, (QStringList{"Pay rent", "Water the plants"}));
        QCOMPARE(todoman.task("Water the plants").value("due").toInteger(),
                 TestEnvironment::local(2026, 12, 12, 9).toSecsSinceEpoch());
    }

    // Broken items are named on standard error and make the exit status 1; the rest goes in,
    // tasks to the list asked for and events to the calendar, once.
    void importNamesWhatItSkips()
    {
        const QString file = m_dir->filePath("mixed.ics");
        writeFile(file,
                  CalendarFiles::calendar(
                      CalendarFiles::vtodo("good", "Good task") +
                      CalendarFiles::vtodo("bad", "Bad task", "DUE:soon\r\n") +
                      CalendarFiles::vevent("party", "Party", "DTSTART:20261219T180000Z\r\n")));
        const Run first = cli({"import", file, "--list", "wo"});
        QCOMPARE(first.exitCode, 1);
        QCOMPARE(first.err.trimmed(), ("velmoran-cli: " + file +
                                       ":8: \"Bad task\" skipped: its DUE \"soon\" is not a "
                                       "date")
                                          .toUtf8());
        QVERIFY2(first.out.startsWith("tasks: 1, events: 1, added: 2, updated: 0, already "
                                      "present: 0, skipped: 1"),
                 first.out);
        QVERIFY(QFileInfo::exists(storeRoot() + "/work/good.ics") &&
                QFileInfo::exists(storeRoot() + "/calendar/party.ics"));

        const Run again = cli({"import", file, "--list", "Work", "--update"});
        QVERIFY2(again.out.startsWith("tasks: 1, events: 1, added: 0, updated: 0, already "
                                      "present: 2"),
                 again.out);
        QCOMPARE(QDir(storeRoot() + "/work").entryList({"*.ics"}) +
                     QDir(storeRoot() + "/calendar").entryList({"*.ics"}),
                 (QStringList{"good.ics", "party.ics", "standup.ics"}));
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("environment"); // "NAME=value"; ":" starts a folder in the store
        const auto row = [](const char* name, const QStringList& arguments, int exitCode,
                            const QByteArray& message, const QString& environment = {}) {
            QTest::newRow(name) << arguments << exitCode << message << environment;
        };
        row("no command", {}, 2, "no command");
        row("unknown command", {"frobnicate"}, 2, "frobnicate");
        row("unknown option", {"tasks", "--colour"}, 2, "colour");
        row("unreadable due", {"add", "X", "--due", "13-45"}, 1, "13-45");
        row("due and due-after", {"add", "X", "--due", "09:00", "--due-after", "5"}, 2,
            "--due-after");
        row("bad due-after", {"add", "X", "--due-after", "soon"}, 1, "soon");
        row("bad priority", {"add", "X", "--priority", "urgent"}, 1, "urgent");
        row("no title", {"add", "--due", "09:00"}, 1, "title");
        row("filter out of range", {"tasks", "--filter", "99"}, 1, "99");
        row("tag without filter", {"tasks", "--tag", "x"}, 2, "--tag");
        row("unknown task", {"delete", "missing-id"}, 1, "missing-id");
        row("complete an unknown task", {"complete", "no-such-task"}, 1, "no-such-task");
        row("smart add of nothing", {"smartadd", "tomorrow "}, 1, "nothing was added");
        row("URL of an unknown task", {"url", "velmoran://open?uuid=nobody"}, 1, "nobody");
        row("unknown URL", {"url", "velmoran://frobnicate?text=x"}, 1, "");
        row("no such event day", {"events", "2026-12-40", "2026-12-31"}, 1, "2026-12-40");
        row("event dates reversed", {"events", "2026-12-31", "2026-12-01"}, 1, "");
        row("one date", {"events", "2026-12-01"}, 2, "two dates");
        row("prefs verb", {"prefs", "list"}, 2, "prefs");
        row("no such day", {"tasks", "--day", "2026-02-30"}, 1, "2026-02-30");
        row("not a date", {"tasks", "--week=tomorrow"}, 1, "YYYY-MM-DD");
        row("date without a view", {"tasks", "2026-12-01"}, 2, "no arguments");
        row("two views", {"tasks", "--day", "--month"}, 2, "at most one");
        row("tree of a date view", {"tasks", "--day", "--tree"}, 2, "--tree");
        row("subtask given a list", {"add", "X", "--parent", "p", "--list", "Work"}, 2, "--parent");
        row("subtask of no task", {"add", "X", "--parent", "missing-id"}, 1, "missing-id");
        row("move without a parent option", {"move", "x"}, 2, "--no-parent");
        row("a clock that cannot be read", {"lists"}, 2, "VELMORAN_NOW", "VELMORAN_NOW=yesterday");
        // A relative folder in VELMORAN_STORE would be made wherever the command ran.
        row("a relative store", {"lists"}, 2, "\"tasks/here\", which is not a full path",
            "VELMORAN_STORE=:tasks/here");
        // Import and export read every file and list first: nothing is written.
        row("import of a missing file", {"import", "good.ics", "gone.ics"}, 1,
            "gone.ics: there is no such file; nothing was imported");
        row("import of no iCalendar", {"import", "good.ics", "notes.txt"}, 1,
            "notes.txt: it is not an iCalendar file (no BEGIN:VCALENDAR); nothing was imported");
        row("import into an unknown list", {"import", "good.ics", "--list", "Garden"}, 1,
            "no list is called \"Garden\"; nothing was imported");
        row("export of an unknown list",
            {"export", "--list", "Home", "--list", "Garden", "-o", "out.ics"}, 1,
            "no list is called \"Garden\"; nothing was exported");
        row("import of no file", {"import"}, 2, "import takes one or more .ics files");
        row("update on export", {"export", "--update"}, 2,
            "--update does not apply to this command");
    }

    void badInput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        QFETCH(QString, environment);
        const QString value = environment.section('=', 1);
        if (!environment.isEmpty())
            m_dir->setVariable(environment.section('=', 0, 0),
                               value.startsWith(':') ? storeRoot() + value : value);
        writeFile(m_dir->filePath("good.ics"),
                  CalendarFiles::calendar(CalendarFiles::vtodo("g", "Good")));
        writeFile(m_dir->filePath("notes.txt"), "Buy milk\n");
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), run.err.constData());
        QVERIFY(run.out.isEmpty() && !QFileInfo::exists(m_dir->filePath("tasks")) &&
                !QFileInfo::exists(m_dir->filePath("out.ics")));
        // Nothing reached the store.
        store::EventStore reader({storeRoot()});
        QVERIFY(reader.remindersMatchingPredicate(store::predicateForRemindersInCalendars({}))
                    .isEmpty());
    }

    void theDateViewsListWhatTheWindowLists()
    {
        const QString home = storeRoot() + "/home/";
        writeFile(home + "old.ics", todo("old", "Old", "DUE;VALUE=DATE:20261120\r\n"));
        writeFile(home + "today.ics",
                  todo("today", "Today", "DUE;TZID=Europe/Berlin:20261209T150000\r\n"));
        writeFile(home + "done.ics",
                  todo("done", "Done",
                       "DUE;VALUE=DATE:20261209\r\nSTATUS:COMPLETED\r\nCOMPLETED:"
                       "20261209T080000Z\r\n"));

        // Today by the clock: the overdue task is listed under it ("overdueNow" is on).
        Run run = ok({"tasks", "--day", "--json"});
        QCOMPARE(titlesOf(run), (QStringList{"Old", "Today", "Done"}));
        // Its own day, now past, no longer lists it.
        QVERIFY(cli({"tasks", "--day", "2026-11-20"}).out.isEmpty());

        // The events follow the tasks, as the "events" command writes them.
        run = cli({"tasks", "--week", "2026-12-10", "--json"});
        QCOMPARE(titlesOf(run), (QStringList{"Old", "Today", "Done", "Stand-up"}));
        QCOMPARE(run.json().last().toObject().value("start").toString(),
                 QString("2026-12-10T09:00"));
        run = cli({"tasks", "--day", "2026-12-10"});
        QCOMPARE(run.out, QByteArray("2026-12-10T09:00\t2026-12-10T09:15\tCalendar\tStand-up\n"));

        ok({"prefs", "set", "showCompleted", "false"});
        QCOMPARE(titlesOf(cli({"tasks", "--month", "--json"})),
                 (QStringList{"Old", "Today", "Stand-up"}));
        ok({"prefs", "set", "overdueNow", "false"});
        QCOMPARE(titlesOf(cli({"tasks", "--day", "--json"})), QStringList{"Today"});
        QCOMPARE(titlesOf(cli({"tasks", "--day", "2026-11-20", "--json"})), QStringList{"Old"});
    }

    // Tasks and events are written as they go out, in exactly the bytes QJsonDocument's
    // indented form has: what it reads back and writes again is what was printed.
    void jsonIsQtsIndentedForm()
    {
        writeFile(storeRoot() + "/home/odd.ics",
                  todo("odd", "Quote \" back\\slash \x01 tab\t bell \x7f ümlaut 😀 \xed\xa0\x80",
                       "DESCRIPTION:line\\none\\, two\r\nURL:https://example.org/a b\r\n"
                       "DUE;TZID=America/New_York:20261209T230000\r\n"
                       "RRULE:FREQ=WEEKLY;BYDAY=MO,TH\r\n"
                       "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT1H30M\r\nEND:VALARM\r\n"
                       "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;VALUE=DATE-TIME:20261209T120000Z"
                       "\r\nEND:VALARM\r\n"
                       "BEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                       "TRIGGER;VALUE=DATE-TIME:19760401T005545Z\r\nX-APPLE-PROXIMITY:ARRIVE\r\n"
                       "X-APPLE-STRUCTURED-LOCATION;VALUE=URI;X-APPLE-RADIUS=70.5;X-TITLE=Home:"
                       "geo:52.123456789,-13.5\r\nEND:VALARM\r\n"));
        writeFile(storeRoot() + "/work/plain.ics", todo("plain", "Plain"));
        for (const QStringList& arguments :
             {QStringList{"tasks", "--json"}, QStringList{"tasks", "--week", "--json"},
              QStringList{"events", "2026-12-01", "2026-12-31", "--json"}}) {
            const Run run = ok(arguments);
            QVERIFY2(run.json().size() >= 1, run.out.constData());
            QCOMPARE(run.out, QJsonDocument::fromJson(run.out).toJson(QJsonDocument::Indented));
        }
    }

    // The application and the command line may write the parse cache at the same moment: it
    // is replaced whole, never written into, so it is always one of the two, complete.
    void twoProgramsWritingTheParseCacheAtOnceLeaveItWhole()
    {
        for (int i = 0; i < 300; ++i)
            writeFile(storeRoot() + QStringLiteral("/bulk/t%1.ics").arg(i),
                      todo("bulk" + QByteArray::number(i), "Bulk " + QByteArray::number(i)));
        writeFile(storeRoot() + "/bulk/displayname", "Bulk");
        ageTree(storeRoot());

        for (int round = 0; round < 12; ++round) {
            // A file new to both (and old enough to be kept) makes both parse it and write the
            // cache.
            const QString added = storeRoot() + QStringLiteral("/bulk/new%1.ics").arg(round);
            writeFile(added, todo("new" + QByteArray::number(round), "New"));
            setModified(added, kLongAgo);
            QList<std::shared_ptr<QProcess>> runs;
            for (int n = 0; n < 2; ++n) {
                runs << std::make_shared<QProcess>();
                m_dir->start(*runs.last(), {"tasks", "--list", "Bulk", "--json"});
            }
            for (const auto& process : std::as_const(runs)) {
                const Run run = CliRun::finish(*process);
                QCOMPARE(run.exitCode, 0);
                QCOMPARE(run.json().size(), 301 + round);
            }
        }
        // One file per folder, no temporary left behind, and each whole.
        const QDir cacheFolder(m_dir->filePath("cache/velmoran"));
        const QStringList left =
            cacheFolder.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        QVERIFY(!left.isEmpty());
        for (const QString& name : left)
            QVERIFY2(name.startsWith("store-") && name.endsWith(".cache"), qPrintable(name));
        const store::ParseCache cache(cacheFolder.filePath(left.first().section(u'-', 0, 1)));
        qsizetype cached = 0;
        for (const store::CollectionFolder& folder : store::VdirCollections::scan({storeRoot()})) {
            const std::optional<store::ParseCache::Folder> entries =
                cache.load({storeRoot()}, folder);
            cached += entries ? entries->items.size() : 0;
        }
        // Every file of the store: the bulk, the rounds' and the calendar's.
        QCOMPARE(cached, 300 + 12 + 1);
    }

    void theStoreFolderFollowsTheEnvironment()
    {
        // Without VELMORAN_STORE the store lives under XDG_DATA_HOME and is set up on first use.
        m_dir->setVariable("VELMORAN_STORE", std::nullopt);
        const QJsonObject task = cli({"add", "First", "--json"}).first();
        QCOMPARE(task.value("list").toString(), QString("Reminders"));
        QVERIFY(QFileInfo::exists(m_dir->filePath("data/velmoran/store/") +
                                  task.value("listId").toString()));
    }

private:
    static QStringList titlesOf(const Run& run)
    {
        QStringList found;
        for (const QJsonValue& value : run.json())
            found << value.toObject().value("title").toString();
        return found;
    }

    QString storeRoot() const { return m_dir->storeRoot(); }

    Run cli(const QStringList& arguments) const { return (*m_dir)(arguments); }
    Run ok(const QStringList& arguments) const { return m_dir->ok(arguments); }

    std::unique_ptr<CliRun> m_dir;
};

VELMORAN_TEST_MAIN(TestCli)
#include "tst_cli.moc"
