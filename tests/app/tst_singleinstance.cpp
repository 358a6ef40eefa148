#include "TestEnvironment.h"
#include "TestFiles.h"

#include "app/ApplicationInterface.h"
#include "app/SingleInstance.h"
#include "platform/store/EventStore.h"

#include <QClipboard>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QGuiApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace TestFiles;

namespace {

constexpr int kStartTimeoutMs = 30000;

QString serviceName()
{
    return QString::fromLatin1(SingleInstance::kServiceName);
}

bool serviceIsRunning()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(serviceName());
}

QDBusMessage callRunning(const QString& method, const QVariantList& arguments,
                         const QString& interface = QString::fromLatin1(SingleInstance::kInterface))
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        serviceName(), QString::fromLatin1(SingleInstance::kObjectPath), interface, method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, 10000);
}

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
        QVERIFY(!serviceIsRunning());
    }

    void cleanup()
    {
        if (m_first) {
            m_first->terminate();
            if (!m_first->waitForFinished(10000))
                m_first->kill();
            m_first->waitForFinished();
            m_first.reset();
        }
        QTRY_VERIFY_WITH_TIMEOUT(!serviceIsRunning(), 10000);
    }

    void laterLaunchesHandTheirRequestsToTheFirst()
    {
        startFirst({"velmoran://add?text=At%20start"});
        // The first instance's own URL runs once the store has loaded.
        QTRY_VERIFY_WITH_TIMEOUT(taskTitles().contains("At start"), kStartTimeoutMs);

        QProcess second;
        second.setProcessEnvironment(environment());
        second.start(VELMORAN_APP_PATH, {"velmoran://add?text=From%20second"});
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(taskTitles().contains("From second"), 10000);
        QCOMPARE(taskTitles().size(), 2);
        QCOMPARE(m_first->state(), QProcess::Running);

        // A plain second launch only brings the first to the front.
        QCOMPARE(launch({}).exitCode, 0);
        // An argument that is not one of ours is refused before anything is handed over.
        const Launch refused = launch({"https://example.org/"});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY(refused.err.contains("velmoran:"));
        QCOMPARE(taskTitles().size(), 2);

        // Text over the bus becomes a task, its link the task's.
        const QString text = "Read the paper at https://example.org/paper.";
        QCOMPARE(callRunning("NewTaskFromText", {text}).type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY_WITH_TIMEOUT(taskTitles().contains(text), kStartTimeoutMs);
        for (const store::ReminderPtr& task :
             store::EventStore({storeRoot()})
                 .remindersMatchingPredicate(store::predicateForRemindersInCalendars({})))
            QCOMPARE(task->URL, task->title == text ? QUrl("https://example.org/paper") : QUrl());

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
            QDBusConnection::sessionBus().unregisterService(serviceName());
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
        const auto callRunning = [&other](const QString& method, const QVariantList& arguments,
                                          const QString& interface) {
            QDBusMessage message = QDBusMessage::createMethodCall(
                serviceName(), QString::fromLatin1(SingleInstance::kObjectPath), interface, method);
            message.setArguments(arguments);
            QDBusPendingCall pending = other.asyncCall(message);
            // This process answers, so its event loop must run while the call waits.
            if (!QTest::qWaitFor([&pending] { return pending.isFinished(); }, 10000))
                qWarning("No answer from the running instance within 10 s");
            return pending.reply();
        };
        const QString invalid = "org.freedesktop.DBus.Error.InvalidArgs";
        const QString unknown = "org.freedesktop.DBus.Error.UnknownMethod";
        const struct
        {
            QString interface, method;
            QVariantList arguments;
            QString error;
        } refused[] = {
            {application,
             "ActivateAction",
             {"delete-everything", QVariantList(), QVariantMap()},
             invalid},
            {application, "ActivateAction", {"new-task", QVariantList{1}, QVariantMap()}, invalid},
            {application,
             "Open",
             {QStringList{"velmoran://add?text=c", "file:///etc/passwd"},
              QVariantMap{{"activation-token", "t"}}},
             invalid},
            {ours, "OpenUrl", {"file:///etc/passwd"}, invalid},
            {ours,
             "OpenUrl",
             {"velmoran://add?text=" + QString(ApplicationInterface::kMaxUrlLength, u'x')},
             invalid},
            {ours, "NewTaskFromText", {" \n\t "}, invalid},
            {ours,
             "NewTaskFromText",
             {QString(ApplicationInterface::kMaxTextLength + 1, u'y')},
             invalid},
            {ours, "OpenUrl", {42}, unknown},
            {ours, "OpenUrl", {"velmoran://add?text=a", "b"}, unknown},
            {ours, "DeleteEverything", {}, unknown},
        };
        for (const auto& call : refused) {
            QCOMPARE(callRunning(call.method, call.arguments, call.interface).errorName(),
                     call.error);
        }
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
        QVERIFY(!serviceIsRunning());
    }

private:
    struct Launch
    {
        int exitCode = -1;
        QByteArray err;
    };

    QString storeRoot() const { return m_dir->filePath("store"); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", m_dir->path());
        environment.insert("XDG_CONFIG_HOME", m_dir->filePath("config"));
        environment.insert("XDG_DATA_HOME", m_dir->filePath("data"));
        environment.insert("XDG_STATE_HOME", m_dir->filePath("state"));
        environment.insert("VELMORAN_STORE", storeRoot());
        environment.remove("VELMORAN_SYNC_DIR");
        return environment;
    }

    void startFirst(const QStringList& arguments)
    {
        m_first = std::make_unique<QProcess>();
        m_first->setProcessEnvironment(environment());
        m_first->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_first->start(VELMORAN_APP_PATH, arguments);
        QVERIFY(m_first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(serviceIsRunning(), kStartTimeoutMs);
    }

    // Waits with the event loop running: this process may own the selection being read.
    Launch launch(const QStringList& arguments, const QMap<QString, QString>& variables = {})
    {
        QProcess process;
        QProcessEnvironment launchEnvironment = environment();
        launchEnvironment.remove("XDG_ACTIVATION_TOKEN");
        launchEnvironment.remove("DESKTOP_STARTUP_ID");
        for (auto it = variables.begin(); it != variables.end(); ++it)
            launchEnvironment.insert(it.key(), it.value());
        process.setProcessEnvironment(launchEnvironment);
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(VELMORAN_APP_PATH, arguments);
        Launch result;
        if (!finished.wait(15000)) {
            process.kill();
            process.waitForFinished();
            qWarning() << "velmoran" << arguments << "did not finish";
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.err = process.readAllStandardError();
        return result;
    }

    QStringList taskTitles() const
    {
        store::EventStore reader({storeRoot()});
        QStringList titles;
        for (const store::ReminderPtr& reminder :
             reader.remindersMatchingPredicate(store::predicateForRemindersInCalendars({})))
            titles << reminder->title;
        return titles;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_first;
};

VELMORAN_TEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
