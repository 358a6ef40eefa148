#include "LaunchedProgram.h"
#include "StoreQueries.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "app/ApplicationInterface.h"
#include "platform/store/EventStore.h"

#include <QClipboard>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QGuiApplication>
#include <QScopeGuard>

using namespace TestFiles;

using namespace LaunchedProgram;

namespace {

constexpr int kStartTimeoutMs = 30000;

} // namespace

// The built application run as separate processes over a store and XDG folders of their own:
// this suite runs inside dbus-run-session and runs under xvfb-run, so that every launch shares
// one private bus and one display.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        writeFile(storeRoot() + "/home/displayname", "Home");
        writeFile(storeRoot() + "/home/order", "0");
        // Past the first launch: its onboarding window would hold the main window back, and
        // with it every request that waits for the store.
        writeFile(m_dir->filePath("config/velmoran/preferences.json"),
                  "{\"currentVersion\": 1, \"initialLaunch\": false}");
        QVERIFY(!instanceIsRunning());
    }

    void cleanup()
    {
        stop(m_first);
        QTRY_VERIFY_WITH_TIMEOUT(!instanceIsRunning(), 10000);
    }

    void laterLaunchesHandTheirRequestsToTheFirst()
    {
        start(m_first, environment(*m_dir), {"velmoran://add?text=At%20start"});
        QTRY_VERIFY_WITH_TIMEOUT(instanceIsRunning(), kStartTimeoutMs);
        // The first instance's own URL runs once the store has loaded.
        QTRY_VERIFY_WITH_TIMEOUT(taskTitles().contains("At start"), kStartTimeoutMs);

        QCOMPARE(launch({"velmoran://add?text=From%20second"}).exitCode, 0);
        QTRY_VERIFY_WITH_TIMEOUT(taskTitles().contains("From second"), 10000);
        QCOMPARE(taskTitles().size(), 2);
        QCOMPARE(m_first.state(), QProcess::Running);

        // A plain second launch only brings the first to the front.
        QCOMPARE(launch({}).exitCode, 0);
        // An argument that is not one of ours is refused before anything is handed over.
        const Launch refused = launch({"https://example.org/"});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY(refused.err.contains("velmoran:"));
        QCOMPARE(taskTitles().size(), 2);

        // Text over the bus becomes a task (its link is tst_urlcommands').
        const QString text = "Read the paper at https://example.org/paper.";
        QDBusMessage call = QDBusMessage::createMethodCall(
            SingleInstance::kServiceName, SingleInstance::kObjectPath, SingleInstance::kInterface,
            "NewTaskFromText");
        call << text;
        QCOMPARE(QDBusConnection::sessionBus().call(call).type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY_WITH_TIMEOUT(taskTitles().contains(text), kStartTimeoutMs);

        // The selection, else the clipboard, becomes a task.
        QClipboard* clipboard = QGuiApplication::clipboard();
        QVERIFY(clipboard->supportsSelection());
        clipboard->setText("Selected words", QClipboard::Selection);
        clipboard->setText("Copied words", QClipboard::Clipboard);
        // This process owns the selection and must keep answering while the launch reads it.
        QCOMPARE(launch({"--new-task-from-selection"}).exitCode, 0);
        QTRY_VERIFY_WITH_TIMEOUT(taskTitles().contains("Selected words"), kStartTimeoutMs);

        // Nothing selected: the clipboard is the fallback.
        clipboard->clear(QClipboard::Selection);
        QCOMPARE(launch({"--new-task-from-selection"}).exitCode, 0);
        QTRY_VERIFY_WITH_TIMEOUT(taskTitles().contains("Copied words"), kStartTimeoutMs);

        // Neither holds text: the launch says so and adds nothing.
        clipboard->clear(QClipboard::Clipboard);
        const Launch empty = launch({"--new-task-from-selection"});
        QCOMPARE(empty.exitCode, 1);
        QVERIFY(empty.err.contains("nothing is selected"));
        QCOMPARE(taskTitles().size(), 5);
    }

    // The launch is the real program; the running instance is this process's own service, so
    // that what arrives can be seen below the windows.
    void commandsReachTheRunningInstanceWithTheLaunchersToken()
    {
        ApplicationInterface service;
        SingleInstance instance;
        QCOMPARE(instance.claim(&service), SingleInstance::Role::Primary);
        const auto release = qScopeGuard([] {
            QDBusConnection::sessionBus().unregisterService(SingleInstance::kServiceName);
            QDBusConnection::sessionBus().unregisterObject(SingleInstance::kObjectPath);
        });
        QSignalSpy commands(&service, &ApplicationInterface::commandRequested);
        QSignalSpy tokens(&service, &ApplicationInterface::tokenReceived);
        QSignalSpy urls(&service, &ApplicationInterface::urlReceived);
        QSignalSpy texts(&service, &ApplicationInterface::textReceived);
        QSignalSpy activations(&service, &ApplicationInterface::activationRequested);
        using Command = ApplicationInterface::Command;
        const QList<QPair<QString, Command>> launches{{"--toggle-window", Command::ToggleWindow},
                                                      {"--show-panel", Command::ShowPanel},
                                                      {"--new-task", Command::NewTask}};
        for (const auto& [option, command] : launches) {
            const QString token = "token-for" + option;
            QCOMPARE(launch({option}, {{"XDG_ACTIVATION_TOKEN", token}}).exitCode, 0);
            QCOMPARE(commands.size(), 1);
            QCOMPARE(commands.takeFirst().at(0).value<Command>(), command);
            // Handed on before the command runs, for the window the command raises.
            QCOMPARE(tokens.takeFirst().at(0).toString(), token);
        }
        // An X11 launcher's startup identifier serves where there is no Wayland token.
        QCOMPARE(launch({}, {{"DESKTOP_STARTUP_ID", "x11-start"}}).exitCode, 0);
        QCOMPARE(activations.size(), 1);
        QCOMPARE(tokens.takeFirst().at(0).toString(), QString("x11-start"));
        QCOMPARE(launch({"velmoran://add?text=a", "velmoran://add?text=b"},
                        {{"XDG_ACTIVATION_TOKEN", "url-token"}})
                     .exitCode,
                 0);
        QCOMPARE(urls.size(), 2);
        QCOMPARE(tokens.takeFirst().at(0).toString(), QString("url-token"));
        // No token, nothing handed on.
        QCOMPARE(launch({"--show-panel"}).exitCode, 0);
        QCOMPARE(commands.size(), 1);
        QVERIFY(tokens.isEmpty());

        // What other programs may send is checked as well; from a connection of its own, since
        // a call to this process's own name never leaves it.
        const QString application = "org.freedesktop.Application";
        const QString ours = QString::fromLatin1(SingleInstance::kInterface);
        QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "other");
        const auto forget = qScopeGuard([] { QDBusConnection::disconnectFromBus("other"); });
        const auto refused = [&other](const QString& interface, const QString& method,
                                      const QVariantList& arguments) {
            QDBusMessage message = QDBusMessage::createMethodCall(
                SingleInstance::kServiceName, SingleInstance::kObjectPath, interface, method);
            message.setArguments(arguments);
            QDBusPendingCall pending = other.asyncCall(message);
            // This process answers, so its event loop must run while the call waits.
            QVERIFY(QTest::qWaitFor([&pending] { return pending.isFinished(); }, 10000));
            QCOMPARE(pending.reply().errorName(), "org.freedesktop.DBus.Error.InvalidArgs");
        };
        refused(application, "ActivateAction",
                {"delete-everything", QVariantList(), QVariantMap()});
        refused(application, "ActivateAction", {"new-task", QVariantList{1}, QVariantMap()});
        refused(application, "Open",
                {QStringList{"velmoran://add?text=c", "file:///etc/passwd"},
                 QVariantMap{{"activation-token", "t"}}});
        refused(ours, "OpenUrl", {"file:///etc/passwd"});
        refused(ours, "OpenUrl",
                {"velmoran://add?text=" + QString(ApplicationInterface::kMaxUrlLength, u'x')});
        refused(ours, "NewTaskFromText", {" \n\t "});
        refused(ours, "NewTaskFromText", {QString(ApplicationInterface::kMaxTextLength + 1, u'y')});
        QCOMPARE(urls.size(), 2);
        QCOMPARE(commands.size(), 1);
        QVERIFY(tokens.isEmpty() && texts.isEmpty());
    }

    void badCombinationsOfOptionsAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("two commands") << QStringList{"--toggle-window", "--show-panel"}
                                      << "--toggle-window cannot be combined with --show-panel";
        QTest::newRow("a command and a URL") << QStringList{"--new-task", "velmoran://add?text=x"}
                                             << "--new-task cannot be combined with a URL";
        QTest::newRow("a command at login") << QStringList{"--background", "--show-panel"}
                                            << "--show-panel cannot be combined with --background";
    }

    void badCombinationsOfOptionsAreRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Launch refused = launch(arguments);
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.err.contains(message.toUtf8()), refused.err.constData());
        QVERIFY(!instanceIsRunning());
    }

private:
    QString storeRoot() const { return m_dir->filePath("store"); }

    Launch launch(const QStringList& arguments, const QMap<QString, QString>& variables = {})
    {
        return LaunchedProgram::launch(environment(*m_dir), arguments, variables);
    }

    QStringList taskTitles() const
    {
        store::EventStore reader({storeRoot()});
        return StoreQueries::titles(StoreQueries::allReminders(reader));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_first;
};

VELMORAN_TEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
