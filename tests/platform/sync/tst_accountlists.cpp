// The accounts a user adds and the lists the user chooses, through a real Radicale with a real
// vdirsyncer, the passwords in a real gnome-keyring: the failures a user meets are told apart,
// a list gone from the server or emptied on one side waits for the user's word, and the command
// line says what to do.
// The suite runs inside dbus-run-session (the keyring needs a bus) and runs velmoran-cli.

#include "CliRun.h"
#include "LoopbackHttpServer.h"
#include "SyncedHomes.h"
#include "TestEnvironment.h"
#include "platform/Clock.h"
#include "platform/sync/SyncScheduler.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSignalSpy>

using namespace SyncedAccount;

class AccountListsTest : public QObject, protected SyncedHomes
{
    Q_OBJECT

private Q_SLOTS:
    // Both homes have the account, and A has put a task on the server.
    void initTestCase()
    {
        startServerAndHomes();
        addAccount(*m_a);
        addAccount(*m_b);
        writeTasks(*m_a, "work", "Existing", 1);
        synced(*m_a);
    }

    void accountsThatCannotBeUsedAreToldApart()
    {
        SyncHome other(m_dir->filePath("wrong"));
        const SyncSetup::Added added =
            other.setup.addAccount(m_server.url(), kUser, "not it", other.runner);
        QVERIFY(!added.account && other.setup.accounts().isEmpty());
        QCOMPARE(added.listing.problem, SyncReport::Problem::Authentication);
        QVERIFY(added.error.contains("password") &&
                added.listing.engineMessages.join("\n").contains("401"));
        // The password was taken back out of the keyring; the two homes' are still there.
        QProcess search;
        search.setProcessChannelMode(QProcess::MergedChannels);
        search.start("secret-tool", {"search", "--all", "service", "velmoran-caldav"});
        QVERIFY(search.waitForFinished());
        QCOMPARE(search.readAll().count("attribute.account = "), 2);
        QCOMPARE(m_a->secrets.lookup(m_a->setup.accounts().value(0).id), kPassword);

        // Servers that cannot be used: closed, no CalDAV, untrusted, spoken to in HTTPS
        // without it, silent.
        const QString closedUrl = LoopbackHttpServer::closedUrl();
        QVERIFY(!closedUrl.isEmpty());
        LoopbackHttpServer web([](const LoopbackHttpServer::Request&) {
            return LoopbackHttpServer::Answer{501, "text/html", "<html>Unsupported method</html>"};
        });
        const QString cert = m_dir->filePath("tls/cert.pem");
        const QString key = m_dir->filePath("tls/key.pem");
        QDir().mkpath(m_dir->filePath("tls"));
        QCOMPARE(QProcess::execute("openssl",
                                   {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key,
                                    "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1"}),
                 0);
        CalDavServer selfSigned;
        QVERIFY(selfSigned.start(m_dir->filePath("tls/server"), kUser, kPassword, cert, key));
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        using P = SyncReport::Problem;
        for (const auto& [url, problem] :
             {std::pair{closedUrl, P::Unreachable},
              {web.baseAddress() + "/", P::NotCalDav},
              {selfSigned.url(), P::Certificate},
              {QString(m_server.url()).replace("http://", "https://"), P::Certificate},
              {QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort()), P::Timeout}}) {
            if (problem == P::Timeout)
                other.runner.setSilenceLimit(1500);
            const SyncSetup::Added refused =
                other.setup.addAccount(url, kUser, kPassword, other.runner);
            QCOMPARE(refused.listing.problem, problem);
            if (url == selfSigned.url())
                QVERIFY(refused.listing.engineMessages.join("\n").contains(
                    "CERTIFICATE_VERIFY_FAILED"));
        }
        QVERIFY(other.setup.accounts().isEmpty());
    }

    void theCommandLineAddsAnAccountAndSyncs()
    {
        CliHome cli;
        const CliRun::Result wrong = cli({"account", "add", m_server.url(), kUser}, "guess\n");
        QCOMPARE(wrong.exitCode, 1);
        QVERIFY2(wrong.err.contains("refused the user name or password") &&
                     wrong.err.contains("vdirsyncer: "),
                 wrong.err.constData());
        const QByteArray added =
            cli.ok({"account", "add", m_server.url(), kUser}, kPassword.toUtf8() + "\n").out;
        QVERIFY2(added.contains("Home \"&\" Garden") && added.contains("Synced"),
                 added.constData());
        QVERIFY(cli.ok({"tasks"}).out.contains("Existing 0"));
        QVERIFY(cli.ok({"sync"}).out.contains("Nothing to change"));

        m_server.stop();
        const CliRun::Result down = cli({"sync"});
        QVERIFY2(down.exitCode == 1 && down.err.contains("cannot be reached"),
                 down.err.constData());
        QVERIFY(m_server.restart());
    }

    // A list deleted on the server by another device is not brought back from here and stops
    // no other list: every sync says which list is gone and leaves it out, its tasks stay on
    // this computer, and what changed in the other lists arrives.
    void aListDeletedOnTheServerIsLeftOutAndTheOthersSync()
    {
        QVERIFY(m_server.makeCalendar("errands", "Errands"));
        const QString id = m_a->setup.accounts().value(0).id;
        QVERIFY(m_a->setup.setCollections(id, {"errands", "home", "work"}));
        synced(*m_a);
        writeTasks(*m_a, "errands", "Errand", 2);
        synced(*m_a);
        QCOMPARE(m_server.itemTexts("errands").size(), 2);

        QVERIFY(m_server.deleteCollection("errands"));
        for (int i = 0; i < 2; ++i) {
            writeTasks(*m_b, "work", QString("Meanwhile%1").arg(i), 1);
            QVERIFY(m_b->sync().ok());
            const SyncReport gone = m_a->sync();
            QVERIFY2(gone.ok(), qPrintable(gone.log));
            QCOMPARE(gone.missingOnServer, QStringList{id + "/errands"});
            QVERIFY2(gone.notices().join(' ').contains(
                         "\"Errands\" no longer exists on the server and was left out"),
                     qPrintable(gone.notices().join(' ')));
            QVERIFY(QFile::exists(m_a->folder() + QString("/work/Meanwhile%1-0.ics").arg(i)));
        }
        QVERIFY(m_server.itemTexts("errands").isEmpty());
        QCOMPARE(icsCount(m_a->folder() + "/errands"), 2);

        // Choosing the lists again without it makes the account whole.
        QVERIFY(m_a->setup.setCollections(id, {"home", "work"}));
        const SyncReport again = m_a->sync();
        QVERIFY2(again.ok() && again.notices().isEmpty(), qPrintable(again.log));
    }

    // The command line says which list is gone and how to choose the lists again, and does.
    void theCommandLineChoosesTheListsAgain()
    {
        QVERIFY(m_server.makeCalendar("trips", "Trips"));
        CliHome cli;
        const QString id = cli.addAccount(m_server.url());
        QVERIFY(!id.isEmpty());
        QVERIFY(m_server.deleteCollection("trips"));
        const QByteArray gone = cli.ok({"sync"}).err;
        QVERIFY2(gone.contains("\"Trips\" no longer exists on the server") &&
                     gone.contains("velmoran-cli account lists " + id.toUtf8()),
                 gone.constData());
        const QByteArray lists = cli.ok({"account", "lists", id}).out;
        QVERIFY2(lists.contains("[x]\twork\tWork\n") && lists.contains("[!]\ttrips\t"),
                 lists.constData());
        QCOMPARE(cli({"account", "lists", id, "nowhere"}).exitCode, 1);
        cli.ok({"account", "lists", id, "work", "Home \"&\" Garden"});
        const CliRun::Result again = cli.ok({"sync"});
        QVERIFY2(again.err.isEmpty(), again.err.constData());
        QVERIFY(again.out.contains("Synced work, home") || again.out.contains("Synced home, work"));
    }

    // A task deleted on another computer is removed here by the sync, and Recently Deleted
    // keeps it: the command line lists it as removed by the sync and puts it back unchanged.
    void aTaskASyncRemovesCanBeRestored()
    {
        CliHome cli;
        writeTasks(*m_a, "work", "Doomed", 1);
        synced(*m_a);
        const QString here = cli.accounts(cli.addAccount(m_server.url()) + "/work/Doomed-0.ics");
        const QByteArray before = TestFiles::readFile(here);
        QVERIFY2(!before.isEmpty(), "the task did not arrive");

        QVERIFY(QFile::remove(m_a->folder() + "/work/Doomed-0.ics"));
        synced(*m_a);
        cli.ok({"sync"});
        QVERIFY(!QFile::exists(here));

        const QJsonArray entries = cli.ok({"deleted", "--json"}).json();
        QCOMPARE(entries.size(), 1);
        const QJsonObject entry = entries.first().toObject();
        QCOMPARE(entry.value("title").toString() + " " + entry.value("deletedBy").toString(),
                 QString("Doomed 0 sync"));

        cli.ok({"restore", entry.value("id").toString()});
        QCOMPARE(TestFiles::readFile(here), before);
        const CliRun::Result none = cli.ok({"deleted"});
        QCOMPARE(none.out + none.err, QByteArray());
    }

    // A list emptied on one side is passed on only when the user says so, in either
    // direction; until then it waits, left out, and the other lists sync. The tasks a server's
    // emptying would take from this computer are copied aside as soon as it is found.
    void anEmptiedListWaitsForTheUsersWordOnTheCommandLine()
    {
        QVERIFY(m_server.makeCalendar("chores", "Chores"));
        QVERIFY(m_server.makeCalendar("shared", "Shared"));
        const QString id = m_a->setup.accounts().value(0).id;
        QVERIFY(m_a->setup.setCollections(id, {"chores", "home", "shared", "work"}));
        QVERIFY(m_a->sync().ok());
        writeTasks(*m_a, "chores", "Chore", 2);
        writeTasks(*m_a, "shared", "Shared", 2);
        QVERIFY(m_a->sync().ok());
        CliHome cli;
        const QString cliId = cli.addAccount(m_server.url());
        QVERIFY(!cliId.isEmpty());
        const QString folder = cli.accounts(cliId);
        QCOMPARE(icsCount(folder + "/chores"), 2);

        // Emptied here: nothing is deleted on the server, sync after sync, until allowed.
        for (const QString& name : QDir(folder + "/chores").entryList({"*.ics"}))
            QVERIFY(QFile::remove(folder + "/chores/" + name));
        for (int i = 0; i < 2; ++i) {
            writeTasks(*m_a, "work", QString("Arrives%1").arg(i), 1);
            QVERIFY(m_a->sync().ok());
            const QByteArray error = cli.ok({"sync"}).err;
            QVERIFY2(error.contains("Every task of \"Chores\" was deleted on this computer") &&
                         error.contains("velmoran-cli sync --allow-emptied \"Chores\""),
                     error.constData());
            QVERIFY(QFile::exists(folder + QString("/work/Arrives%1-0.ics").arg(i)));
            QCOMPARE(m_server.itemTexts("chores").size(), 2);
        }
        QVERIFY(cli.ok({"sync", "--allow-emptied", "Chores"})
                    .err.contains("The tasks of \"Chores\" were deleted on the server too."));
        QVERIFY(m_server.itemTexts("chores").isEmpty());

        // Emptied on the server, here by another computer whose user allowed it.
        for (const QString& name : QDir(m_a->folder() + "/shared").entryList({"*.ics"}))
            QVERIFY(QFile::remove(m_a->folder() + "/shared/" + name));
        const SyncReport passed =
            m_a->setup.syncAll(m_a->runner, {{id + "/shared", EmptiedChoice::PassOn}});
        QVERIFY2(passed.ok(), qPrintable(passed.log));
        QVERIFY(m_server.itemTexts("shared").isEmpty());
        const QByteArray error = cli.ok({"sync"}).err;
        QVERIFY2(error.contains("Every task of \"Shared\" was deleted on the server; a copy of "
                                "this computer's tasks is in "),
                 error.constData());
        QCOMPARE(icsCount(folder + "/shared"), 2);
        QCOMPARE(copiesOf(cli.accounts(), "shared"), 1);
        // The server's list gets a task again: the tasks here still wait for the user's word.
        writeTasks(*m_a, "shared", "Fresh", 1);
        QVERIFY(m_a->sync().ok());
        QCOMPARE(m_server.itemTexts("shared").size(), 1);
        cli.ok({"sync"});
        QCOMPARE(icsCount(folder + "/shared"), 2);
        // Brought back: this computer's tasks go back to the server, and the new one comes.
        const QString restoreError =
            QString::fromUtf8(cli.ok({"sync", "--restore-emptied", "shared"}).err);
        QVERIFY2(!restoreError.contains("shared", Qt::CaseInsensitive), qPrintable(restoreError));
        QCOMPARE(m_server.itemTexts("shared").size(), 3);
        QCOMPARE(icsCount(folder + "/shared"), 3);
        QCOMPARE(copiesOf(cli.accounts(), "shared"), 1);
    }

    // The window asks (the scheduler says a list waits) and passes the emptying on when told,
    // with the copy taken when it was found.
    void anEmptiedListWaitsForTheUsersWordInTheWindow()
    {
        Clock clock;
        SyncScheduler scheduler(m_a->setup, clock);
        QSignalSpy waiting(&scheduler, &SyncScheduler::emptiedListsWaiting);
        QSignalSpy finished(&scheduler.runner(), &SyncRunner::finished);
        // "Chores" was emptied on the server by the command line's user.
        scheduler.syncNow();
        QTRY_COMPARE_WITH_TIMEOUT(waiting.size(), 1, 60000);
        const QList<EmptiedList> lists = waiting.first().first().value<QList<EmptiedList>>();
        QCOMPARE(lists.size(), 1);
        QVERIFY(lists.first().collection == "chores" &&
                lists.first().side == EmptiedList::Side::Server);
        QVERIFY(QFile::exists(lists.first().copyFolder + "/Chore-0.ics"));
        QVERIFY2(
            scheduler.statusText().contains("Every task of \"Chores\" was deleted on the server"),
            qPrintable(scheduler.statusText()));
        QCOMPARE(icsCount(m_a->folder() + "/chores"), 2);

        scheduler.choose(lists.first(), EmptiedChoice::PassOn);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 60000);
        QVERIFY2(scheduler.lastReport().ok(), qPrintable(scheduler.lastReport().log));
        QCOMPARE(scheduler.lastReport().passedOn.size(), 1);
        QCOMPARE(icsCount(m_a->folder() + "/chores"), 0);
        QVERIFY(QFile::exists(lists.first().copyFolder + "/Chore-0.ics"));
        QCOMPARE(copiesOf(m_a->paths.dataFolder, "chores"), 1);
        QCOMPARE(waiting.size(), 1);
    }

    // Lists a server names "from a" or "from b" sync as the lists they are, not as
    // vdirsyncer's words for every list of one side: nothing else comes along, and a folder
    // of another program's in the account's folder stops nothing.
    void listsNamedLikeVdirsyncersKeywordsAreJustLists()
    {
        QVERIFY(m_server.makeCalendar("from a", "From A"));
        QVERIFY(m_server.makeCalendar("from b", "From B"));
        SyncHome c(m_dir->filePath("c"));
        const SyncSetup::Added added =
            c.setup.addAccount(m_server.url(), kUser, kPassword, c.runner);
        QVERIFY2(added.account, qPrintable(added.error));
        QVERIFY(c.setup.setCollections(added.account->id, {"from a", "from b"}));
        QVERIFY(QDir().mkpath(c.folder() + "/notes"));
        writeTasks(c, "from a", "Keyword", 1);
        for (int i = 0; i < 2; ++i)
            synced(c);
        QCOMPARE(QDir(c.folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{"from a", "from b", "notes"}));
        QCOMPARE(m_server.itemTexts("from a").size(), 1);
        QVERIFY(m_server.itemTexts("notes").isEmpty());
    }

private:
    // The command line in a home of its own, on the real clock, over its accounts' folders.
    struct CliHome : CliRun
    {
        CliHome()
            : CliRun({})
        {
            setVariable("VELMORAN_NOW", std::nullopt);
            setVariable("VELMORAN_STORE", std::nullopt);
        }
        // Adds the account with every list of the server: its id, or empty.
        QString addAccount(const QString& url) const
        {
            const QByteArray added =
                ok({"account", "add", url, kUser}, kPassword.toUtf8() + "\n").out;
            return QRegularExpression("Added (account_\\w+) ")
                .match(QString::fromUtf8(added))
                .captured(1);
        }
        QString accounts(const QString& below = {}) const
        {
            return filePath("data/velmoran/accounts/" + below);
        }
    };

    // How many copies of the list `collection` the backup folder under `dataFolder` holds.
    static int copiesOf(const QString& dataFolder, const QString& collection)
    {
        int count = 0;
        QDirIterator it(dataFolder + "/.emptied-on-server", QDir::Dirs | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            count += QFileInfo(it.next()).fileName() == collection ? 1 : 0;
        return count;
    }
};

VELMORAN_TEST_MAIN(AccountListsTest)
#include "tst_accountlists.moc"
