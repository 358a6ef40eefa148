#include "LaunchedProgram.h"
#include "RunningApp.h"
#include "TestEnvironment.h"

#include "app/EntryWindows.h"
#include "ui/entry/QuickAddForm.h"
#include "ui/panel/PanelViewController.h"
#include "ui/panel/PanelWindowController.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScopeGuard>

using namespace TestFiles;
using TestEnvironment::local;
using namespace LaunchedProgram;

namespace {

constexpr int kStartTimeoutMs = 30000;

const char* const kListWindows = R"(var out = [];
var clients = workspace.clientList();
for (var i = 0; i < clients.length; ++i)
    out.push({caption: clients[i].caption, active: clients[i].active,
              skipTaskbar: clients[i].skipTaskbar, keepAbove: clients[i].keepAbove,
              y: clients[i].frameGeometry.y});
callDBus("%1", "/kwinwindows", "org.velmoran.TestKWinWindows", "Report", JSON.stringify(out));
)";

// What KWin itself knows of its windows, asked through a script it runs: which one is active
// (has the keyboard), whether it has a task-bar entry. The script reports back over the bus.
class KWinWindows : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.velmoran.TestKWinWindows")

public:
    bool start()
    {
        return QDBusConnection::sessionBus().registerObject("/kwinwindows", this,
                                                            QDBusConnection::ExportScriptableSlots);
    }

    // Each window's caption, whether it is active, has no task-bar entry or is kept above, and
    // its top edge; none when KWin did not answer.
    QJsonArray windows()
    {
        const QString script =
            QString::fromLatin1(kListWindows).arg(QDBusConnection::sessionBus().baseService());
        return QJsonDocument::fromJson(runScript(script).toUtf8()).array();
    }

    QString activeCaption()
    {
        for (const QJsonValue& window : windows()) {
            if (window["active"].toBool())
                return window["caption"].toString();
        }
        return {};
    }

public Q_SLOTS:
    Q_SCRIPTABLE void Report(const QString& json) { Q_EMIT reported(json); }

Q_SIGNALS:
    void reported(const QString& json);

private:
    // Runs `script` in KWin and returns what it reported.
    QString runScript(const QString& script)
    {
        const QString path = m_dir.filePath(QStringLiteral("script%1.js").arg(++m_runs));
        writeFile(path, script.toUtf8());
        const QString name = QStringLiteral("velmoran-test-%1").arg(m_runs);
        QSignalSpy reported(this, &KWinWindows::reported);
        callScripting("loadScript", {path, name});
        callScripting("start", {});
        const bool answered = reported.wait(10000);
        callScripting("unloadScript", {name});
        return answered ? reported.first().first().toString() : QString();
    }

    static void callScripting(const QString& method, const QVariantList& arguments)
    {
        QDBusMessage message = QDBusMessage::createMethodCall("org.kde.KWin", "/Scripting",
                                                              "org.kde.kwin.Scripting", method);
        message.setArguments(arguments);
        QDBusConnection::sessionBus().call(message);
    }

    QTemporaryDir m_dir;
    int m_runs = 0;
};

} // namespace

