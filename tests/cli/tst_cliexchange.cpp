#include "CliRun.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "Todoman.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

using namespace TestFiles;

namespace {

using Run = CliRun::Result;

QByteArray calendar(const QByteArray& body)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Elsewhere//EN\r\n" + body +
           "END:VCALENDAR\r\n";
}

} // namespace

// velmoran-cli's import and export, run as a separate process over a store of its own, and what
// todoman makes of an exported calendar taken into another store.
class TestCliExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir.emplace("2026-12-09T10:00");
        m_store = m_dir->storeRoot();
        writeFile(m_store + "/home/displayname", "Home");
        writeFile(m_store + "/work/displayname", "Work");
        writeFile(m_store + "/calendar/displayname", "Calendar");
        writeFile(m_store + "/calendar/.velmoran-created-for", "VEVENT");
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
        m_store = otherStore;
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
        writeFile(file, calendar("BEGIN:VTODO\r\nUID:good\r\nSUMMARY:Good task\r\nEND:VTODO\r\n"
                                 "BEGIN:VTODO\r\nUID:bad\r\nSUMMARY:Bad task\r\nDUE:soon\r\n"
                                 "END:VTODO\r\n"
                                 "BEGIN:VEVENT\r\nUID:party\r\nSUMMARY:Party\r\n"
                                 "DTSTART:20261219T180000Z\r\nEND:VEVENT\r\n"));
        const Run first = cli({"import", file, "--list", "wo"});
        QCOMPARE(first.exitCode, 1);
        QCOMPARE(first.err.trimmed(), ("velmoran-cli: " + file +
                                       ":8: \"Bad task\" skipped: its DUE \"soon\" is not a "
                                       "date")
                                          .toUtf8());
        QVERIFY2(first.out.startsWith("tasks: 1, events: 1, added: 2, updated: 0, already "
                                      "present: 0, skipped: 1"),
                 first.out);
        QVERIFY(QFileInfo::exists(m_store + "/work/good.ics") &&
                QFileInfo::exists(m_store + "/calendar/party.ics"));

        const Run again = cli({"import", file, "--list", "Work", "--update"});
        QVERIFY2(again.out.startsWith("tasks: 1, events: 1, added: 0, updated: 0, already "
                                      "present: 2"),
                 again.out);
        QCOMPARE(storeFiles().size(), 2);
    }

    // Bad input: a clear message, exit status 1 (2 for a malformed command line), and nothing
    // written.
    void badInputWritesNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << QStringList{"import", "good.ics", "gone.ics"} << 1
                                      << "gone.ics: there is no such file; nothing was imported";
        QTest::newRow("not iCalendar")
            << QStringList{"import", "good.ics", "notes.txt"} << 1
            << "notes.txt: it is not an iCalendar file (no BEGIN:VCALENDAR); nothing was imported";
        QTest::newRow("unknown list") << QStringList{"import", "good.ics", "--list", "Garden"} << 1
                                      << "no list is called \"Garden\"; nothing was imported";
        QTest::newRow("unknown export list")
            << QStringList{"export", "--list", "Home", "--list", "Garden", "-o", "out.ics"} << 1
            << "no list is called \"Garden\"; nothing was exported";
        QTest::newRow("no file") << QStringList{"import"} << 2
                                 << "import takes one or more .ics files";
        QTest::newRow("update on export")
            << QStringList{"export", "--update"} << 2 << "--update does not apply to this command";
    }

    void badInputWritesNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        writeFile(m_dir->filePath("good.ics"),
                  calendar("BEGIN:VTODO\r\nUID:g\r\nSUMMARY:Good\r\nEND:VTODO\r\n"));
        writeFile(m_dir->filePath("notes.txt"), "Buy milk\n");
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message.toUtf8()), run.err);
        QVERIFY(storeFiles().isEmpty());
        QVERIFY(!QFileInfo::exists(m_dir->filePath("out.ics")));
    }

private:
    QStringList storeFiles() const
    {
        QStringList files;
        for (const QString& folder : QDir(m_store).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString& name : QDir(m_store + '/' + folder).entryList({"*.ics"}))
                files << folder + '/' + name;
        return files;
    }

    Run cli(const QStringList& arguments) const { return (*m_dir)(arguments); }
    Run ok(const QStringList& arguments) const { return m_dir->ok(arguments); }

    std::optional<CliRun> m_dir;
    QString m_store;
};

VELMORAN_TEST_MAIN(TestCliExchange)
#include "tst_cliexchange.moc"
