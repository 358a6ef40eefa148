// Two homes syncing their tasks through a real Radicale with a real vdirsyncer, the passwords
// in a real gnome-keyring: what one side does arrives on the other, and the failures a user
// meets are told apart. The suite runs inside dbus-run-session (the keyring needs a bus) and
// runs velmoran-cli (the conflict step and the command line).

#include "CalDavServer.h"
#include "CliRun.h"
#include "LoopbackHttpServer.h"
#include "StoreLookups.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "data/subtasks/SubtaskTree.h"
#include "platform/Clock.h"
#include "platform/store/EventStore.h"
#include "platform/store/RecurringCompletion.h"
#include "platform/sync/SyncRunner.h"
#include "platform/sync/SyncScheduler.h"
#include "platform/sync/SyncSetup.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace store;

namespace {

const QString kUser = QStringLiteral("alice");
const QString kPassword = QStringLiteral("pass word \"ü\"");
// Enough tasks that a sync stopped at its first list is stopped halfway.
constexpr int kBatch = 60;

// One computer: its own configuration and data folders, its own vdirsyncer status.
struct Home
{
    explicit Home(const QString& base)
        : paths{base + "/config", base + "/data"}
        , setup(paths, secrets,
                {QStringLiteral(VELMORAN_CLI_PATH), QStringLiteral("sync-conflict")})
    {}
    SyncPaths paths;
    SecretStore secrets;
    SyncSetup setup;
    SyncRunner runner;

    QString folder() const { return paths.accountFolder(setup.accounts().value(0).id); }
    SyncReport sync() { return setup.syncAll(runner); }
};

// A task as the user would compare it on two machines.
QString describe(const Reminder& reminder)
{
    QStringList alarms;
    for (const Alarm& alarm : reminder.alarms)
        alarms << (alarm.isLocationAlarm() ? QStringLiteral("at %1 %2")
                                                 .arg(alarm.structuredLocation->title)
                                                 .arg(int(alarm.proximity))
                                           : QString::number(alarm.relativeOffset));
    return QStringList{
        reminder.calendar ? reminder.calendar->title : QString(),
        reminder.title,
        reminder.completed ? "done" : "open",
        reminder.dueDateComponents ? reminder.dueDateComponents->date().toString(Qt::ISODate) : "-",
        QString::number(reminder.recurrenceRules.size()),
        alarms.join(',')}
        .join(" | ");
}

} // namespace

class AccountSyncTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    CalDavServer m_server;
    std::unique_ptr<Home> m_a;
    std::unique_ptr<Home> m_b;

    QStringList tasksOf(Home& home)
    {
        EventStore store({home.folder()});
        QString error;
        if (!store.accessToEntityType(EntityType::Reminder, &error))
            return {error};
        QStringList lines;
        for (const ReminderPtr& reminder : StoreQueries::allReminders(store))
            lines << describe(*reminder);
        lines.sort();
        return lines;
    }

    // Runs `change` on a store over `home`'s account folder.
    template <typename Change> void change(Home& home, Change&& edit)
    {
        EventStore store({home.folder()});
        QVERIFY(store.accessToEntityType(EntityType::Reminder));
        edit(store);
    }

    static ReminderPtr newTask(EventStore& store, const char* title, const QString& listTitle)
    {
        ReminderPtr reminder = store.reminderWithEventStore();
        reminder->title = title;
        reminder->calendar = StoreLookups::listTitled(store, listTitle);
        return reminder;
    }

    static int icsCount(const QString& folder)
    {
        return int(QDir(folder).entryList({"*.ics"}, QDir::Files).size());
    }

    // The open task titled `title` (a completed occurrence of a series shares its title).
    static ReminderPtr task(EventStore& store, const QString& title)
    {
        for (const ReminderPtr& reminder : StoreQueries::allReminders(store))
            if (reminder->title == title && !reminder->completed)
                return reminder;
        return {};
    }

    static void synced(Home& home)
    {
        const SyncReport report = home.sync();
        QVERIFY2(report.ok(), qPrintable(report.log));
    }

    // Syncs A, B and A again: both then hold the same tasks, which it returns.
    QStringList syncBoth()
    {
        for (Home* home : {m_a.get(), m_b.get(), m_a.get()})
            synced(*home);
        const QStringList onA = tasksOf(*m_a);
        QTest::qCompare(tasksOf(*m_b), onA, "tasksOf(*m_b)", "onA", __FILE__, __LINE__);
        return onA;
    }

    // Adds the account with every list of the server; `found` gets them as "name=display name".
    void addAccount(Home& home, QStringList* found = nullptr)
    {
        const SyncSetup::Added added =
            home.setup.addAccount(m_server.url(), kUser, kPassword, home.runner);
        QVERIFY2(added.account, qPrintable(added.error + "\n" + added.listing.log));
        QStringList names;
        for (const SyncReport::Collection& collection : added.listing.discovered) {
            names << collection.name;
            if (found)
                *found << collection.name + "=" + collection.displayName;
        }
        // The listing ran on a configuration of its own: nothing of it is left behind.
        QVERIFY(!QFile::exists(home.paths.configFile()) || home.setup.collectionCount() == 0);
        QVERIFY(home.setup.setCollections(added.account->id, names));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startKeyring());
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_server.start(m_dir->filePath("server"), kUser, kPassword));
        QVERIFY(m_server.makeCalendar("work", "Work"));
        QVERIFY(m_server.makeCalendar("home", "Home \"&\" Garden"));
        m_a = std::make_unique<Home>(m_dir->filePath("a"));
        m_b = std::make_unique<Home>(m_dir->filePath("b"));
    }

    void anAccountListsTheServersCollectionsWithTheirNames()
    {
        QStringList found;
        addAccount(*m_a, &found);
        found.sort();
        QCOMPARE(found, (QStringList{"home=Home \"&\" Garden", "work=Work"}));
        const QString config = QString::fromUtf8(TestFiles::readFile(m_a->paths.configFile()));
        QVERIFY(!config.contains(kPassword));
        QVERIFY(config.contains("password.fetch"));
        addAccount(*m_b);
        syncBoth();
        QCOMPARE(QDir(m_a->folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{"home", "work"}));
    }

    void addEditCompleteMoveAndDeleteArriveOnTheOtherSide()
    {
        change(*m_a, [](EventStore& store) {
            ReminderPtr milk = newTask(store, "Buy milk", "Work");
            milk->dueDateComponents = DateComponents::fromDate(QDate(2026, 12, 24));
            QVERIFY(store.saveReminder(milk, true));
            ReminderPtr water = newTask(store, "Water plants", "Home \"&\" Garden");
            water->dueDateComponents = DateComponents::fromDate(QDate(2026, 12, 7));
            RecurrenceRule weekly;
            weekly.frequency = RecurrenceRule::Frequency::Weekly;
            water->addRecurrenceRule(weekly);
            QVERIFY(store.saveReminder(water, true));
        });
        QCOMPARE(syncBoth().size(), 2);

        // Edited and moved on B, completed (and the series moved on) on A.
        change(*m_b, [](EventStore& store) {
            ReminderPtr milk = task(store, "Buy milk");
            milk->title = "Buy oat milk";
            milk->calendar = StoreLookups::listTitled(store, "Home \"&\" Garden");
            QVERIFY(store.saveReminder(milk, true));
        });
        // Moving its last task out empties Work: passed on where each user says so.
        for (Home* home : {m_b.get(), m_a.get()}) {
            const QString work = home->setup.accounts().value(0).id + "/work";
            const SyncReport waits = home->sync();
            QVERIFY2(waits.ok() && waits.waiting.value(0).name() == work, qPrintable(waits.log));
            const SyncReport passed =
                home->setup.syncAll(home->runner, {{work, EmptiedChoice::PassOn}});
            QVERIFY2(passed.ok() && passed.passedOn.value(0).name() == work,
                     qPrintable(passed.log));
        }
        syncBoth();
        change(*m_a, [](EventStore& store) {
            ReminderPtr water = task(store, "Water plants");
            water->setCompleted(true, QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
            const auto outcome = RecurringCompletion::complete(*water);
            QVERIFY(outcome && outcome->advanced);
            *water = *outcome->advanced;
            QVERIFY(store.saveReminder(water, true));
            ReminderPtr done = store.reminderWithEventStore();
            *done = outcome->completedOccurrence;
            done->origin = {};
            QVERIFY(store.saveReminder(done, true));
        });
        const QStringList onA = syncBoth();
        QCOMPARE(onA, (QStringList{"Home \"&\" Garden | Buy oat milk | open | 2026-12-24 | 0 | ",
                                   "Home \"&\" Garden | Water plants | done | 2026-12-07 | 0 | ",
                                   "Home \"&\" Garden | Water plants | open | 2026-12-14 | 1 | "}));
        // A move is a delete in one collection and an add in the other, on the server too.
        QCOMPARE(m_server.itemTexts("work").size(), 0);

        change(*m_b, [](EventStore& store) {
            QVERIFY(store.removeReminder(task(store, "Buy oat milk"), true));
        });
        QCOMPARE(syncBoth().size(), 2);
    }

    // Properties this program does not know belong to other programs and must come back
    // as they went; so must location alarms, which other CalDAV clients seldom write.
    void unknownPropertiesAndLocationAlarmsSurviveTheRoundTrip()
    {
        TestFiles::writeFile(m_a->folder() + "/work/extras.ics",
                             TestFiles::todo("extras-1", "Keeps its extras",
                                             "DTSTAMP:20261201T100000Z\r\nX-MOOD:calm\r\n"
                                             "X-OTHER-APP;X-KIND=plain:value\\, with a comma\r\n"
                                             "X-LISTED;X-KIND=\"a,b\":two\r\n"
                                             "X-MULTI;X-KIND=a,b:three\r\nX-TEXT:one,two\r\n"));
        change(*m_a, [](EventStore& store) {
            ReminderPtr office = newTask(store, "Call from the office", "Work");
            const StructuredLocation place{.title = "Office",
                                           .latitude = 52.52,
                                           .longitude = 13.405,
                                           .radius = 150,
                                           .hasGeoLocation = true};
            office->addAlarm(Alarm::withLocation(place, Alarm::Proximity::Leave));
            QVERIFY(store.saveReminder(office, true));
        });
        QVERIFY(syncBoth().contains("Work | Call from the office | open | - | 0 | at Office 2"));
        change(*m_b, [](EventStore& store) {
            const StructuredLocation place =
                *task(store, "Call from the office")->alarms.value(0).structuredLocation;
            // The place's coordinates travel as "geo:52.52,13.405" in an unknown property, and
            // Radicale 3.1.8 keeps an unknown property's value only up to its first comma.
            QEXPECT_FAIL("", "Radicale 3.1.8 cuts an unknown property's value at a comma",
                         Continue);
            QCOMPARE(place.latitude, 52.52);
            QCOMPARE(place.title, QString("Office"));
            QCOMPARE(place.radius, 150.0);
        });

        const QByteArray text = fileContaining(m_b->folder() + "/work", "extras-1");
        for (const char* line :
             {"X-MOOD:calm", "X-OTHER-APP;X-KIND=plain:value\\, with a comma",
              "X-LISTED;X-KIND=", ":two", "X-MULTI;X-KIND=a,b:three", "X-TEXT:one"})
            QVERIFY2(text.contains(line), line);
        QEXPECT_FAIL("", "Radicale 3.1.8 cuts an unknown property's value at a comma", Continue);
        QVERIFY(text.contains("X-TEXT:one,two"));
    }

    // A tree made on one side arrives in the form other CalDAV programs write and read, and an
    // unlinking on the other side comes back.
    void aSubtaskTreeSurvivesTheRoundTrip()
    {
        change(*m_a, [](EventStore& store) {
            ReminderPtr trip = newTask(store, "Trip", "Work");
            trip->hidesSubtasks = true;
            QVERIFY(store.saveReminder(trip, true));
            for (const char* title : {"Pack", "Book the ferry"}) {
                ReminderPtr subtask = newTask(store, title, "Work");
                subtask->parentUid = trip->uid;
                QVERIFY(store.saveReminder(subtask, true));
            }
        });
        syncBoth();
        change(*m_b, [this](EventStore& store) {
            const SubtaskTree tree(StoreQueries::allReminders(store));
            const ReminderPtr trip = task(store, "Trip");
            QVERIFY(trip && trip->hidesSubtasks);
            QCOMPARE(tree.progressOf(*trip), (SubtaskTree::Progress{0, 2}));
            const ReminderPtr parent = tree.parentOf(*task(store, "Pack"));
            QCOMPARE(parent ? parent->uid : QString(), trip->uid);
            QVERIFY(fileContaining(m_b->folder() + "/work", "SUMMARY:Pack")
                        .contains("RELATED-TO;RELTYPE=PARENT:" + trip->uid.toUtf8()));
            const ReminderPtr ferry = task(store, "Book the ferry");
            ferry->parentUid.clear();
            QVERIFY(store.saveReminder(ferry, true));
        });
        syncBoth();
        change(*m_a, [](EventStore& store) {
            const SubtaskTree tree(StoreQueries::allReminders(store));
            QVERIFY(!tree.parentOf(*task(store, "Book the ferry")));
            const QList<ReminderPtr> subtasks = tree.subtasksOf(*task(store, "Trip"));
            QCOMPARE(subtasks.size(), 1);
            QCOMPARE(subtasks.first()->title, QString("Pack"));
            // The other cases start from the lists as they were.
            for (const char* title : {"Pack", "Book the ferry", "Trip"})
                QVERIFY(store.removeReminder(task(store, title), true));
        });
        syncBoth();
    }

    void accountsThatCannotBeUsedAreToldApart()
    {
        Home other(m_dir->filePath("wrong"));
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

    void aTaskChangedOnBothSidesKeepsBothEdits()
    {
        change(*m_a, [](EventStore& store) {
            ReminderPtr water = task(store, "Water plants");
            QVERIFY(water && !water->completed);
            water->title = "Water the plants";
            QVERIFY(store.saveReminder(water, true));
        });
        change(*m_b, [](EventStore& store) {
            ReminderPtr water = task(store, "Water plants");
            water->title = "Water plants today";
            water->priority = 1;
            QVERIFY(store.saveReminder(water, true));
        });
        QVERIFY(m_a->sync().ok());
        const SyncReport b = m_b->sync();
        QVERIFY2(b.ok(), qPrintable(b.log));
        QCOMPARE(b.conflicts, 1);
        QVERIFY(b.log.contains("Kept both versions"));
        const QStringList onA = syncBoth();
        QVERIFY(onA.contains("Home \"&\" Garden | Water the plants | open | 2026-12-14 | 1 | "));
        QVERIFY(onA.contains(
            "Home \"&\" Garden | Water plants today (conflict copy) | open | 2026-12-14 | 1 | "));
    }

    // A server gone halfway, and the application quitting halfway (which interrupts
    // vdirsyncer): the sync fails, its status stays usable, and the next sync neither loses
    // nor doubles anything.
    void anInterruptedSyncFailsAndTheNextCompletes_data()
    {
        QTest::addColumn<bool>("serverStops");
        QTest::newRow("server stopped") << true;
        QTest::newRow("sync stopped") << false;
    }

    void anInterruptedSyncFailsAndTheNextCompletes()
    {
        QFETCH(bool, serverStops);
        Home& home = serverStops ? *m_a : *m_b;
        const qsizetype before = m_server.itemTexts("work").size();
        writeTasks(home, "work", serverStops ? "Batch" : "Later", kBatch);
        bool interrupted = false;
        const QMetaObject::Connection interrupt =
            connect(&home.runner, &SyncRunner::progress, this, [&] {
                if (interrupted)
                    return;
                interrupted = true;
                if (serverStops)
                    m_server.stop();
                else
                    home.runner.stop(10000);
            });
        const SyncReport broken = home.sync();
        disconnect(interrupt);
        QVERIFY(interrupted && !home.runner.isRunning());
        QCOMPARE(broken.problem,
                 serverStops ? SyncReport::Problem::Unreachable : SyncReport::Problem::Stopped);
        if (serverStops)
            QVERIFY(m_server.restart());
        syncBoth();
        QCOMPARE(m_server.itemTexts("work").size(), before + kBatch);
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
        QVERIFY(cli.ok({"tasks"}).out.contains("Water the plants"));
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
        Home c(m_dir->filePath("c"));
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

    static QByteArray fileContaining(const QString& folder, const QByteArray& text)
    {
        for (const QString& name : QDir(folder).entryList({"*.ics"})) {
            if (const QByteArray file = TestFiles::readFile(folder + "/" + name);
                file.contains(text))
                return file;
        }
        return {};
    }

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

    void writeTasks(Home& home, const QString& collection, const QString& title, int count)
    {
        for (int i = 0; i < count; ++i) {
            const QByteArray name = QStringLiteral("%1-%2").arg(title).arg(i).toUtf8();
            TestFiles::writeFile(
                QStringLiteral("%1/%2/%3.ics").arg(home.folder(), collection, name),
                TestFiles::todo(name, QStringLiteral("%1 %2").arg(title).arg(i).toUtf8(),
                                "DTSTAMP:20261201T100000Z\r\n"));
        }
    }
};

VELMORAN_TEST_MAIN(AccountSyncTest)
#include "tst_accountsync.moc"
