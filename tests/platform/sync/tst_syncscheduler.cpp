// When the accounts sync: local changes wait for a quiet moment, a request during a sync runs
// once after it, the sync's own writes start nothing, and a stopped scheduler stays stopped.
// Each sync is a real vdirsyncer run against an address where nothing listens.

#include "SignalBursts.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "platform/Clock.h"
#include "platform/sync/SyncScheduler.h"
#include "platform/sync/SyncSetup.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>

class SyncSchedulerTest : public QObject
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

private Q_SLOTS:
    void init()
    {
        m_clock.setNow(TestEnvironment::local(2026, 12, 7, 10, 0));
        const SyncPaths paths{m_dir.filePath("config"), m_dir.filePath("data")};
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QString url = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
        closed.close();
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
};

VELMORAN_TEST_MAIN(SyncSchedulerTest)
#include "tst_syncscheduler.moc"
