// The generated vdirsyncer configuration read back by vdirsyncer's own reader with values a
// user could type or a server could name; vdirsyncer's output, recorded from real runs, read
// into reports; names from files kept inside their folders; the conflict copy; and an account
// that cannot be saved without a secret service. And when the accounts sync: local changes
// wait for a quiet moment, a request during a sync runs once after it, the sync's own writes
// start nothing, and a stopped scheduler stays stopped; each sync is a real vdirsyncer run
// against an address where nothing listens.

#include "LoopbackHttpServer.h"
#include "SignalBursts.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "platform/Clock.h"
#include "platform/sync/ConflictCopy.h"
#include "platform/sync/SecretStore.h"
#include "platform/sync/SyncReport.h"
#include "platform/sync/SyncScheduler.h"
#include "platform/sync/SyncSetup.h"
#include "platform/sync/VdirsyncerConfig.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

class VdirsyncerConfigTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    Clock m_clock;
    SecretStore m_secrets;
    std::unique_ptr<SyncSetup> m_setup;
    std::unique_ptr<SyncScheduler> m_scheduler;

    // The runs started until none has started for the given time, once they have ended.
    int runsWithin(int milliseconds)
    {
        QSignalSpy started(&m_scheduler->runner(), &SyncRunner::started);
        if (!waitForQuiet(started, milliseconds) ||
            !QTest::qWaitFor([this] { return !m_scheduler->isRunning(); }, 30000))
            return -1;
        return int(started.size());
    }

    // The sections and values vdirsyncer reads from `config`, as JSON.
    static QJsonObject readByVdirsyncer(const QString& config)
    {
        // The interpreter vdirsyncer itself runs on, which has its modules.
        QFile launcher(QStandardPaths::findExecutable("vdirsyncer"));
        if (!launcher.open(QIODevice::ReadOnly))
            return {};
        const QString interpreter = QString::fromUtf8(launcher.readLine().mid(2).trimmed());
        QProcess python;
        python.start(interpreter,
                     {"-c",
                      "import json, sys\n"
                      "from vdirsyncer.cli.config import _ConfigReader, Config\n"
                      "general, pairs, storages = _ConfigReader(open(sys.argv[1])).parse()\n"
                      "print(json.dumps({'general': general, 'pairs': pairs, "
                      "'storages': storages}))\n"
                      "Config(general, pairs, storages)\n",
                      config});
        python.waitForFinished();
        if (python.exitCode() != 0)
            qWarning().noquote() << python.readAllStandardError();
        return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    }

