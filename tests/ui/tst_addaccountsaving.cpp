// Saving a new account's password while the keyring is locked: gnome-keyring then puts up its
// real unlock prompt and secret-tool waits on it. The window must go on answering, show what
// it waits for, refuse a second start, and Cancel must end the waiting secret-tool. The suite
// runs inside dbus-run-session and runs under xvfb-run (the prompt needs a display).

#include "CalDavServer.h"

#include "platform/sync/SecretJob.h"
#include "platform/sync/SyncSetup.h"
#include "ui/prefs/AddAccountDialog.h"

#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class AddAccountSavingTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    SyncPaths paths() const
    {
        return SyncPaths{m_dir.filePath("sync/config"), m_dir.filePath("sync/data")};
    }

    static void fillIn(AddAccountDialog& dialog)
    {
        dialog.urlField()->setText("http://127.0.0.1:9/dav/");
        dialog.userField()->setText("alice");
        dialog.passwordField()->setText("right");
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(startKeyring());
        // The login keyring exists once something is in it; then it is locked.
        SecretStore secrets;
        QVERIFY2(secrets.store("first", "first", "x"), qPrintable(secrets.error()));
        QDBusInterface service("org.freedesktop.secrets", "/org/freedesktop/secrets",
                               "org.freedesktop.Secret.Service");
        const QDBusMessage locked =
            service.call("Lock", QVariant::fromValue(QList<QDBusObjectPath>{QDBusObjectPath(
                                     "/org/freedesktop/secrets/collection/login")}));
        QVERIFY2(locked.type() == QDBusMessage::ReplyMessage, qPrintable(locked.errorMessage()));
    }

    void cancelEndsASecretToolWaitingOnTheUnlockPrompt()
    {
        SecretStore secrets;
        secrets.setRemovesInBackground(true);
        SyncSetup setup(paths(), secrets, {});
        AddAccountDialog dialog(setup);
        dialog.show();
        fillIn(dialog);
        QSignalSpy answered(&dialog, &AddAccountDialog::serverAnswered);
        dialog.connectButton()->click();

        QVERIFY(dialog.isStoringPassword());
        QVERIFY2(dialog.messageLabel()->text().contains("secret service"),
                 qPrintable(dialog.messageLabel()->text()));
        QVERIFY(!dialog.connectButton()->isEnabled());
        QVERIFY(!dialog.saveButton()->isEnabled());
        QVERIFY(!dialog.passwordField()->isEnabled());
        QVERIFY(dialog.cancelButton()->isEnabled());
        const auto* job = dialog.findChild<SecretJob*>();
        QVERIFY(job);
        const qint64 pid = job->processId();
        QVERIFY(pid > 0);

        // The window keeps handling events while the prompt waits, and a second click does
        // not start a second secret-tool.
        QVERIFY(!answered.wait(1500));
        QVERIFY(dialog.isStoringPassword());
        dialog.connectButton()->click();
        QCOMPARE(dialog.findChildren<SecretJob*>().size(), 1);
        QVERIFY(QFileInfo::exists(QString("/proc/%1").arg(pid)));

        dialog.cancelButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isStoringPassword());
        QVERIFY(!QFileInfo::exists(QString("/proc/%1").arg(pid)));
        QVERIFY(answered.isEmpty());
        QVERIFY(setup.accounts().isEmpty());
    }

    void aSecretToolThatCannotStartIsToldAndTheWindowIsUsableAgain()
    {
        SecretStore secrets(m_dir.filePath("no-such-secret-tool"));
        SyncSetup setup(paths(), secrets, {});
        AddAccountDialog dialog(setup);
        fillIn(dialog);
        QSignalSpy answered(&dialog, &AddAccountDialog::serverAnswered);
        dialog.connectButton()->click();
        QVERIFY(answered.count() == 1 || answered.wait(5000));
        QVERIFY(!dialog.isStoringPassword());
        QVERIFY2(dialog.messageLabel()->text().contains("libsecret-tools"),
                 qPrintable(dialog.messageLabel()->text()));
        QVERIFY(dialog.connectButton()->isEnabled());
        QVERIFY(dialog.passwordField()->isEnabled());
        QVERIFY(!dialog.saveButton()->isEnabled());
        QVERIFY(setup.accounts().isEmpty());
    }
};

QTEST_MAIN(AddAccountSavingTest)
#include "tst_addaccountsaving.moc"
