// The accounts on the General page against a real Radicale, vdirsyncer and gnome-keyring:
// adding an account with some of its lists, a wrong password told in words with vdirsyncer's
// own lines beside it, an account left unsaved taken away again, and removing one. The suite
// runs inside dbus-run-session and runs velmoran-cli (the conflict step).

#include "CalDavServer.h"
#include "PreferenceFixture.h"

#include "platform/sync/SyncScheduler.h"
#include "platform/sync/SyncSetup.h"
#include "ui/prefs/AccountsGroup.h"
#include "ui/prefs/AddAccountDialog.h"
#include "ui/prefs/GeneralPage.h"
#include "ui/prefs/StoreFoldersGroup.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

class AccountsGroupTest : public QObject
{
    Q_OBJECT

    PreferenceFixture m_f;
    CalDavServer m_server;
    SecretStore m_secrets;
    std::unique_ptr<SyncSetup> m_setup;
    std::unique_ptr<SyncScheduler> m_scheduler;

    AccountsGroup* group() { return m_f.object->generalPage()->accounts(); }

    // The account window, connected with `password`, or as it opens (for an account saved) when
    // none is given.
    AddAccountDialog* connectWith(const QString& password = {})
    {
        AddAccountDialog* dialog = group()->openAccountDialog();
        if (!password.isEmpty()) {
            dialog->urlField()->setText(m_server.url());
            dialog->userField()->setText("alice");
            dialog->passwordField()->setText(password);
        }
        QSignalSpy answered(dialog, &AddAccountDialog::serverAnswered);
        dialog->connectButton()->click();
        if (answered.isEmpty() && !answered.wait(60000))
            qWarning("The window did not show the server's answer.");
        return dialog;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(startKeyring());
        QVERIFY(m_f.setUp());
        QVERIFY(m_server.start(m_f.dir.filePath("server"), "alice", "right"));
        QVERIFY(m_server.makeCalendar("work", "Work"));
        QVERIFY(m_server.makeCalendar("home", "Home"));
        m_setup = std::make_unique<SyncSetup>(
            SyncPaths{m_f.dir.filePath("sync/config"), m_f.dir.filePath("sync/data")}, m_secrets,
            QStringList{VELMORAN_CLI_PATH, "sync-conflict"});
        m_scheduler = std::make_unique<SyncScheduler>(*m_setup, m_f.clock);
        m_f.remakeWindow([this](PreferenceRelays& relays) {
            relays.accounts = m_setup.get();
            relays.accountSync = m_scheduler.get();
        });
        QVERIFY(group());
    }

    void cleanupTestCase()
    {
        m_f.tearDown();
        m_scheduler.reset();
    }

    // A wrong password is told with the server's own words, and nothing is kept.
    void anAccountIsKeptOnlyOnceSaved()
    {
        AddAccountDialog* dialog = connectWith("wrong");
        QVERIFY2(dialog->messageLabel()->text().contains("refused the user name or password"),
                 qPrintable(dialog->messageLabel()->text()));
        QVERIFY(dialog->detailsView()->toPlainText().contains("401"));
        QVERIFY(!dialog->saveButton()->isEnabled());
        dialog->reject();
        QVERIFY(m_setup->accounts().isEmpty());

        // An account connected but not saved goes again, its password too.
        dialog = connectWith("right");
        QCOMPARE(dialog->collectionList()->count(), 2);
        QCOMPARE(m_setup->accounts().size(), 1);
        const QString id = m_setup->accounts().first().id;
        dialog->reject();
        QVERIFY(m_setup->accounts().isEmpty());
        QVERIFY(!m_secrets.lookup(id));
    }

    void anAccountWithTheChosenListsIsSyncedIntoTheStore()
    {
        AddAccountDialog* dialog = connectWith("right");
        QListWidget* lists = dialog->collectionList();
        QCOMPARE(lists->count(), 2);
        for (int row = 0; row < lists->count(); ++row) {
            QCOMPARE(lists->item(row)->checkState(), Qt::Checked);
            if (lists->item(row)->text() == "Home")
                lists->item(row)->setCheckState(Qt::Unchecked);
        }
        QSignalSpy finished(&m_scheduler->runner(), &SyncRunner::finished);
        dialog->saveButton()->click();
        QCOMPARE(m_setup->accounts().size(), 1);
        QCOMPARE(m_setup->accounts().first().collections, QStringList{"work"});
        QCOMPARE(group()->accountList()->item(0)->text(), QString("alice at 127.0.0.1 — work"));
        const QString folder = m_setup->paths().accountFolder(m_setup->accounts().first().id);
        QVERIFY(m_f.defaults->objectForKey("storeFolders").toStringList().contains(folder));
        QVERIFY(finished.wait(60000));
        QVERIFY2(m_scheduler->lastReport().ok(), qPrintable(m_scheduler->lastReport().log));
        QVERIFY(group()->statusLabel()->text().startsWith("Synced at"));
        // The list's name came from the server.
        QFile name(folder + "/work/displayname");
        QVERIFY(name.open(QIODevice::ReadOnly));
        QCOMPARE(name.readAll(), QByteArray("Work"));
    }