private Q_SLOTS:
    void init()
    {
        m_clock.setNow(TestEnvironment::local(2026, 12, 7, 10, 0));
        const SyncPaths paths{m_dir.filePath("config"), m_dir.filePath("data")};
        const QString url = LoopbackHttpServer::closedUrl();
        QVERIFY(!url.isEmpty());
        QVERIFY(SyncAccounts::save(paths.accountsFile(),
                                   {SyncAccount{"account_1", url, "alice", {"tasks"}}}));
        m_setup = std::make_unique<SyncSetup>(paths, m_secrets, QStringList{});
        m_scheduler = std::make_unique<SyncScheduler>(*m_setup, m_clock);
        m_scheduler->setDelays(100, 300);
    }

    void cleanup() { m_scheduler.reset(); }

    void aRunOfLocalChangesSyncsOnce()
    {
        QCOMPARE(m_scheduler->statusText(), QString("Not synced yet"));
        for (int i = 0; i < 5; ++i) {
            m_scheduler->noteLocalChange();
            QTest::qWait(50);
        }
        QCOMPARE(runsWithin(600), 1);
        QVERIFY(!m_scheduler->lastReport().ok());
        QVERIFY2(m_scheduler->statusText().startsWith("Sync failed at 10:00"),
                 qPrintable(m_scheduler->statusText()));
    }

    // A request or a change while a sync runs makes one more sync after it, however many came.
    void aRequestDuringASyncRunsOnceAfterIt_data()
    {
        QTest::addColumn<bool>("localChange");
        QTest::newRow("sync now") << false;
        QTest::newRow("local change") << true;
    }

    void aRequestDuringASyncRunsOnceAfterIt()
    {
        QFETCH(bool, localChange);
        QSignalSpy started(&m_scheduler->runner(), &SyncRunner::started);
        m_scheduler->syncNow();
        QVERIFY(m_scheduler->isRunning());
        QVERIFY(m_scheduler->statusText().startsWith("Syncing"));
        for (int i = 0; i < 2; ++i)
            localChange ? m_scheduler->noteLocalChange() : m_scheduler->syncNow();
        QTRY_COMPARE_WITH_TIMEOUT(started.size(), 2, 30000);
        QCOMPARE(runsWithin(600), 0);
    }

    // Buttons follow the state as it is said: a sync that has just started is running,
    // whoever started it, and one that has just finished is not.
    void theStateSaidIsTheStateAsked()
    {
        QList<bool> runningWhenSaid;
        connect(m_scheduler.get(), &SyncScheduler::stateChanged, this,
                [this, &runningWhenSaid] { runningWhenSaid << m_scheduler->isRunning(); });
        QSignalSpy finished(&m_scheduler->runner(), &SyncRunner::finished);
        m_scheduler->noteLocalChange();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
        QVERIFY(runningWhenSaid.size() >= 2 && runningWhenSaid.first() && !runningWhenSaid.last());
    }

    // The store announces what the sync wrote a moment after it ended; a change during the
    // sync may be the user's and is synced once more.
    void theSyncsOwnWritesStartNothing()
    {
        QSignalSpy finished(&m_scheduler->runner(), &SyncRunner::finished);
        m_scheduler->syncNow();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
        m_clock.advanceSeconds(1);
        m_scheduler->noteLocalChange();
        QCOMPARE(runsWithin(600), 0);
        // A change of the user's later on is synced.
        m_clock.advanceSeconds(10);
        m_scheduler->noteLocalChange();
        QCOMPARE(runsWithin(600), 1);
    }

    void startSyncsSoonAndAStoppedSchedulerStaysStopped()
    {
        m_scheduler->start();
        QCOMPARE(runsWithin(400), 1);
        m_scheduler->syncNow();
        m_scheduler->stop();
        QVERIFY(!m_scheduler->isRunning());
        m_scheduler->noteLocalChange();
        m_scheduler->syncNow();
        QCOMPARE(runsWithin(600), 0);
    }

    // The user's own configuration is synced after the accounts, with "sync" alone.
    void theUsersConfigurationFollowsTheAccounts()
    {
        const QString config = m_dir.filePath("theirs.conf");
        const QByteArray theirs = "[general]\nstatus_path = \"status\"\n";
        TestFiles::writeFile(config, theirs);
        m_scheduler->setUserConfig(config);
        QSignalSpy finished(&m_scheduler->runner(), &SyncRunner::finished);
        m_scheduler->syncNow();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 30000);
        QVERIFY(!m_scheduler->isRunning());
        // The accounts' failure stays the one shown, not the run of the user's configuration
        // that came after it.
        QVERIFY(!m_scheduler->lastReport().ok());
        QVERIFY(m_scheduler->lastReport().log != m_scheduler->runner().lastReport().log);
        QCOMPARE(TestFiles::readFile(config), theirs);
    }

    void withoutAccountsNothingRuns()
    {
        QVERIFY(SyncAccounts::save(m_setup->paths().accountsFile(), {}));
        m_scheduler->syncNow();
        QVERIFY(!m_scheduler->isRunning());
        QCOMPARE(m_scheduler->statusText(), QString());
    }

    void hostileValuesStayValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("spaces and quotes") << "my \"list\" 'x'";
        QTest::newRow("new line injecting a section")
            << "x\"\n[storage evil]\ntype = \"filesystem\"\npassword = \"stolen\"";
        QTest::newRow("non-ASCII and emoji") << "Café Ünïcode 日本 🎉";
        QTest::newRow("brackets, comment and interpolation") << "[a] ; # %(home)s ${HOME} ~";
        QTest::newRow("backslashes and control") << "C:\\path\\\t\r\x01end";
        // A server may name its collections so; read as keywords they would sync every
        // collection of one side.
        QTest::newRow("keyword from a") << "from a";
        QTest::newRow("keyword from b") << "from b";
    }

    void hostileValuesStayValues()
    {
        QFETCH(QString, text);
        QTemporaryDir dir;
        VdirsyncerConfig::Options options;
        options.paths = {dir.filePath("config " + text.left(3)), dir.filePath("data")};
        options.passwordCommand = {"secret-tool", "lookup", "service", "velmoran-caldav",
                                   "account"};
        options.conflictCommand = {"/usr/bin/velmoran cli", "sync-conflict"};
        SyncAccount account{"account_1", "https://example.org/dav/" + text, text, {text, "tasks"}};
        const QString config = dir.filePath("config");
        QVERIFY(VdirsyncerConfig::write(config, VdirsyncerConfig::render({account}, options)));
        const QFileDevice::Permissions permissions = QFile(config).permissions();
        QVERIFY((permissions & QFileDevice::ReadOwner) && !(permissions & QFileDevice::ReadOther));

        const QJsonObject read = readByVdirsyncer(config);
        QCOMPARE(read.value("storages").toObject().keys(),
                 (QStringList{"account_1_local", "account_1_remote"}));
        QCOMPARE(read.value("pairs").toObject().keys(), QStringList{"account_1"});
        const QJsonObject remote = read["storages"]["account_1_remote"].toObject();
        QVERIFY(!remote.contains("password"));
        QCOMPARE(QStringList({remote.value("url").toString(), remote.value("username").toString(),
                              remote.value("password.fetch").toArray().last().toString()}),
                 QStringList({account.url, text, "account_1"}));
        const QJsonObject pair = read["pairs"]["account_1"].toObject();
        QCOMPARE(pair.value("collections").toArray().first().toArray(),
                 (QJsonArray{text, text, text}));
        QCOMPARE(pair.value("conflict_resolution").toArray().last().toString(),
                 options.paths.accountFolder("account_1"));
        QCOMPARE(read["general"]["status_path"].toString(), options.paths.statusFolder());
    }

    // What a live server answers is told apart in the account sync suite; these are the answers
    // no test server gives. A port that holds the digits of a status is no status.
    void problemsAreToldApart()
    {
        using P = SyncReport::Problem;
        for (const auto& [message, problem] :
             {std::pair{"Unknown error occurred: 501, message=\"Unsupported method ('PROPFIND')\", "
                        "url=URL('http://127.0.0.1:34015/.well-known/caldav')",
                        P::NotCalDav},
              {"Failed to execute command: secret-tool lookup service velmoran-caldav",
               P::Password},
              {"Something else", P::Other}})
            QCOMPARE(SyncOutputReader::classify(QString::fromUtf8(message)), problem);
    }

    void outputBecomesAReport()
    {
        SyncOutputReader reader;
        for (const char* line :
             {"Discovering collections for pair account_1", "account_1_local:", "  - \"tasks\"",
              "account_1_remote:", "  - \"caf\\u00e9 \\\"q\\\"\" (\"Café \"q\" [x]\")",
              "  - \"tasks\" (\"Work list\")", "Syncing account_1/tasks",
              "Copying (uploading) item A to account_1_remote/tasks",
              "Copying (updating) item B to account_1_local/tasks",
              "Deleting item C from account_1_local/tasks",
              "Doing conflict resolution for item D...",
              "conflict copy: Kept both versions: \"D\" is this computer's.",
              "error: Use `-vdebug` to see the full traceback."})
            reader.addLine(QString::fromUtf8(line));
        reader.finish(true);
        const SyncReport& report = reader.report();
        QVERIFY(report.ok());
        QStringList discovered;
        for (const SyncReport::Collection& collection : report.discovered)
            discovered << collection.name + " = " + collection.displayName;
        QCOMPARE(discovered, QStringList({"café \"q\" = Café \"q\" [x]", "tasks = Work list"}));
        QCOMPARE(report.collectionsSynced, QStringList{"tasks"});
        QCOMPARE(report.summary(),
                 QString("1 received, 1 sent, 1 deleted here, 1 changed on both sides, both kept"));
    }

    // What vdirsyncer printed in real runs (tests/data/vdirsyncer/README) says what happened
    // and what to do, and names the right list and side.
    void recordedOutputsAreToldInWords_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("exit");
        QTest::addColumn<SyncReport::Problem>("problem");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("summary");
        using P = SyncReport::Problem;
        QTest::newRow("403 on one item")
            << "item-forbidden.txt" << 1 << P::Forbidden
            << "The server refused changes to \"Locked\" (403 Forbidden): the list is read-only"
            << "1 sent"; // of the two uploads begun, the refused one was not sent
        // After an interrupted sync the items already sent are met again on both sides with
        // the same content: no conflict, no copy.
        QTest::newRow("after an interruption") << "after-interruption.txt" << 0 << P::None << ""
                                               << "180 sent";
        QTest::newRow("killed") << "killed.txt" << -9 << P::Killed
                                << "vdirsyncer was ended from outside (signal 9)"
                                << "";
        QTest::newRow("emptied here")
            << "emptied-here.txt" << 1 << P::EmptiedHere
            << "Every task of \"home\" was deleted on this computer. To be safe nothing was "
               "deleted on the server"
            << "";
        // The run's end cuts another collection's connection; that is not what went wrong.
        QTest::newRow("emptied on the server")
            << "emptied-on-server.txt" << 1 << P::EmptiedOnServer
            << "Every task of \"work\" was deleted on the server. To be safe nothing was "
               "deleted here"
            << "";
        QTest::newRow("gone from the server")
            << "missing-on-server.txt" << 1 << P::CollectionMissing << "no longer exists"
            << "";
    }

    void recordedOutputsAreToldInWords()
    {
        QFETCH(QString, file);
        QFETCH(int, exit);
        QFETCH(SyncReport::Problem, problem);
        QFETCH(QString, said);
        QFETCH(QString, summary);
        const QString text = QString::fromUtf8(
            TestFiles::readFile(TestEnvironment::sourceDir() + "/tests/data/vdirsyncer/" + file));
        QVERIFY(!text.isEmpty());
        SyncOutputReader reader;
        for (const QString& line : text.split('\n', Qt::SkipEmptyParts))
            reader.addLine(line);
        if (exit < 0)
            reader.setKilled(-exit);
        reader.finish(exit == 0);
        SyncReport report = reader.report();
        report.titles.insert("account_1/locked", "Locked");
        QCOMPARE(report.problem, problem);
        QVERIFY2(report.problemText().contains(said), qPrintable(report.problemText()));
        QVERIFY(!report.problemText().contains("user name or password"));
        if (!summary.isEmpty())
            QCOMPARE(report.summary(), summary);
        if (problem == SyncReport::Problem::EmptiedHere ||
            problem == SyncReport::Problem::EmptiedOnServer) {
            QCOMPARE(report.emptied.size(), 1);
            QCOMPARE(report.emptied.first().side == EmptiedList::Side::Server,
                     problem == SyncReport::Problem::EmptiedOnServer);
        }
        if (problem == SyncReport::Problem::CollectionMissing)
            QCOMPARE(report.missingOnServer, QStringList{"account_1/home"});
    }

    // Names read from a hand-edited accounts file or from vdirsyncer's output never lead a
    // folder or a copy outside the folder it belongs in.
    void namesFromFilesStayInsideTheirFolders()
    {
        QTemporaryDir dir;
        // Deep enough that a name climbing out still lands inside `dir`, where it is seen.
        const SyncPaths paths{dir.filePath("a/b/home/config"), dir.filePath("a/b/home/data")};
        TestFiles::writeFile(paths.accountsFile(),
                             "[{\"id\": \"account_1\", \"url\": \"https://example.org/\", "
                             "\"user\": \"alice\", \"collections\": [\"../../../../escaped\", "
                             "\"..\", \".\", \"a/b\", \"work\"]}]");
        SecretStore secrets;
        SyncSetup setup(paths, secrets, {});
        QCOMPARE(setup.accounts().value(0).collections, QStringList{"work"});
        QVERIFY(setup.writeConfig());
        TestFiles::writeFile(paths.accountFolder("account_1") + "/work/task.ics", "x");
        // A list name as vdirsyncer's output would give it.
        const EmptiedList outside{
            "account_1", "../../../../escaped", EmptiedList::Side::Server, {}};
        QVERIFY(setup.keepCopy(outside).isEmpty());
        QVERIFY(!setup.forgetSyncState(outside));
        QVERIFY(setup.keepCopy({"..", "work", EmptiedList::Side::Server, {}}).isEmpty());
        const QString kept = setup.keepCopy({"account_1", "work", EmptiedList::Side::Server, {}});
        QVERIFY(kept.startsWith(paths.backupFolder() + "/"));
        QVERIFY(QFile::exists(kept + "/task.ics"));
        QStringList everything;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            everything << it.next();
        QVERIFY2(!everything.join('\n').contains("escaped"), qPrintable(everything.join('\n')));
    }

    // The copy must be a task of its own: a new UID everywhere the old one stood (an edited
    // occurrence repeats it), a title that says what it is, everything else as it was.
    void aConflictCopyIsATaskOfItsOwn()
    {
        const QString text =
            "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:abc\r\nSUMMARY;LANGUAGE=de:Ein s\r\n"
            " ehr langer Titel\r\nX-KEEP:1,2\r\nRRULE:FREQ=DAILY\r\nEND:VTODO\r\n"
            "BEGIN:VTODO\r\nUID:abc\r\nRECURRENCE-ID:20261207\r\nSUMMARY:Once\r\n"
            "RELATED-TO:abcd\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
        const QString copy = ConflictCopy::asCopy(text, "abc", "new");
        QCOMPARE(copy.count("UID:new\r\n"), 2);
        QVERIFY(!copy.contains("UID:abc"));
        for (const char* line : {"SUMMARY;LANGUAGE=de:Ein sehr langer Titel (conflict copy)\r\n",
                                 "SUMMARY:Once (conflict copy)\r\n",
                                 "X-KEEP:1,2\r\nRRULE:FREQ=DAILY\r\n", "RELATED-TO:abcd\r\n"})
            QVERIFY2(copy.contains(line), line);
        QCOMPARE(ConflictCopy::uidOf(copy), QString("new"));
    }

    void withoutASecretServiceNoPasswordIsKept()
    {
        const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        const QByteArray display = qgetenv("DISPLAY");
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
        qunsetenv("DISPLAY");
        SecretStore secrets;
        const bool stored = secrets.store("account_1", "label", "secret");
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
        qputenv("DISPLAY", display);
        QVERIFY(!stored && secrets.error().contains("no secret service") &&
                secrets.error().contains("never written into a file"));
    }
};

VELMORAN_TEST_MAIN(VdirsyncerConfigTest)
#include "tst_vdirsyncerconfig.moc"