// Windows on a Wayland desktop: the tray panel opened by the second shortcut, and a running
// instance's window brought to the front by a later launch that carries a launcher's activation
// token (tests/support/wayland/ActivationLauncher is that launcher).
// This suite runs on a headless KWin.
class TestWaylandWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("wayland"));
        QVERIFY(m_dir.isValid());
        QVERIFY(m_kwin.start());
        writeFile(m_dir.filePath("store/home/displayname"), "Home");
    }

    // The second shortcut on a desktop without a tray: the panel opens with the keyboard in its
    // field as a panel of KWin's, and goes with Escape; and Qt is never asked for what Wayland
    // lacks (the fade of a window's opacity), which it would answer with a warning each time.
    void thePanelOpensFocusedAndClosesOnEscape()
    {
        QTest::failOnWarning(QRegularExpression("."));
        RunningApp app;
        app.addList("home", "Home", 0);
        app.defaults->setBool(true, PrefKey::showMenuBar);
        app.defaults->setBool(false, PrefKey::alarmOn);
        app.clock.setNow(local(2026, 12, 9, 10, 20));
        QVERIFY(app.build());
        EntryWindows entry(*app.manager, *app.modes, *app.delegate);
        QVERIFY(app.launch({.quickAdd = &entry, .tray = &entry}));
        AppDelegate& delegate = *app.delegate;

        delegate.tray().toggleByHotKey();
        PanelWindowController* panel = entry.panelWindow();
        QTRY_VERIFY(panel->isActiveWindow());
        QLineEdit* field = panel->panel()->form()->titleField();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        // KWin treats it as a panel: no task-bar entry, above the others, at the top.
        const QJsonObject shown = windowCaptioned("Velmoran Panel");
        QVERIFY(shown["skipTaskbar"].toBool() && shown["keepAbove"].toBool());
        QCOMPARE(shown["y"].toInt(-1), 0);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!panel->isVisible());
        QVERIFY(!panel->hasActivePanel());
        // Opened again by the shortcut, it has the keyboard again, and the shortcut closes it.
        delegate.tray().toggleByHotKey();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        delegate.tray().toggleByHotKey();
        QTRY_VERIFY(!panel->isVisible());
    }

    // The real program twice: the second launch, started by a launcher with a token, brings
    // the first one's window to the front over the launcher's; without a token it cannot.
    void aLaunchersTokenBringsTheRunningWindowToTheFront()
    {
#ifndef VELMORAN_ACTIVATION_LAUNCHER_PATH
        QSKIP("the Wayland client library or wayland-scanner was missing at build time");
#else
        QProcess first;
        const auto stopFirst = qScopeGuard([&first] { stop(first); });
        startFirst(first, {}, {});
        QTRY_VERIFY_WITH_TIMEOUT(instanceIsRunning(), kStartTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(!windowCaptioned("Velmoran").isEmpty(), kStartTimeoutMs);

        // The user clicks in the launcher: it is the active window and gets its token.
        QProcess launcher;
        const auto stopLauncher = qScopeGuard([&launcher] { stop(launcher); });
        const QString token = startLauncher(launcher);
        QVERIFY(!token.isEmpty());
        QCOMPARE(m_kwin.activeCaption(), QString("Launcher"));

        // Without a token the compositor keeps the focus where it is. The launch returns once
        // the running instance has handled the request, and KWin's answer to the script comes
        // after everything that instance sent before it.
        QCOMPARE(launch({}, {}), 0);
        QCOMPARE(m_kwin.activeCaption(), QString("Launcher"));

        QCOMPARE(launch({}, {{"XDG_ACTIVATION_TOKEN", token}}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_kwin.activeCaption(), QString("Velmoran"), 10000);
#endif
    }

    // What desktop shortcuts run: the first launch with --new-task starts the program with
    // only the window for a new task; --toggle-window then brings the main window, and closes
    // it when it is in front.
    void theShortcutCommandsStartAndToggle()
    {
#ifndef VELMORAN_ACTIVATION_LAUNCHER_PATH
        QSKIP("the Wayland client library or wayland-scanner was missing at build time");
#else
        // The instance of the suite before has gone.
        QTRY_VERIFY_WITH_TIMEOUT(!instanceIsRunning(), 10000);
        QProcess launcher;
        const auto stopLauncher = qScopeGuard([&launcher] { stop(launcher); });
        QProcess first;
        const auto stopFirst = qScopeGuard([&first] { stop(first); });
        startFirst(first, {"--new-task"}, startLauncher(launcher));
        QTRY_COMPARE_WITH_TIMEOUT(m_kwin.activeCaption(), QString("New Task \u2014 Velmoran"),
                                  kStartTimeoutMs);
        QVERIFY(windowCaptioned("Velmoran").isEmpty());
        stop(launcher);

        QProcess second;
        const auto stopSecond = qScopeGuard([&second] { stop(second); });
        QCOMPARE(launch({"--toggle-window"}, {{"XDG_ACTIVATION_TOKEN", startLauncher(second)}}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_kwin.activeCaption(), QString("Velmoran"), 10000);
        QCOMPARE(launch({"--toggle-window"}, {}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(windowCaptioned("Velmoran").isEmpty(), 10000);
        QCOMPARE(first.state(), QProcess::Running);
#endif
    }

private:
    // The program over the suite's store, past the onboarding, the preference migrations and
    // this release's notes, so that it opens no window but the ones a test asks for.
    void startFirst(QProcess& first, const QStringList& arguments, const QString& token)
    {
        writeFile(m_dir.filePath("config/velmoran/preferences.json"),
                  "{\"FirstRun\": false, \"currentVersion\": 200, \"initialLaunch\": false, "
                  "\"updateNote\": false, \"updateNoteVersion\": \"" VELMORAN_VERSION "\"}");
        QProcessEnvironment firstEnvironment = environment(m_dir);
        if (!token.isEmpty())
            firstEnvironment.insert("XDG_ACTIVATION_TOKEN", token);
        start(first, firstEnvironment, arguments);
    }

    // Starts the stand-in launcher and returns the token it got once its window was active.
    static QString startLauncher(QProcess& launcher)
    {
#ifdef VELMORAN_ACTIVATION_LAUNCHER_PATH
        launcher.start(VELMORAN_ACTIVATION_LAUNCHER_PATH, {"Launcher"});
        if (!launcher.waitForReadyRead(kStartTimeoutMs))
            return QString();
        return QString::fromUtf8(launcher.readLine()).trimmed();
#else
        Q_UNUSED(launcher);
        return QString();
#endif
    }

    int launch(const QStringList& arguments, const QMap<QString, QString>& variables)
    {
        return LaunchedProgram::launch(environment(m_dir), arguments, variables).exitCode;
    }

    // The first window whose title starts with `caption` (Qt adds the program's name).
    QJsonObject windowCaptioned(const QString& caption)
    {
        for (const QJsonValue& window : m_kwin.windows()) {
            if (window["caption"].toString().startsWith(caption))
                return window.toObject();
        }
        return {};
    }

    QTemporaryDir m_dir;
    KWinWindows m_kwin;
};

VELMORAN_WIDGET_TEST_MAIN(TestWaylandWindows)
#include "tst_waylandwindows.moc"