    // The user's own configuration is offered and synced as it is after the account (that it
    // is never written is checked in tst_vdirsyncerconfig).
    void theUsersOwnConfigurationIsUsedAsItIs()
    {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + "/vdirsyncer/config";
        const QString folder = m_f.dir.filePath("mine");
        QDir().mkpath(folder);
        const QByteArray text = QStringLiteral("[general]\nstatus_path = \"%1-status/\"\n"
                                               "[pair mine]\na = \"mine_local\"\n"
                                               "b = \"mine_remote\"\ncollections = [\"work\"]\n"
                                               "[storage mine_local]\ntype = \"filesystem\"\n"
                                               "path = \"%1\"\nfileext = \".ics\"\n"
                                               "[storage mine_remote]\ntype = \"caldav\"\n"
                                               "url = \"%2\"\nusername = \"alice\"\n"
                                               "password = \"right\"\n")
                                    .arg(folder, m_server.url())
                                    .toUtf8();
        QVERIFY(PreferenceFixture::writeFile(config, text));
        QProcess discover;
        discover.setProcessChannelMode(QProcess::MergedChannels);
        discover.start("vdirsyncer", {"-c", config, "discover"});
        discover.write(QByteArray("y\n").repeated(4));
        discover.closeWriteChannel();
        QVERIFY(discover.waitForFinished(60000));
        QVERIFY2(discover.exitCode() == 0, discover.readAll().constData());
        group()->load();
        QVERIFY(group()->userConfigButton()->isVisibleTo(group()));

        QSignalSpy finished(&m_scheduler->runner(), &SyncRunner::finished);
        group()->userConfigButton()->click();
        QVERIFY(m_f.defaults->objectForKey("storeFolders").toStringList().contains(folder));
        QCOMPARE(m_f.defaults->stringForKey("syncUserConfig"), config);
        QVERIFY(!group()->userConfigButton()->isVisibleTo(group()));
        // The account's sync first, then the user's configuration.
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 60000);
        QVERIFY2(m_scheduler->lastReport().ok(), qPrintable(m_scheduler->lastReport().log));
        QVERIFY2(m_scheduler->runner().lastReport().collectionsSynced == QStringList{"work"},
                 qPrintable(m_scheduler->runner().lastReport().log));
        m_scheduler->setUserConfig({});
    }

    // A chosen list the server no longer has is named when the lists are chosen again, and
    // saving leaves it out.
    void choosingTheListsAgainTellsWhichAreGone()
    {
        QVERIFY(m_server.makeCalendar("trips", "Trips"));
        const SyncAccount account = m_setup->accounts().first();
        QVERIFY(m_setup->setCollections(account.id, {"trips", "work"}));
        QVERIFY(m_server.deleteCollection("trips"));
        group()->load();
        group()->listsButton()->click();
        AddAccountDialog* dialog = connectWith();
        QVERIFY2(dialog->messageLabel()->text().startsWith(
                     "No longer on the server, so no longer synced: trips."),
                 qPrintable(dialog->messageLabel()->text()));
        QCOMPARE(dialog->collectionList()->count(), 2);
        QSignalSpy finished(&m_scheduler->runner(), &SyncRunner::finished);
        dialog->saveButton()->click();
        QCOMPARE(m_setup->accounts().first().collections, QStringList{"work"});
        // The sync it starts is whole again (tst_accountlists checks what it does).
        QVERIFY(finished.wait(60000));
    }

    void removingAnAccountAsksAndKeepsTheTasksHere()
    {
        const SyncAccount account = m_setup->accounts().first();
        const QString folder = m_setup->paths().accountFolder(account.id);
        m_f.answer = false;
        group()->removeButton()->click();
        QCOMPARE(m_setup->accounts().size(), 1);
        m_f.answer = true;
        group()->removeButton()->click();
        QVERIFY(m_f.alerts.last().informativeText.contains(folder));
        QVERIFY(m_setup->accounts().isEmpty());
        QVERIFY(!m_secrets.lookup(account.id));
        QVERIFY(!m_f.defaults->objectForKey("storeFolders").toStringList().contains(folder));
        QVERIFY(QDir(folder + "/work").exists());
    }
};

VELMORAN_WIDGET_TEST_MAIN(AccountsGroupTest)
#include "tst_accountsgroup.moc"
